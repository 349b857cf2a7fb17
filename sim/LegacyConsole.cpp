#include "sim/LegacyModule.h"

CLegacyModule::CLegacyModule(CSimTerminal& term, const SimOptions& options, CSimEvidence& evidence)
    : m_term(term), m_options(options), m_evidence(evidence),
      m_bAppPresent(!options.bNoApplicationCode) {}

const char* CLegacyModule::KindText() const {
    return IsController() ? "SAT" : "BSR";
}

const char* CLegacyModule::Name() const {
    return IsController() ? "Controller" : "Transceiver";
}

void CLegacyModule::Run() {
    Next next = m_bAppPresent ? Next::ConsoleIdle : Next::BootLoginIdle;
    for (;;) {
        switch (next) {
        case Next::ConsoleIdle:
        case Next::ConsoleBoot:
            next = RunConsole(next == Next::ConsoleBoot);
            break;
        case Next::Restart:
            next = Restart();
            break;
        case Next::BootLoader:
            next = RunBootLoader(true, false);
            break;
        case Next::BootLoginIdle:
            next = RunBootLoader(false, true);
            break;
        case Next::Recovery:
        case Next::RecoveryMenu:
            next = Recovery(next == Next::Recovery);
            break;
        }
    }
}

std::string CLegacyModule::ConsolePrompt() const {
    return std::string(KindText()) + "> ";
}

CLegacyModule::Next CLegacyModule::RunConsole(bool bBoot) {
    m_term.Step("console");
    m_bConsoleLoggedIn = !m_options.bConsoleLoginRequired;
    if (bBoot) {
        m_term.Print(std::string("\r\n\r\nKTR-84 ") + Name() + " application V5.12\r\n");
        if (m_bConsoleLoggedIn) {
            m_term.Print(ConsolePrompt());
        }
    }
    for (;;) {
        if (!m_bConsoleLoggedIn) {
            ConsoleLogIn();
            continue;
        }
        std::string strLine = *m_term.ReadLine({});
        m_term.Record(strLine);
        Next next = ConsoleCommand(strLine);
        if (next != Next::ConsoleIdle) {
            return next;
        }
        if (m_bConsoleLoggedIn) {
            m_term.Print(ConsolePrompt());
        }
    }
}

// A logged-out console answers any line with its log-in prompts; a wrong
// pair gets "Incorrect" and the console waits for the next line.
void CLegacyModule::ConsoleLogIn() {
    m_term.Record(*m_term.ReadLine({}));
    m_term.Step("login");
    if (m_options.bConsoleDest) {
        m_term.Print("Dest: ");
        m_term.Record(*m_term.ReadLine({}), "Dest");
    }
    m_term.Print("Login: ");
    std::string strUser = *m_term.ReadLine({});
    m_term.Record(strUser, "Login");
    m_term.Print("Passwd: ");
    std::string strPassword = *m_term.ReadLine({.bEcho = false});
    m_term.Record(strPassword, "Passwd");
    if (strUser == m_options.strConsoleUser && strPassword == m_options.strConsolePassword) {
        m_bConsoleLoggedIn = true;
        m_term.Print(std::string("\r\nKTR-84 ") + Name() + " console\r\n" + ConsolePrompt());
        return;
    }
    m_term.Print("\r\nIncorrect\r\n");
}

CLegacyModule::Next CLegacyModule::ConsoleCommand(const std::string& strCommand) {
    if (strCommand.empty()) {
        return Next::ConsoleIdle;
    }
    if (strCommand == "reset") {
        m_term.Step("reset");
        m_term.Print("Resetting...\r\n");
        return Next::Restart;
    }
    if (strCommand == "s 0 b" && IsController()) {
        m_term.Step("reset");
        m_term.Print("Shelf 0: restarting into the boot loader\r\n");
        m_term.Drain();
        m_term.PauseMs(300);
        m_term.FlushInput();
        return Next::BootLoader;
    }
    if (strCommand == "help") {
        m_term.Print(IsController() ? "Commands: help ver reset logout s <shelf> b\r\n"
                                    : "Commands: help ver reset logout\r\n");
    } else if (strCommand == "ver") {
        m_term.Print(std::string(Name()) + " application V5.12, boot loader V2.31\r\n");
    } else if (strCommand == "logout") {
        m_bConsoleLoggedIn = !m_options.bConsoleLoginRequired;
    } else {
        m_term.Print("Unknown command: " + strCommand + "\r\n");
    }
    return Next::ConsoleIdle;
}

// A restart listens for the letter b for a short window; one b brings up the
// boot loader (the rest of the letters are let pass before its log-in),
// otherwise the application starts, or, when there is none, the boot loader
// comes up in its recovery menu.
CLegacyModule::Next CLegacyModule::Restart() {
    // A restart brings the line back to the power-on rate, whatever the boot
    // loader's baud menu had chosen.
    m_term.RestartBaud(9600);
    int64_t nEnd =
        m_term.ElapsedMs() + static_cast<int64_t>(m_options.dRestartWindowSeconds * 1000);
    for (int64_t nLeft = nEnd - m_term.ElapsedMs(); nLeft > 0; nLeft = nEnd - m_term.ElapsedMs()) {
        int c = m_term.Get(static_cast<int>(nLeft));
        if (c == 'b') {
            m_term.Record("b");
            return Next::BootLoader;
        }
    }
    m_term.FlushInput();
    return m_bAppPresent ? Next::ConsoleBoot : Next::Recovery;
}
