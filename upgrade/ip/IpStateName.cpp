#include "upgrade/ip/IpStateName.h"

namespace {
const char* StepName(FlashSequenceStep step) {
    switch (step) {
    case FlashSequenceStep::AwaitPrompt:
        return "AwaitPrompt";
    case FlashSequenceStep::AwaitDownload:
        return "AwaitDownload";
    case FlashSequenceStep::LoadImage:
        return "LoadImage";
    case FlashSequenceStep::SendLines:
        return "SendLines";
    case FlashSequenceStep::CheckRam:
        return "CheckRam";
    case FlashSequenceStep::AwaitRamVerdict:
        return "AwaitRamVerdict";
    case FlashSequenceStep::EraseFlash:
        return "EraseFlash";
    case FlashSequenceStep::AwaitErased:
        return "AwaitErased";
    case FlashSequenceStep::CopyToFlash:
        return "CopyToFlash";
    case FlashSequenceStep::AwaitCopied:
        return "AwaitCopied";
    case FlashSequenceStep::CheckFlash:
        return "CheckFlash";
    case FlashSequenceStep::AwaitFlashVerdict:
        return "AwaitFlashVerdict";
    }
    return "Unknown";
}

const char* OuterName(IpUpgradeState state) {
    switch (state) {
    case IpIdle:
        return "Idle";
    case IpLogin:
        return "Login";
    case IpRaiseBaud:
        return "RaiseBaud";
    case IpFlashImage:
        return "FlashImage";
    case IpRevertBaud:
        return "RevertBaud";
    case IpBoot:
        return "Boot";
    case IpComplete:
        return "Complete";
    case IpAbort:
        return "Abort";
    case IpNextImage:
        return "NextImage";
    }
    return "Unknown";
}
} // namespace

std::string IpStateName(IpUpgradeState state, FlashSequenceStep step) {
    std::string strName = OuterName(state);
    if (state == IpFlashImage)
        strName += std::string("/") + StepName(step);
    return strName;
}
