# Manual pages, compressed as Debian keeps them: gzip -9n, so there is no name
# or time stamp inside and every build makes the same bytes.
include_guard(GLOBAL)

# Compresses res/man/<page> at build time and installs it in section 1.
function(ktr84_add_man_page page)
    set(gz ${CMAKE_BINARY_DIR}/res/man/${page}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res/man
        COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/res/man/${page} > ${gz}
        DEPENDS ${CMAKE_SOURCE_DIR}/res/man/${page}
        COMMENT "Compressing ${page}")
    get_filename_component(name ${page} NAME_WE)
    add_custom_target(ktr84-man-${name} ALL DEPENDS ${gz})
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
