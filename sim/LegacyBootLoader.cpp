#include "sim/LegacyModule.h"

#include <cctype>

namespace {

constexpr const char* kBootUser = "root";
constexpr const char* kBootPassword = "vexa";

int32_t BaudForLetter(char c) {
    switch (c) {
    case 'b':
        return 9600;
    case 'c':
        return 19200;
    case 'd':
        return 38400;
    case 'f':
        return 115200;
    default:
        return 0;
    }
}

} // namespace

char MenuChoice(const std::string& strLine) {
    for (char c : strLine) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return c;
        }
    }
    return 0;
}

// The boot loader's log-in protects a module that has working software; the
// letters caught during the restart are let pass before its first prompt.
CLegacyModule::Next CLegacyModule::RunBootLoader(bool bBanner, bool bPromptFirst) {
    if (bBanner) {
        m_term.Step("bootloader");
        m_term.Print(std::string("\r\n\r\nKTR-84 ") + Name() +
                     " Bootloader V2.31\r\nFlash 2048 KiB, RAM 1024 KiB\r\n");
        m_term.WaitForQuiet(300);
        m_term.FlushInput();
    }
    bool bPrompt = !bPromptFirst;
    for (;; bPrompt = true) {
        switch (BootLogIn(bPrompt)) {
        case LogIn::Accepted:
            return MainMenu();
        case LogIn::Empty:
            if (!m_bAppPresent) {
                return Next::RecoveryMenu;
            }
            break;
        case LogIn::Rejected:
            break;
        }
    }
}

CLegacyModule::LogIn CLegacyModule::BootLogIn(bool bPrompt) {
    m_term.Step("bootlogin");
    if (bPrompt) {
        m_term.Print("\r\nLogin > ");
    }
    std::string strUser = *m_term.ReadLine({});
    m_term.Record(strUser, "Login >");
    // Restart letters that straggle in after the prompt are not part of the name.
    strUser.erase(0, strUser.find_first_not_of('b'));
    if (MenuChoice(strUser) == 0) {
        return LogIn::Empty;
    }
    m_term.Print("Passwd > ");
    std::string strPassword = *m_term.ReadLine({.bEcho = false});
    m_term.Record(strPassword, "Passwd >");
    if (!m_options.bRejectBootLogin && strUser == kBootUser && strPassword == kBootPassword) {
        return LogIn::Accepted;
    }
    // The next prompt comes after a pause, as its own piece of text.
    m_term.Print("Incorrect\r\n");
    m_term.Drain();
    m_term.PauseMs(1000);
    return LogIn::Rejected;
}

void CLegacyModule::PrintMainMenu() {
    m_term.Print("\r\n----- Main menu -----\r\n"
                 "  1  Version information\r\n"
                 "  9  Merge file menu\r\n"
                 "  b  Baud rate\r\n"
                 "  r  Reboot\r\n"
                 "\r\nEnter selection: ");
}

CLegacyModule::Next CLegacyModule::MainMenu() {
    m_term.Step("menu");
    PrintMainMenu();
    for (;;) {
        std::string strLine = *m_term.ReadLine({});
        m_term.Record(strLine);
        switch (MenuChoice(strLine)) {
        case 0:
            break;
        case '1':
            m_term.Print(std::string("\r\n") + Name() + " Bootloader V2.31, application " +
                         (m_bAppPresent ? "V5.12" : "none") + "\r\n");
            break;
        case 'b':
            BaudMenu();
            break;
        case '9':
            MergeMenu();
            break;
        case 'r':
            m_term.Step("reboot");
            m_term.Print("\r\nRebooting...\r\n");
            return Next::Restart;
        default:
            m_term.Print("\r\nUnknown choice\r\n");
            break;
        }
        PrintMainMenu();
    }
}

// The module answers the code letter at the old rate, switches, and shows
// its menu again once a carriage return arrives at the new rate.
void CLegacyModule::BaudMenu() {
    m_term.Step("baud");
    m_term.Print("\r\n----- Baud rate -----\r\n"
                 "  b  9600\r\n"
                 "  c  19200\r\n"
                 "  d  38400\r\n"
                 "  f  115200\r\n"
                 "\r\nCurrent rate " +
                 std::to_string(m_term.Baud()) + "\r\nEnter selection: ");
    std::string strLine = *m_term.ReadLine({});
    m_term.Record(strLine);
    int32_t nBaud = BaudForLetter(MenuChoice(strLine));
    if (nBaud == 0) {
        m_term.Print("\r\nUnknown choice\r\n");
        return;
    }
    m_term.Print("\r\nSwitching to " + std::to_string(nBaud) +
                 " baud, press ENTER at the new rate\r\n");
    m_term.SwitchBaud(nBaud);
    while (m_term.Get() != '\r') {
    }
    m_term.Record("");
}

// Without application code the boot loader offers a reboot for a few seconds
// and then asks for its log-in; an empty log-in name brings this menu back.
CLegacyModule::Next CLegacyModule::Recovery(bool bBanner) {
    if (bBanner) {
        m_term.Step("bootloader");
        m_term.Print(std::string("\r\n\r\nKTR-84 ") + Name() +
                     " Bootloader V2.31\r\nFlash 2048 KiB, RAM 1024 KiB\r\n");
    }
    for (;;) {
        m_term.Print("\r\nNo application code present.\r\n"
                     "  r  Reboot\r\n"
                     "Log-in prompt follows shortly.\r\n"
                     "\r\nEnter selection: ");
        auto line = m_term.ReadLine(
            {.nTimeoutMs = static_cast<int>(m_options.dNoAppLoginDelaySeconds * 1000)});
        if (!line) {
            return RunBootLoader(false, false);
        }
        m_term.Record(*line);
        char c = MenuChoice(*line);
        if (c == 'r') {
            m_term.Step("reboot");
            m_term.Print("\r\nRebooting...\r\n");
            return Next::Restart;
        }
        if (c != 0) {
            return RunBootLoader(false, false);
        }
    }
}
