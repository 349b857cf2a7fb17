# The Debian package of the upgrader: `cpack -G DEB` in a configured build
# tree (scripts/package.sh does it all) writes ktr84-upgrader_<version>_<arch>.deb
# with everything the install rules put under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ktr84-upgrader)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KTR-84 Upgrader developers")
# Who answers for the package: its Maintainer field and the changelog's
# signature. A depot building its own package sets its own.
set(KTR84_PACKAGE_MAINTAINER "KTR-84 Upgrader developers <ktr84-upgrader@example.org>"
    CACHE STRING "The Debian package's maintainer, as: Name <address>")
if(NOT KTR84_PACKAGE_MAINTAINER MATCHES "^[^<>]+ <[^<>@ ]+@[^<>@ ]+\\.[^<>@ ]+>$")
    message(FATAL_ERROR "KTR84_PACKAGE_MAINTAINER '${KTR84_PACKAGE_MAINTAINER}' is not "
        "'Name <address>' with a mail domain")
endif()
set(CPACK_PACKAGE_CONTACT ${KTR84_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Installs new firmware into KTR-84 base station modules over a serial cable")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the first line of the control file's description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The KTR-84 Upgrader holds the console dialogue of a Transceiver, Controller
or IP-Enabled Controller module and delivers the firmware package built into
it. The package also holds ktr84-modsim, a module simulator on a
pseudo-terminal, the manual pages, a udev rule that sets the latency timer
of FTDI USB serial adapters to 1 ms, and an example rule that keeps
ModemManager away from USB serial adapters.")
# The Qt and C++ libraries it needs, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# What Debian wants beside the programs: the copyright, the changelog, and the
# reasons for the package checker's notes that stay. The changelog is written
# at every build from the version and the git history; the script keeps the
# file when nothing in it changed.
find_package(Git QUIET)
set(ktr84_changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_target(ktr84-changelog ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
    COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/debian-changelog.sh ${ktr84_changelog}
        ${CMAKE_SOURCE_DIR} ${CPACK_PACKAGE_NAME} ${PROJECT_VERSION}
        ${KTR84_PACKAGE_MAINTAINER} "${GIT_EXECUTABLE}"
    BYPRODUCTS ${ktr84_changelog}
    COMMENT "Writing the package's changelog"
    VERBATIM)
set(ktr84_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
install(FILES ${CMAKE_SOURCE_DIR}/res/debian/copyright ${ktr84_changelog}
    DESTINATION ${ktr84_doc_dir})
install(FILES ${CMAKE_SOURCE_DIR}/res/debian/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${CPACK_PACKAGE_NAME})

include(CPack)
