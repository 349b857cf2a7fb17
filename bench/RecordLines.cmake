# The run record's CPU per image line, the recorder driven directly (a program, not a test).
add_executable(record_lines_bench ${CMAKE_CURRENT_LIST_DIR}/RecordLinesBench.cpp)
target_link_libraries(record_lines_bench PRIVATE ktr84record ktr84firmware)
