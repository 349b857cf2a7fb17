// What WriteCommString leaves in the developers' diagnostics.
#include <gtest/gtest.h>

#include "line/SComDoc.h"
#include "testing/FarEnd.h"

namespace {
using Pieces = std::vector<std::string>;

class SComDocTrace : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.SetTrace([this](std::string_view text) { m_pieces.emplace_back(text); });
        m_doc.m_strPort = m_pty.PortName();
        m_doc.CreatePortEvents();
    }

    CFarEnd m_pty;
    CSComDoc m_doc;
    Pieces m_pieces;
};

const std::string kHead = "CSComDoc::WriteCommString(): ";
} // namespace

TEST_F(SComDocTrace, TracesEveryStringInThreePieces) {
    ASSERT_TRUE(m_doc.Connect());
    EXPECT_EQ(m_doc.WriteCommString(""), 1);
    EXPECT_EQ(m_doc.WriteCommString("root\r"), 1);
    EXPECT_EQ(m_pieces, (Pieces{kHead, "", "\n", kHead, "root\r", "\n"}));
    m_pieces.clear();
    m_doc.WriteCommByte(13); // single bytes are not traced
    EXPECT_TRUE(m_pieces.empty());
}

TEST_F(SComDocTrace, PasswordsAreMaskedInTheTraceOnly) {
    ASSERT_TRUE(m_doc.Connect());
    EXPECT_EQ(m_doc.WriteCommString("s3cret\r", true), 1);
    EXPECT_EQ(m_doc.WriteCommString("ab", true), 1);
    EXPECT_EQ(m_doc.WriteCommString("\r", true), 1);
    EXPECT_EQ(m_pieces, (Pieces{kHead, "******\r", "\n", kHead, "**", "\n", kHead, "\r", "\n"}));
    auto received = m_pty.ReceiveBytes(10);
    EXPECT_EQ(std::string(received.begin(), received.end()), "s3cret\rab\r");
}

TEST_F(SComDocTrace, ClosedPortTracesNothing) {
    EXPECT_EQ(m_doc.WriteCommString("before\r"), 0);
    ASSERT_TRUE(m_doc.Connect());
    m_doc.Disconnect();
    EXPECT_EQ(m_doc.WriteCommString("after\r"), 0);
    EXPECT_EQ(m_doc.WriteCommString(""), 0);
    EXPECT_TRUE(m_pieces.empty());
}
