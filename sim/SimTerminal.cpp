#include "sim/SimTerminal.h"

#include <chrono>

CSimTerminal::CSimTerminal(CSimLine& line, CSimTranscript& transcript, const SimOptions& options)
    : m_line(line), m_transcript(transcript), m_options(options) {}

std::optional<std::string> CSimTerminal::ReadLine(const LineInput& input) {
    using Clock = std::chrono::steady_clock;
    auto tEnd = Clock::now() + std::chrono::milliseconds(input.nTimeoutMs);
    std::string strLine;
    for (;;) {
        int nWait = -1;
        if (input.nTimeoutMs >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(tEnd - Clock::now());
            if (left.count() <= 0) {
                return std::nullopt;
            }
            nWait = static_cast<int>(left.count());
        }
        int c = Get(nWait);
        if (c < 0) {
            continue;
        }
        if (c == '\r' || (c == '\n' && input.bEndOnLf)) {
            if (input.bEchoLineEnd) {
                Print("\r\n");
            }
            return strLine;
        }
        if (c == '\n') {
            continue;
        }
        if (c == 0x08 || c == 0x7F) {
            if (!strLine.empty()) {
                strLine.pop_back();
                if (input.bEcho) {
                    Print("\b \b");
                }
            }
            continue;
        }
        if (strLine.size() >= 255) {
            continue;
        }
        strLine += static_cast<char>(c);
        if (input.bEcho) {
            Print(std::string(1, static_cast<char>(c)));
        }
    }
}

void CSimTerminal::Pause(double dSeconds) {
    m_line.Sleep(static_cast<int>(dSeconds * 1000.0 + 0.5));
}

void CSimTerminal::SwitchBaud(int32_t nBaud) {
    m_line.Drain();
    m_line.Sleep(m_options.nBaudSwitchDelayMs);
    const size_t nLost = m_line.SwitchModuleBaud(nBaud);
    std::string strNote = "<switched to ";
    strNote.append(std::to_string(nBaud)).append(" baud");
    if (nLost > 0)
        strNote.append(", lost ")
            .append(std::to_string(nLost))
            .append(nLost == 1 ? " byte" : " bytes");
    Record(strNote.append(">"));
}

void CSimTerminal::WaitForQuiet(int nQuietMs) {
    while (Get(nQuietMs) >= 0) {
    }
}

void CSimTerminal::Step(const char* pszName) {
    if (!m_options.strSilentFrom.empty() && m_options.strSilentFrom == pszName) {
        m_line.SetSilent();
    }
}

void CSimTerminal::Record(const std::string& strCommand, const std::string& strPrompt) {
    m_transcript.Add(m_line.ElapsedMs(), m_line.ModuleBaud(), strCommand, strPrompt);
}
