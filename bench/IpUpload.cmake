# RAM upload of the IP run against the paced simulator (a program, not a test):
# the dialog in this process, or a build's console program as a program (the
# Windows one under Wine).
include(${CMAKE_SOURCE_DIR}/cmake/WindowsBuildPath.cmake)
add_executable(ip_upload_bench
    ${CMAKE_CURRENT_LIST_DIR}/IpUploadBench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IpUploadProgram.cpp
    ${CMAKE_SOURCE_DIR}/tests/cli/e2e/ChildProcess.cpp
    ${CMAKE_SOURCE_DIR}/tests/cli/e2e/WindowsBuild.cpp)
target_include_directories(ip_upload_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/cli/e2e)
target_link_libraries(ip_upload_bench PRIVATE ktr84testing ktr84sim)
target_compile_definitions(ip_upload_bench PRIVATE
    KTR84_UPGRADE="$<TARGET_FILE:ktr84-upgrade>" ${KTR84_WINDOWS_RUN_DEFINITIONS})
add_dependencies(ip_upload_bench ktr84-upgrade)
