# Module simulator pacing benchmark (CPU use while pacing a 115200-baud line).
add_executable(modsim_pacing_bench ${CMAKE_CURRENT_LIST_DIR}/ModsimPacingBench.cpp)
target_link_libraries(modsim_pacing_bench PRIVATE ktr84sim)
