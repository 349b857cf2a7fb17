# The legacy run against the module simulator (a program, not a test).
if(TARGET ktr84sim)
    add_executable(legacy_upgrade_bench ${CMAKE_CURRENT_LIST_DIR}/LegacyUpgradeBench.cpp)
    target_link_libraries(legacy_upgrade_bench PRIVATE ktr84testing ktr84sim)
endif()

# The same per-line cost in the Qt window (run under xvfb-run).
if(TARGET ktr84sim AND KTR84_BUILD_GUI)
    add_executable(legacy_upgrade_qt_bench ${CMAKE_CURRENT_LIST_DIR}/LegacyUpgradeQtBench.cpp)
    target_link_libraries(legacy_upgrade_qt_bench PRIVATE ktr84qt ktr84sim)
endif()
