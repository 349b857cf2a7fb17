// The command line: what is refused, what each option sets, and the help.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/CliOptions.h"
#include "cli/ExitCodes.h"
#include "testing/Environment.h"

namespace {
CliParse Parse(std::vector<std::string> args, CliOptions& o, std::string& strError) {
    return ParseCliOptions(args, o, strError);
}

CliParse Parse(std::vector<std::string> args) {
    CliOptions o;
    std::string strError;
    return ParseCliOptions(args, o, strError);
}

TEST(CliOptions, ModuleAndPortAreRequired) {
    CliOptions o;
    std::string strError;
    EXPECT_EQ(Parse({"--port", "COM1"}, o, strError), CliParse::Error);
    EXPECT_NE(strError.find("--module"), std::string::npos);
    EXPECT_EQ(Parse({"--module", "ip"}, o, strError), CliParse::Error);
    EXPECT_NE(strError.find("--port"), std::string::npos);
    EXPECT_EQ(Parse({"--module", "ip", "--port", "COM2"}, o, strError), CliParse::Run);
    EXPECT_EQ(o.module, IpController);
    EXPECT_EQ(o.strPort, "COM2");
    EXPECT_TRUE(o.strBaud.empty());
    EXPECT_FALSE(o.bJson);
    EXPECT_FALSE(o.bContinueWithoutAppCode); // the safe answer

    EXPECT_EQ(o.passwordSource, PasswordSource::Terminal);
}

TEST(CliOptions, RefusesUnknownOptionsAndValues) {
    EXPECT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--fast"}), CliParse::Error);
    EXPECT_EQ(Parse({"--module", "radio", "--port", "COM1"}), CliParse::Error);
    EXPECT_EQ(Parse({"--module", "transceiver", "--port"}), CliParse::Error);
    EXPECT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--on-no-app-code", "maybe"}),
              CliParse::Error);
    EXPECT_EQ(Parse({"--module", "ip", "--port", "COM1", "--images", "kernel,dsp"}),
              CliParse::Error);
    EXPECT_EQ(Parse({"--module", "ip", "--port", "COM1", "--images", ""}), CliParse::Error);
    EXPECT_EQ(Parse({"transceiver"}), CliParse::Error);
}

TEST(CliOptions, RatesAreThoseTheDialogOffersTheModule) {
    CliOptions o;
    std::string strError;
    EXPECT_EQ(Parse({"--module", "controller", "--port", "COM1", "--baud", "57600"}, o, strError),
              CliParse::Error);
    EXPECT_NE(strError.find("115200"), std::string::npos) << "the offered rates are named";
    EXPECT_EQ(Parse({"--module", "ip", "--port", "COM1", "--baud", "57600"}, o, strError),
              CliParse::Run);
    EXPECT_EQ(o.strBaud, "57600");
    EXPECT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--baud", "fast"}),
              CliParse::Error);
}

TEST(CliOptions, ValuesMayFollowAnEqualsSign) {
    CliOptions o;
    std::string strError;
    ASSERT_EQ(Parse({"--module=controller", "--port=/dev/pts/7", "--baud=38400", "--json",
                     "--on-no-app-code=continue"},
                    o, strError),
              CliParse::Run)
        << strError;
    EXPECT_EQ(o.module, Controller);
    EXPECT_EQ(o.strPort, "/dev/pts/7");
    EXPECT_EQ(o.strBaud, "38400");
    EXPECT_TRUE(o.bJson);
    EXPECT_TRUE(o.bContinueWithoutAppCode);
}

TEST(CliOptions, ImagesOnlyForTheIpModule) {
    CliOptions o;
    std::string strError;
    EXPECT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--images", "all"}, o, strError),
              CliParse::Error);
    ASSERT_EQ(Parse({"--module", "ip", "--port", "COM1", "--images", "all"}, o, strError),
              CliParse::Run);
    EXPECT_EQ(o.images, (std::vector<std::string>{"bootloader", "kernel", "filesystem"}));
    ASSERT_EQ(Parse({"--module", "ip", "--port", "COM1", "--images", "kernel"}, o, strError),
              CliParse::Run);
    EXPECT_EQ(o.images, std::vector<std::string>{"kernel"});
}

