#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dialog/UpgraderDlg.h"
#include "testing/ScriptedWindow.h"
#include "testing/ShortImages.h"

// The tests' one dialog rig: a main dialog on a scripted window (real clock,
// virtual clock or scaled, as the test hands in), its COM-port list pointing
// at the line the test chooses: a simulator's, or a test-played module's.
struct CDialogRig {
    explicit CDialogRig(
        std::unique_ptr<CScriptedWindow> pOwnWindow = std::make_unique<CScriptedWindow>());
    virtual ~CDialogRig() = default;
    CDialogRig(const CDialogRig&) = delete;
    CDialogRig& operator=(const CDialogRig&) = delete;

    // Offers the line in the COM-port list and selects it.
    void SetPort(const std::string& strPath);
    // Clicks the module kind's radio button, then picks the rate.
    void Select(ModuleKind kind, const std::string& strBaud = "115200");
    // The runs upload short images of nLines records (on a line paced like a
    // UART a whole legacy image takes minutes).
    void UseShortImages(size_t nLines = 200);

    // The run has let go of the line and the window takes the next run.
    bool Released();
    size_t Prompts() const;
    size_t Count(ShownEvent::Kind kind, const std::string& strText) const;
    std::vector<std::string> BoxTexts() const;
    // Clock time of the first status or box with that text, -1 if none.
    int64_t TimeOf(const std::string& strText) const;

    std::unique_ptr<CScriptedWindow> pWindow;
    CScriptedWindow& window;
    CUpgraderDlg dlg;
    std::unique_ptr<CShortLegacyImages> pShort;
};
