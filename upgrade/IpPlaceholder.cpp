// PLACEHOLDER until the IP run is implemented.
#include "app/UpgraderDlg.h"
std::string SavedIpPassword;
int32_t FlashStep = 5;
void CUpgraderDlg::RunIpUpgrade() {}
