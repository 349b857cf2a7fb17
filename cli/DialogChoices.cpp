#include "cli/DialogChoices.h"

#include <algorithm>

namespace {
int FindEntry(CWindowLayer& window, int nList, const std::string& strText) {
    for (int i = 0; i < window.GetListCount(nList); ++i)
        if (window.GetListEntry(nList, i) == strText)
            return i;
    return -1;
}

void ClickModule(ModuleKind module, CUpgraderDlg& dlg, CWindowLayer& window) {
    window.SetChecked(ctl::kTransceiver, module == Transceiver);
    window.SetChecked(ctl::kController, module == Controller);
    window.SetChecked(ctl::kIpController, module == IpController);
    if (module == Controller)
        dlg.OnController();
    else if (module == IpController)
        dlg.OnIpController();
    else
        dlg.OnTransceiver();
}

void ChoosePort(const std::string& strPort, CWindowLayer& window) {
    int nIndex = FindEntry(window, ctl::kComList, strPort);
    if (nIndex < 0) {
        window.AddListEntry(ctl::kComList, strPort);
        nIndex = window.GetListCount(ctl::kComList) - 1;
    }
    window.SetListSelection(ctl::kComList, nIndex);
}

void TickImages(const std::vector<std::string>& images, CUpgraderDlg& dlg, CWindowLayer& window) {
    const std::pair<const char*, int> kChecks[] = {{"bootloader", ctl::kBootloader},
                                                   {"kernel", ctl::kKernel},
                                                   {"filesystem", ctl::kFilesystem}};
    for (const auto& [pszName, nId] : kChecks) {
        if (std::find(images.begin(), images.end(), pszName) == images.end())
            continue;
        window.SetChecked(nId, true);
        dlg.OnImageCheck();
    }
}
} // namespace

void ApplyChoices(const CliOptions& options, CUpgraderDlg& dlg, CWindowLayer& window) {
    ClickModule(options.module, dlg, window);
    if (options.module == IpController)
        TickImages(options.images, dlg, window);
    ChoosePort(options.strPort, window);
    if (!options.strBaud.empty()) {
        const int nIndex = FindEntry(window, ctl::kBaudList, options.strBaud);
        if (nIndex >= 0)
            window.SetListSelection(ctl::kBaudList, nIndex);
    }
}
