# The tests of the Windows edition, cross-built from the same sources and run
# under Wine through CTest (the toolchain's emulator, cmake/wine-run.sh, in the
# build's private prefix wineprefix/). GoogleTest is built from Debian's
# sources with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)
include(GoogleTest)

# One program per subsystem, as on Linux; tests are listed when CTest runs.
# LAUNCHER: what runs the program instead of the plain emulator.
function(ktr84_windows_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LAUNCHER")
    add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${target} PRIVATE ktr84testing GTest::gtest_main)
    if(arg_LAUNCHER)
        set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${arg_LAUNCHER}")
    endif()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES TIMEOUT 300 LABELS windows)
endfunction()

# Tests on a serial line run under ktr84-farend, which plays its far end from
# Linux on pseudo-terminals linked into the prefix as COM ports.
set(far_end ${CMAKE_CROSSCOMPILING_EMULATOR} --far-end ${KTR84_HOST_TOOLS}/ktr84-farend)

ktr84_windows_tests(console_tests
    console/LineCommandsTest.cpp console/PromptMatcherTest.cpp console/ReceiverTest.cpp
    console/RxSearchTest.cpp console/win32/LineReasonsTest.cpp
    LAUNCHER ${far_end})
ktr84_windows_tests(dialog_tests
    dialog/LaunchTest.cpp dialog/ModuleSelectionTest.cpp dialog/StartupTest.cpp)
ktr84_windows_tests(record_tests
    record/ImageThinningTest.cpp record/OutcomeTest.cpp record/RecordPiecesTest.cpp
    record/win32/RecordFolderTest.cpp)

# The console program's parts; its JSON is read back with Debian's header-only
# parser, whose folder is copied out of /usr/include so that MinGW sees it alone.
file(COPY /usr/include/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/json-include)
ktr84_windows_tests(cli_tests
    cli/CliOptionsTest.cpp cli/JsonTest.cpp cli/ProgressTest.cpp cli/SummaryTest.cpp
    cli/TerminalWindowTest.cpp)
target_link_libraries(cli_tests PRIVATE ktr84cli)
target_include_directories(cli_tests SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/json-include)

# The images and the version through the Windows resources; the test reads
# the built image files through Wine's drive Z:, which is /.
ktr84_windows_tests(firmware_tests
    firmware/ImageFacts.cpp firmware/ImageFiguresTest.cpp firmware/LoadImageTest.cpp
    firmware/win32/VersionResourceTest.cpp)
target_link_libraries(firmware_tests PRIVATE ktr84srec version)
target_compile_definitions(firmware_tests PRIVATE
    KTR84_IMAGE_DIR="Z:${KTR84_IMAGE_DIR}"
    KTR84_PROJECT_VERSION="${PROJECT_VERSION}"
    $<$<NOT:$<BOOL:${KTR84_FIRMWARE_DIR}>>:KTR84_STANDIN_IMAGES>)

# The Win32 line: the Linux line tests' own sources, and the Windows back end's own.
ktr84_windows_tests(line_tests
    line/DataTest.cpp line/LifecycleTest.cpp line/TraceTest.cpp
    line/win32/DcbSettingsTest.cpp line/win32/PortNamesTest.cpp
    LAUNCHER ${far_end})

# Both runs' steps on the scripted window, against the test-played module.
ktr84_windows_tests(legacy_tests
    legacy/LegacyLoginTest.cpp legacy/LegacyBootTest.cpp legacy/LegacyLoopTest.cpp
    legacy/LegacyStreamTest.cpp
    LAUNCHER ${far_end})
ktr84_windows_tests(ip_tests
    ip/IpLoginTest.cpp ip/FlashImageStepTest.cpp ip/IpLoopTest.cpp
    LAUNCHER ${far_end})
include(${CMAKE_CURRENT_SOURCE_DIR}/package/WindowsInstaller.cmake)
include(${CMAKE_CURRENT_SOURCE_DIR}/win32/WindowTests.cmake)
