// The COM-port list: COM1..COM4 from the dialog, then the ports Windows
// knows, brought up to date whenever the list opens.
#include "win32/Win32Window.h"

#include <algorithm>

#include "dialog/StringTable.h"
#include "front/WindowCommandLine.h"

void CWin32Window::RefreshPortList() {
    const std::string strSelected = GetControlText(ctl::kComList);
    for (int i = GetListCount(ctl::kComList) - 1; i >= 0; --i)
        if (std::find(kTemplatePorts.begin(), kTemplatePorts.end(),
                      GetListEntry(ctl::kComList, i)) == kTemplatePorts.end())
            DeleteListEntry(ctl::kComList, i);
    std::vector<std::string> ports = m_fnPortSource ? m_fnPortSource() : std::vector<std::string>();
    for (const std::string& strKept : m_keptPorts)
        if (std::none_of(ports.begin(), ports.end(), [&](const std::string& strPort) {
                return OpensSameLine(strPort, strKept);
            }))
            ports.push_back(strKept);
    for (const std::string& strPort : ports)
        AddListEntry(ctl::kComList, strPort);
    // An entry that went away (an adapter pulled) falls back to COM1.
    int nIndex = 0;
    for (int i = 0; i < GetListCount(ctl::kComList); ++i)
        if (GetListEntry(ctl::kComList, i) == strSelected)
            nIndex = i;
    SetListSelection(ctl::kComList, nIndex);
    // A long entry widens the opened list as far as the window has room.
    SendDlgItemMessageW(m_hDlg, ctl::kComList, CB_SETDROPPEDWIDTH, m_baseClient.cx / 2, 0);
}

void CWin32Window::KeepPortOffered(const std::string& strPort) {
    if (std::any_of(kTemplatePorts.begin(), kTemplatePorts.end(),
                    [&](const std::string& strEntry) { return OpensSameLine(strEntry, strPort); }))
        return;
    m_keptPorts.push_back(strPort);
    RefreshPortList();
}
