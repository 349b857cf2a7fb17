#include "console/RateChange.h"

#include "console/LineCommands.h"

namespace {
// The module takes a moment at its new rate before it answers.
constexpr int kAfterReopenMs = 100;

std::string KnockNote(const char* pszAnswer, int nKnock) {
    std::string strNote = "no ";
    strNote.append(pszAnswer).append(" after the speed change, CR again (");
    return strNote.append(std::to_string(nKnock))
        .append(" of ")
        .append(std::to_string(kKnocks))
        .append(")");
}
} // namespace

bool ReopenLineAt(const CRunContext& ctx, CReceiver& receiver, int32_t nRate, const char* pszAnswer,
                  const RateAnswerTest& fnAnswered) {
    ctx.line.Disconnect();
    ctx.line.m_nBaud = nRate;
    ctx.line.CreatePortEvents();
    ConnectLine(ctx.line, ctx.window);
    for (int nKnock = 1; nKnock <= kKnocks; ++nKnock) {
        if (nKnock > 1)
            ctx.dialog.Notice(KnockNote(pszAnswer, nKnock));
        const int64_t nDeadlineMs = ctx.window.NowMs() + kKnockWindowMs;
        ctx.line.WriteCommByte(kCr);
        ctx.window.Sleep(kAfterReopenMs);
        if (receiver.GatherUntil(nDeadlineMs, fnAnswered)) {
            receiver.HoldChunk();
            return true;
        }
        if (ctx.line.LineLost() || ctx.line.m_bConnected != 1)
            return false; // the run's next pass ends it or waits out the silence
    }
    return false;
}
