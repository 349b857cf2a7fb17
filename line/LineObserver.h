#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the line tells about itself when it opens.
struct LineOpening {
    std::string strDevice; // the device path opened
    int32_t nBaud = 0;
    // The USB adapter behind the device ("FTDI FT232R USB UART (A10K3J2Q)"), if known.
    std::string strAdapter;
    // One line for the operator when the adapter will be slow; empty when not.
    std::string strSlowAdapter;
};

// Whoever keeps a record of the line: its opening and closing, every string
// written (passwords flagged), every read that brought bytes. Called on the
// thread that uses the line, in the order things happen.
class CLineObserver {
public:
    virtual void OnLineOpened(const LineOpening& opening) = 0;
    virtual void OnLineClosed() = 0;
    virtual void OnLineSent(std::string_view bytes, bool bSecret) = 0;
    virtual void OnLineReceived(std::string_view bytes) = 0;

protected:
    ~CLineObserver() = default;
};
