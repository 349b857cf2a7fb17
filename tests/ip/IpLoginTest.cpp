#include <gtest/gtest.h>

#include "platform/DebugOutput.h"
#include "tests/ip/IpFixture.h"

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
        CIpFixture f;
        f.Poll(c.pszText);
        EXPECT_EQ(f.dlg.IpLoginStep(), c.nResult) << c.pszText;
        EXPECT_EQ(f.Sent(), c.pszSent) << c.pszText;
        EXPECT_TRUE(f.window.Boxes().empty());
        EXPECT_EQ(f.dlg.m_comm.m_bConnected, 1);
    }
}

TEST(IpLoginStep, ShellPromptRebootsIntoTheMonitorWithItsPauses) {
    CIpFixture f;
    f.Poll("root@ktr84:~$ ");
    EXPECT_EQ(f.dlg.IpLoginStep(), IpLogin);
    EXPECT_EQ(f.window.NowMs(), 5100);
    EXPECT_EQ(f.dlg.m_strStatus, "Entering bootloader");
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
        CIpFixture f;
        bool bClosedFirst = false;
        f.window.onShown = [&](const ShownEvent& e) {
            if (e.kind == ShownEvent::Box)
                bClosedFirst = f.dlg.m_comm.m_bConnected == 0;
        };
        f.Poll(c.pszText);
        EXPECT_EQ(f.dlg.IpLoginStep(), IpIdle) << c.pszText;
        auto boxes = f.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, c.pszBox);
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(boxes[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(bClosedFirst) << c.pszText;
    }
}

TEST(IpLoginStep, LoginIncorrectAloneWaitsForTheNextPrompt) {
    CIpFixture f;
    f.Poll("\r\nLogin incorrect\r\n");
    EXPECT_EQ(f.dlg.IpLoginStep(), IpLogin);
    EXPECT_TRUE(f.window.Boxes().empty());
    EXPECT_EQ(f.dlg.m_comm.m_bConnected, 1);
    f.Poll("\r\nktr84 login: ");
    EXPECT_EQ(f.dlg.IpLoginStep(), IpLogin);
    EXPECT_EQ(f.Sent(), "root\r");
}

TEST(IpLoginStep, PasswordExchange) {
    CIpFixture f;
    std::string strTrace;
    SetDebugSink([&](std::string_view text) { strTrace.append(text); });
    f.window.QueuePasswordAnswer(IDOK, "secret");
    f.window.QueuePasswordAnswer(IDOK, "");
    f.window.QueuePasswordAnswer(IDCANCEL, "ignored");
    f.Poll("Password: ");
    EXPECT_EQ(f.dlg.IpLoginStep(), IpLogin);
    EXPECT_EQ(SavedIpPassword, "secret\r");
    EXPECT_EQ(f.Sent(), "secret\r");
    // An empty field sends and keeps a bare "\r".
    f.Poll("Password: ");
    EXPECT_EQ(f.dlg.IpLoginStep(), IpLogin);
    EXPECT_EQ(SavedIpPassword, "\r");
    EXPECT_EQ(f.Sent(), "\r");
    // Cancel: nothing sent, the port stays open, the run ends.
    f.Poll("Password: ");
    EXPECT_EQ(f.dlg.IpLoginStep(), IpIdle);
    EXPECT_EQ(f.Sent(), "");
    EXPECT_EQ(f.dlg.m_comm.m_bConnected, 1);
    EXPECT_EQ(SavedIpPassword, "\r");
    // Every prompt opens showing the default.
    int nPrompts = 0;
    for (const auto& e : f.window.events)
        if (e.kind == ShownEvent::Prompt) {
            ++nPrompts;
            EXPECT_EQ(e.strText, kDefaultPassword);
        }
    EXPECT_EQ(nPrompts, 3);
    // The password never reaches the trace in clear.
    SetDebugSink(nullptr);
    EXPECT_NE(strTrace.find("CSComDoc::WriteCommString(): ******\r"), std::string::npos);
    EXPECT_EQ(strTrace.find("secret"), std::string::npos);
}

TEST(IpLoginStep, IsLoginPromptIsCaseSensitive) {
    CIpFixture f;
    f.Poll("Login incorrect");
    EXPECT_FALSE(f.dlg.IsLoginPrompt());
    f.Poll("\r\nktr84 login: ");
    EXPECT_TRUE(f.dlg.IsLoginPrompt());
}
