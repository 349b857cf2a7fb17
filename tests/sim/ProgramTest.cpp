// ktr84-modsim as a program: command line, device path, announcement.

#include "SimClient.h"
#include "common/SimAnnouncement.h"
#include "sim/SimArgs.h"
#include "common/Srec.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(SimArgs, OptionsAndErrors) {
    SimOptions options;
    std::string strError;
    EXPECT_EQ(ParseSimArgs({"--module", "ip", "--ip-start", "monitor", "--pace", "--usb-latency",
                            "16", "--program-rate", "1000", "--silent-from", "loads",
                            "--corrupt-header", "--transcript", "/tmp/t"},
                           options, strError),
              SimArgsResult::Run)
        << strError;
    EXPECT_EQ(options.module, SimModule::Ip);
    EXPECT_EQ(options.ipStart, SimIpStart::Monitor);
    EXPECT_TRUE(options.bPaceUart);
    EXPECT_EQ(options.nUsbLatencyMs, 16);
    EXPECT_EQ(options.dProgramBytesPerSecond, 1000.0);
    EXPECT_EQ(options.strSilentFrom, "loads");
    EXPECT_TRUE(options.bCorruptHeader);
    EXPECT_EQ(options.strTranscriptFile, "/tmp/t");

    SimOptions other;
    EXPECT_EQ(ParseSimArgs({"--pace"}, other, strError), SimArgsResult::Error);
    EXPECT_EQ(ParseSimArgs({"--module", "modem"}, other, strError), SimArgsResult::Error);
    EXPECT_EQ(ParseSimArgs({"--module", "ip", "--usb-latency"}, other, strError),
              SimArgsResult::Error);
    EXPECT_EQ(ParseSimArgs({"--module", "ip", "--boot-delay", "x"}, other, strError),
              SimArgsResult::Error);
    EXPECT_EQ(ParseSimArgs({"--bogus"}, other, strError), SimArgsResult::Error);
    EXPECT_EQ(ParseSimArgs({"--help"}, other, strError), SimArgsResult::Help);
}

TEST(Srec, ChecksumsAndShapes) {
    SrecRecord record;
    ASSERT_EQ(ParseSrec("S1130000285F245F2212226A000424290008237C2A", record), SrecParse::Record);
    EXPECT_EQ(record.nType, 1);
    EXPECT_EQ(record.nAddress, 0u);
    ASSERT_EQ(record.data.size(), 16u);
    EXPECT_EQ(record.data[0], 0x28);
    EXPECT_EQ(ParseSrec("S1130000285F245F2212226A000424290008237C2B", record), SrecParse::Bad);
    EXPECT_EQ(ParseSrec("S1130000285F245F2212226A000424290008237C", record), SrecParse::Bad);
    EXPECT_EQ(ParseSrec("S9030000FC", record), SrecParse::Record);
    EXPECT_TRUE(record.IsEnd());
    EXPECT_EQ(ParseSrec("   ", record), SrecParse::Empty);
    EXPECT_EQ(ParseSrec("X1130000", record), SrecParse::Bad);
    EXPECT_EQ(ParseSrec("S4030000FC", record), SrecParse::Bad);
}

namespace {

struct ProgramRun {
    pid_t pid = -1;
    std::string strFirstLine;
};

ProgramRun StartProgram(const std::vector<std::string>& args, const std::string& strRuntimeDir) {
    int fds[2];
    ProgramRun run;
    if (pipe(fds) != 0) {
        return run;
    }
    run.pid = fork();
    if (run.pid == 0) {
        setenv("XDG_RUNTIME_DIR", strRuntimeDir.c_str(), 1);
        dup2(fds[1], 1);
        close(fds[0]);
        std::vector<char*> argv{const_cast<char*>(KTR84_MODSIM_PATH)};
        for (const std::string& s : args) {
            argv.push_back(const_cast<char*>(s.c_str()));
        }
        argv.push_back(nullptr);
        execv(KTR84_MODSIM_PATH, argv.data());
        _exit(127);
    }
    close(fds[1]);
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        run.strFirstLine += c;
    }
    close(fds[0]);
    return run;
}

} // namespace

TEST(Program, HelpListsEveryOption) {
    std::string strCommand = std::string(KTR84_MODSIM_PATH) + " --help";
    FILE* pPipe = popen(strCommand.c_str(), "r");
    ASSERT_NE(pPipe, nullptr);
    std::string strHelp;
    char buf[512];
    while (fgets(buf, sizeof buf, pPipe) != nullptr) {
        strHelp += buf;
    }
    EXPECT_EQ(pclose(pPipe), 0);
    for (const char* pszOption :
         {"--module", "--no-app", "--console-login", "--ip-password", "--pace", "--usb-latency",
          "--fragments", "--silent-from", "--reject-boot-login", "--merge-failure",
          "--flash-write-failure", "--no-loads-echo", "--corrupt-loads-byte", "--corrupt-header",
          "--line-noise", "--disappear-after", "--transcript", "--flash-write-seconds"}) {
        EXPECT_NE(strHelp.find(pszOption), std::string::npos) << pszOption;
    }
}

TEST(Program, PrintsItsLineAnnouncesItAndCleansUp) {
    fs::path runtime =
        fs::temp_directory_path() / ("ktr84-modsim-test-" + std::to_string(getpid()));
    fs::create_directories(runtime);
    std::string strTranscript = (runtime / "transcript.txt").string();
    ProgramRun run =
        StartProgram({"--module", "controller", "--transcript", strTranscript}, runtime.string());
    ASSERT_GT(run.pid, 0);
    EXPECT_EQ(run.strFirstLine.rfind("/dev/pts/", 0), 0u) << run.strFirstLine;

    fs::path link = runtime / "ktr84-modsim" / ("controller-" + std::to_string(run.pid));
    for (int i = 0; i < 100 && !fs::is_symlink(link); ++i) {
        usleep(20000);
    }
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), run.strFirstLine);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    auto announced = FindAnnouncedSims();
    unsetenv("XDG_RUNTIME_DIR");
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0].strDevicePath, run.strFirstLine);
    {
        CSimClient client(run.strFirstLine);
        client.Send("\r");
        EXPECT_EQ(client.ReadUntil("SAT> "), "\r\nSAT> ");
        client.Send("ver\r");
        EXPECT_TRUE(client.ReadUntil("SAT> ").starts_with("ver\r\nController application"));
    }
    kill(run.pid, SIGTERM);
    int nStatus = 0;
    waitpid(run.pid, &nStatus, 0);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_FALSE(fs::is_symlink(link));
    std::ifstream transcript(strTranscript);
    std::string strLine;
    std::vector<std::string> lines;
    while (std::getline(transcript, strLine)) {
        lines.push_back(strLine);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[1].ends_with("  9600 baud  ver")) << lines[1];
    fs::remove_all(runtime);
}

TEST(Announce, FolderRule) {
    setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    EXPECT_EQ(SimAnnounceDir(), "/run/user/4242/ktr84-modsim");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SimAnnounceDir(), "/tmp/ktr84-modsim-" + std::to_string(getuid()));
}
