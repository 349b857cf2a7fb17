#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "line/LineHandle.h"
#include "line/LineObserver.h"
#include "line/LineSettings.h"

// The serial device under the line, the way one platform drives it
// (line/posix: termios, poll, eventfd, sysfs; line/win32: CreateFile, DCB,
// overlapped I/O, WaitCommEvent). CSComDoc builds its contract on these
// operations alone: the order of open and close, the flag the watcher reads,
// the trace, the observer and the lost line are its own.
//
// Error codes are the platform's own (errno, GetLastError()). A "loss" is an
// error that says the device went away (an adapter pulled, the far end
// closed): the code kept as the line's LineLostError(), never 0.
class CLinePort {
public:
    CLinePort();
    ~CLinePort();
    CLinePort(const CLinePort&) = delete;
    CLinePort& operator=(const CLinePort&) = delete;

    // The events the watcher and the waits need, kept from one connection to
    // the next; earlier ones are replaced. True when they exist.
    bool CreateEvents();
    bool HasEvents() const;

    // Opens strDevice for this process alone: 0, or the error code.
    int Open(const std::string& strDevice);
    // False when the driver refuses the settings.
    bool Configure(const LineSettings& settings);
    // After the watcher has started: raises the modem lines and tunes the
    // driver; returns what the line tells about itself.
    LineOpening Prepare(const std::string& strPort, const std::string& strDevice, int32_t nBaud);
    // Gives up a device whose configuration was refused.
    void Release();
    // Ends the connection once the watcher has gone: modem lines down, both
    // directions discarded, the device closed.
    void Close();

    // The watcher's body: runs while bConnected is set. WakeWatcher ends its
    // wait, once the flag is down.
    void Watch(const std::atomic<int32_t>& bConnected);
    void WakeWatcher();

    // Takes at most nCapacity bytes that have already arrived, never waiting
    // for more. nLoss is set when the device went away.
    int32_t Read(uint8_t* pBuffer, int32_t nCapacity, int& nLoss);
    // Hands the bytes over, each with a bounded wait; a byte the line does not
    // take in time is dropped and the rest goes on. 0, or the loss that ended
    // the write.
    int Write(const uint8_t* pBytes, size_t nCount);
    // What a wait for input waits on while open.
    LineHandle InputHandle() const;

    // The loss an open failure stands for (a reopen that finds the adapter
    // gone), 0 when it is none.
    static int LossOfOpenFailure(int nError);

    // What the back end keeps of the open device; its own files define it.
    struct CState;

private:
    std::unique_ptr<CState> m_pState;
};
