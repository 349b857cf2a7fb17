#include "qt/DesktopListeners.h"

#include <iostream>

#include "common/Version.h"
#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"
#include "record/RecordFolder.h"

CDesktopListeners::CDesktopListeners(CUpgraderDlg& dlg, CQtWindow& window, QDBusConnection bus)
    : CDesktopListeners(dlg, window, std::move(bus), std::cerr) {}

CDesktopListeners::CDesktopListeners(CUpgraderDlg& dlg, CQtWindow& window, QDBusConnection bus,
                                     std::ostream& errors)
    : m_dlg(dlg), m_recorder(RecordFolder(), ToolVersion(), errors),
      m_inhibitor(std::move(bus), [&dlg](const std::string& strText) { dlg.Notice(strText); }),
      m_figures(window, [&window] { return window.NowMs(); }) {
    // Records left by earlier sessions are kept within bounds from the start.
    PruneRecords(RecordFolder());
    // The record first, so it hears what the others report about a run.
    m_dlg.AddListener(m_recorder);
    m_dlg.AddListener(m_inhibitor);
    m_dlg.AddListener(m_figures);
}

CDesktopListeners::~CDesktopListeners() {
    m_dlg.RemoveListener(m_figures);
    m_dlg.RemoveListener(m_inhibitor);
    m_dlg.RemoveListener(m_recorder);
}
