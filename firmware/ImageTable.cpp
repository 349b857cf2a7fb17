#include "firmware/ImageTable.h"

// The flash regions are typed into the boot monitor exactly as written here,
// upper-case E included.
UpgradeImage ImageTable[4] = {
    {0, "40000000", "4003ffff", "SREC_UBOOT", 0},
    {1, "40040000", "400dffff", "SREC_KERNEL", 0},
    {2, "400E0000", "4031ffff", "SREC_FILESYSTEM", 0},
    {-1, "", "", "", 0},
};
