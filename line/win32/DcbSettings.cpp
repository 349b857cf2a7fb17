#include "line/win32/DcbSettings.h"

namespace {
constexpr char kXon = 0x11;  // DC1
constexpr char kXoff = 0x13; // DC3
constexpr WORD kXonXoffLimit = 100;

void ApplyParity(DCB& dcb, int32_t nParity) {
    // The selector counts even parity 1 and odd parity 2, the reverse of the
    // system's own codes.
    switch (nParity) {
    case 0:
        dcb.Parity = NOPARITY;
        break;
    case 1:
        dcb.Parity = EVENPARITY;
        break;
    case 2:
        dcb.Parity = ODDPARITY;
        break;
    case 3:
        dcb.Parity = MARKPARITY;
        break;
    case 4:
        dcb.Parity = SPACEPARITY;
        break;
    default: // keep what the driver had
        break;
    }
}

void ApplyStopBits(DCB& dcb, int32_t nStopBits) {
    switch (nStopBits) {
    case 0:
        dcb.StopBits = ONESTOPBIT;
        break;
    case 1:
        dcb.StopBits = ONE5STOPBITS;
        break;
    case 2:
        dcb.StopBits = TWOSTOPBITS;
        break;
    default: // keep what the driver had
        break;
    }
}
} // namespace

void ApplyDcbSettings(DCB& dcb, const LineSettings& settings) {
    dcb.BaudRate = static_cast<DWORD>(settings.nBaud);
    dcb.ByteSize = static_cast<BYTE>(settings.nDataBits & 0xFF);
    ApplyParity(dcb, settings.nParity);
    ApplyStopBits(dcb, settings.nStopBits);
    dcb.fBinary = 1;
    dcb.fParity = 1; // received parity is checked whatever the mode
    dcb.fOutxCtsFlow = settings.bRtsCts & 1;
    dcb.fOutxDsrFlow = settings.bDtrDsr & 1;
    dcb.fDtrControl = settings.bDtrDsr ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    dcb.fRtsControl = settings.bRtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fOutX = settings.bXonXoff & 1;
    dcb.fInX = dcb.fOutX;
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
    dcb.XonLim = kXonXoffLimit;
    dcb.XoffLim = kXonXoffLimit;
    // A framing or parity error must not stop every read and write until it
    // is cleared: to the line that would look like an adapter pulled.
    dcb.fAbortOnError = 0;
}

bool ConfigurePort(HANDLE hComm, const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(hComm, &dcb); // a refusal shows in SetCommState
    ApplyDcbSettings(dcb, settings);
    return SetCommState(hComm, &dcb) != 0;
}
