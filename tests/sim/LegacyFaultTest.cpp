// The legacy models' fault switches.

#include "LegacyTestSteps.h"
#include "SimClient.h"
#include "TestImage.h"
#include "sim/ModuleSim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

bool Contains(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != std::string::npos;
}

class LegacyFault : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(BuildTestImage(1500, m_image)); }

    void StartAtMergeInput(SimOptions options) {
        options.dFlashWriteSeconds = 0.05;
        options.dRestartWindowSeconds = 0.6;
        m_pSim = std::make_unique<CModuleSim>(options);
        ASSERT_TRUE(m_pSim->Start());
        m_pClient = std::make_unique<CSimClient>(m_pSim->DevicePath());
        ResetIntoBootLoader(*m_pClient);
        LogInToBootLoader(*m_pClient);
        m_pClient->Send("9\r");
        m_pClient->ReadUntil("selection");
        m_pClient->Send("u\r");
        m_pClient->ReadUntil("S Record input..");
    }

    TestImage m_image;
    std::unique_ptr<CModuleSim> m_pSim;
    std::unique_ptr<CSimClient> m_pClient;
};

} // namespace

TEST_F(LegacyFault, MergeFailureIsReportedAndTheMenuReturnsOnTheNextCommand) {
    SimOptions options;
    options.bMergeFailure = true;
    options.nMergeFailureLine = 3;
    StartAtMergeInput(options);
    SendRecords(*m_pClient, m_image.lines);
    EXPECT_TRUE(Contains(m_pClient->ReadUntil("FAILURE"), "FAILURE"));
    m_pClient->Send("r\r");
    EXPECT_TRUE(Contains(m_pClient->ReadUntil("selection"), "MERGE"));
    EXPECT_FALSE(m_pSim->MergeWritten());
    EXPECT_EQ(m_pSim->MergeLines().size(), 3u);
}

TEST_F(LegacyFault, RecordWithBadChecksumIsRefused) {
    StartAtMergeInput(SimOptions{});
    std::vector<std::string> lines = m_image.lines;
    std::string& strLine = lines[2];
    strLine[strLine.size() - 1] = strLine[strLine.size() - 1] == '0' ? '1' : '0';
    SendRecords(*m_pClient, lines);
    std::string strText = m_pClient->ReadUntil("FAILURE: bad S-record at line 3");
    EXPECT_TRUE(Contains(strText, "line 3")) << Visible(strText);
    m_pClient->Send("\r");
    EXPECT_TRUE(Contains(m_pClient->ReadUntil("selection"), "MERGE"));
    EXPECT_FALSE(m_pSim->MergeWritten());
}

TEST_F(LegacyFault, FlashWriteErrorAfterTheUpload) {
    SimOptions options;
    options.bFlashWriteFailure = true;
    StartAtMergeInput(options);
    SendRecords(*m_pClient, m_image.lines);
    m_pClient->Send("\r\r");
    std::string strText = m_pClient->ReadUntil("selection");
    EXPECT_TRUE(Contains(strText, "FAILURE")) << Visible(strText);
    EXPECT_TRUE(Contains(strText, "MERGE")) << Visible(strText);
    EXPECT_FALSE(m_pSim->MergeWritten());
}

TEST(LegacySilence, NothingFromTheChosenStepOn) {
    SimOptions options;
    options.strSilentFrom = "menu";
    options.dRestartWindowSeconds = 0.6;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    ResetIntoBootLoader(client);
    client.Send("root\r");
    client.ReadUntil("Passwd > ");
    client.Send("vexa\r");
    EXPECT_EQ(client.ReadUntil("\r\n"), "\r\n"); // the end of the password line
    EXPECT_EQ(client.ReadFor(300), "");          // then nothing
    client.Send("b\r");
    // The module still listens, and says nothing.
    for (int i = 0;
         i < 800 && (sim.Transcript().empty() || sim.Transcript().back().strCommand != "b"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_FALSE(sim.Transcript().empty());
    EXPECT_EQ(sim.Transcript().back().strCommand, "b");
    EXPECT_EQ(client.ReadFor(300), "");
}

TEST(LegacySilence, RejectedBootLogInEveryTime) {
    SimOptions options;
    options.bRejectBootLogin = true;
    options.dRestartWindowSeconds = 0.6;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    ResetIntoBootLoader(client);
    for (int i = 0; i < 2; ++i) {
        client.Send("root\r");
        client.ReadUntil("Passwd > ");
        client.Send("vexa\r");
        std::string strText = client.ReadUntil("Login > ");
        EXPECT_TRUE(Contains(strText, "Incorrect")) << Visible(strText);
        EXPECT_FALSE(Contains(strText, "selection")) << Visible(strText);
    }
}
