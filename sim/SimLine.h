#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <thread>

// Thrown inside the module's own thread when the simulator stops; it never
// leaves the simulator.
struct CSimStopped {};

// How the module's end of the cable behaves.
struct SimLineSettings {
    bool bPaceUart = false;
    int nUsbLatencyMs = 0;
    bool bRandomFragments = false;
    bool bLineNoise = false;
    int nNoiseIntervalMs = 700;
    int nDisappearAfterMs = 0;
    unsigned nSeed = 1;
};

// The module's side of the serial cable: a pseudo-terminal whose master the
// simulator owns. An I/O thread moves bytes between the pty and two queues,
// at the pace of a UART when asked, and garbles every byte that crosses the
// line while the tool's rate differs from the module's own.
class CSimLine {
public:
    explicit CSimLine(const SimLineSettings& settings);
    ~CSimLine();
    CSimLine(const CSimLine&) = delete;
    CSimLine& operator=(const CSimLine&) = delete;

    bool Open();        // creates the pty and starts the I/O thread
    void RequestStop(); // blocking calls of the module's thread throw from now on
    void Close();       // stops the I/O thread and removes the line
    std::string DevicePath() const { return m_strDevicePath; }

    // Used by the module's thread. Every blocking call throws CSimStopped
    // once Close() has begun.
    int ReadByte(int nTimeoutMs); // -1 on time-out
    void Write(const std::string& strText);
    void Drain(); // returns when everything written has left the module
    void Sleep(int nMs);
    void FlushInput();
    size_t PendingInput(); // received by the module, not yet read by it
    void SetModuleBaud(int32_t nBaud);
    // The module's UART takes a new rate: what it received until now is
    // dropped (it was framed at the old rate). Returns how many bytes that was.
    size_t SwitchModuleBaud(int32_t nBaud);
    int32_t ModuleBaud() const { return m_nModuleBaud; }
    void SetSilent() { m_bSilent = true; }
    bool Gone() const { return m_bGone; }
    int64_t ElapsedMs() const;

    // The rate the tool has set on its end, 0 when its framing is not 8 data
    // bits without parity.
    int32_t ToolBaud() const;

private:
    using Clock = std::chrono::steady_clock;

    void IoLoop();
    void ReceiveFromTool(Clock::time_point now);
    void TransmitToTool(Clock::time_point now);
    void DeliverBursts(Clock::time_point now);
    void WritePending(Clock::time_point now);
    void MakeNoise(Clock::time_point now);
    void CheckDisappearance(Clock::time_point now);
    void Vanish();
    int PollTimeoutMs(Clock::time_point now) const;
    bool LineMatches() const;
    uint8_t Garble(uint8_t c) const;
    double BytesPerSecond() const;
    double RxThreshold() const;
    void Wake();

    SimLineSettings m_settings;
    int m_nMasterFd = -1;
    int m_nSlaveFd = -1;
    int m_aWakePipe[2] = {-1, -1};
    std::string m_strDevicePath;
    std::thread m_ioThread;
    Clock::time_point m_tStart;

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<uint8_t> m_rxQueue; // received by the module, not yet read by it
    std::deque<uint8_t> m_txQueue; // written by the module, not yet on the wire
    std::string m_strUsbHold;      // on the wire, held by the USB adapter
    std::string m_strPending;      // to be written into the pty
    std::atomic<int32_t> m_nModuleBaud{9600};
    std::atomic<bool> m_bStopping{false};
    std::atomic<bool> m_bSilent{false};
    std::atomic<bool> m_bGone{false};

    // I/O thread only.
    double m_dRxCredit = 0;
    double m_dTxCredit = 0;
    Clock::time_point m_tLastCredit;
    Clock::time_point m_tNextBurst;
    Clock::time_point m_tNextFragment;
    Clock::time_point m_tNextNoise;
    Clock::time_point m_tFirstByte;
    bool m_bGotFirstByte = false;
    bool m_bCorruptNextRx = false;
    std::mt19937 m_rng;
};
