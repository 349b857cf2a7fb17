#pragma once

#include <cstdint>

// The states of the Transceiver and Controller upgrade, with the numbers the
// run has always given them. RunOver is no state of the run: a step returns it
// when the run ends after this pass.
enum LegacyUpgradeState : int32_t {
    RunOver = -1,
    ConsoleLogin = 0,
    AwaitBootloader = 1,
    BootLogin = 2,
    BootPassword = 3,
    BootMenu = 4,
    BaudSelect = 5,
    BaudConfirm = 6,
    MergeMenu = 7,
    AwaitSrecInput = 8,
    SendImage = 9,
    AwaitFlashWrite = 10,
    RebootModule = 11,
    Finish = 12,
};
