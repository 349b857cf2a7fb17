#include "console/LineCommands.h"

namespace {
// The module takes a moment at its new rate before it answers.
constexpr int kAfterReopenMs = 100;
} // namespace

bool ConnectLine(CSComDoc& line, CWindowLayer& window) {
    if (line.Connect())
        return true;
    if (line.LastRefusal() == LineRefusal::SettingsRefused)
        window.MessageBox("Serial_Comm_Error\n", "", MsgIcon::None, MsgButtons::Ok);
    return false;
}

void ReopenLineAt(const CRunContext& ctx, int32_t nRate) {
    ctx.line.Disconnect();
    ctx.line.m_nBaud = nRate;
    ctx.line.CreatePortEvents();
    ConnectLine(ctx.line, ctx.window);
    ctx.line.WriteCommByte(kCr);
    ctx.window.Sleep(kAfterReopenMs);
}
