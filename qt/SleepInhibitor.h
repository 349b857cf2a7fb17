#pragma once

#include <QDBusConnection>
#include <functional>
#include <string>

#include "record/RunListener.h"

// Keeps the desktop from suspending while a run has the line: at the run's
// first line opening it asks logind for a "block" inhibitor on sleep and idle
// and holds the descriptor it hands back until the run ends, however it ends.
// Without logind or a system bus the run goes on; one notice says why.
class CSleepInhibitor : public CRunListener {
public:
    using Notify = std::function<void(const std::string&)>;

    // bus: where logind is asked (the system bus in the program); fnNotice
    // hears the one line telling that no inhibitor could be taken.
    CSleepInhibitor(QDBusConnection bus, Notify fnNotice);
    ~CSleepInhibitor() override;
    CSleepInhibitor(const CSleepInhibitor&) = delete;
    CSleepInhibitor& operator=(const CSleepInhibitor&) = delete;

    bool Held() const { return m_nFd >= 0; }

    void OnRunStart(const RunStart&) override;
    void OnLineOpened(const LineOpening&) override;
    void OnRunEnd(const RunEnd&) override;

    // How long logind is given to answer.
    static constexpr int kCallTimeoutMs = 2000;

private:
    void Take();
    void Release();

    QDBusConnection m_bus;
    Notify m_fnNotice;
    bool m_bAskedThisRun = false;
    int m_nFd = -1;
};
