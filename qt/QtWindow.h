#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "front/FigureView.h"
#include "qt/HelpViewer.h"
#include "window/WindowLayer.h"

class CPortCombo;
class CUpgraderDlg;
class QLabel;
class QMenu;

// The main window: the dialog of the upgrader with its twenty controls, laid
// out from the template in dialog units, and the window layer the dialog
// logic talks to. Clicks go to CUpgraderDlg's handlers; an upgrade runs
// inside the Upgrade click and keeps the window alive through PumpMessages,
// Sleep and WaitForInput.
class CQtWindow : public QDialog, public CWindowLayer, public CFigureView {
public:
    explicit CQtWindow(QWidget* pParent = nullptr);
    ~CQtWindow() override;

    // Connects the dialog logic, runs its initialisation, sets the title and
    // focus, and offers the serial devices and simulators after COM1..COM4.
    void InitDialog(CUpgraderDlg& dlg);

    QWidget* Control(int nId) const;
    // The window's context menu, where Linux users find the About item and
    // the folder of the run records.
    QMenu* CreateContextMenu();
    void OnAbout();
    // The help page in the desktop's viewer, or in the tool's own window when
    // that viewer fails or the tool runs as root; a box when there is no page.
    void OnHelp();
    // Opens the run records' folder (created if missing) in the file manager.
    void OnOpenRecords();
    // Rebuilds the entries after COM1..COM4 from the port source, keeping the
    // selection when its entry is still there. Runs whenever the list opens.
    void RefreshPortList();

    // Where the extra ports come from (ExtraPorts by default).
    void SetPortSource(std::function<std::vector<std::string>()> fnSource);
    std::function<std::vector<std::string>()> PortSource() const { return m_fnPortSource; }
    // Where help.html is looked up, and how it is opened (by default the
    // executable's folder and the desktop's viewer).
    void SetHelpLauncher(QString strFolder, std::function<bool(const QUrl&)> fnOpen);
    // Whether help avoids the desktop's viewer (by default when run as root).
    void SetHelpAsRoot(bool bAsRoot) { m_bHelpAsRoot = bAsRoot; }
    // The tool's own help window, once shown.
    CHelpViewer* HelpViewer() const { return m_pHelpViewer; }
    // How the records' folder is opened (QDesktopServices::openUrl by default).
    void SetFolderOpener(std::function<bool(const QUrl&)> fnOpen) {
        m_fnOpenFolder = std::move(fnOpen);
    }

    // Beside the template's controls: the upload's time left under the
    // progress bar, and one line about a slow adapter (empty hides it).
    void ShowTimeLeft(const std::string& strText) override;
    void ShowSlowAdapter(const std::string& strText) override;
    QLabel* TimeLeftLabel() const { return m_pTimeLeft; }
    QLabel* SlowAdapterLine() const { return m_pSlowLine; }

    // --- CWindowLayer ---
    std::string GetControlText(int nId) override;
    void SetControlText(int nId, const std::string& strText) override;
    int GetListCount(int nId) override;
    std::string GetListEntry(int nId, int nIndex) override;
    void DeleteListEntry(int nId, int nIndex) override;
    void AddListEntry(int nId, const std::string& strText) override;
    int GetListSelection(int nId) override;
    void SetListSelection(int nId, int nIndex) override;
    bool IsChecked(int nId) override;
    void SetChecked(int nId, bool bChecked) override;
    bool IsEnabled(int nId) override;
    void EnableControl(int nId, bool bEnable) override;
    void SetProgressRange(int32_t nLower, int32_t nUpper) override;
    void SetProgressPos(int32_t nPos) override;
    void SetProgressStep(int32_t nStep) override;
    int MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon icon,
                   MsgButtons buttons) override;
    int PasswordPrompt(const std::string& strDefault, std::string& strEntered) override;
    bool PumpMessages() override;
    void PostQuit() override;
    void UpdateWindow() override;
    void Sleep(int nMs) override;
    bool WaitForInput(LineHandle hInput, int nMs) override;
    int64_t NowMs() override;
    void DebugOutput(std::string_view text) override;

protected:
    // Quit and Enter (result 1), Escape, the close box and Cancel (result 2).
    // During a run the operator is asked first; the window then ends after
    // the run (PostQuit).
    void accept() override;
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;

private:
    void CreateControls();
    template <class TButton> TButton* AddButton(int nId, const char* pszText, QRect rect);
    QLabel* AddText(int nId, const char* pszText, QRect rect, Qt::Alignment align);
    CPortCombo* AddList(int nId, QRect rect);
    void AddProgressBar(QRect rect);
    void CreateFigures();
    void ConnectHandlers();
    template <class T> T* Find(int nId) const;

    std::map<int, QWidget*> m_controls;
    std::map<int, std::string> m_rawTexts; // static texts exactly as last set
    CUpgraderDlg* m_pDlg = nullptr;
    bool m_bQuitPosted = false;
    int m_nQuitResult = IDCANCEL;
    QElapsedTimer m_clock;
    std::function<std::vector<std::string>()> m_fnPortSource;
    QString m_strHelpFolder;
    std::function<bool(const QUrl&)> m_fnOpenHelp;
    bool m_bHelpAsRoot = false;
    QPointer<CHelpViewer> m_pHelpViewer;
    std::function<bool(const QUrl&)> m_fnOpenFolder;
    QLabel* m_pTimeLeft = nullptr;
    QLabel* m_pSlowLine = nullptr;
};

// The main window's title: "KTR-84 Upgrader " + version + " " + date.
QString MainWindowTitle();
