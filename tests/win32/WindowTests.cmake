# The Win32 window under Wine on an X server of its own, driven through
# window messages against ktr84-modsim (built natively with the build-time
# programs): whole runs and a close during an upload, one test a case, one
# at a time (they share the window tests' prefix). The IP run writes the
# screenshots; the Transceiver run's commands must be those the Qt window's
# run sends (tests/win32/transceiver-run.commands, checked there too).
ktr84_window_program(ktr84-upgrader-testing ${CMAKE_CURRENT_LIST_DIR}/UpgraderTestingMain.cpp)
target_link_libraries(ktr84-upgrader-testing PRIVATE ktr84testing)

add_executable(window_tests
    ${CMAKE_CURRENT_LIST_DIR}/WindowDriver.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowRunTest.cpp)
target_link_libraries(window_tests PRIVATE ktr84win32 GTest::gtest_main)
target_compile_definitions(window_tests PRIVATE
    KTR84_WINDOW_PROGRAM="Z:$<TARGET_FILE:ktr84-upgrader-testing>")
add_dependencies(window_tests ktr84-upgrader-testing)

set(window_out ${CMAKE_CURRENT_BINARY_DIR}/win32)
set(window_run ${CMAKE_CURRENT_LIST_DIR}/window-run.sh --modsim ${KTR84_HOST_TOOLS}/ktr84-modsim
    --shots ${window_out})
# name, test, then the simulator's options; the legacy line paced like a
# UART with a USB adapter's bursts, the IP line in random fragments (paced,
# its 5.7 MB image would take minutes).
function(ktr84_window_test name filter)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "EXPECT" "")
    set(expect "")
    if(arg_EXPECT)
        set(expect --expect ${arg_EXPECT})
    endif()
    add_test(NAME window.${name}
        COMMAND ${window_run} --transcript ${window_out}/${name}.transcript ${expect}
            -- $<TARGET_FILE:window_tests> --gtest_filter=WindowRun.${filter}
            -- ${arg_UNPARSED_ARGUMENTS})
    set_tests_properties(window.${name} PROPERTIES
        LABELS windows RESOURCE_LOCK ktr84_window_prefix TIMEOUT 1800)
endfunction()
# The window's pauses are the field's (the reboot is met with CRs 4 s on), so
# the module reboots and counts down as a real one does.
set(quick_ip --module ip --no-pace --fragments --erase-seconds 0.01 --program-rate 20000000)
ktr84_window_test(TransceiverRun TransceiverRunEndsComplete
    --module transceiver --usb-latency 16 --flash-write-seconds 0.2 --restart-window 5
    EXPECT ${CMAKE_CURRENT_LIST_DIR}/transceiver-run.commands)
ktr84_window_test(IpRun IpRunEndsComplete ${quick_ip})
ktr84_window_test(CloseMidUpload ClosedMidUploadAsksThenLeavesTheModuleBooting ${quick_ip})
