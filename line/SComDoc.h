#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "line/LineObserver.h"

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
// line over termios, bounded writes, non-blocking reads, and a watcher thread
// that lives exactly as long as the port is open.
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

    // Descriptor of the open line (-1 when closed), for waits that end on input.
    int PollHandle() const;

    // Device path for a port name: "COM1".."COM4" are /dev/ttyS0..3, a name
    // holding '/' is used as it stands, any other name lives in /dev. A port
    // list entry "ttyUSB0 — <adapter>" is port ttyUSB0, "Simulated Transceiver
    // (4711)" the simulator's announced link. A tty with a link in
    // /dev/serial/by-id opens through that link. The roots are those of the
    // environment (DeviceRootsFromEnvironment) unless given.
    static std::string DevicePath(const std::string& strPort);
    static std::string DevicePath(const std::string& strPort, const DeviceRoots& roots);

    LineRefusal LastRefusal() const { return m_lastRefusal; }
    // Why the last Connect failed to open the device (errno), 0 if it did not.
    int LastOpenError() const { return m_nLastOpenError; }

    // The line went away: the open line hung up or failed on a read or a write
    // (a USB adapter pulled, the far end closed), or a Connect found the device
    // gone. The errno that showed it; 0 while the line is there. From then on
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
    void Close();
    void WatchPort();
    bool ParkUntilResumed();
    bool WriteBytes(const uint8_t* pBytes, size_t nCount);
    void Trace(std::string_view text, bool bMask);
    // Records that the line went away when nErrno says so; true if it did.
    bool NoteLineFailure(int nErrno);

    LineTrace m_trace;
    CLineObserver* m_pObserver = nullptr;
    LineRefusal m_lastRefusal = LineRefusal::None;
    int m_nLastOpenError = 0;
    int m_nLineLost = 0;
    int m_nFd = -1;            // the open line, -1 when closed
    int m_nResumeFd = -1;      // eventfd: wakes the watcher and releases it when parked
    std::thread m_watchThread; // waits for port events while open (Watcher.cpp)
};
