#pragma once

#include "sim/ModuleSim.h"
#include "sim/SimLine.h"
#include "sim/SimTranscript.h"

#include <optional>
#include <string>

// How a module's firmware reads a typed line.
struct LineInput {
    bool bEcho = true;        // echo what is typed (a password prompt does not)
    bool bEchoLineEnd = true; // answer the carriage return with CR LF
    bool bEndOnLf = false;    // a line feed ends the line too (else it is ignored)
    int nTimeoutMs = -1;      // give up after this long without a complete line
};

// What a module model sees of its line: printing, reading typed lines with
// echo and line editing, timed pauses, named steps for the silence switch,
// and the transcript of received commands.
class CSimTerminal {
public:
    CSimTerminal(CSimLine& line, CSimTranscript& transcript, const SimOptions& options);

    void Print(const std::string& strText) { m_line.Write(strText); }
    int Get(int nTimeoutMs = -1) { return m_line.ReadByte(nTimeoutMs); }
    std::optional<std::string> ReadLine(const LineInput& input);
    void Pause(double dSeconds);
    void PauseMs(int nMs) { m_line.Sleep(nMs); }
    void Drain() { m_line.Drain(); }
    void FlushInput() { m_line.FlushInput(); }
    // Discards input until the line has been quiet for nQuietMs.
    void WaitForQuiet(int nQuietMs);
    // Switches the module's rate once its output so far has left it and the
    // switch delay has passed, as a boot monitor does after its notice; the
    // transcript notes the switch and what arrived before it and was lost.
    void SwitchBaud(int32_t nBaud);
    // A restart: the UART is back at its power-on rate once the output so far
    // has left it; no notice, no note.
    void RestartBaud(int32_t nBaud) {
        m_line.Drain();
        m_line.SwitchModuleBaud(nBaud);
    }
    int32_t Baud() const { return m_line.ModuleBaud(); }
    int64_t ElapsedMs() const { return m_line.ElapsedMs(); }

    // Marks a step of the dialogue; from the step named by the silence
    // switch on, the module prints nothing more.
    void Step(const char* pszName);
    // strPrompt: the log-in prompt the line answered, for the evidence.
    void Record(const std::string& strCommand, const std::string& strPrompt = {});

private:
    CSimLine& m_line;
    CSimTranscript& m_transcript;
    const SimOptions& m_options;
};
