#include "firmware/ImageTable.h"

// The flash regions are typed into the boot monitor exactly as written here,
// upper-case E included.
const UpgradeImage ImageTable[kImageRows] = {
    {0, "40000000", "4003ffff", "SREC_UBOOT"},
    {1, "40040000", "400dffff", "SREC_KERNEL"},
    {2, "400E0000", "4031ffff", "SREC_FILESYSTEM"},
    {-1, "", "", ""},
};
