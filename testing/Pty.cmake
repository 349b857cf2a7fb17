# The pseudo-terminal pair the tests play the far end of a line with (Linux).
add_library(ktr84pty STATIC ${CMAKE_CURRENT_LIST_DIR}/PtyPair.cpp)
target_include_directories(ktr84pty PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ktr84pty PUBLIC ktr84common util)
