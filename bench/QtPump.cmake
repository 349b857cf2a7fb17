# CPU per pass of the Qt window's pump, repaint and status update.
if(KTR84_BUILD_GUI)
    add_executable(ktr84_qt_pump_bench ${CMAKE_CURRENT_SOURCE_DIR}/QtPumpBench.cpp)
    target_link_libraries(ktr84_qt_pump_bench PRIVATE ktr84qt)
endif()
