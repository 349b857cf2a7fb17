#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "firmware/EmbeddedImages.h"
#include "testing/ScaledWindow.h"
#include "testing/SimRig.h"
#include "testing/TranscriptText.h"

// Whole IP-Enabled Controller upgrades pressed in the dialog against the
// module simulator on a pseudo-terminal, without line pacing and with its
// delays cut to a tenth, as the scaled window cuts the upgrader's.
namespace {
const int kAllControls[] = {ctl::kUpgrade,      ctl::kTransceiver, ctl::kController,
                            ctl::kIpController, ctl::kBootloader,  ctl::kKernel,
                            ctl::kFilesystem};
constexpr uint32_t kFlashFileSystem = 0x400E0000;

SimOptions FastIp(SimIpStart start) {
    SimOptions o;
    o.module = SimModule::Ip;
    o.ipStart = start;
    o.bPaceUart = false; // the whole file system image, in seconds
    o.dRebootSeconds = 0.15;
    o.nBootDelaySeconds = 1;
    o.dKernelBootSeconds = 0.2;
    o.dLoginFailDelaySeconds = 0.1;
    o.dEraseSecondsPerSector = 0.01;
    o.dProgramBytesPerSecond = 2e7;
    return o;
}

uint8_t Hex(const std::string& s, size_t at) {
    return static_cast<uint8_t>(std::stoul(s.substr(at, 2), nullptr, 16));
}

// The file system image's data bytes, from address 0 on.
std::vector<uint8_t> FileSystemBinary() {
    const EmbeddedImage* pImage = FindEmbeddedImage("SREC_FILESYSTEM");
    std::vector<uint8_t> out;
    if (!pImage)
        return out;
    const std::string text(reinterpret_cast<const char*>(pImage->pData),
                           static_cast<size_t>(pImage->nSize));
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() < 10 || line[1] != '2')
            continue;
        const size_t nData = Hex(line, 2) - 4u;
        const uint32_t nAddress = (Hex(line, 4) << 16) | (Hex(line, 6) << 8) | Hex(line, 8);
        if (out.size() < nAddress + nData)
            out.resize(nAddress + nData);
        for (size_t i = 0; i < nData; ++i)
            out[nAddress + i] = Hex(line, 10 + 2 * i);
    }
    return out;
}

struct CSimRun : CSimRig {
    explicit CSimRun(SimOptions options, const std::string& strRate = "115200")
        : CSimRig(options, std::make_unique<CScaledWindow>()),
          window(static_cast<CScaledWindow&>(CSimRig::window)), sim(*pSim) {
        // The tool's pauses are scaled down; a module slowed by a loaded or
        // instrumented machine must still have read what was sent before them.
        window.afterSleep = [this] {
            for (int i = 0; i < 300 && sim.PendingInput() > 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        };
        Select(IpController, strRate);
    }
    FlashSequenceStep Step() const { return dlg.m_lasting.m_ip.FlashStep; }

    CScaledWindow& window;
    CModuleSim& sim;

    void Upgrade() {
        ASSERT_TRUE(bStarted);
        dlg.OnUpgrade();
    }

    std::string TranscriptText() const { return ::TranscriptText(sim.Transcript()); }
    void ExpectReadyForAnotherRun() {
        EXPECT_EQ(dlg.m_comm.m_bConnected, 0);
        for (int nId : kAllControls)
            EXPECT_TRUE(window.IsEnabled(nId)) << "control " << nId;
        EXPECT_FALSE(dlg.IsRunning());
    }
    void ExpectComplete() {
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Upload Complete!"});
        EXPECT_EQ(dlg.m_strStatus, "Idle");
        const std::vector<uint8_t> image = FileSystemBinary();
        ASSERT_EQ(image.size(), 0x1EFFF2u);
        EXPECT_TRUE(sim.ReadMemory(kFlashFileSystem, static_cast<uint32_t>(image.size())) == image)
            << "flash at 0x400E0000 differs from the file system image";
        EXPECT_TRUE(Received("imi 400E0000")) << TranscriptText();
        EXPECT_TRUE(Received("cp.b 10000 400E0000 $(filesize) ")) << TranscriptText();
        EXPECT_TRUE(sim.Booted());
        EXPECT_EQ(sim.ModuleBaud(), 9600);
        ExpectReadyForAnotherRun();
    }
};
} // namespace

