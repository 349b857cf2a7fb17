// Opening and reopening the line as the runs do: the line's refusal shown by
// its caller, the carriage returns at the new rate until the module answers.
#include <gtest/gtest.h>

#include "console/LineCommands.h"
#include "console/RateChange.h"
#include "testing/RunRig.h"

TEST(ConnectLine, RefusedSettingsShowTheLinesBoxOtherRefusalsNone) {
    CFarEnd farEnd;
    CScriptedWindow window;
    CSComDoc line;
    line.m_strPort = farEnd.PortName();
    line.m_nDataBits = 9; // no line takes it
    EXPECT_FALSE(ConnectLine(line, window));
    ASSERT_EQ(window.Boxes().size(), 1u);
    EXPECT_EQ(window.Boxes()[0].strText, "Serial_Comm_Error\n");
    EXPECT_EQ(window.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(window.Boxes()[0].icon, MsgIcon::None);

    line.m_strPort = kMissingPort;
    line.m_nDataBits = 8;
    EXPECT_FALSE(ConnectLine(line, window));
    EXPECT_EQ(window.Boxes().size(), 1u);
}

// The module switches some time after its notice; until it has, a CR at the
// new rate is lost. Each case: the CR after which the module answers (0:
// never), and whether a first answer is only noise at the new rate.
struct KnockCase {
    int nAnswerAfterCr;
    bool bNoiseFirst;
    int nCrsExpected;
};

class RateChangeKnocks : public ::testing::TestWithParam<KnockCase> {};

TEST_P(RateChangeKnocks, CarriageReturnsUntilTheMenuAtTheNewRate) {
    const KnockCase c = GetParam();
    CRunRig rig;
    CReceiver receiver(rig.Context());
    int nCrs = 0;
    rig.window.onAdvance = [&](int64_t) {
        const std::string strGot = rig.farEnd.Receive(0);
        for (char ch : strGot) {
            if (ch != '\r')
                continue;
            ++nCrs;
            if (c.bNoiseFirst && nCrs == 1)
                rig.farEnd.Send(std::vector<unsigned char>{0xF3, 0xA7, 0x9C});
            if (nCrs == c.nAnswerAfterCr)
                rig.farEnd.Send("\r\n  9  Merge file\r\nEnter selection: ");
        }
    };
    const bool bAnswered =
        ReopenLineAt(rig.Context(), receiver, 115200, "menu", [](const CReceivedChunk& rx) {
            const std::string_view text(reinterpret_cast<const char*>(rx.Data()),
                                        static_cast<size_t>(rx.m_nRxCount));
            return text.find("selection") != std::string_view::npos;
        });
    rig.window.onAdvance = nullptr;
    EXPECT_EQ(rig.farEnd.LineRate(), 115200);
    EXPECT_EQ(bAnswered, c.nAnswerAfterCr > 0);
    EXPECT_EQ(nCrs, c.nCrsExpected);
    ASSERT_EQ(rig.notices.size(), static_cast<size_t>(c.nCrsExpected - 1));
    if (!rig.notices.empty()) {
        EXPECT_EQ(rig.notices.back(), "no menu after the speed change, CR again (" +
                                          std::to_string(c.nCrsExpected) + " of 5)");
    }
    if (bAnswered) {
        // The menu is the next pass's chunk, not read from the line again.
        const int32_t nHeld = rig.rx.m_nRxCount;
        EXPECT_EQ(receiver.Poll(), nHeld);
        EXPECT_NE(
            std::string(reinterpret_cast<const char*>(rig.rx.Data()), nHeld).find("selection"),
            std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RateChangeKnocks,
                         ::testing::Values(KnockCase{1, false, 1}, KnockCase{3, false, 3},
                                           KnockCase{2, true, 2}, KnockCase{0, false, 5}));
