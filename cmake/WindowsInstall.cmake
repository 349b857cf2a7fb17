# What the Windows edition installs, all in one folder (Program Files\KTR-84
# Upgrader, or the portable zip): the programs, the help page beside them
# (where the window program looks for it) and the README. The target
# ktr84-windows-package makes the installer and the zip from the installed tree
# (scripts/package-windows.sh, and the installer's test, build it):
#   build-win/ktr84-upgrader-<version>-setup.exe   build-win/ktr84-upgrader-<version>-windows.zip
if(NOT WIN32)
    return()
endif()
# The window program joins the console program once this build makes it.
set(ktr84_programs ktr84-upgrade)
if(TARGET ktr84-upgrader)
    list(APPEND ktr84_programs ktr84-upgrader)
endif()
install(TARGETS ${ktr84_programs} RUNTIME DESTINATION .)
set(ktr84_documents ${CMAKE_SOURCE_DIR}/res/help.html ${CMAKE_SOURCE_DIR}/README.md)
install(FILES ${ktr84_documents} DESTINATION .)

find_program(KTR84_MAKENSIS makensis)
if(NOT KTR84_MAKENSIS)
    message(STATUS "makensis not found: no Windows installer (scripts/build-windows.sh installs nsis)")
    return()
endif()
set(ktr84_package ktr84-upgrader-${PROJECT_VERSION})
set(KTR84_WINDOWS_SETUP ${CMAKE_BINARY_DIR}/${ktr84_package}-setup.exe)
set(KTR84_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${ktr84_package}-windows.zip)
# The zip unpacks into a folder of its own, named with the version.
set(ktr84_stage_root ${CMAKE_BINARY_DIR}/package-stage)
set(ktr84_stage ${ktr84_stage_root}/${ktr84_package})
set(ktr84_nsi ${CMAKE_SOURCE_DIR}/res/windows/installer.nsi)
# Four numbers, as in the programs' version resource.
set(ktr84_file_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
# Stripped: the debug information stays in the build tree.
add_custom_command(OUTPUT ${KTR84_WINDOWS_SETUP} ${KTR84_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ktr84_stage_root}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${ktr84_stage} --strip
    COMMAND ${KTR84_MAKENSIS} -V2 -WX -DKTR84_VERSION=${PROJECT_VERSION}
        -DKTR84_FILE_VERSION=${ktr84_file_version} -DKTR84_STAGE=${ktr84_stage}
        -DKTR84_OUTFILE=${KTR84_WINDOWS_SETUP} ${ktr84_nsi}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${KTR84_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${ktr84_stage_root}
        ${CMAKE_COMMAND} -E tar cf ${KTR84_WINDOWS_ZIP} --format=zip ${ktr84_package}
    DEPENDS ${ktr84_programs} ${ktr84_documents} ${ktr84_nsi}
    COMMENT "Making the Windows installer and the portable zip"
    VERBATIM)
# Not part of every build: compressing takes a quarter of a minute.
add_custom_target(ktr84-windows-package DEPENDS ${KTR84_WINDOWS_SETUP} ${KTR84_WINDOWS_ZIP})
# For scripts/package-windows.sh, which reports them.
file(WRITE ${CMAKE_BINARY_DIR}/windows-package.txt "${KTR84_WINDOWS_SETUP}\n${KTR84_WINDOWS_ZIP}\n")
