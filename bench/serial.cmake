# Write cost of the serial line into a pseudo-terminal (a program, not a test).
add_executable(serial_write_bench ${CMAKE_CURRENT_LIST_DIR}/serial_write_bench.cpp)
target_link_libraries(serial_write_bench PRIVATE ktr84line)
