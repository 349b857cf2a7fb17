// The upgrader window under Wine, driven through window messages as an
// operator drives it, against ktr84-modsim on the COM port the launcher
// (window-run.sh) linked into the prefix: whole runs, and a window closed
// during an upload. The launcher also takes the screenshots asked for here
// and holds the transcript against the expected commands.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "WindowDriver.h"
#include "win32/ResourceIds.h"
#include "win32/Utf16.h"

namespace {
constexpr int kRunLimitMs = 1500000; // a generous bound, not a timing check

std::string Env(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}

// Asks the launcher for a screenshot of the window and waits until it is taken.
void Screenshot(HWND hWnd, const std::string& strName) {
    const std::filesystem::path want =
        std::filesystem::path(Env("KTR84_WINDOW_SHOTS")) / (strName + ".want");
    RECT rect;
    GetWindowRect(hWnd, &rect);
    // Written whole before the launcher sees it.
    std::filesystem::path part = want;
    part.replace_extension(".part");
    std::ofstream(part) << rect.right - rect.left << "x" << rect.bottom - rect.top << "+"
                        << rect.left << "+" << rect.top << "\n";
    std::filesystem::rename(part, want);
    for (int nWaited = 0; std::filesystem::exists(want) && nWaited < 30000; nWaited += 50)
        Sleep(50);
}

// The transcript's commands as "rate text", as the module received them.
std::vector<std::string> TranscriptCommands() {
    std::ifstream in(Env("KTR84_WINDOW_TRANSCRIPT"));
    std::vector<std::string> commands;
    for (std::string strLine; std::getline(in, strLine);) {
        const size_t nMs = strLine.find(" ms "), nBaud = strLine.find(" baud  ");
        if (nMs != std::string::npos && nBaud != std::string::npos)
            commands.push_back(std::to_string(std::atoi(strLine.c_str() + nMs + 4)) + " " +
                               strLine.substr(nBaud + 7));
    }
    return commands;
}

class WindowRun : public ::testing::Test {
protected:
    // The program on the launcher's port, the module and the rate chosen.
    void Start(int nRadio, const std::string& strRate) {
        ASSERT_TRUE(driver.Launch(L"\"" + Utf16(KTR84_WINDOW_PROGRAM) + L"\" --port " +
                                  Utf16(Env("KTR84_WINDOW_PORT"))));
        driver.Click(nRadio);
        ASSERT_TRUE(driver.Choose(ctl::kComList, Env("KTR84_WINDOW_PORT")));
        ASSERT_TRUE(driver.Choose(ctl::kBaudList, strRate));
        EXPECT_EQ(driver.Text(driver.Control(ctl::kStatus)), "Idle");
    }
    bool Completed() const {
        return !driver.Boxes().empty() && driver.Boxes().back() == "Upload Complete!" &&
               IsWindowEnabled(driver.Control(ctl::kUpgrade));
    }
    void QuitWhenIdle() {
        PostMessageW(driver.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(driver.WaitForExit(60000), 0);
    }

    CWindowDriver driver;
};

TEST_F(WindowRun, TransceiverRunEndsComplete) {
    Start(ctl::kTransceiver, "115200");
    driver.Press(ctl::kUpgrade);
    EXPECT_TRUE(driver.AnswerUntil([this] { return Completed(); }, kRunLimitMs));
    EXPECT_EQ(driver.Boxes(), std::vector<std::string>{"Upload Complete!"});
    QuitWhenIdle();
}

// The screenshots come from this run: the window with the IP Controller and
// its package chosen, and during the upload once the time left shows.
TEST_F(WindowRun, IpRunEndsComplete) {
    Start(ctl::kIpController, "115200");
    for (int nId : {ctl::kBootloader, ctl::kKernel, ctl::kFilesystem})
        driver.Click(nId);
    EXPECT_NE(driver.Text(driver.Control(ctl::kDetails)).find("Filesystem: "), std::string::npos);
    Screenshot(driver.Main(), "screenshot-windows-main");
    // The boot loader's image and the file system, which every run writes:
    // the kernel's would add minutes under Wine and no step of its own.
    for (int nId : {ctl::kKernel, ctl::kFilesystem})
        driver.Click(nId);
    driver.Press(ctl::kUpgrade);
    bool bShot = false;
    EXPECT_TRUE(driver.AnswerUntil(
        [&] {
            if (!bShot && StatusStartsWith(driver, "Uploading") &&
                !driver.Text(driver.Control(IDC_TIME_LEFT)).empty()) {
                Screenshot(driver.Main(), "screenshot-windows-progress");
                bShot = true;
            }
            return Completed();
        },
        kRunLimitMs));
    EXPECT_EQ(driver.Boxes(), std::vector<std::string>{"Upload Complete!"});
    EXPECT_TRUE(bShot);
    QuitWhenIdle();
}

// Asked during the upload, Cancel keeps the run going; OK stops it, and the
// module, its flash untouched, goes back to 9600 and boots before the window ends.
TEST_F(WindowRun, ClosedMidUploadAsksThenLeavesTheModuleBooting) {
    Start(ctl::kIpController, "115200");
    driver.Press(ctl::kUpgrade);
    ASSERT_TRUE(
        driver.AnswerUntil([&] { return StatusStartsWith(driver, "Uploading"); }, kRunLimitMs));
    int nAnswer = IDCANCEL;
    auto fnAnswer = [&](const std::string&) { return nAnswer; };
    PostMessageW(driver.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(driver.AnswerUntil([&] { return !driver.Boxes().empty(); }, 60000, fnAnswer));
    EXPECT_NE(driver.Boxes().back().find("Stop the upgrade and quit?"), std::string::npos);
    EXPECT_TRUE(StatusStartsWith(driver, "Uploading"));

    nAnswer = IDOK;
    PostMessageW(driver.Main(), WM_CLOSE, 0, 0);
    driver.AnswerUntil([] { return false; }, kRunLimitMs, fnAnswer);
    EXPECT_EQ(driver.WaitForExit(60000), 0);
    EXPECT_EQ(driver.Boxes().size(), 2u);
    const std::vector<std::string> commands = TranscriptCommands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), "9600 bootd");
    for (const std::string& strCommand : commands)
        EXPECT_EQ(strCommand.find("erase"), std::string::npos) << strCommand;
}
} // namespace
