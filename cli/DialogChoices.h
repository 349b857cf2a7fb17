#pragma once

#include "cli/CliOptions.h"
#include "dialog/UpgraderDlg.h"

// Makes the operator's choices in the initialised dialog as the window's
// clicks would: the module's radio button and its handler, the port chosen
// in the COM-port list (a name not offered yet is added, as the window's list
// offers adapters and simulators), the image check boxes with their handler,
// and the rate's entry in the baud list the dialog filled.
void ApplyChoices(const CliOptions& options, CUpgraderDlg& dlg, CWindowLayer& window);
