#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

class CWindowLayer;

// Terminal font description kept for the line's console view; nothing reads it.
struct LogFont {
    int32_t lfHeight = -9;
    int32_t lfWeight = 0;
    uint8_t lfPitchAndFamily = 1; // fixed pitch
    std::string lfFaceName = "FixedSys";
};

// The one serial line to a module: settings, exclusive open of a raw 8-bit
// line over termios, bounded writes, non-blocking reads, and a watcher thread
// that lives exactly as long as the port is open.
class CSComDoc {
public:
    CSComDoc();
    ~CSComDoc();
    CSComDoc(const CSComDoc&) = delete;
    CSComDoc& operator=(const CSComDoc&) = delete;

    // The window that shows the line's own message box ("Serial_Comm_Error\n").
    void AttachWindow(CWindowLayer* pWindow) { m_pWindow = pWindow; }

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
    // holding '/' is used as it stands, any other name lives in /dev.
    static std::string DevicePath(const std::string& strPort);

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
    LogFont m_logFont;

private:
    void Close();
    void WatchPort();
    bool ParkUntilResumed();
    bool WriteBytes(const uint8_t* pBytes, size_t nCount);
    // Records that the line went away when nErrno says so; true if it did.
    bool NoteLineFailure(int nErrno);

    CWindowLayer* m_pWindow = nullptr;
    int m_nLastOpenError = 0;
    int m_nLineLost = 0;
    int m_nFd = -1;       // the open line, -1 when closed
    int m_nResumeFd = -1; // eventfd: wakes the watcher and releases it when parked
    std::thread m_watchThread;
    // Running totals of bytes handed to the line and taken from it.
    uint64_t m_nBytesWritten = 0;
    uint64_t m_nBytesRead = 0;
};
