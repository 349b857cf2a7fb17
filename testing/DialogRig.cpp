#include "testing/DialogRig.h"

CDialogRig::CDialogRig(std::unique_ptr<CScriptedWindow> pOwnWindow)
    : pWindow(std::move(pOwnWindow)), window(*pWindow), dlg(window) {
    dlg.OnInitDialog();
}

void CDialogRig::SetPort(const std::string& strPath) {
    window.AddListEntry(ctl::kComList, strPath);
    window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
}

void CDialogRig::Select(ModuleKind kind, const std::string& strBaud) {
    if (kind == Controller)
        dlg.OnController();
    else if (kind == IpController)
        dlg.OnIpController();
    else
        dlg.OnTransceiver();
    for (int i = 0; i < window.GetListCount(ctl::kBaudList); ++i)
        if (window.GetListEntry(ctl::kBaudList, i) == strBaud)
            window.SetListSelection(ctl::kBaudList, i);
}

void CDialogRig::UseShortImages(size_t nLines) {
    pShort = std::make_unique<CShortLegacyImages>(nLines);
    dlg.m_lasting.m_image.m_findImage = [this](std::string_view name) {
        return pShort->Find(name);
    };
}

bool CDialogRig::Released() {
    return dlg.m_comm.m_bConnected == 0 && !dlg.IsRunning() && window.IsEnabled(ctl::kUpgrade) &&
           window.IsEnabled(ctl::kTransceiver) && window.IsEnabled(ctl::kController) &&
           window.IsEnabled(ctl::kIpController);
}

size_t CDialogRig::Prompts() const {
    size_t n = 0;
    for (const auto& e : window.events)
        n += e.kind == ShownEvent::Prompt;
    return n;
}

size_t CDialogRig::Count(ShownEvent::Kind kind, const std::string& strText) const {
    size_t n = 0;
    for (const auto& e : window.events)
        n += e.kind == kind && e.strText == strText;
    return n;
}

std::vector<std::string> CDialogRig::BoxTexts() const {
    std::vector<std::string> out;
    for (const auto& box : window.Boxes())
        out.push_back(box.strText);
    return out;
}

int64_t CDialogRig::TimeOf(const std::string& strText) const {
    for (const auto& e : window.events)
        if (e.strText == strText)
            return e.nAtMs;
    return -1;
}
