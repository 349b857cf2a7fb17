#pragma once

#include <cstdint>

// The outer states of the IP-Enabled Controller upgrade, with the numbers the
// run has always given them.
enum IpUpgradeState : int32_t {
    IpIdle = 0,
    IpLogin = 1,
    IpRaiseBaud = 2,
    IpFlashImage = 6,
    IpRevertBaud = 15,
    IpBoot = 16,
    IpComplete = 17,
    IpAbort = 18,
    IpNextImage = 19,
};

// The steps of one image's sequence: load, RAM upload and check, erase, copy,
// flash check. An image runs 5, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14 and back to 5.
enum class FlashSequenceStep : int32_t {
    AwaitPrompt = 3,        // "=>", then "loads 10000"
    AwaitDownload = 4,      // "download": the monitor takes records
    LoadImage = 5,          // the image to send is loaded
    SendLines = 6,          // one S-record line per pass with text
    CheckRam = 7,           // "imi 10000"
    AwaitRamVerdict = 8,    // "OK", "Bad Header" or "Bad Data"
    EraseFlash = 9,         // "erase start end"
    AwaitErased = 10,       // "done"
    CopyToFlash = 11,       // "cp.b 10000 start $(filesize) "
    AwaitCopied = 12,       // "done"
    CheckFlash = 13,        // "imi start"
    AwaitFlashVerdict = 14, // "OK", "Bad Header" or "Bad Data"
};
