# Cross build for 64-bit Windows with MinGW-w64 and its posix thread model
# (std::thread), the runtime linked statically: the programs need no DLL
# beyond Windows' own. Programs built here run under Wine (the tests'
# emulator, cmake/wine-run.sh, in a private prefix in the build folder).
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DKTR84_HOST_TOOLS=<folder of the native ktr84-srecgen and ktr84-srecheck>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ktr84_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ktr84_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ktr84_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${ktr84_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ktr84_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread inside every program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and other programs run through Wine, in the build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
