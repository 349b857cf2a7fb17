#pragma once

#include "sim/ModuleSim.h"
#include "sim/SimEvidence.h"
#include "sim/SimMemory.h"
#include "sim/SimTerminal.h"

#include <map>
#include <string>
#include <vector>

// The IP-Enabled Controller: its operating system's console (log-in, shell,
// reboot) and its older U-Boot boot monitor with the commands the upgrade
// uses, answered as that monitor answers them.
class CIpModule {
public:
    CIpModule(CSimTerminal& term, const SimOptions& options, CSimEvidence& evidence,
              CSimMemory& memory);
    void Run(); // until the simulator stops

private:
    enum class Place {
        LoginIdle,
        Login,
        PasswordIdle,
        ShellIdle,
        Shell,
        Monitor,
        MonitorIdle,
        Kernel
    };
    using Args = std::vector<std::string>;
    struct CommandResult {
        bool bOk = true;
        bool bRepeatable = false;
        Place next = Place::MonitorIdle; // MonitorIdle: stay at the prompt
    };

    // The operating system (IpOs.cpp).
    Place RunLogin(bool bPrompt);
    Place RunPassword(const std::string& strUser, bool bPrompt);
    Place RunShell(bool bPrompt);
    Place Reboot();
    Place BootKernel();

    // The monitor's loop, parser and environment (UBootMonitor.cpp).
    Place StartMonitor();
    bool Autoboot();
    Place RunMonitor(bool bPrompt);
    CommandResult RunCommandLine(const std::string& strLine);
    CommandResult RunCommand(const Args& args);
    std::string Expand(const std::string& strText) const;
    void Puts(const std::string& strText); // "\n" goes out as "\r\n", as on the serial console
    std::string Env(const std::string& strName) const;

    // Commands (UBootCommands.cpp, UBootLoads.cpp, UImageInfo.cpp).
    CommandResult CmdSetenv(const Args& args);
    bool SwitchBaud(const std::string& strValue);
    CommandResult CmdPrintenv(const Args& args);
    CommandResult CmdEcho(const Args& args);
    CommandResult CmdHelp(const Args& args);
    CommandResult CmdErase(const Args& args);
    CommandResult CmdCopy(const Args& args);
    bool CopyToFlash(uint32_t nSource, uint32_t nTarget, uint32_t nBytes);
    CommandResult CmdBoot(const Args& args);
    CommandResult CmdLoads(const Args& args);
    int ReadRecord(std::string& strRecord, bool bEcho);
    void FinishLoads(uint32_t nFirst, uint32_t nLast, uint32_t nStart);
    void InjectLoadFaults(uint32_t nFirst, uint32_t nSize);
    CommandResult CmdImageInfo(const Args& args);

    CSimTerminal& m_term;
    const SimOptions& m_options;
    CSimEvidence& m_evidence;
    CSimMemory& m_memory;
    std::map<std::string, std::string> m_env;
    uint32_t m_nLoadAddress = 0x10000;
};

// simple_strtoul(text, base 16) as the monitor reads addresses and counts:
// an optional 0x, then hex digits up to the first other character.
uint32_t ParseHex(const std::string& strText);