TEST(CliOptions, PasswordFromAFileTakesItsFirstLine) {
    const auto path = std::filesystem::temp_directory_path() / "ktr84-cli-password-test";
    std::ofstream(path, std::ios::binary) << "s3cret\r\nsecond line\n";
    CliOptions o;
    std::string strError;
    ASSERT_EQ(
        Parse({"--module", "ip", "--port", "COM1", "--password-file", path.string()}, o, strError),
        CliParse::Run)
        << strError;
    EXPECT_EQ(o.passwordSource, PasswordSource::Given);
    EXPECT_EQ(o.strPassword, "s3cret");
    std::filesystem::remove(path);
    EXPECT_EQ(
        Parse({"--module", "ip", "--port", "COM1", "--password-file", path.string()}, o, strError),
        CliParse::Error);
    EXPECT_NE(strError.find(path.string()), std::string::npos);
}

TEST(CliOptions, PasswordFromTheEnvironment) {
    SetEnvironment("KTR84_CLI_TEST_PASSWORD", "from env");
    UnsetEnvironment("KTR84_CLI_TEST_UNSET");
    CliOptions o;
    std::string strError;
    ASSERT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--password-env",
                     "KTR84_CLI_TEST_PASSWORD"},
                    o, strError),
              CliParse::Run);
    EXPECT_EQ(o.strPassword, "from env");
    EXPECT_EQ(o.passwordSource, PasswordSource::Given);
    EXPECT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--password-env",
                     "KTR84_CLI_TEST_UNSET"},
                    o, strError),
              CliParse::Error);
    EXPECT_EQ(Parse({"--module", "transceiver", "--port", "COM1", "--password-env",
                     "KTR84_CLI_TEST_PASSWORD", "--password-file", "/etc/hostname"}),
              CliParse::Error)
        << "one source of passwords";
}

TEST(CliOptions, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(Parse({"--bogus", "--help"}), CliParse::Error) << "read in order";
    EXPECT_EQ(Parse({"--help", "--bogus"}), CliParse::Help);
    EXPECT_EQ(Parse({"-h"}), CliParse::Help);
    EXPECT_EQ(Parse({"--version"}), CliParse::Version);
}

TEST(CliOptions, HelpDocumentsEveryExitCodeAndThePasswords) {
    const std::string strHelp = CliUsage();
    for (int nCode : {0, 2, 3, 4, 5, 6, 7, 8, 9})
        EXPECT_NE(strHelp.find("\n  " + std::to_string(nCode) + "  "), std::string::npos)
            << "exit code " << nCode;
    for (const char* pszOption : {"--module", "--port", "--baud", "--password-file",
                                  "--password-env", "--on-no-app-code", "--images", "--json"})
        EXPECT_NE(strHelp.find(pszOption), std::string::npos) << pszOption;
    EXPECT_NE(strHelp.find("echo off"), std::string::npos);
    EXPECT_NE(strHelp.find("8484"), std::string::npos);
}

TEST(ExitCodes, EveryOutcomeHasTheCodeOfItsRow) {
    const std::vector<std::pair<RunOutcome, int>> kExpected = {
        {RunOutcome::Complete, 0},      {RunOutcome::WrongCable, 3},   {RunOutcome::LoginFailed, 4},
        {RunOutcome::NoConnection, 5},  {RunOutcome::UploadFailed, 6}, {RunOutcome::Aborted, 7},
        {RunOutcome::PortNotOpened, 8}, {RunOutcome::Stopped, 9}};
    for (const auto& [outcome, nCode] : kExpected)
        EXPECT_EQ(ExitCodeFor(outcome), nCode) << OutcomeName(outcome);
    ASSERT_EQ(ExitCodeTable().size(), kExpected.size() + 1) << "the table adds bad options";
    EXPECT_EQ(ExitCodeTable()[1].nCode, kExitBadOptions);
}
} // namespace
