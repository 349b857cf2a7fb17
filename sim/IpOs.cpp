#include "sim/IpModule.h"

namespace {
constexpr const char* kLoginPrompt = "ktr84-ipc login: ";
}

CIpModule::CIpModule(CSimTerminal& term, const SimOptions& options, CSimEvidence& evidence,
                     CSimMemory& memory)
    : m_term(term), m_options(options), m_evidence(evidence), m_memory(memory) {
    m_env = {{"baudrate", "9600"},
             {"bootcmd", "bootm 40040000"},
             {"bootdelay", std::to_string(options.nBootDelaySeconds)},
             {"ethaddr", "00:0a:35:00:84:01"},
             {"ipaddr", "192.168.84.2"},
             {"stdin", "serial"},
             {"stdout", "serial"},
             {"stderr", "serial"}};
    if (!options.bNoLoadsEcho)
        m_env.emplace("loads_echo", std::string(1, '1'));
}

void CIpModule::Run() {
    Place place = Place::LoginIdle;
    switch (m_options.ipStart) {
    case SimIpStart::Login:
        place = Place::LoginIdle;
        break;
    case SimIpStart::Password:
        place = Place::PasswordIdle;
        break;
    case SimIpStart::Shell:
        place = Place::ShellIdle;
        break;
    case SimIpStart::Monitor:
        place = Place::MonitorIdle;
        break;
    }
    for (;;) {
        switch (place) {
        case Place::LoginIdle:
            place = RunLogin(false);
            break;
        case Place::Login:
            place = RunLogin(true);
            break;
        case Place::PasswordIdle:
            place = RunPassword("root", false);
            break;
        case Place::ShellIdle:
            place = RunShell(false);
            break;
        case Place::Shell:
            place = RunShell(true);
            break;
        case Place::Monitor:
            place = StartMonitor();
            break;
        case Place::MonitorIdle:
            place = RunMonitor(false);
            break;
        case Place::Kernel:
            place = BootKernel();
            break;
        }
    }
}

CIpModule::Place CIpModule::RunLogin(bool bPrompt) {
    m_term.Step("login");
    if (bPrompt) {
        m_term.Print(std::string("\r\n") + kLoginPrompt);
    }
    for (;;) {
        std::string strUser = *m_term.ReadLine({.bEndOnLf = true});
        m_term.Record(strUser, "login");
        if (!strUser.empty()) {
            return RunPassword(strUser, true);
        }
        m_term.Print(kLoginPrompt); // the empty line's echo ended the line already
    }
}

// A wrong password is answered after a pause with "Login incorrect", and the
// next log-in prompt follows after another pause, as a separate piece of text.
CIpModule::Place CIpModule::RunPassword(const std::string& strUser, bool bPrompt) {
    m_term.Step("password");
    if (bPrompt) {
        m_term.Print("Password: ");
    }
    std::string strPassword = *m_term.ReadLine({.bEcho = false, .bEndOnLf = true});
    m_term.Record(strPassword, "Password");
    if (strUser == "root" && strPassword == m_options.strIpPassword) {
        return Place::Shell;
    }
    m_term.Pause(m_options.dLoginFailDelaySeconds);
    m_term.Print("Login incorrect\r\n");
    m_term.Drain();
    m_term.Pause(m_options.dLoginFailDelaySeconds);
    return Place::Login;
}

CIpModule::Place CIpModule::RunShell(bool bPrompt) {
    m_term.Step("shell");
    if (bPrompt) {
        m_term.Print("# ");
    }
    for (;;) {
        std::string strLine = *m_term.ReadLine({.bEndOnLf = true});
        m_term.Record(strLine);
        std::string strCommand = strLine.substr(0, strLine.find(' '));
        if (strCommand == "reboot") {
            return Reboot();
        }
        if (strCommand == "exit" || strCommand == "logout") {
            return Place::Login;
        }
        if (!strCommand.empty()) {
            m_term.Print("-sh: " + strCommand + ": not found\r\n");
        }
        m_term.Print("# ");
    }
}

// Input typed while the system goes down is lost.
CIpModule::Place CIpModule::Reboot() {
    m_term.Step("reboot");
    m_term.Print("\r\nThe system is going down NOW!\r\n"
                 "Sent SIGTERM to all processes\r\n");
    m_term.Pause(m_options.dRebootSeconds / 3);
    m_term.Print("Sent SIGKILL to all processes\r\n"
                 "Requesting system reboot\r\n");
    m_term.Pause(m_options.dRebootSeconds * 2 / 3);
    m_term.Print("Restarting system.\r\n");
    m_term.Drain();
    m_term.FlushInput();
    return Place::Monitor;
}

CIpModule::Place CIpModule::BootKernel() {
    m_term.Step("kernel");
    m_term.Print("Uncompressing Linux... done, booting the kernel.\r\n"
                 "Linux version 2.6.33-ktr84 (build@ktr84) (gcc version 4.3.3)\r\n"
                 "CPU: ARM926EJ-S [41069265] revision 5 (ARMv5TEJ), cr=00053177\r\n"
                 "Memory: 64MB = 64MB total\r\n");
    m_term.Pause(m_options.dKernelBootSeconds / 2);
    m_term.Print("VFS: Mounted root (jffs2 filesystem) on device 31:2.\r\n"
                 "Starting network...\r\n");
    m_term.Pause(m_options.dKernelBootSeconds / 2);
    m_term.FlushInput(); // the log-in program starts with an empty input queue
    m_evidence.SetBooted();
    return Place::Login;
}
