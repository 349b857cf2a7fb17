#pragma once

#include "record/RunListener.h"

// Asks Windows not to sleep while a run goes on: SetThreadExecutionState
// from the run's start to its end, whatever the outcome, and from the
// destructor if the run never told its end. The request belongs to the
// thread that made it (the one that runs the dialog), and Windows drops it
// when that thread ends, so a program ended at once leaves none behind.
class CSleepRequest : public CRunListener {
public:
    CSleepRequest() = default;
    ~CSleepRequest() override { Release(); }
    CSleepRequest(const CSleepRequest&) = delete;
    CSleepRequest& operator=(const CSleepRequest&) = delete;

    bool Held() const { return m_bHeld; }

    void OnRunStart(const RunStart&) override;
    void OnRunEnd(const RunEnd&) override { Release(); }

private:
    void Release();

    bool m_bHeld = false;
};
