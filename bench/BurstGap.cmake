add_executable(burst_gap_bench ${CMAKE_CURRENT_LIST_DIR}/BurstGapBench.cpp)
target_link_libraries(burst_gap_bench PRIVATE ktr84testing ktr84sim)
