# RAM upload of the IP run against the paced simulator (a program, not a test).
add_executable(ip_upload_bench ${CMAKE_CURRENT_LIST_DIR}/IpUploadBench.cpp)
target_link_libraries(ip_upload_bench PRIVATE ktr84testing ktr84sim)
