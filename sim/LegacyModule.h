#pragma once

#include "sim/ModuleSim.h"
#include "sim/SimEvidence.h"
#include "sim/SimTerminal.h"

#include <string>

// A Transceiver or Controller module: its application's console, the restart
// that listens for the b letters, and the menu-driven boot loader with its
// merge-file upload.
class CLegacyModule {
public:
    CLegacyModule(CSimTerminal& term, const SimOptions& options, CSimEvidence& evidence);
    void Run(); // until the simulator stops

private:
    // Where the module goes next. The "Idle" places are entered as the module
    // sits when the simulator starts: powered up long ago, prompt already shown.
    enum class Next {
        ConsoleIdle,
        ConsoleBoot,
        Restart,
        BootLoader,
        BootLoginIdle,
        Recovery,
        RecoveryMenu
    };

    // The application's console (LegacyConsole.cpp).
    Next RunConsole(bool bBoot);
    void ConsoleLogIn();
    Next ConsoleCommand(const std::string& strCommand);
    Next Restart();
    std::string ConsolePrompt() const;

    // The boot loader (LegacyBootLoader.cpp).
    Next RunBootLoader(bool bBanner, bool bPromptFirst);
    enum class LogIn { Accepted, Rejected, Empty };
    LogIn BootLogIn(bool bPrompt);
    Next MainMenu();
    void PrintMainMenu();
    void BaudMenu();
    Next Recovery(bool bBanner);

    // The merge-file menu and upload (LegacyMerge.cpp).
    void MergeMenu();
    void ReceiveMergeFile();
    bool WriteMergeToFlash(size_t nRecords);

    const char* KindText() const; // "BSR" or "SAT"
    const char* Name() const;     // "Transceiver" or "Controller"
    bool IsController() const { return m_options.module == SimModule::Controller; }

    CSimTerminal& m_term;
    const SimOptions& m_options;
    CSimEvidence& m_evidence;
    bool m_bAppPresent;
    bool m_bConsoleLoggedIn = false;
};

// The first non-blank character of a menu line, or 0 when there is none.
char MenuChoice(const std::string& strLine);
