# A run's end after its line vanishes mid-upload (a program, not a test).
if(TARGET ktr84sim)
    add_executable(line_loss_bench ${CMAKE_CURRENT_LIST_DIR}/LineLossBench.cpp)
    target_link_libraries(line_loss_bench PRIVATE ktr84testing ktr84sim)
endif()
