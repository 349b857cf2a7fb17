#pragma once

#include <cstdint>
#include <functional>

#include "console/RunContext.h"

// The parts of the receive loop that both procedures share: the poll and its
// bursts, the silent wait and its count, and the ending without connection.
// Each run holds one for its length; the pass order is the run's own.
class CReceiver {
public:
    explicit CReceiver(const CRunContext& ctx);

    // Takes what the line has queued (up to 2048 bytes) into the chunk; a
    // chunk held for this pass is taken as it stands instead.
    int32_t Poll();
    // After a poll that brought bytes, in a state that waits for the module's
    // words: adds to the chunk what the module printed in the same go.
    void CollectBurst();
    // Waits up to nMs for the module to begin printing and takes what it
    // prints in that go as the chunk; false when nothing came.
    bool AwaitBurst(int nMs);
    // From an empty chunk, gathers what the module prints until fnDone finds
    // what is awaited in it (true), or until nDeadlineMs has passed with the
    // line quiet (false). Text still arriving at the deadline is heard out.
    bool GatherUntil(int64_t nDeadlineMs, const std::function<bool(const CReceivedChunk&)>& fnDone);
    // The chunk in hand is the next pass's: its poll takes it, not the line.
    void HoldChunk() { m_bHeld = true; }
    // The line went away under the run: the run ends at once.
    bool LineLost() const { return m_line.LineLost(); }

    // A pass that read nothing waits up to 100 ms for input; a wait cut short
    // by arriving bytes is no silence. True when this was the run's 301st full
    // wait: the silence ending is due.
    bool WaitSilently();
    void ClearSilence() { m_nEmptyPolls = 0; }
    int32_t EmptyPolls() const { return m_nEmptyPolls; }

    // "Connection not Established" and "Unable to Connect to Card" (with the
    // adapter's line when the line went away), then the port is closed. The IP
    // run gives the Upgrade button back first.
    void EndWithoutConnection(bool bEnableUpgrade);

private:
    CSComDoc& m_line;
    CWindowLayer& m_window;
    CRunDialog& m_dialog;
    CReceivedChunk& m_rx;
    int32_t m_nEmptyPolls = 0; // silent waits over the whole run, not in a row
    bool m_bHeld = false;      // the chunk was gathered for the next pass
};
