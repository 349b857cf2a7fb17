// Opening and reopening the line as the runs do: the line's refusal shown by
// its caller, the carriage return at the new rate.
#include <gtest/gtest.h>

#include "console/LineCommands.h"
#include "testing/RunRig.h"

TEST(ConnectLine, RefusedSettingsShowTheLinesBoxOtherRefusalsNone) {
    CPtyPair pty;
    CScriptedWindow window;
    CSComDoc line;
    line.m_strPort = pty.SlavePath();
    line.m_nBaud = 12345; // no line takes it
    EXPECT_FALSE(ConnectLine(line, window));
    ASSERT_EQ(window.Boxes().size(), 1u);
    EXPECT_EQ(window.Boxes()[0].strText, "Serial_Comm_Error\n");
    EXPECT_EQ(window.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(window.Boxes()[0].icon, MsgIcon::None);

    line.m_strPort = "/dev/ttyKTR84-missing";
    line.m_nBaud = 9600;
    EXPECT_FALSE(ConnectLine(line, window));
    EXPECT_EQ(window.Boxes().size(), 1u);
}

TEST(ReopenLineAt, NewRateThenACarriageReturnAtIt) {
    CRunRig rig;
    ASSERT_EQ(rig.pty.LineRate(), 9600);
    ReopenLineAt(rig.Context(), 115200);
    EXPECT_EQ(rig.line.m_bConnected, 1);
    EXPECT_EQ(rig.pty.LineRate(), 115200);
    EXPECT_EQ(rig.Sent(), "\r");
    EXPECT_EQ(rig.window.NowMs(), 100);
}
