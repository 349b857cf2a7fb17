#pragma once

#include <functional>
#include <optional>
#include <string>

#include "record/RunListener.h"

// What a run's summary tells: the choices, the line, the timings and the
// outcome. Log-in time runs from the start until the procedure leaves its
// log-in states; upload time is the time spent sending images; the upload
// rate is the line's rate when the first image line went out (0 if none did).
struct RunSummary {
    std::string strModule, strPort, strDevice, strAdapter;
    int32_t nLoginBaud = 0, nUploadBaud = 0;
    RunEnd end;
    bool bEnded = false;
    double dLoginSeconds = 0, dUploadSeconds = 0, dTotalSeconds = 0;
    int64_t nBytesSent = 0;
};

// Collects the summary of the run it hears, on the clock it is given.
class CSummary : public CRunListener {
public:
    explicit CSummary(std::function<int64_t()> fnNowMs) : m_fnNowMs(std::move(fnNowMs)) {}

    const RunSummary& Summary() const { return m_summary; }

    void OnRunStart(const RunStart& start) override;
    void OnState(std::string_view strName) override;
    void OnRunEnd(const RunEnd& end) override;
    void OnLineOpened(const LineOpening& opening) override;
    void OnLineSent(std::string_view bytes, bool) override {
        m_summary.nBytesSent += static_cast<int64_t>(bytes.size());
    }

    // The states of the log-in, and those that send an image.
    static bool IsLoginState(std::string_view strName);
    static bool IsSendState(std::string_view strName);

private:
    double SecondsSince(int64_t nMs) const { return (m_fnNowMs() - nMs) / 1000.0; }
    void LeaveSendState();

    std::function<int64_t()> m_fnNowMs;
    RunSummary m_summary;
    int64_t m_nStartMs = 0;
    bool m_bInLogin = false;
    std::optional<int64_t> m_sendingSinceMs;
    int32_t m_nLineBaud = 0;
};

// The --json object: exit code and record path added (no record: null).
std::string SummaryJson(const RunSummary& summary, int nExitCode, const std::string& strRecord);
