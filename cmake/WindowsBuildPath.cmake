# Where the Linux build's tests and benchmarks find the Windows build, whose
# programs they run under Wine (their Windows cases are skipped while it is
# missing), and the cross binutils' objdump that reads its import tables.
set(KTR84_WINDOWS_BUILD ${CMAKE_SOURCE_DIR}/build-win CACHE PATH
    "The Windows build (scripts/build-windows.sh) whose programs tests run under Wine")
find_program(KTR84_MINGW_OBJDUMP x86_64-w64-mingw32-objdump)
set(KTR84_WINDOWS_RUN_DEFINITIONS
    KTR84_WINDOWS_BUILD="${KTR84_WINDOWS_BUILD}"
    KTR84_WINE_RUN="${CMAKE_SOURCE_DIR}/cmake/wine-run.sh")
