#include <gtest/gtest.h>

#include "tests/ip/IpStepRig.h"

namespace {
const char* const kTransceiverBox = "Cable possibly plugged into Transceiver Module.  Ensure "
                                    "cable is plugged into an IP-Enabled Controller Module.";
} // namespace

TEST(IpLoginStep, RowsInTheirOrder) {
    struct Case {
        const char* pszText;
        int32_t nResult;
        const char* pszSent;
    } cases[] = {
        {"login: =>", IpRaiseBaud, "\r"},                             // "=>" comes first
        {"login: Password:", IpLogin, "root\r"},                      // "login" before "Password"
        {"# SAT Login BSR", IpLogin, "reboot\r\r\r\r\r\r\r\r\r\r\r"}, // shell before the cables
        {"Welcome, nothing to answer", IpLogin, ""},                  // row 7 sends nothing
    };
    for (const auto& c : cases) {
        CIpStepRig f;
        f.Poll(c.pszText);
        EXPECT_EQ(f.run.IpLoginStep(), c.nResult) << c.pszText;
        EXPECT_EQ(f.Sent(), c.pszSent) << c.pszText;
        EXPECT_TRUE(f.window.Boxes().empty());
        EXPECT_EQ(f.line.m_bConnected, 1);
    }
}

TEST(IpLoginStep, ShellPromptRebootsIntoTheMonitorWithItsPauses) {
    CIpStepRig f;
    f.Poll("root@ktr84:~$ ");
    EXPECT_EQ(f.run.IpLoginStep(), IpLogin);
    EXPECT_EQ(f.window.NowMs(), 5100);
    EXPECT_EQ(f.strStatus, "Entering bootloader");
    EXPECT_EQ(f.Sent(), "reboot\r" + std::string(10, '\r'));
}

TEST(IpLoginStep, WrongCableClosesThePortThenTells) {
    struct Case {
        const char* pszText;
        const char* pszBox;
    } cases[] = {
        {"SAT> ", "Cable not plugged into an IP-Enabled Controller."},
        {"BSR> ", kTransceiverBox},
        {"Dest: ", kTransceiverBox},
        {"Login > ", kTransceiverBox},
        {"Passwd > ", kTransceiverBox},
    };
    for (const auto& c : cases) {
        CIpStepRig f;
        bool bClosedFirst = false;
        f.window.onShown = [&](const ShownEvent& e) {
            if (e.kind == ShownEvent::Box)
                bClosedFirst = f.line.m_bConnected == 0;
        };
        f.Poll(c.pszText);
        EXPECT_EQ(f.run.IpLoginStep(), IpIdle) << c.pszText;
        auto boxes = f.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, c.pszBox);
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(boxes[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(bClosedFirst) << c.pszText;
    }
}

TEST(IpLoginStep, LoginIncorrectAloneWaitsForTheNextPrompt) {
    CIpStepRig f;
    f.Poll("\r\nLogin incorrect\r\n");
    EXPECT_EQ(f.run.IpLoginStep(), IpLogin);
    EXPECT_TRUE(f.window.Boxes().empty());
    EXPECT_EQ(f.line.m_bConnected, 1);
    f.Poll("\r\nktr84 login: ");
    EXPECT_EQ(f.run.IpLoginStep(), IpLogin);
    EXPECT_EQ(f.Sent(), "root\r");
}

TEST(IpLoginStep, PasswordExchange) {
    CIpStepRig f;
    f.window.QueuePasswordAnswer(IDOK, "secret");
    f.window.QueuePasswordAnswer(IDOK, "");
    f.window.QueuePasswordAnswer(IDCANCEL, "ignored");
    f.Poll("Password: ");
    EXPECT_EQ(f.run.IpLoginStep(), IpLogin);
    EXPECT_EQ(f.memory.SavedIpPassword, "secret\r");
    EXPECT_EQ(f.Sent(), "secret\r");
    // An empty field sends and keeps a bare "\r".
    f.Poll("Password: ");
    EXPECT_EQ(f.run.IpLoginStep(), IpLogin);
    EXPECT_EQ(f.memory.SavedIpPassword, "\r");
    EXPECT_EQ(f.Sent(), "\r");
    // Cancel: nothing sent, the port stays open, the run ends.
    f.Poll("Password: ");
    EXPECT_EQ(f.run.IpLoginStep(), IpIdle);
    EXPECT_EQ(f.Sent(), "");
    EXPECT_EQ(f.line.m_bConnected, 1);
    EXPECT_EQ(f.memory.SavedIpPassword, "\r");
    // Every prompt opens showing the default.
    int nPrompts = 0;
    for (const auto& e : f.window.events)
        if (e.kind == ShownEvent::Prompt) {
            ++nPrompts;
            EXPECT_EQ(e.strText, kDefaultPassword);
        }
    EXPECT_EQ(nPrompts, 3);
    // The default is four digits.
    EXPECT_EQ(std::string(kDefaultPassword).size(), 4u);
    EXPECT_EQ(std::string(kDefaultPassword).find_first_not_of("0123456789"), std::string::npos);
    // The password never reaches the trace in clear.
    EXPECT_NE(f.trace.find("CSComDoc::WriteCommString(): ******\r"), std::string::npos);
    EXPECT_EQ(f.trace.find("secret"), std::string::npos);
}

TEST(IpLoginStep, IsLoginPromptIsCaseSensitive) {
    CIpStepRig f;
    f.Poll("Login incorrect");
    EXPECT_FALSE(f.run.IsLoginPrompt());
    f.Poll("\r\nktr84 login: ");
    EXPECT_TRUE(f.run.IsLoginPrompt());
}

// The received text ends at its first NUL: what lies after it is neither
// searched nor traced.
TEST(IpRun, TextIsCutAtItsFirstNulAndTraced) {
    CIpStepRig f;
    f.Poll(std::string("\r\nHello\0SAT> ", 13));
    EXPECT_EQ(f.rx.m_strLastRx, "\r\nHello");
    EXPECT_EQ(f.run.IpLoginStep(), IpLogin); // "SAT" never seen
    EXPECT_TRUE(f.window.Boxes().empty());
    EXPECT_EQ(f.window.debug, (std::vector<std::string>{"Recv: ", "\r\nHello", "\n"}));
    // A full poll of 2048 bytes still has room for the terminator.
    f.Poll(std::string(kRxCapacity, 'A'));
    EXPECT_EQ(f.rx.m_strLastRx.size(), static_cast<size_t>(kRxCapacity));
}
