// Whole runs of the test variant of ktr84-upgrade: a Transceiver upgraded
// against the simulator on a line paced like a UART, with the --json summary
// read back, and runs that end before a module is reached.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>

#include "ChildProcess.h"
#include "sim/ModuleSim.h"
#include "testing/ShortImages.h"

namespace fs = std::filesystem;

namespace {
struct Finished {
    int nExit = -1;
    std::string strOut, strErr;
};

// Runs the program with stdin from /dev/null (no terminal to ask on) and its
// records in a folder of the test's own.
class ConsoleRun : public ::testing::Test {
protected:
    Finished Run(std::vector<std::string> args) {
        args.insert(args.begin(), KTR84_UPGRADE_TESTING);
        CChildProcess child;
        Finished done;
        EXPECT_TRUE(child.Start(args, {"XDG_STATE_HOME=" + (m_dir / "state").string()},
                                m_dir / "stdout", m_dir / "stderr"))
            << args[0];
        done.nExit = child.Wait();
        done.strOut = ReadFile(m_dir / "stdout");
        done.strErr = ReadFile(m_dir / "stderr");
        return done;
    }

    static QJsonObject Summary(const Finished& done) {
        EXPECT_FALSE(done.strOut.empty()) << done.strErr;
        EXPECT_EQ(done.strOut.find('\n'), done.strOut.size() - 1) << "one line on stdout";
        QJsonParseError error{};
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray::fromStdString(done.strOut), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << done.strOut;
        return doc.object();
    }

    CTempFolder m_folder{std::string("cli-") +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const fs::path& m_dir = m_folder.Path();
};

TEST_F(ConsoleRun, ATransceiverIsUpgradedAndTheSummaryTellsIt) {
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.dFlashWriteSeconds = 0.2;
    options.dRestartWindowSeconds = 5.0; // a loaded test machine is slow to answer
    options.strTranscriptFile = (m_dir / "transcript").string();
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());

    const Finished done = Run({"--module", "transceiver", "--port", sim.DevicePath(), "--json"});
    EXPECT_EQ(done.nExit, 0) << done.strErr;
    const QJsonObject o = Summary(done);
    EXPECT_EQ(o["outcome"].toString(), "complete");
    EXPECT_EQ(o["exit_code"].toInt(), 0);
    EXPECT_EQ(o["module"].toString(), "Transceiver");
    EXPECT_EQ(o["port"].toString().toStdString(), sim.DevicePath());
    EXPECT_EQ(o["device"].toString().toStdString(), sim.DevicePath());
    EXPECT_EQ(o["login_baud"].toInt(), 9600);
    EXPECT_EQ(o["upload_baud"].toInt(), 115200);
    EXPECT_EQ(o["message"].toString(), "Upload Complete!");
    EXPECT_GT(o["upload_seconds"].toDouble(), 0.0);
    EXPECT_GE(o["total_seconds"].toDouble(),
              o["login_seconds"].toDouble() + o["upload_seconds"].toDouble());

    // Every line of the short image reached the module and was written.
    const CShortLegacyImages images;
    const std::vector<std::string> lines = images.Lines("SREC_TRAN");
    EXPECT_EQ(sim.MergeLines(), lines);
    EXPECT_TRUE(sim.MergeWritten());
    size_t nImageBytes = 0;
    for (const auto& line : lines)
        nImageBytes += line.size();
    EXPECT_GT(o["bytes_sent"].toInteger(), static_cast<qint64>(nImageBytes));

    // The record is where the summary says, and names the outcome.
    const std::string strRecord = o["record"].toString().toStdString();
    ASSERT_TRUE(fs::exists(strRecord)) << strRecord;
    EXPECT_EQ(fs::path(strRecord).parent_path(), m_dir / "state" / "ktr84-upgrader");
    EXPECT_NE(ReadFile(strRecord).find("complete"), std::string::npos);

