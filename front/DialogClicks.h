#pragma once

#include <utility>

#include "dialog/UpgraderDlg.h"

// The main dialog's buttons whose clicks go to the dialog logic, and the
// handler each goes to (Quit, Cancel and Help are the window's own).
using DialogClickHandler = void (CUpgraderDlg::*)();
inline constexpr std::pair<int, DialogClickHandler> kDialogClicks[] = {
    {ctl::kUpgrade, &CUpgraderDlg::OnUpgrade},
    {ctl::kTransceiver, &CUpgraderDlg::OnTransceiver},
    {ctl::kController, &CUpgraderDlg::OnController},
    {ctl::kIpController, &CUpgraderDlg::OnIpController},
    {ctl::kFilesystem, &CUpgraderDlg::OnImageCheck},
    {ctl::kBootloader, &CUpgraderDlg::OnImageCheck},
    {ctl::kKernel, &CUpgraderDlg::OnImageCheck},
};
