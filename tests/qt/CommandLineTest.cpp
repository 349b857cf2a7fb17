// The upgrader's command line: the program as a user calls it (help, version,
// refusals, without a display) and the preselection in a real window.
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRadioButton>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <unistd.h>

#include "EnvFolder.h"
#include "common/SimAnnouncement.h"
#include "dialog/UpgraderDlg.h"
#include "line/SComDoc.h"
#include "qt/CommandLine.h"
#include "qt/QtWindow.h"

namespace {
struct Outcome {
    int nExitCode = -1;
    QString strOut;
    QString strErr;
};

// Runs the built program with no display of any kind.
Outcome RunUpgrader(const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* pszName : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(pszName);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(KTR84_UPGRADER_BIN, arguments);
    Outcome outcome;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return outcome;
    outcome.nExitCode = process.exitCode();
    outcome.strOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.strErr = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

void ExpectRefused(const QStringList& arguments, const QString& strWords) {
    const Outcome outcome = RunUpgrader(arguments);
    EXPECT_EQ(outcome.nExitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(outcome.strOut.isEmpty()) << outcome.strOut.toStdString();
    EXPECT_TRUE(outcome.strErr.startsWith("ktr84-upgrader: ")) << outcome.strErr.toStdString();
    EXPECT_TRUE(outcome.strErr.contains(strWords)) << outcome.strErr.toStdString();
    EXPECT_EQ(outcome.strErr.count('\n'), 1) << outcome.strErr.toStdString();
}

CommandLineResult Parse(QStringList arguments) {
    arguments.prepend("ktr84-upgrader");
    return ParseCommandLine(arguments);
}
} // namespace

TEST(UpgraderProgram, HelpListsTheOptionsWithoutADisplay) {
    const Outcome outcome = RunUpgrader({"--help"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.strErr.toStdString();
    EXPECT_TRUE(outcome.strOut.startsWith("Usage: ktr84-upgrader")) << outcome.strOut.toStdString();
    for (const char* pszOption : {"--help", "--version", "--module", "--port", "--baud"})
        EXPECT_TRUE(outcome.strOut.contains(pszOption)) << pszOption;
    EXPECT_TRUE(outcome.strErr.isEmpty()) << outcome.strErr.toStdString();
}

TEST(UpgraderProgram, VersionPrintsTheToolsVersion) {
    const Outcome outcome = RunUpgrader({"--version"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.strErr.toStdString();
    // The version, then the checkout's git description when it was built from one.
    EXPECT_TRUE(QRegularExpression(R"(^ktr84-upgrader 3\.18( \([^()\n]+\))?\n$)")
                    .match(outcome.strOut)
                    .hasMatch())
        << outcome.strOut.toStdString();
}

TEST(UpgraderProgram, RefusesAnUnknownModule) {
    ExpectRefused({"--module", "modem"}, "unknown module 'modem'");
}

TEST(UpgraderProgram, RefusesARateTheModulesListDoesNotOffer) {
    ExpectRefused({"--baud", "4800"}, "unknown rate '4800'");
    // 57600 is offered for the IP Controller only.
    ExpectRefused({"--module", "controller", "--baud", "57600"}, "unknown rate '57600'");
}

TEST(UpgraderProgram, RefusesAnUnknownOptionAndStrayArguments) {
    ExpectRefused({"--speed", "9600"}, "speed");
    ExpectRefused({"COM2"}, "unexpected argument 'COM2'");
    ExpectRefused({"--port"}, "--port");
}

TEST(CommandLineParsing, NoArgumentsKeepsEveryDefault) {
    const CommandLineResult result = Parse({});
    EXPECT_EQ(result.action, CommandLineAction::Run);
    EXPECT_FALSE(result.choices.module.has_value());
    EXPECT_TRUE(result.choices.strPort.isEmpty());
    EXPECT_TRUE(result.choices.strBaud.isEmpty());
}

TEST(CommandLineParsing, ReadsEveryChoice) {
    const CommandLineResult result =
        Parse({"--module=ip", "--baud", "57600", "--port", "/tmp/sim/ip-12"});
    ASSERT_EQ(result.action, CommandLineAction::Run) << result.strText.toStdString();
    EXPECT_EQ(result.choices.module, IpController);
    EXPECT_EQ(result.choices.strBaud, "57600");
    EXPECT_EQ(result.choices.strPort, "/tmp/sim/ip-12");
    EXPECT_EQ(Parse({"--module", "controller"}).choices.module, Controller);
    EXPECT_EQ(Parse({"--module", "transceiver", "--baud", "9600"}).choices.module, Transceiver);
}

TEST(CommandLineParsing, HelpWinsOverChoices) {
    EXPECT_EQ(Parse({"--module", "ip", "-h"}).action, CommandLineAction::Help);
    EXPECT_EQ(Parse({"--version"}).action, CommandLineAction::Version);
    EXPECT_EQ(Parse({"--module", "IP"}).action, CommandLineAction::Error);
}

namespace {
class PreselectTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetPortSource([this] { return extraPorts; });
        window.InitDialog(dlg);
    }
    QComboBox* List(int nId) { return qobject_cast<QComboBox*>(window.Control(nId)); }
    bool Checked(int nId) {
        return qobject_cast<QAbstractButton*>(window.Control(nId))->isChecked();
    }
    bool Enabled(int nId) { return window.Control(nId)->isEnabled(); }

    std::vector<std::string> extraPorts{"ttyUSB0"};
    CQtWindow window;
    CUpgraderDlg dlg{window};
};
} // namespace

TEST_F(PreselectTest, IpModuleRateAndPortAsIfClicked) {
    const CommandLineResult result = Parse({"--module", "ip", "--baud", "115200", "--port", "X"});
    ASSERT_EQ(result.action, CommandLineAction::Run);
    EXPECT_TRUE(PreselectChoices(result.choices, window));

    EXPECT_TRUE(Checked(ctl::kIpController));
    EXPECT_FALSE(Checked(ctl::kTransceiver));
    EXPECT_EQ(dlg.m_nModuleKind, IpController);
    for (int nId : {ctl::kBootloader, ctl::kKernel, ctl::kFilesystem})
        EXPECT_TRUE(Enabled(nId)) << nId;
    EXPECT_EQ(List(ctl::kBaudList)->count(), 5);
    EXPECT_EQ(List(ctl::kBaudList)->currentText(), "115200");
    EXPECT_EQ(List(ctl::kComList)->currentText(), "X");
    EXPECT_EQ(window.GetControlText(ctl::kComList), "X");
    // The added port survives the list being brought up to date on opening.
    window.RefreshPortList();
    EXPECT_EQ(List(ctl::kComList)->currentText(), "X");
    EXPECT_EQ(List(ctl::kComList)->findText("ttyUSB0"), 4);
    EXPECT_EQ(List(ctl::kComList)->count(), 6);
}

TEST_F(PreselectTest, ControllerWithALowRateOnAnOfferedPort) {
    ASSERT_TRUE(PreselectChoices(
        Parse({"--module", "controller", "--baud", "19200", "--port", "COM3"}).choices, window));
    EXPECT_TRUE(Checked(ctl::kController));
    EXPECT_EQ(dlg.m_nModuleKind, Controller);
    EXPECT_EQ(window.GetControlText(ctl::kDescription), dlg.m_strControllerDesc);
    EXPECT_FALSE(Enabled(ctl::kKernel));
    EXPECT_EQ(List(ctl::kBaudList)->currentText(), "19200");
    EXPECT_EQ(List(ctl::kComList)->currentText(), "COM3");
    EXPECT_EQ(List(ctl::kComList)->count(), 5); // nothing added
}

namespace {
struct PortChoice {
    const char* pszPort;     // as given; "<sims>" stands for SimAnnounceDir()
    const char* pszSelected; // the entry chosen
    int nEntries;            // the list's length after
};
void PrintTo(const PortChoice& c, std::ostream* pOut) {
    *pOut << '"' << c.pszPort << '"';
}

// --port picks the entry that opens the line it names; a port no entry opens
// is added. The list offers an adapter and a running simulator.
class PreselectPortTest : public PreselectTest, public ::testing::WithParamInterface<PortChoice> {
protected:
    PreselectPortTest() { extraPorts = {"ttyUSB0", "Simulated Transceiver (4711)"}; }
    static std::string WithSims(std::string strText) {
        if (const size_t nAt = strText.find("<sims>"); nAt != std::string::npos)
            strText.replace(nAt, 6, SimAnnounceDir());
        return strText;
    }
    CEnvFolder runtime{"XDG_RUNTIME_DIR"};
};
} // namespace

TEST_P(PreselectPortTest, SelectsTheEntryThatOpensThePort) {
    const std::string strPort = WithSims(GetParam().pszPort);
    ASSERT_TRUE(
        PreselectChoices(Parse({"--port", QString::fromStdString(strPort)}).choices, window));
    const std::string strSelected = WithSims(GetParam().pszSelected);
    EXPECT_EQ(List(ctl::kComList)->currentText().toStdString(), strSelected);
    EXPECT_EQ(window.GetControlText(ctl::kComList), strSelected);
    EXPECT_EQ(List(ctl::kComList)->count(), GetParam().nEntries);
    // Brought up to date on opening, the list neither loses nor repeats it.
    window.RefreshPortList();
    EXPECT_EQ(List(ctl::kComList)->currentText().toStdString(), strSelected);
    EXPECT_EQ(List(ctl::kComList)->count(), GetParam().nEntries);
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PreselectPortTest,
    ::testing::Values(PortChoice{"COM3", "COM3", 6}, PortChoice{"/dev/ttyS2", "COM3", 6},
                      PortChoice{"ttyUSB0", "ttyUSB0", 6},
                      PortChoice{"<sims>/transceiver-4711", "Simulated Transceiver (4711)", 6},
                      PortChoice{"Simulated Transceiver (4711)", "Simulated Transceiver (4711)", 6},
                      PortChoice{"<sims>/transceiver-4712", "<sims>/transceiver-4712", 7},
                      PortChoice{"X", "X", 7}));

// scripts/run.sh starts a simulator and opens the window with --port at the
// link the simulator announced: the window, with the machine's own port
// list, chooses that simulator's entry and adds none.
TEST(UpgraderWindow, TheSimulatorsLinkPathChoosesItsEntry) {
    const CEnvFolder runtime("XDG_RUNTIME_DIR");
    CSimAnnouncer announcer("transceiver", "/dev/null");
    ASSERT_TRUE(announcer.Announced());
    CQtWindow window;
    CUpgraderDlg dlg{window};
    window.InitDialog(dlg);
    auto* pList = qobject_cast<QComboBox*>(window.Control(ctl::kComList));
    const int nOffered = pList->count();

    ASSERT_TRUE(PreselectChoices(
        Parse({"--module", "transceiver", "--port", QString::fromStdString(announcer.LinkPath())})
            .choices,
        window));
    const std::string strEntry = "Simulated Transceiver (" + std::to_string(getpid()) + ")";
    EXPECT_EQ(pList->currentText().toStdString(), strEntry);
    EXPECT_EQ(pList->count(), nOffered);
    EXPECT_EQ(CSComDoc::DevicePath(window.GetControlText(ctl::kComList)), announcer.LinkPath());
}

TEST_F(PreselectTest, NoChoicesLeaveTheStartState) {
    ASSERT_TRUE(PreselectChoices(Parse({}).choices, window));
    EXPECT_TRUE(Checked(ctl::kTransceiver));
    EXPECT_EQ(dlg.m_nModuleKind, Transceiver);
    EXPECT_EQ(List(ctl::kComList)->currentText(), "COM1");
    EXPECT_EQ(List(ctl::kBaudList)->currentText(), "115200");
    EXPECT_EQ(List(ctl::kBaudList)->count(), 4);
}

TEST_F(PreselectTest, ARateTheListLacksIsReported) {
    CommandLineChoices choices;
    choices.strBaud = "57600"; // the Transceiver's list has no 57600
    EXPECT_FALSE(PreselectChoices(choices, window));
    EXPECT_EQ(List(ctl::kBaudList)->currentText(), "115200");
}
