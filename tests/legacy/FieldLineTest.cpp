// Whole legacy runs against the module simulator on lines that deliver the
// module's texts as the field does: paced like a UART, through a USB adapter
// whose latency timer holds bytes for 16 ms, and in random fragments. The
// console log-in runs at the real 9600 pace; short images keep the uploads
// (at the chosen rate, paced too) to seconds.
#include <map>

#include <gtest/gtest.h>

#include "testing/LineLoss.h"
#include "testing/ShortImages.h"
#include "testing/TranscriptText.h"
#include "tests/legacy/SimRig.h"

namespace {
enum class Delivery { Uart, UsbBursts, Fragments };

struct FieldCase {
    ModuleKind kind;
    Delivery delivery;
    const char* pszBaud;
    bool bDest; // the console asks for a "Dest" before its log-in
};

std::string Name(const ::testing::TestParamInfo<FieldCase>& info) {
    static const char* const kDelivery[] = {"Uart", "UsbBursts", "Fragments"};
    return std::string(info.param.kind == Transceiver ? "Transceiver" : "Controller") +
           kDelivery[static_cast<int>(info.param.delivery)] + info.param.pszBaud +
           (info.param.bDest ? "Dest" : "");
}

SimOptions FieldSim(SimModule module, Delivery delivery) {
    SimOptions options = QuickSim(module);
    options.nUsbLatencyMs = delivery == Delivery::UsbBursts ? 16 : 0;
    options.bRandomFragments = delivery == Delivery::Fragments;
    return options;
}

// Each answer at its own prompt: how often the module took each text at its
// log-in prompts ("Dest", "Login", "Passwd").
std::map<std::string, int> Answers(const std::vector<SimTranscriptEntry>& transcript) {
    std::map<std::string, int> out;
    for (const auto& e : transcript)
        if (e.strPrompt == "Dest" || e.strPrompt == "Login" || e.strPrompt == "Passwd")
            ++out[e.strPrompt + ":" + e.strCommand];
    return out;
}

void ExpectUpgraded(CSimRig& rig, ModuleKind kind) {
    const char* pszImage = kind == Transceiver ? "SREC_TRAN" : "SREC_ADI_CTRL";
    EXPECT_TRUE(rig.pSim->MergeLines() == rig.pShort->Lines(pszImage))
        << TranscriptText(rig.pSim->Transcript());
    EXPECT_TRUE(rig.pSim->MergeWritten());
    EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Complete!");
    EXPECT_EQ(rig.window.Statuses().back(), "Idle");
    EXPECT_TRUE(rig.Released());
}

class FieldLine : public ::testing::TestWithParam<FieldCase> {};

// The console asks for a log-in. The first run meets it with nothing known
// (a CR at "Login", one at "Passwd", and at "Dest" where asked), asks the
// operator once and logs in; the next module of the day is logged into with
// the stored pair, without asking.
TEST_P(FieldLine, LogsInOnceAndUpgradesTwoModules) {
    const FieldCase& c = GetParam();
    SimOptions options = FieldSim(
        c.kind == Transceiver ? SimModule::Transceiver : SimModule::Controller, c.delivery);
    options.bConsoleLoginRequired = true;
    options.strConsolePassword = "4711";
    options.bConsoleDest = c.bDest;
    CLegacySimRig rig(options, c.kind, c.pszBaud);
    rig.UseShortImages();
    ASSERT_TRUE(rig.bStarted);
    rig.window.QueuePasswordAnswer(IDOK, "4711");
    rig.dlg.OnUpgrade();
    std::map<std::string, int> first = {
        {"Login:", 1}, {"Passwd:", 1}, {"Login:field", 1}, {"Passwd:4711", 1}};
    if (c.bDest)
        first["Dest:"] = 2;
    EXPECT_EQ(Answers(rig.pSim->Transcript()), first) << TranscriptText(rig.pSim->Transcript());
    EXPECT_EQ(rig.Prompts(), 1u);
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    ExpectUpgraded(rig, c.kind);

    rig.NewModule(options);
    rig.dlg.OnUpgrade();
    std::map<std::string, int> second = {{"Login:field", 1}, {"Passwd:4711", 1}};
    if (c.bDest)
        second["Dest:"] = 1;
    EXPECT_EQ(Answers(rig.pSim->Transcript()), second) << TranscriptText(rig.pSim->Transcript());
    EXPECT_EQ(rig.Prompts(), 1u);
    ASSERT_EQ(rig.window.Boxes().size(), 2u);
    ExpectUpgraded(rig, c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FieldLine,
    ::testing::Values(FieldCase{Transceiver, Delivery::Uart, "115200", false},
                      FieldCase{Controller, Delivery::Uart, "38400", true},
                      FieldCase{Transceiver, Delivery::UsbBursts, "115200", false},
                      FieldCase{Controller, Delivery::UsbBursts, "38400", true},
                      FieldCase{Transceiver, Delivery::Fragments, "115200", false},
                      FieldCase{Controller, Delivery::Fragments, "38400", false}),
    Name);

// Without application code the boot loader's recovery menu answers the wake-up
// CR; the reboot letter is the next thing the module receives, whatever the
// operator then answers: OK upgrades, Cancel aborts before the upload.
TEST(FieldLineNoApplicationCode, OneCarriageReturnBeforeTheReboot) {
    const std::pair<ModuleKind, int> answers[] = {
        {Transceiver, IDOK}, {Transceiver, IDCANCEL}, {Controller, IDCANCEL}};
    for (const auto& [kind, nAnswer] : answers) {
        for (Delivery delivery : {Delivery::UsbBursts, Delivery::Fragments}) {
            SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(nAnswer) + " " +
                         std::to_string(static_cast<int>(delivery)));
            SimOptions options = FieldSim(
                kind == Transceiver ? SimModule::Transceiver : SimModule::Controller, delivery);
            options.bNoApplicationCode = true;
            CLegacySimRig rig(options, kind);
            rig.UseShortImages();
            ASSERT_TRUE(rig.bStarted);
            rig.window.QueueBoxAnswer(nAnswer);
            rig.dlg.OnUpgrade();

            const auto transcript = rig.pSim->Transcript();
            ASSERT_GE(transcript.size(), 2u) << TranscriptText(transcript);
            EXPECT_EQ(transcript[0].strCommand, "") << TranscriptText(transcript);
            EXPECT_EQ(transcript[1].strCommand, "r") << TranscriptText(transcript);
            const auto boxes = rig.window.Boxes();
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_EQ(boxes[0].strCaption, "WARNING: No Application Code Present");
            EXPECT_EQ(boxes[1].strText, nAnswer == IDOK ? "Upload Complete!" : "Upgrade aborted");
            EXPECT_EQ(rig.pSim->MergeWritten(), nAnswer == IDOK);
            EXPECT_EQ(rig.pSim->MergeLines().empty(), nAnswer == IDCANCEL);
            EXPECT_EQ(rig.window.Statuses().back(), "Idle");
            EXPECT_TRUE(rig.Released());
        }
    }
}

// The module's end of the line closes part way through the upload, as when a
// USB adapter is pulled: the run ends at once, says so, and lets go of the port.
TEST(FieldLineVanished, MidUploadEndsTheRunAtOnce) {
    CLegacySimRig rig(FieldSim(SimModule::Transceiver, Delivery::UsbBursts), Transceiver);
    rig.UseShortImages(2000);
    ASSERT_TRUE(rig.bStarted);
    CLineLoss loss;
    loss.PullAt(rig.window, "Uploading 5 of ", [&] { rig.pSim->Stop(); });
    rig.dlg.OnUpgrade();
    EXPECT_EQ(loss.Misreport(rig.BoxTexts(), rig.window.Statuses().back()), "")
        << ::testing::PrintToString(rig.window.Statuses());
    ASSERT_FALSE(rig.window.Boxes().empty());
    EXPECT_EQ(rig.window.Boxes()[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(rig.Released());
}
} // namespace
