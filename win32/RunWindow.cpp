#include "win32/RunWindow.h"

#include <iostream>
#include <shellapi.h>

#include "cli/win32/SleepRequest.h"
#include "common/Version.h"
#include "dialog/UpgraderDlg.h"
#include "front/Preselect.h"
#include "front/WindowCommandLine.h"
#include "front/WindowFigures.h"
#include "record/RecordFolder.h"
#include "record/RunRecorder.h"
#include "win32/Utf16.h"
#include "win32/Win32Window.h"

namespace {
const char kPorts[] = "COM1 (the default) to COM4, or any other\n"
                      "                  COM port Windows knows, such as COM7.";

std::vector<std::string> Arguments() {
    int nCount = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nCount);
    std::vector<std::string> arguments;
    for (int i = 0; i < nCount; ++i)
        arguments.push_back(Utf8(ppArgs[i]));
    LocalFree(ppArgs);
    return arguments;
}

// On the console or the file the program's output goes to, else in a box.
int Answer(const WindowCommandLine& command) {
    const bool bError = command.action == CommandLineAction::Error;
    const std::string strText = command.strText + (bError ? "\n" : "");
    HANDLE hOut = GetStdHandle(bError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (hOut == nullptr || hOut == INVALID_HANDLE_VALUE) {
        if (AttachConsole(ATTACH_PARENT_PROCESS))
            hOut = GetStdHandle(bError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    }
    DWORD nWritten = 0;
    if (hOut == nullptr || hOut == INVALID_HANDLE_VALUE ||
        !WriteFile(hOut, strText.data(), static_cast<DWORD>(strText.size()), &nWritten, nullptr))
        MessageBoxW(nullptr, Utf16(strText).c_str(), L"ktr84-upgrader",
                    MB_OK | (bError ? MB_ICONSTOP : MB_ICONINFORMATION));
    return bError ? 2 : 0;
}
} // namespace

int RunUpgraderWindow(HINSTANCE hInstance, const ImageLookup& findImage) {
    const WindowCommandLine command = ParseWindowCommandLine(Arguments(), kPorts);
    if (command.action != CommandLineAction::Run)
        return Answer(command);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    CWin32Window window(hInstance);
    CUpgraderDlg dlg(window);
    if (findImage)
        dlg.m_lasting.m_image.m_findImage = findImage;
    // Records left by earlier sessions are kept within bounds from the start.
    PruneRecords(RecordFolder());
    CRunRecorder recorder(RecordFolder(), ToolVersion(), std::cerr);
    CSleepRequest sleepRequest;
    CWindowFigures figures(window, [&window] { return window.NowMs(); });
    // The record first, so it hears what the others report about a run.
    for (CRunListener* pListener :
         {static_cast<CRunListener*>(&recorder), static_cast<CRunListener*>(&sleepRequest),
          static_cast<CRunListener*>(&figures)})
        dlg.AddListener(*pListener);
    int nResult = 0;
    if (window.Create(dlg)) {
        PreselectChoices(
            command.choices, window,
            [&window](int nRadio) { SendMessageW(window.Control(nRadio), BM_CLICK, 0, 0); },
            [&window](const std::string& strPort) { window.KeepPortOffered(strPort); });
        window.RunModal(); // the result (1 Quit, 2 Escape or Close) is not examined
    } else {
        nResult = 1;
    }
    for (CRunListener* pListener :
         {static_cast<CRunListener*>(&figures), static_cast<CRunListener*>(&sleepRequest),
          static_cast<CRunListener*>(&recorder)})
        dlg.RemoveListener(*pListener);
    return nResult;
}