    EXPECT_NE(done.strErr.find("ktr84-upgrade-testing: Upload Complete!"), std::string::npos)
        << done.strErr;
    EXPECT_NE(done.strErr.find("\nEntering Bootloader...\n"), std::string::npos)
        << "one line per status: " << done.strErr;
}

TEST_F(ConsoleRun, TheCableOnAnotherModuleEndsWithItsCode) {
    SimOptions options;
    options.module = SimModule::Transceiver;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    const Finished done = Run({"--module", "controller", "--port", sim.DevicePath(), "--json"});
    EXPECT_EQ(done.nExit, 3) << done.strErr;
    EXPECT_EQ(Summary(done)["outcome"].toString(), "wrong-cable");
    EXPECT_EQ(Summary(done)["upload_baud"].toInt(), 0);
}

// The password from the file is given once; the module refusing it again
// ends the run as a failed log-in instead of repeating the refusal.
TEST_F(ConsoleRun, AWrongPasswordFromAFileIsAFailedLogIn) {
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.bConsoleLoginRequired = true;
    options.strConsolePassword = "right";
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    std::ofstream(m_dir / "password") << "wrong\n";

    const Finished done = Run({"--module", "transceiver", "--port", sim.DevicePath(),
                               "--password-file", (m_dir / "password").string(), "--json"});
    EXPECT_EQ(done.nExit, 4) << done.strErr;
    EXPECT_EQ(Summary(done)["outcome"].toString(), "login-failed");
    size_t nWrong = 0;
    for (const auto& entry : sim.Transcript())
        nWrong += entry.strCommand == "wrong";
    EXPECT_EQ(nWrong, 1u) << "the refused password is not sent again";
    EXPECT_FALSE(sim.MergeWritten());

    std::ofstream(m_dir / "password") << "right\n";
    const Finished again = Run({"--module", "transceiver", "--port", sim.DevicePath(),
                                "--password-file", (m_dir / "password").string()});
    EXPECT_EQ(again.nExit, 0) << again.strErr;
    EXPECT_TRUE(again.strOut.empty()) << "no --json, nothing on stdout";
    EXPECT_TRUE(sim.MergeWritten());
}

TEST_F(ConsoleRun, APortThatIsNotThereIsNotOpened) {
    const std::string strPort = (m_dir / "no-such-port").string();
    const Finished done = Run({"--module", "ip", "--port", strPort, "--json"});
    EXPECT_EQ(done.nExit, 8) << done.strErr;
    const QJsonObject o = Summary(done);
    EXPECT_EQ(o["outcome"].toString(), "port-not-opened");
    EXPECT_EQ(o["device"].toString().toStdString(), strPort);
    EXPECT_EQ(o["login_baud"].toInt(), 0);
    EXPECT_EQ(o["bytes_sent"].toInt(), 0);
    EXPECT_EQ(o["message"].toString().left(27), "Unable to open serial port.");
    EXPECT_NE(done.strErr.find("Unable to open serial port."), std::string::npos);
}

TEST_F(ConsoleRun, BadOptionsEndBeforeAnyRun) {
    const Finished done = Run({"--module", "transceiver", "--port", "COM1", "--baud", "300"});
    EXPECT_EQ(done.nExit, 2);
    EXPECT_TRUE(done.strOut.empty()) << "nothing on stdout, also without --json";
    EXPECT_NE(done.strErr.find("--baud 300"), std::string::npos) << done.strErr;
    EXPECT_FALSE(fs::exists(m_dir / "state")) << "no run, no record";
    EXPECT_EQ(Run({"--module", "transceiver"}).nExit, 2);
    EXPECT_EQ(Run({"--port", "COM1", "--password-file", (m_dir / "none").string()}).nExit, 2);
}

TEST_F(ConsoleRun, HelpGoesToStdout) {
    const Finished done = Run({"--help"});
    EXPECT_EQ(done.nExit, 0);
    EXPECT_NE(done.strOut.find("Exit codes:"), std::string::npos);
    EXPECT_TRUE(done.strErr.empty());
}
} // namespace
