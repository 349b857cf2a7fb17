#include "console/LineCommands.h"

bool ConnectLine(CSComDoc& line, CWindowLayer& window) {
    if (line.Connect())
        return true;
    if (line.LastRefusal() == LineRefusal::SettingsRefused)
        window.MessageBox("Serial_Comm_Error\n", "", MsgIcon::None, MsgButtons::Ok);
    return false;
}
