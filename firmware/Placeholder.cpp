// PLACEHOLDER until the firmware package is implemented.
#include "app/UpgraderDlg.h"
#include "firmware/EmbeddedImages.h"
UpgradeImage ImageTable[4] = {{0, "40000000", "4003ffff", "SREC_UBOOT", 0},
                              {1, "40040000", "400dffff", "SREC_KERNEL", 0},
                              {2, "400E0000", "4031ffff", "SREC_FILESYSTEM", 0},
                              {-1, "", "", "", 0}};
const EmbeddedImage* FindEmbeddedImage(std::string_view) { return nullptr; }
bool CUpgraderDlg::LoadImage(const char*) { return false; }
void CUpgraderDlg::ShowUploadProgress() {}
