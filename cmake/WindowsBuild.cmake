# What the Windows edition, cross-built (cmake/mingw-w64.cmake), needs before
# its libraries: the native build-time programs it runs, zlib linked in, and
# MinGW's reentrant time functions.
if(NOT KTR84_HOST_TOOLS)
    message(FATAL_ERROR "KTR84_HOST_TOOLS must name the folder of the native build-time programs "
                        "(scripts/build-windows.sh builds them first)")
endif()
# MinGW's headers offer the reentrant time functions (localtime_r) on request.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L)
set(ZLIB_USE_STATIC_LIBS ON) # zlib inside the programs, no zlib1.dll
foreach(tool ktr84-srecgen ktr84-srecheck ktr84-farend)
    add_executable(${tool} IMPORTED GLOBAL)
    set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${KTR84_HOST_TOOLS}/${tool})
endforeach()
