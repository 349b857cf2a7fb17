#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win32/Win32Api.h"

// Drives the upgrader window of another process as an operator would, through
// window messages only: finds the dialog and its controls by id, makes
// choices, clicks, and answers the message boxes and the password prompt
// that the program shows.
class CWindowDriver {
public:
    ~CWindowDriver();

    // Starts the program and waits for its main dialog; false if it never came.
    bool Launch(const std::wstring& strCommandLine);
    HWND Main() const { return m_hMain; }
    HWND Control(int nId) const { return GetDlgItem(m_hMain, nId); }
    std::string Text(HWND hWnd) const;

    // As the operator's clicks: BM_CLICK, handled before Click returns, or
    // posted by Press (the Upgrade click returns when the run is over); and
    // CB_SETCURSEL with the CBN_SELCHANGE the list would send. False when
    // the entry is not there.
    void Click(int nId) const;
    void Press(int nId) const;
    bool Choose(int nList, const std::string& strEntry) const;

    // The box or prompt the program shows now, if any (not the main dialog).
    HWND Modal() const;
    // Answers modals until fnDone holds or the program ends (false then, or
    // after nLimitMs); message boxes with fnAnswer (IDOK or IDCANCEL), the
    // password prompt with its default (OK). Box texts are kept in Boxes().
    bool AnswerUntil(const std::function<bool()>& fnDone, int nLimitMs,
                     const std::function<int(const std::string&)>& fnAnswer = {});
    const std::vector<std::string>& Boxes() const { return m_boxes; }
    // Waits for the program to end; its exit code, or -1.
    int WaitForExit(int nLimitMs);

private:
    void Answer(HWND hModal, const std::function<int(const std::string&)>& fnAnswer);

    PROCESS_INFORMATION m_process{};
    HWND m_hMain = nullptr;
    std::vector<std::string> m_boxes;
};

// A point of the run the test waits for: the status text starting with strText.
bool StatusStartsWith(const CWindowDriver& driver, const std::string& strText);
