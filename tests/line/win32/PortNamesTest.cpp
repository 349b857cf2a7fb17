// How the Windows line names its ports, and what it tells of a slow adapter.
#include <gtest/gtest.h>

#include "line/SComDoc.h"
#include "line/win32/OpeningReport.h"
#include "line/win32/SlowAdapter.h"

TEST(WindowsPorts, PortNamesOpenAsDevices) {
    const char kEntry[] = "COM7 \xE2\x80\x94 USB Serial Port (FTDI, A10K3J2Q)";
    EXPECT_EQ(CSComDoc::DevicePath("COM1"), "\\\\.\\COM1");
    EXPECT_EQ(CSComDoc::DevicePath("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(CSComDoc::DevicePath(kEntry), "\\\\.\\COM7");
    EXPECT_EQ(CSComDoc::DevicePath("\\\\.\\COM12"), "\\\\.\\COM12");
    EXPECT_EQ(ComNameOfPort(kEntry), "COM7");
    EXPECT_EQ(ComNameOfPort("\\\\.\\COM12"), "COM12");
    EXPECT_EQ(ComNameOfPort("COM3"), "COM3");
}

TEST(WindowsPorts, SlowLatencyTimerIsReportedWithItsFix) {
    const std::string strText = SlowAdapterNotice("COM7", 16);
    EXPECT_NE(strText.find("The USB adapter on COM7 holds received bytes for 16 ms"),
              std::string::npos)
        << strText;
    EXPECT_NE(strText.find("the upload will be slower"), std::string::npos);
    EXPECT_NE(strText.find("Device Manager \xE2\x86\x92 Ports (COM & LPT) \xE2\x86\x92 COM7 "
                           "\xE2\x86\x92 Port Settings \xE2\x86\x92 Advanced \xE2\x86\x92 "
                           "Latency Timer"),
              std::string::npos);
    EXPECT_EQ(strText.find('\n'), std::string::npos); // one line
    EXPECT_NE(SlowAdapterNotice("COM3", 3).find("for 3 ms"), std::string::npos);
    for (int nMs : {2, 1, 0, -1})
        EXPECT_EQ(SlowAdapterNotice("COM7", nMs), "") << nMs;
}
