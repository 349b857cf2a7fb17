#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"

namespace {
void SelectLegacyKind(CUpgraderDlg& dlg, int32_t nKind, const std::string& strDescription) {
    const bool bWasIp = dlg.m_nModuleKind == IpController;
    dlg.m_nModuleKind = nKind;
    dlg.UpdateData(true);
    dlg.m_strDescription = strDescription;
    dlg.EnableImageChecks(false);
    if (bWasIp) {
        dlg.FillBaudList(LegacyBaudRates);
        dlg.SelectLastBaud();
    }
    dlg.m_strDetails.clear();
    dlg.UpdateData(false);
}
} // namespace

void CUpgraderDlg::OnTransceiver() {
    SelectLegacyKind(*this, Transceiver, m_strTransceiverDesc);
}

void CUpgraderDlg::OnController() {
    SelectLegacyKind(*this, Controller, m_strControllerDesc);
}

void CUpgraderDlg::OnIpController() {
    m_nModuleKind = IpController;
    UpdateData(true);
    UpdatePackageDescription();
    EnableImageChecks(true);
    FillBaudList(IpBaudRates);
    SelectLastBaud();
    UpdateData(false);
}

void CUpgraderDlg::OnImageCheck() {
    UpdateData(true);
    UpdatePackageDescription();
    UpdateData(false);
}

void CUpgraderDlg::UpdatePackageDescription() {
    m_strDescription = m_strIpControllerDesc;
    std::string strDetails;
    if (m_window.IsChecked(ctl::kBootloader))
        strDetails += std::string("Bootloader: ") + str::kBootloaderRelease + "\r";
    if (m_window.IsChecked(ctl::kKernel))
        strDetails += std::string("Kernel: ") + str::kKernelRelease + "\r";
    if (m_window.IsChecked(ctl::kFilesystem))
        strDetails += std::string("Filesystem: ") + str::kFilesystemRelease;
    m_strDetails = strDetails;
}

void CUpgraderDlg::EnableImageChecks(bool bEnable) {
    m_window.EnableControl(ctl::kBootloader, bEnable);
    m_window.EnableControl(ctl::kKernel, bEnable);
    m_window.EnableControl(ctl::kFilesystem, bEnable);
}

void CUpgraderDlg::EnableModuleRadios(bool bEnable) {
    m_window.EnableControl(ctl::kTransceiver, bEnable);
    m_window.EnableControl(ctl::kController, bEnable);
    m_window.EnableControl(ctl::kIpController, bEnable);
}

void CUpgraderDlg::FillBaudList(const std::vector<std::string>& rates) {
    for (int n = m_window.GetListCount(ctl::kBaudList); n > 0; --n)
        m_window.DeleteListEntry(ctl::kBaudList, 0);
    for (const auto& rate : rates)
        m_window.AddListEntry(ctl::kBaudList, rate);
}

void CUpgraderDlg::SelectLastBaud() {
    const int nCount = m_window.GetListCount(ctl::kBaudList);
    if (nCount == 0)
        return;
    const std::string strLast = m_window.GetListEntry(ctl::kBaudList, nCount - 1);
    for (int i = 0; i < nCount; ++i)
        if (m_window.GetListEntry(ctl::kBaudList, i) == strLast) {
            m_window.SetListSelection(ctl::kBaudList, i);
            return;
        }
}