TEST(IpSimRun, FromLoginWithAWrongPasswordFirst) {
    CSimRun r(FastIp(SimIpStart::Login));
    r.window.QueuePasswordAnswer(IDOK, "wrong");
    r.window.QueuePasswordAnswer(IDOK, "8484");
    r.Upgrade();
    r.ExpectComplete();
    int nPrompts = 0;
    for (const auto& e : r.window.events)
        nPrompts += e.kind == ShownEvent::Prompt;
    EXPECT_EQ(nPrompts, 2);
    EXPECT_TRUE(r.Received("setenv baudrate 115200"));
}

TEST(IpSimRun, FromPasswordPrompt) {
    CSimRun r(FastIp(SimIpStart::Password));
    r.window.QueuePasswordAnswer(IDOK, "8484");
    r.Upgrade();
    r.ExpectComplete();
}

TEST(IpSimRun, FromShell) {
    CSimRun r(FastIp(SimIpStart::Shell));
    r.Upgrade();
    r.ExpectComplete();
    EXPECT_TRUE(r.Received("reboot"));
}

TEST(IpSimRun, FromMonitorAt57600) {
    CSimRun r(FastIp(SimIpStart::Monitor), "57600");
    int32_t nToolBaud = 0, nModuleBaud = 0;
    r.window.onPump = [&] {
        if (r.Step() == FlashSequenceStep::SendLines) {
            nToolBaud = r.dlg.m_comm.m_nBaud;
            nModuleBaud = r.sim.ModuleBaud();
        }
    };
    r.Upgrade();
    r.ExpectComplete();
    EXPECT_TRUE(r.Received("setenv baudrate 57600"));
    EXPECT_FALSE(r.Received("reboot"));
    EXPECT_EQ(nToolBaud, 57600);
    EXPECT_EQ(nModuleBaud, 57600);
}

static void ExpectRamCheckFailure(SimOptions o, const char* pszBox) {
    CSimRun r(o);
    r.Upgrade();
    EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{pszBox});
    EXPECT_FALSE(r.Received("erase 400E0000 4031ffff"));
    ASSERT_FALSE(r.sim.Transcript().empty());
    EXPECT_EQ(r.sim.Transcript().back().strCommand, "bootd");
    EXPECT_EQ(r.sim.ModuleBaud(), 9600);
    EXPECT_EQ(r.dlg.m_strStatus, "Idle");
    EXPECT_EQ(r.Step(), FlashSequenceStep::LoadImage);
    r.ExpectReadyForAnotherRun();
}

TEST(IpSimRun, RamCheckBadHeaderBootsTheModuleAgainAtStandardRate) {
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.bCorruptHeader = true;
    ExpectRamCheckFailure(o, "Upload Failed: RAM -> Bad image header");
}

TEST(IpSimRun, RamCheckBadDataBootsTheModuleAgainAtStandardRate) {
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.bCorruptLoadsByte = true;
    ExpectRamCheckFailure(o, "Upload Failed: RAM -> Bad image data");
}

TEST(IpSimRun, CableOnALegacyModule) {
    // The Transceiver's console prompt is "BSR> ", the Controller's "SAT> ".
    struct Case {
        SimModule module;
        const char* pszBox;
    } cases[] = {
        {SimModule::Transceiver, "Cable possibly plugged into Transceiver Module.  Ensure cable "
                                 "is plugged into an IP-Enabled Controller Module."},
        {SimModule::Controller, "Cable not plugged into an IP-Enabled Controller."},
    };
    for (const auto& c : cases) {
        SimOptions o = FastIp(SimIpStart::Login);
        o.module = c.module;
        CSimRun r(o);
        r.Upgrade();
        EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{c.pszBox});
        EXPECT_EQ(r.dlg.m_strStatus, "Idle");
        r.ExpectReadyForAnotherRun();
    }
}

