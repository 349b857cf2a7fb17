#pragma once

#include <algorithm>
#include <string>

#include "testing/RunRig.h"
#include "upgrade/ip/IpRun.h"

// An IP run's steps against a far end the test plays: the run rig, the run's
// memory and image marks, and the run. Poll() hands a text to the steps as
// one pass of the run would.
struct CIpStepRig : CRunRig {
    CIpStepRig() {
        line.SetTrace([this](std::string_view text) { trace.append(text); });
    }
    void Poll(const std::string& strText) {
        std::copy(strText.begin(), strText.end(), rx.m_rxBuffer.begin());
        rx.m_nRxCount = static_cast<int32_t>(strText.size());
        run.TakeText();
    }
    // The image's sequence step, by the numbers the run gives them.
    int FlashStepNow() const { return static_cast<int>(memory.FlashStep); }
    void SetFlashStep(int nStep) { memory.FlashStep = static_cast<FlashSequenceStep>(nStep); }

    CIpMemory memory;
    CImageMarks marks;
    CIpRun run{Context(), memory, marks};
    std::string trace; // what the line traced
};
