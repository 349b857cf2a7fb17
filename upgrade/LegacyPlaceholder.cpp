// PLACEHOLDER until the legacy run is implemented.
#include "app/UpgraderDlg.h"
void CUpgraderDlg::RunLegacyUpgrade() {}
