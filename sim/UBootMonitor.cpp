#include "sim/IpModule.h"

#include <cctype>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

uint32_t ParseHex(const std::string& strText) {
    size_t i = 0;
    if (strText.size() > 1 && strText[0] == '0' && (strText[1] == 'x' || strText[1] == 'X')) {
        i = 2;
    }
    uint32_t nValue = 0;
    for (; i < strText.size() && std::isxdigit(static_cast<unsigned char>(strText[i])); ++i) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(strText[i])));
        nValue = nValue * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return nValue;
}

void CIpModule::Puts(const std::string& strText) {
    std::string strOut;
    for (char c : strText) {
        if (c == '\n') {
            strOut += '\r';
        }
        strOut += c;
    }
    m_term.Print(strOut);
}

std::string CIpModule::Env(const std::string& strName) const {
    auto it = m_env.find(strName);
    return it == m_env.end() ? std::string() : it->second;
}

// Power-on of the monitor: banner, then the autoboot countdown; a key stops
// it (and is used up), otherwise the operating system boots.
CIpModule::Place CIpModule::StartMonitor() {
    m_term.Step("autoboot");
    Puts("\n\nU-Boot 2010.06 (Jun 21 2011 - 14:02:11)\n\n"
         "CPU:   ARM926EJ-S rev 5\n"
         "DRAM:  64 MiB\n"
         "Flash:  4 MiB\n"
         "In:    serial\n"
         "Out:   serial\n"
         "Err:   serial\n"
         "Net:   macb0\n");
    if (Autoboot()) {
        CommandResult result = RunCommandLine(Env("bootcmd"));
        if (result.next != Place::MonitorIdle) {
            return result.next;
        }
        return RunMonitor(true);
    }
    m_term.Step("monitor");
    return RunMonitor(true);
}

bool CIpModule::Autoboot() {
    int nDelay = m_options.nBootDelaySeconds;
    char buf[48];
    std::snprintf(buf, sizeof buf, "Hit any key to stop autoboot: %2d ", nDelay);
    Puts(buf);
    bool bAbort = false;
    while (nDelay > 0 && !bAbort) {
        --nDelay;
        if (m_term.Get(1000) >= 0) {
            bAbort = true;
            nDelay = 0;
        }
        std::snprintf(buf, sizeof buf, "\b\b\b%2d ", nDelay);
        Puts(buf);
    }
    Puts("\n");
    return !bAbort;
}

CIpModule::Place CIpModule::RunMonitor(bool bPrompt) {
    if (bPrompt) {
        Puts("=> ");
    }
    std::string strLast; // the last repeatable command line
    for (;;) {
        std::string strLine = *m_term.ReadLine({.bEndOnLf = true});
        m_term.Record(strLine);
        if (strLine.empty() && strLast.empty()) {
            Puts("=> ");
            continue;
        }
        const std::string strRun = strLine.empty() ? strLast : strLine;
        CommandResult result = RunCommandLine(strRun);
        strLast = result.bOk && result.bRepeatable ? strRun : std::string();
        if (result.next != Place::MonitorIdle) {
            return result.next;
        }
        Puts("=> ");
    }
}

// The older monitor's simple parser: commands separated by ';', $(name) and
// ${name} replaced by the variable, words split at blanks, 'quotes' kept
// together.
CIpModule::CommandResult CIpModule::RunCommandLine(const std::string& strLine) {
    CommandResult total{true, true, Place::MonitorIdle};
    std::string strPart;
    bool bQuoted = false;
    for (size_t i = 0; i <= strLine.size(); ++i) {
        char c = i < strLine.size() ? strLine[i] : ';';
        if (c == '\'') {
            bQuoted = !bQuoted;
        }
        if (c != ';' || bQuoted) {
            strPart += c;
            continue;
        }
        Args args;
        std::string strWord;
        bool bInWord = false;
        bool bInQuote = false;
        for (char w : Expand(strPart)) {
            if (w == '\'') {
                bInQuote = !bInQuote;
                bInWord = true;
            } else if (IsBlank(w) && !bInQuote) {
                if (bInWord) {
                    args.push_back(strWord);
                }
                strWord.clear();
                bInWord = false;
            } else {
                strWord += w;
                bInWord = true;
            }
        }
        if (bInWord) {
            args.push_back(strWord);
        }
        strPart.clear();
        if (args.empty()) {
            continue;
        }
        CommandResult one = RunCommand(args);
        total.bOk = total.bOk && one.bOk;
        total.bRepeatable = total.bRepeatable && one.bRepeatable;
        if (one.next != Place::MonitorIdle) {
            total.next = one.next;
            return total;
        }
    }
    return total;
}

std::string CIpModule::Expand(const std::string& strText) const {
    std::string strOut;
    bool bQuoted = false;
    for (size_t i = 0; i < strText.size(); ++i) {
        char c = strText[i];
        if (c == '\'') {
            bQuoted = !bQuoted;
        }
        if (!bQuoted && c == '$' && i + 1 < strText.size() &&
            (strText[i + 1] == '(' || strText[i + 1] == '{')) {
            char cClose = strText[i + 1] == '(' ? ')' : '}';
            size_t nEnd = strText.find(cClose, i + 2);
            if (nEnd != std::string::npos) {
                strOut += Env(strText.substr(i + 2, nEnd - i - 2));
                i = nEnd;
                continue;
            }
        }
        strOut += c;
    }
    return strOut;
}

CIpModule::CommandResult CIpModule::RunCommand(const Args& args) {
    struct Entry {
        const char* pszName;
        bool bRepeatable;
        CommandResult (CIpModule::*pHandler)(const Args&);
    };
    static const Entry kCommands[] = {
        {"boot", true, &CIpModule::CmdBoot},
        {"bootd", true, &CIpModule::CmdBoot},
        {"bootm", true, &CIpModule::CmdBoot},
        {"cp", true, &CIpModule::CmdCopy},
        {"echo", true, &CIpModule::CmdEcho},
        {"erase", false, &CIpModule::CmdErase},
        {"help", true, &CIpModule::CmdHelp},
        {"iminfo", true, &CIpModule::CmdImageInfo},
        {"loads", false, &CIpModule::CmdLoads},
        {"printenv", true, &CIpModule::CmdPrintenv},
        {"reset", false, nullptr},
        {"setenv", false, &CIpModule::CmdSetenv},
        {"version", true, nullptr},
    };
    // A name may be shortened as long as it stays unique; ".b" and the like
    // select the data size and are not part of the name.
    std::string strName = args[0].substr(0, args[0].find('.'));
    const Entry* pFound = nullptr;
    int nMatches = 0;
    for (const Entry& entry : kCommands) {
        std::string strEntry = entry.pszName;
        if (strEntry == strName) {
            pFound = &entry;
            nMatches = 1;
            break;
        }
        if (!strName.empty() && strEntry.compare(0, strName.size(), strName) == 0) {
            pFound = &entry;
            ++nMatches;
        }
    }
    if (nMatches != 1) {
        Puts("Unknown command '" + args[0] + "' - try 'help'\n");
        return {false, false, Place::MonitorIdle};
    }
    CommandResult result;
    if (std::string(pFound->pszName) == "reset") {
        Puts("resetting ...\n");
        m_term.Drain();
        m_term.FlushInput();
        result.next = Place::Monitor;
    } else if (std::string(pFound->pszName) == "version") {
        Puts("\nU-Boot 2010.06 (Jun 21 2011 - 14:02:11)\n");
    } else {
        result = (this->*pFound->pHandler)(args);
    }
    result.bRepeatable = pFound->bRepeatable;
    return result;
}
