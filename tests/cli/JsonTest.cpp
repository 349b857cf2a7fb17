// The JSON writer: strings escaped so any parser reads them back, numbers as numbers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/Json.h"
#include "cli/Summary.h"

namespace {
// Read back by a parser of its own; an unreadable text is no object.
nlohmann::json Parsed(const std::string& strText) {
    const nlohmann::json doc = nlohmann::json::parse(strText, nullptr, false);
    EXPECT_FALSE(doc.is_discarded()) << strText;
    EXPECT_TRUE(doc.is_object()) << strText;
    return doc.is_object() ? doc : nlohmann::json::object();
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
    const nlohmann::json o = Parsed("{\"k\":" + JsonString("\xb0 \xc3\xa9") + "}");
    EXPECT_EQ(o.value("k", ""), "\xc2\xb0 \xc3\xa9");
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
    const nlohmann::json o = Parsed(json.Text());
    EXPECT_EQ(o.value("text", ""), "say \"hi\"\n");
    EXPECT_EQ(o.value("big", int64_t{0}), 5000000000);
    EXPECT_DOUBLE_EQ(o.value("seconds", 0.0), 1.5);
    EXPECT_TRUE(o.contains("none") && o["none"].is_null());
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
    const nlohmann::json o = Parsed(SummaryJson(s, 6, ""));
    for (const char* pszKey : {"module", "port", "device", "adapter", "login_baud", "upload_baud",
                               "outcome", "exit_code", "status", "message", "login_seconds",
                               "upload_seconds", "total_seconds", "bytes_sent", "record"})
        EXPECT_TRUE(o.contains(pszKey)) << pszKey;
    EXPECT_EQ(o.size(), 15u);
    EXPECT_EQ(o.value("outcome", ""), "upload-failed");
    EXPECT_EQ(o.value("exit_code", 0), 6);
    EXPECT_EQ(o.value("adapter", "-"), "");
    EXPECT_TRUE(o.contains("record") && o["record"].is_null());
    EXPECT_EQ(o.value("upload_baud", 0), 115200);
    EXPECT_DOUBLE_EQ(o.value("total_seconds", 0.0), 12.25);
    EXPECT_EQ(Parsed(SummaryJson(s, 6, "/tmp/r \"1\".txt")).value("record", ""),
              "/tmp/r \"1\".txt");
}
} // namespace
