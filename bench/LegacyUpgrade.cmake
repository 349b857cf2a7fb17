# The legacy run against the module simulator (a program, not a test).
if(TARGET ktr84sim)
    add_executable(legacy_upgrade_bench ${CMAKE_CURRENT_LIST_DIR}/LegacyUpgradeBench.cpp)
    target_link_libraries(legacy_upgrade_bench PRIVATE ktr84core ktr84sim)
endif()
