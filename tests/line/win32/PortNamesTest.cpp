// How the Windows line names its ports.
#include <gtest/gtest.h>

#include "line/SComDoc.h"
#include "line/win32/OpeningReport.h"

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
