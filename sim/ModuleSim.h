#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A simulated KTR-84 module on a pseudo-terminal: the tests' and the
// technicians' stand-in for real hardware. It runs its own thread; the
// upgrader opens DevicePath() as it would open a serial port.
enum class SimModule { Transceiver, Controller, Ip };

// Where an IP-Enabled Controller is when the upgrader first speaks to it.
enum class SimIpStart { Login, Password, Shell, Monitor };

struct SimOptions {
    SimModule module = SimModule::Transceiver;
    SimIpStart ipStart = SimIpStart::Login;
    bool bNoApplicationCode = false; // legacy: the boot loader menu comes up instead of the console
    std::string strConsoleUser = "field"; // legacy console log-in
    std::string strConsolePassword = "8484";
    bool bConsoleLoginRequired = false; // legacy: the console asks for a log-in first
    std::string strIpPassword = "8484"; // IP: the operating system's root password
    bool bPaceUart = true;           // each byte takes ten bit times at the rate in force (a UART)
    int nUsbLatencyMs = 0;           // output delivered in bursts every N ms (0: at once)
    unsigned nSeed = 1;              // for random fragmenting and noise
    bool bRandomFragments = false;   // output in random fragments of 1..64 bytes with small pauses
    double dFlashWriteSeconds = 1.0; // legacy: time the flash write takes after the upload
    double dEraseSecondsPerSector = 1.0;      // IP: NOR erase time per 128 KiB sector
    double dProgramBytesPerSecond = 200000.0; // IP: NOR programming speed
    std::string strTranscriptFile; // when set, every command received is also written here
    int nBaudSwitchDelayMs = 50; // from the end of a rate change's notice to the switch
    // Fault switches.
    std::string strSilentFrom;       // after this step name the module prints nothing more
    bool bRejectBootLogin = false;   // legacy boot loader answers "Incorrect" to every log-in
    bool bMergeFailure = false;      // legacy: "FAILURE" during the merge upload
    bool bFlashWriteFailure = false; // a flash write error (legacy after the upload, IP at cp.b)
    bool bNoLoadsEcho = false;       // IP: loads without echo
    bool bCorruptLoadsByte = false;  // IP: one byte stored wrongly during loads (imi: bad data)
    bool bCorruptHeader = false;     // IP: image header stored wrongly (imi: bad header)
    bool bLineNoise = false;         // random bytes now and then on the line
    int nDisappearAfterMs = 0;       // the line goes away this long after the first byte (0: never)
    // Further behaviour and timing (added with the simulator's implementation).
    bool bConsoleDest = false;  // legacy: the console log-in begins with its "Dest" prompt
    int nMergeFailureLine = 20; // legacy: the record answered with "FAILURE" (bMergeFailure)
    double dRestartWindowSeconds = 1.0;   // legacy: how long a restart listens for the b letters
    double dNoAppLoginDelaySeconds = 3.0; // legacy without application: menu shown before "Login >"
    double dRebootSeconds = 3.0;          // IP: "reboot" until the boot monitor's banner
    int nBootDelaySeconds = 2;            // IP: autoboot countdown
    double dKernelBootSeconds = 2.0;      // IP: kernel start until the "login:" prompt
    double dLoginFailDelaySeconds =
        1.0;                    // IP: pause before "Login incorrect" and again before "login:"
    int nNoiseIntervalMs = 700; // bLineNoise: mean time between noise events
};

struct SimTranscriptEntry {
    int64_t nMs;            // since the simulator started
    int32_t nBaud;          // module rate in force when the command arrived
    std::string strCommand; // one command line or letter as received, CR removed
    std::string strPrompt;  // log-in lines: the prompt they answered ("Login", "Passwd", ...)
};

class CModuleSim {
public:
    explicit CModuleSim(SimOptions options);
    ~CModuleSim(); // stops the module and removes its line
    CModuleSim(const CModuleSim&) = delete;
    CModuleSim& operator=(const CModuleSim&) = delete;

    bool Start();
    void Stop();
    std::string DevicePath() const; // the line the upgrader opens, /dev/pts/N

    // Evidence of what the module received.
    std::vector<SimTranscriptEntry> Transcript() const;
    // Legacy: every S-record line of the merge upload as received, line ends removed.
    std::vector<std::string> MergeLines() const;
    // Legacy: whether the upload was accepted and written to flash.
    bool MergeWritten() const;
    // IP: contents of RAM and NOR flash (flash starts at 0x40000000).
    std::vector<uint8_t> ReadMemory(uint32_t nAddress, uint32_t nLength) const;
    bool Booted() const;        // IP: bootd brought the operating system up again
    int32_t ModuleBaud() const; // the module's own rate now
    // Bytes the module has received and not yet read: a test on a scaled
    // clock lets a slow module catch up before the tool goes on.
    size_t PendingInput() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};
