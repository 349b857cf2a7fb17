#pragma once

// The operator texts that tell which module the cable is really on, in the
// order the message table has always had. The IP controller procedure shows
// its two wrong-module texts from the same table.
enum ModuleMessage {
    NoAppCodeController = 0,
    NoAppCodeTransceiver = 1,
    CableOnController = 2,
    CableOnTransceiver = 3,
    CableNotOnIpController = 4,
    CableOnTransceiverNotIp = 5,
    CableOnIpControllerSelected = 6,
    CableOnIpTransceiverSelected = 7,
};

extern const char* const ModuleMessages[8];
