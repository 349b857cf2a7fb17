#include "front/Preselect.h"

namespace {
// The entry of that text, else (bSameLine) the first that opens the same line.
bool SelectEntry(CWindowLayer& window, int nList, const std::string& strText, bool bSameLine) {
    for (bool bByLine : {false, bSameLine}) {
        for (int i = 0; i < window.GetListCount(nList); ++i) {
            const std::string strEntry = window.GetListEntry(nList, i);
            if (strEntry == strText || (bByLine && OpensSameLine(strEntry, strText))) {
                window.SetListSelection(nList, i);
                return true;
            }
        }
    }
    return false;
}
} // namespace

bool PreselectChoices(const WindowChoices& choices, CWindowLayer& window,
                      const std::function<void(int nRadio)>& fnClick,
                      const std::function<void(const std::string& strPort)>& fnKeepPort) {
    if (choices.module)
        fnClick(ModuleRadio(*choices.module));
    bool bAllMade = true;
    if (!choices.strBaud.empty())
        bAllMade = SelectEntry(window, ctl::kBaudList, choices.strBaud, false) && bAllMade;
    if (!choices.strPort.empty()) {
        fnKeepPort(choices.strPort);
        bAllMade = SelectEntry(window, ctl::kComList, choices.strPort, true) && bAllMade;
    }
    return bAllMade;
}
