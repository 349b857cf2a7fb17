#pragma once

#include <QDBusConnection>
#include <iosfwd>

#include "front/WindowFigures.h"
#include "qt/SleepInhibitor.h"
#include "record/RunRecorder.h"

class CQtWindow;
class CUpgraderDlg;

// What the desktop window adds to every run, heard from the dialog: the run
// record in RecordFolder(), the sleep inhibitor (whose notice goes to the
// record through the dialog) and the window's time left and slow-adapter
// line. Lives as long as the dialog it is registered with.
class CDesktopListeners {
public:
    CDesktopListeners(CUpgraderDlg& dlg, CQtWindow& window,
                      QDBusConnection bus = QDBusConnection::systemBus());
    CDesktopListeners(CUpgraderDlg& dlg, CQtWindow& window, QDBusConnection bus,
                      std::ostream& errors);
    ~CDesktopListeners();
    CDesktopListeners(const CDesktopListeners&) = delete;
    CDesktopListeners& operator=(const CDesktopListeners&) = delete;

    const CRunRecorder& Recorder() const { return m_recorder; }
    const CSleepInhibitor& Inhibitor() const { return m_inhibitor; }

private:
    CUpgraderDlg& m_dlg;
    CRunRecorder m_recorder;
    CSleepInhibitor m_inhibitor;
    CWindowFigures m_figures;
};
