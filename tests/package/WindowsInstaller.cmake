# The Windows installer and zip the build makes (cmake/WindowsInstall.cmake),
# installed and uninstalled under Wine in a prefix of the test's own. The
# window program is expected once this build makes it.
if(NOT KTR84_WINDOWS_SETUP)
    message(STATUS "no Windows installer (makensis not found): its test is not run")
    return()
endif()
add_test(NAME package.windows_installer_build
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ktr84-windows-package)
set_tests_properties(package.windows_installer_build PROPERTIES
    LABELS windows FIXTURES_SETUP ktr84_windows_setup)
add_test(NAME package.windows_installer
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/win32/installer_test.sh
        ${KTR84_WINDOWS_SETUP} ${KTR84_WINDOWS_ZIP} ${PROJECT_VERSION}
        ${CMAKE_CURRENT_BINARY_DIR}/installer-test $<TARGET_EXISTS:ktr84-upgrader>)
# A fresh prefix takes its half minute.
set_tests_properties(package.windows_installer PROPERTIES
    LABELS windows TIMEOUT 300 FIXTURES_REQUIRED ktr84_windows_setup)
