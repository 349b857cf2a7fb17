#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "line/LineHandle.h"
#include "line/LineObserver.h"
#include "line/LinePort.h"

struct DeviceRoots;

// Why the last Connect failed. The line reports; the dialog shows.
enum class LineRefusal {
    None,
    DeviceNotOpened,  // missing, busy, no permission: LastOpenError() says which
    SettingsRefused,  // the driver refused the line configuration
    WatcherNotStarted // no thread for the watcher
};

// Where the line traces every string it writes (three pieces each): the
// developers' diagnostics. Nothing is traced without one.
using LineTrace = std::function<void(std::string_view)>;

// The one serial line to a module: settings, exclusive open of a raw 8-bit
// line, bounded writes, non-blocking reads, and a watcher thread that lives
// exactly as long as the port is open. The device itself is driven by the
// platform's back end (CLinePort).
class CSComDoc {
public:
    CSComDoc();
    ~CSComDoc();
    CSComDoc(const CSComDoc&) = delete;
    CSComDoc& operator=(const CSComDoc&) = delete;

    void SetTrace(LineTrace trace) { m_trace = std::move(trace); }
    // Where the line reports what it does (none by default); not owned.
    void SetObserver(CLineObserver* pObserver) { m_pObserver = pObserver; }

    bool CreatePortEvents();
    bool Connect();
    void Disconnect();
    int WriteCommByte(uint8_t byte);
    // bMaskTrace: the string is a password; the trace shows it masked.
    int WriteCommString(const char* psz, bool bMaskTrace = false);
    int ReadCommData(uint8_t* pBuffer, int32_t nCapacity);

    // What a wait for input on the open line waits on; kNoLineHandle when the
    // line is closed or went away, so that such a wait takes its full time.
    LineHandle PollHandle() const;

    // Device path for a port name. On Linux "COM1".."COM4" are
    // /dev/ttyS0..3, a name holding '/' is used as it stands, any other name
    // lives in /dev; a tty with a link in /dev/serial/by-id opens through that
    // link, and the roots are those of the environment
    // (DeviceRootsFromEnvironment) unless given. On Windows "COMn" is
    // \\.\COMn. Either way a port list entry "ttyUSB0 — <adapter>" or
    // "COM7 — <adapter>" is the port before the dash; on Linux "Simulated
    // Transceiver (4711)" is the simulator's announced link.
    static std::string DevicePath(const std::string& strPort);
    static std::string DevicePath(const std::string& strPort, const DeviceRoots& roots); // Linux

    LineRefusal LastRefusal() const { return m_lastRefusal; }
    // Why the last Connect failed to open the device (errno on Linux,
    // GetLastError() on Windows), 0 if it did not.
    int LastOpenError() const { return m_nLastOpenError; }

    // The line went away: the open line hung up or failed on a read or a write
    // (a USB adapter pulled, the far end closed), or a Connect found the device
    // gone. The error that showed it; 0 while the line is there. From then on
    // reads return 0 and writes send nothing and return 0. Cleared by Disconnect
    // and by a Connect that opens the line.
    int LineLostError() const { return m_nLineLost; }
    bool LineLost() const { return m_nLineLost != 0; }

    std::atomic<int32_t> m_bConnected{0};
    int32_t m_nBaud = 9600;
    int32_t m_nDataBits = 8;
    int32_t m_bDtrDsr = 0;
    int32_t m_nParity = 0;
    std::string m_strPort = "COM1";
    int32_t m_bRtsCts = 0;
    int32_t m_nStopBits = 0;
    int32_t m_bXonXoff = 0;

private:
    bool Refuse(LineRefusal refusal);
    LineSettings Settings() const;
    void Close();
    void Trace(std::string_view text, bool bMask);

    LineTrace m_trace;
    CLineObserver* m_pObserver = nullptr;
    LineRefusal m_lastRefusal = LineRefusal::None;
    int m_nLastOpenError = 0;
    int m_nLineLost = 0;
    CLinePort m_port;          // the device, the platform's way
    std::thread m_watchThread; // waits for port events while open
};
