// The IP-Enabled Controller's fault switches.

#include "IpTestSteps.h"

#include <gtest/gtest.h>

namespace {

class IpFault : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(BuildTestImage(3000, m_image)); }
    void Start(const SimOptions& options) {
        m_pSim = std::make_unique<CModuleSim>(options);
        ASSERT_TRUE(m_pSim->Start());
        m_pClient = std::make_unique<CSimClient>(m_pSim->DevicePath());
    }

    TestImage m_image;
    std::unique_ptr<CModuleSim> m_pSim;
    std::unique_ptr<CSimClient> m_pClient;
};

} // namespace

TEST_F(IpFault, WithoutLoadsEchoOnlyDotsAndTheSummary) {
    SimOptions options = FastIpAtMonitor();
    options.bNoLoadsEcho = true;
    Start(options);
    std::string strText = LoadImage(*m_pClient, m_image);
    EXPECT_FALSE(Contains(strText, m_image.lines[1])) << Visible(strText);
    // One dot per hundred records, where each CR LF line counts as two: the
    // image's lines, fewer than a hundred, make one.
    EXPECT_TRUE(Contains(strText, "\r\n.\r\n## First Load Addr")) << Visible(strText);
    EXPECT_EQ(m_pSim->ReadMemory(0x10000, static_cast<uint32_t>(m_image.image.size())),
              m_image.image);
}

TEST_F(IpFault, CorruptedByteDuringLoadsGivesBadData) {
    SimOptions options = FastIpAtMonitor();
    options.bCorruptLoadsByte = true;
    Start(options);
    LoadImage(*m_pClient, m_image);
    std::string strText = Command(*m_pClient, "imi 10000\r");
    EXPECT_TRUE(Contains(strText, "   Verifying Checksum ...    Bad Data CRC\r\n=> "))
        << Visible(strText);
    EXPECT_FALSE(Contains(strText, "OK"));
}

TEST_F(IpFault, CorruptedHeaderGivesBadHeader) {
    SimOptions options = FastIpAtMonitor();
    options.bCorruptHeader = true;
    Start(options);
    LoadImage(*m_pClient, m_image);
    EXPECT_EQ(Command(*m_pClient, "imi 10000\r"),
              "imi 10000\r\n\r\n## Checking Image at 00010000 ...\r\n   Legacy image found\r\n"
              "   Bad Header Checksum\r\n=> ");
}

TEST_F(IpFault, BadRecordAbortsTheDownloadAndTheRestBecomesCommands) {
    Start(FastIpAtMonitor());
    std::string strBad = m_image.lines[3];
    strBad.back() = strBad.back() == '0' ? '1' : '0';
    m_pClient->Send("loads 10000\r");
    m_pClient->ReadUntil("download ...\r\n");
    m_pClient->Send(m_image.lines[1] + "\r\n" + strBad + "\r\n");
    std::string strText = m_pClient->ReadUntil("=> ");
    EXPECT_TRUE(Contains(strText, "## S-Record download aborted\r\n=> ")) << Visible(strText);
    strText = Command(*m_pClient, m_image.lines[4] + "\r");
    EXPECT_TRUE(Contains(strText, "Unknown command '" + m_image.lines[4] + "' - try 'help'"))
        << Visible(strText);
    EXPECT_EQ(Command(*m_pClient, "echo $(filesize)\r"), "echo $(filesize)\r\n\r\n=> ");
}

TEST_F(IpFault, FlashWriteError) {
    SimOptions options = FastIpAtMonitor();
    options.bFlashWriteFailure = true;
    Start(options);
    LoadImage(*m_pClient, m_image);
    Command(*m_pClient, "erase 400E0000 4031ffff\r");
    EXPECT_EQ(
        Command(*m_pClient, "cp.b 10000 400E0000 $(filesize) \r"),
        "cp.b 10000 400E0000 $(filesize) \r\nCopy to Flash... Timeout writing to Flash\r\n=> ");
    EXPECT_TRUE(Contains(Command(*m_pClient, "imi 400E0000\r"), "Bad Data CRC"));
}

TEST_F(IpFault, SilentFromLoads) {
    SimOptions options = FastIpAtMonitor();
    options.strSilentFrom = "loads";
    Start(options);
    EXPECT_EQ(Command(*m_pClient, "echo\r"), "echo\r\n\r\n=> ");
    m_pClient->Send("loads 10000\r");
    // The line's echo comes before the command runs; then nothing.
    EXPECT_EQ(m_pClient->ReadUntil("\r\n"), "loads 10000\r\n");
    EXPECT_EQ(m_pClient->ReadFor(300), "");
}

TEST_F(IpFault, WrongPasswordAtStartIsRejected) {
    SimOptions options = FastIpAtMonitor();
    options.ipStart = SimIpStart::Password;
    Start(options);
    m_pClient->Send("\r"); // an empty password
    std::string strText = m_pClient->ReadUntil("login: ");
    EXPECT_TRUE(Contains(strText, "Login incorrect\r\n")) << Visible(strText);
}
