#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "firmware/EmbeddedImages.h"
#include "tests/ip/IpFixture.h"
#include "tests/ip/MiniModule.h"
#include "tests/ip/ScaledWindow.h"

namespace {
const int kAllControls[] = {ctl::kUpgrade,      ctl::kTransceiver, ctl::kController,
                            ctl::kIpController, ctl::kBootloader,  ctl::kKernel,
                            ctl::kFilesystem};

// A whole upgrade pressed in the dialog, against the stand-in module.
struct CRunFixture {
    CPtyPair pty;
    CScaledWindow window;
    CUpgraderDlg dlg{window};
    std::unique_ptr<CMiniModule> module;
    bool bControlsDisabledDuringRun = false;

    explicit CRunFixture(MiniOptions options, const std::string& strRate = "115200") {
        dlg.OnInitDialog();
        dlg.OnIpController();
        for (int i = 0; i < window.GetListCount(ctl::kBaudList); ++i)
            if (window.GetListEntry(ctl::kBaudList, i) == strRate)
                window.SetListSelection(ctl::kBaudList, i);
        window.AddListEntry(ctl::kComList, pty.SlavePath());
        window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
        module = std::make_unique<CMiniModule>(pty.Master(), std::move(options));
        window.onPump = [this] {
            bool bAnyEnabled = false;
            for (int nId : kAllControls)
                bAnyEnabled = bAnyEnabled || window.IsEnabled(nId);
            if (window.PumpCount() == 2)
                bControlsDisabledDuringRun = !bAnyEnabled;
        };
    }

    void Upgrade() { dlg.OnUpgrade(); }

    bool Commanded(const std::string& strCommand) const {
        for (const auto& c : module->Commands())
            if (c == strCommand)
                return true;
        return false;
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : window.Boxes())
            out.push_back(b.strText);
        return out;
    }

    // Whatever way the run ended: the port released and the window ready.
    void ExpectReadyForAnotherRun() {
        EXPECT_EQ(dlg.m_comm.m_bConnected, 0);
        for (int nId : kAllControls)
            EXPECT_TRUE(window.IsEnabled(nId)) << "control " << nId;
        EXPECT_FALSE(dlg.IsRunning());
    }
};

} // namespace

TEST(IpRun, CableOnAnotherModuleEndsIdle) {
    struct Case {
        const char* pszText;
        const char* pszBox;
    } cases[] = {
        {"SAT> ", "Cable not plugged into an IP-Enabled Controller."},
        {"BSR> ", "Cable possibly plugged into Transceiver Module.  Ensure cable is plugged "
                  "into an IP-Enabled Controller Module."},
    };
    for (const auto& c : cases) {
        MiniOptions options;
        options.strForeignText = c.pszText;
        CRunFixture f(options);
        f.Upgrade();
        EXPECT_EQ(f.BoxTexts(), std::vector<std::string>{c.pszBox});
        EXPECT_EQ(f.dlg.m_strStatus, "Idle");
        f.ExpectReadyForAnotherRun();
    }
}

TEST(IpRun, CancelledPasswordReleasesThePort) {
    MiniOptions options;
    options.start = MiniOptions::Password;
    CRunFixture f(options);
    f.window.QueuePasswordAnswer(IDCANCEL, "");
    f.Upgrade();
    EXPECT_TRUE(f.window.Boxes().empty());
    EXPECT_EQ(f.dlg.m_strStatus, "Idle");
    EXPECT_TRUE(f.bControlsDisabledDuringRun);
    f.ExpectReadyForAnotherRun();
    EXPECT_FALSE(f.Commanded("reboot"));
}

TEST(IpRun, TextIsCutAtItsFirstNulAndTraced) {
    MiniOptions options;
    options.strForeignText = std::string("Hello\0SAT> ", 11);
    CRunFixture f(options);
    f.window.nGraceMs = 5;
    f.Upgrade();
    // "SAT" lay after the NUL: never seen, so the line only fell silent.
    EXPECT_EQ(f.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
    const auto& trace = f.window.debug;
    EXPECT_NE(std::find(trace.begin(), trace.end(), "Recv: \r\nHello\n"), trace.end());
    for (const auto& line : trace)
        EXPECT_EQ(line.find("SAT"), std::string::npos);
    f.ExpectReadyForAnotherRun();
}

TEST(IpRun, SilenceDuringTheLoginTimesOutAndReleasesEverything) {
    for (const char* pszSilentFrom : {"root", "reboot"}) {
        SCOPED_TRACE(pszSilentFrom);
        MiniOptions options;
        options.strSilentFrom = pszSilentFrom;
        CRunFixture f(options);
        f.window.nGraceMs = 5;
        f.window.QueuePasswordAnswer(IDOK, "8484");
        f.Upgrade();
        EXPECT_EQ(f.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
        EXPECT_EQ(f.dlg.m_strStatus, "Connection not Established");
        f.ExpectReadyForAnotherRun();
    }
}

TEST(IpRun, WholeRunWithOutputInRandomFragments) {
    MiniOptions options;
    options.bFragments = true;
    options.nSeed = 5;
    CRunFixture f(options);
    f.window.QueuePasswordAnswer(IDOK, "8484");
    f.Upgrade();
    EXPECT_TRUE(f.bControlsDisabledDuringRun);
    EXPECT_EQ(f.BoxTexts(), std::vector<std::string>{"Upload Complete!"});
    EXPECT_EQ(f.dlg.m_strStatus, "Idle");
    const EmbeddedImage* pImage = FindEmbeddedImage("SREC_FILESYSTEM");
    ASSERT_NE(pImage, nullptr);
    const std::string image(reinterpret_cast<const char*>(pImage->pData),
                            static_cast<size_t>(pImage->nSize));
    EXPECT_TRUE(f.module->Flash() == image) << "flash differs from the image";
    EXPECT_TRUE(f.module->Verified());
    EXPECT_TRUE(f.module->Booted());
    f.ExpectReadyForAnotherRun();
}
