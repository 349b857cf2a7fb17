// The JSON writer: strings escaped so any parser reads them back, numbers as numbers.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Json.h"
#include "cli/Summary.h"

namespace {
QJsonObject Parsed(const std::string& strText) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(strText), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << strText;
    EXPECT_TRUE(doc.isObject()) << strText;
    return doc.object();
}

TEST(Json, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(JsonString("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(JsonString("Serial_Comm_Error\n"), R"("Serial_Comm_Error\n")");
    EXPECT_EQ(JsonString("1\r2\t3"), R"("1\r2\t3")");
    EXPECT_EQ(JsonString(std::string_view("\x01\x00\x1f", 3)), R"("\u0001\u0000\u001f")");
    EXPECT_EQ(JsonString(""), R"("")");
}

TEST(Json, KeepsUtf8AndWritesOtherBytesAsLatin1) {
    EXPECT_EQ(JsonString("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
    EXPECT_EQ(JsonString("\xe9t\xe9"), R"("\u00e9t\u00e9")");
    EXPECT_EQ(JsonString("\xc3"), R"("\u00c3")") << "a sequence cut short";
    const QJsonObject o = Parsed("{\"k\":" + JsonString("\xb0 \xc3\xa9") + "}");
    EXPECT_EQ(o["k"].toString(), QString::fromUtf8("\xc2\xb0 \xc3\xa9"));
}

TEST(Json, AnObjectOfEveryKindOfMember) {
    CJsonObject json;
    json.Add("text", "say \"hi\"\n");
    json.Add("count", 42);
    json.Add("big", int64_t{5000000000});
    json.AddSeconds("seconds", 1.5);
    json.AddNull("none");
    EXPECT_EQ(json.Text(), R"({"text":"say \"hi\"\n","count":42,"big":5000000000,)"
                           R"("seconds":1.500,"none":null})");
    const QJsonObject o = Parsed(json.Text());
    EXPECT_EQ(o["text"].toString(), "say \"hi\"\n");
    EXPECT_EQ(o["big"].toInteger(), 5000000000);
    EXPECT_DOUBLE_EQ(o["seconds"].toDouble(), 1.5);
    EXPECT_TRUE(o["none"].isNull());
}

TEST(Json, TheSummaryHasEveryKeyOfTheInterface) {
    RunSummary s;
    s.strModule = "Transceiver";
    s.strPort = "COM1";
    s.strDevice = "/dev/ttyS0";
    s.nLoginBaud = 9600;
    s.nUploadBaud = 115200;
    s.end.outcome = RunOutcome::UploadFailed;
    s.end.strStatus = "Uploading 3 of 9 kilobytes";
    s.end.strMessage = "Upload Failed!";
    s.dTotalSeconds = 12.25;
    s.nBytesSent = 3072;
    const QJsonObject o = Parsed(SummaryJson(s, 6, ""));
    for (const char* pszKey : {"module", "port", "device", "adapter", "login_baud", "upload_baud",
                               "outcome", "exit_code", "status", "message", "login_seconds",
                               "upload_seconds", "total_seconds", "bytes_sent", "record"})
        EXPECT_TRUE(o.contains(pszKey)) << pszKey;
    EXPECT_EQ(o.size(), 15);
    EXPECT_EQ(o["outcome"].toString(), "upload-failed");
    EXPECT_EQ(o["exit_code"].toInt(), 6);
    EXPECT_EQ(o["adapter"].toString(), "");
    EXPECT_TRUE(o["record"].isNull());
    EXPECT_EQ(o["upload_baud"].toInt(), 115200);
    EXPECT_DOUBLE_EQ(o["total_seconds"].toDouble(), 12.25);
    EXPECT_EQ(Parsed(SummaryJson(s, 6, "/tmp/r \"1\".txt"))["record"].toString(),
              "/tmp/r \"1\".txt");
}
} // namespace
