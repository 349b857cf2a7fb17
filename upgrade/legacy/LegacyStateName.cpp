#include "upgrade/legacy/LegacyStateName.h"

const char* LegacyStateName(LegacyUpgradeState state) {
    switch (state) {
    case RunOver:
        return "RunOver";
    case ConsoleLogin:
        return "ConsoleLogin";
    case AwaitBootloader:
        return "AwaitBootloader";
    case BootLogin:
        return "BootLogin";
    case BootPassword:
        return "BootPassword";
    case BootMenu:
        return "BootMenu";
    case BaudSelect:
        return "BaudSelect";
    case BaudConfirm:
        return "BaudConfirm";
    case MergeMenu:
        return "MergeMenu";
    case AwaitSrecInput:
        return "AwaitSrecInput";
    case SendImage:
        return "SendImage";
    case AwaitFlashWrite:
        return "AwaitFlashWrite";
    case RebootModule:
        return "RebootModule";
    case Finish:
        return "Finish";
    }
    return "Unknown";
}
