// The device-control block the line asks the Windows driver for.
#include <gtest/gtest.h>

#include "line/win32/DcbSettings.h"

namespace {
// A block as a driver may report it: everything the line does not set is
// odd, so that what it changes and what it keeps both show.
DCB DriverBlock() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = 1200;
    dcb.ByteSize = 7;
    dcb.Parity = SPACEPARITY;
    dcb.StopBits = TWOSTOPBITS;
    dcb.fDsrSensitivity = 1;
    dcb.fTXContinueOnXoff = 1;
    dcb.fErrorChar = 1;
    dcb.fNull = 1;
    dcb.fAbortOnError = 1;
    dcb.ErrorChar = '?';
    dcb.EofChar = 26;
    dcb.EvtChar = 7;
    dcb.XonChar = 1;
    dcb.XoffChar = 2;
    return dcb;
}
} // namespace

TEST(DcbSettings, DefaultsGiveEightNoneOneWithoutFlowControlAndDtrRtsOn) {
    DCB dcb = DriverBlock();
    LineSettings settings;
    settings.nBaud = 115200;
    ApplyDcbSettings(dcb, settings);
    EXPECT_EQ(dcb.DCBlength, 28u);
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.fBinary, 1u);
    EXPECT_EQ(dcb.fParity, 1u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 0u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);
    EXPECT_EQ(dcb.XonLim, 100);
    EXPECT_EQ(dcb.XoffLim, 100);
    // A line error must not stop the line until cleared.
    EXPECT_EQ(dcb.fAbortOnError, 0u);
    // Left as the driver had them.
    EXPECT_EQ(dcb.fDsrSensitivity, 1u);
    EXPECT_EQ(dcb.fTXContinueOnXoff, 1u);
    EXPECT_EQ(dcb.fErrorChar, 1u);
    EXPECT_EQ(dcb.fNull, 1u);
    EXPECT_EQ(dcb.ErrorChar, '?');
    EXPECT_EQ(dcb.EofChar, 26);
    EXPECT_EQ(dcb.EvtChar, 7);
}

// The selectors count even parity 1 and odd 2, the reverse of the system's
// codes; selectors outside the table keep what the driver had.
TEST(DcbSettings, ParityStopBitsHandshakesAndCharacterSize) {
    struct Case {
        int32_t nSelector;
        BYTE parity;
        BYTE stopBits;
    };
    const Case cases[] = {{0, NOPARITY, ONESTOPBIT},     {1, EVENPARITY, ONE5STOPBITS},
                          {2, ODDPARITY, TWOSTOPBITS},   {3, MARKPARITY, TWOSTOPBITS},
                          {4, SPACEPARITY, TWOSTOPBITS}, {5, SPACEPARITY, TWOSTOPBITS},
                          {-1, SPACEPARITY, TWOSTOPBITS}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nSelector);
        DCB dcb = DriverBlock();
        LineSettings settings;
        settings.nParity = c.nSelector;
        settings.nStopBits = c.nSelector;
        ApplyDcbSettings(dcb, settings);
        EXPECT_EQ(dcb.Parity, c.parity);
        EXPECT_EQ(dcb.StopBits, c.stopBits);
    }

    DCB dcb = DriverBlock();
    LineSettings settings;
    settings.nDataBits = 0x107; // only the low byte counts
    settings.bRtsCts = 1;
    settings.bDtrDsr = 3;
    settings.bXonXoff = 1;
    ApplyDcbSettings(dcb, settings);
    EXPECT_EQ(dcb.ByteSize, 7);
    EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 1u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_HANDSHAKE));
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_HANDSHAKE));
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 1u);
}