TEST(IpSimRun, CancelledPasswordReleasesThePort) {
    CSimRun r(FastIp(SimIpStart::Password));
    bool bLockedDuringRun = true;
    r.window.onPump = [&] {
        for (int nId : kAllControls)
            bLockedDuringRun = bLockedDuringRun && !r.window.IsEnabled(nId);
    };
    r.window.QueuePasswordAnswer(IDCANCEL, "");
    r.Upgrade();
    EXPECT_TRUE(bLockedDuringRun);
    EXPECT_FALSE(r.Received("reboot"));
    EXPECT_TRUE(r.window.Boxes().empty());
    EXPECT_EQ(r.dlg.m_strStatus, "Idle");
    r.ExpectReadyForAnotherRun();
}

TEST(IpSimRun, SilenceEndsTheRunAtAnyStep) {
    for (const char* pszStep : {"password", "reboot", "loads"}) {
        SCOPED_TRACE(pszStep);
        SimOptions o = FastIp(SimIpStart::Login);
        o.strSilentFrom = pszStep;
        CSimRun r(o);
        r.window.nGraceMs = 5;
        r.window.QueuePasswordAnswer(IDOK, "8484");
        r.Upgrade();
        EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
        EXPECT_EQ(r.dlg.m_strStatus, "Connection not Established");
        r.ExpectReadyForAnotherRun();
    }
}

TEST(IpSimRun, SilenceAfterTheFlashWasWrittenStillTimesOut) {
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.strSilentFrom = "bootd";
    CSimRun r(o);
    // Patient until the module falls silent, then quick to count silence.
    r.window.onShown = [&](const ShownEvent& e) {
        if (e.strText == "Booting Controller......")
            r.window.nGraceMs = 5;
    };
    r.Upgrade();
    EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
    EXPECT_EQ(r.dlg.m_strStatus, "Connection not Established");
    EXPECT_TRUE(r.Received("imi 400E0000")) << r.TranscriptText();
    r.ExpectReadyForAnotherRun();
}

TEST(IpSimRun, QuitMidUploadAndTheNextRunBeginsItsImageAfresh) {
    CSimRun r(FastIp(SimIpStart::Monitor));
    bool bAsked = false;
    r.window.onPump = [&] {
        if (!bAsked && r.Step() == FlashSequenceStep::SendLines &&
            r.dlg.m_lasting.m_image.m_nBytesSent > 50000) {
            bAsked = true;
            r.window.QueueBoxAnswer(IDOK);
            r.dlg.OnQuitRequest();
        }
    };
    r.Upgrade();
    EXPECT_TRUE(bAsked);
    EXPECT_TRUE(r.window.QuitPosted());
    EXPECT_EQ(r.Step(), FlashSequenceStep::SendLines);
    EXPECT_TRUE(r.window.Boxes().size() == 1u); // the quit question only
    r.ExpectReadyForAnotherRun();

    // The module still takes records; the next run loads the image again
    // from its first step, and this time the module stays silent from loads.
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.strSilentFrom = "loads";
    CSimRun next(o);
    next.window.nGraceMs = 5;
    next.Upgrade();
    auto statuses = next.window.Statuses();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Loading upgrade data"), statuses.end());
    EXPECT_EQ(next.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
}

// The module's end of the line closes part way through the upload, as when a
// USB adapter is pulled: the run ends at once, says so, and lets go of the port.
TEST(IpSimRun, LineThatVanishesMidUploadEndsTheRunAtOnce) {
    using Clock = std::chrono::steady_clock;
    CSimRun r(FastIp(SimIpStart::Monitor));
    Clock::time_point tGone{};
    std::vector<std::string> after;
    r.window.onShown = [&](const ShownEvent& e) {
        if (tGone == Clock::time_point{} && e.strText.rfind("Uploading 6 of ", 0) == 0) {
            r.sim.Stop();
            tGone = Clock::now();
        } else if (tGone != Clock::time_point{}) {
            after.push_back(e.strText);
        }
    };
    r.Upgrade();
    const double dSeconds = std::chrono::duration<double>(Clock::now() - tGone).count();

    ASSERT_NE(tGone, Clock::time_point{});
    EXPECT_LT(dSeconds, 2.0);
    const auto boxes = r.BoxTexts();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Unable to Connect to Card\nThe serial adapter went away", 0), 0u)
        << boxes[0];
    for (const auto& strText : after)
        EXPECT_EQ(strText.find("complete"), std::string::npos) << strText;
    EXPECT_EQ(r.dlg.m_strStatus, "Connection not Established");
    r.ExpectReadyForAnotherRun();
}
