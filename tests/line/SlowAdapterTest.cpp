// When the operator hears that the adapter will slow the upload.
#include <gtest/gtest.h>

#include "line/posix/SlowAdapter.h"

namespace {
AdapterInfo Usb(int nLatencyMs) {
    AdapterInfo info;
    info.bUsb = true;
    info.strMaker = "FTDI";
    info.strDriver = "ftdi_sio";
    info.nLatencyMs = nLatencyMs;
    return info;
}

TEST(SlowAdapter, LatencyTimerAboveTwoMsIsSlow) {
    const std::string strText = SlowAdapterNotice("ttyUSB0", Usb(16), LowLatency::Granted);
    EXPECT_NE(strText.find("holds received bytes for 16 ms"), std::string::npos) << strText;
    EXPECT_NE(strText.find("the upload will be slower"), std::string::npos);
    EXPECT_NE(strText.find("echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer"),
              std::string::npos);
    EXPECT_NE(strText.find("60-ktr84-serial-latency.rules"), std::string::npos);
    EXPECT_EQ(strText.find('\n'), std::string::npos); // one line

    EXPECT_NE(SlowAdapterNotice("ttyUSB3", Usb(3), LowLatency::Refused).find("for 3 ms"),
              std::string::npos);
}

TEST(SlowAdapter, FastTimerIsNotSlowWhateverTheRequestDid) {
    for (LowLatency latency :
         {LowLatency::Granted, LowLatency::Refused, LowLatency::NotApplicable}) {
        EXPECT_EQ(SlowAdapterNotice("ttyUSB0", Usb(1), latency), "");
        EXPECT_EQ(SlowAdapterNotice("ttyUSB0", Usb(2), latency), "");
        EXPECT_EQ(SlowAdapterNotice("ttyUSB0", Usb(0), latency), "");
    }
}

TEST(SlowAdapter, RefusalCountsWhereThereIsNoTimerToRead) {
    const std::string strText = SlowAdapterNotice("ttyACM0", Usb(-1), LowLatency::Refused);
    EXPECT_NE(strText.find("ttyACM0 refused low latency"), std::string::npos) << strText;
    EXPECT_NE(strText.find("the upload will be slower"), std::string::npos);
    EXPECT_NE(strText.find("60-ktr84-serial-latency.rules"), std::string::npos);
    EXPECT_EQ(SlowAdapterNotice("ttyACM0", Usb(-1), LowLatency::Granted), "");
    EXPECT_EQ(SlowAdapterNotice("ttyACM0", Usb(-1), LowLatency::NotApplicable), "");
}

TEST(SlowAdapter, NoNoticeWithoutAUsbAdapter) {
    AdapterInfo none;
    none.nLatencyMs = 16; // never read without a USB device; a notice would be wrong anyway
    EXPECT_EQ(SlowAdapterNotice("ttyS0", none, LowLatency::Refused), "");
    EXPECT_EQ(SlowAdapterNotice("7", AdapterInfo{}, LowLatency::NotApplicable), "");
}
} // namespace
