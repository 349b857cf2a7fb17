// How a record names and writes things, how old records go, and the
// progress figures the front ends show.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "record/NewFile.h"
#include "record/RecordFolder.h"
#include "record/RecordText.h"
#include "record/TimeLeft.h"
#include "testing/TestFolder.h"

namespace fs = std::filesystem;

namespace {
void WriteFile(const fs::path& path, size_t nBytes) {
    std::ofstream(path) << std::string(nBytes, 'x');
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

std::string RecordName(int n) {
    char sz[64];
    std::snprintf(sz, sizeof sz, "20261208-%06d.000-Transceiver-ttyUSB0.txt", n);
    return sz;
}
} // namespace

TEST(RecordText, FileNameHoldsTimeModuleAndAPortMadeSafe) {
    const std::string strName =
        RecordFileName(std::chrono::system_clock::now(), "IP-Enabled Controller", "/dev/pts/7");
    EXPECT_TRUE(strName.ends_with("-IP-Enabled_Controller-pts_7.txt")) << strName;
    EXPECT_EQ(strName.find('/'), std::string::npos);
    EXPECT_EQ(strName[8], '-');
    EXPECT_EQ(strName[15], '.');
}

TEST(RecordText, BytesBecomeOneReadableLine) {
    EXPECT_EQ(Escaped("Login:\r\n\tx\\"), "Login:\\r\\n\\tx\\\\");
    EXPECT_EQ(Escaped(std::string("a\0\x7f\xff", 4)), "a\\x00\\x7f\\xff");
    EXPECT_EQ(StampedLine(12345, "sent", "b"), "   12.345 sent    b\n");
    EXPECT_EQ(StampedLine(7, "outcome", "x"), "    0.007 outcome x\n");
    EXPECT_EQ(StampedLine(123456789, "a-longer-tag", ""), "123456.789 a-longer-tag \n");
    EXPECT_EQ(StampedLine(-5, "recv", "y"), "    0.000 recv    y\n");
}

// Every byte value, at every place within and across the sixteen-byte blocks
// that are copied whole when nothing in them needs escaping.
TEST(RecordText, EveryByteIsEscapedWhereverItStands) {
    auto reference = [](unsigned char c) -> std::string {
        if (c == '\r')
            return "\\r";
        if (c == '\n')
            return "\\n";
        if (c == '\t')
            return "\\t";
        if (c == '\\')
            return "\\\\";
        if (c >= 0x20 && c < 0x7f)
            return std::string(1, static_cast<char>(c));
        char sz[8];
        std::snprintf(sz, sizeof sz, "\\x%02x", c);
        return sz;
    };
    for (int c = 0; c < 256; ++c)
        for (size_t at = 0; at < 35; ++at) {
            std::string strBytes(35, 'S');
            strBytes[at] = static_cast<char>(c);
            const std::string strWant = std::string(at, 'S') +
                                        reference(static_cast<unsigned char>(c)) +
                                        std::string(34 - at, 'S');
            ASSERT_EQ(Escaped(strBytes), strWant) << "byte " << c << " at " << at;
        }
    // All of them in a row, escapes following escapes within the blocks.
    std::string strAll, strWant;
    for (int c = 0; c < 256; ++c) {
        strAll += static_cast<char>(c);
        strWant += reference(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(Escaped(strAll), strWant);
    EXPECT_EQ(Escaped(""), "");
}

TEST(PruneRecords, KeepsTheNewestHundredAndLeavesOtherFilesAlone) {
    CTestFolder dir;
    for (int n = 0; n < 105; ++n)
        WriteFile(dir.Path() / RecordName(n), 10);
    WriteFile(dir.Path() / "notes.txt", 10);
    PruneRecords(dir.Path());
    const auto names = Names(dir.Path());
    EXPECT_EQ(names.size(), 101u);
    EXPECT_TRUE(names.count("notes.txt"));
    for (int n = 0; n < 5; ++n)
        EXPECT_FALSE(names.count(RecordName(n))) << n;
    EXPECT_TRUE(names.count(RecordName(5)));
    EXPECT_TRUE(names.count(RecordName(104)));
}

TEST(PruneRecords, KeepsWithinTheSizeButNeverRemovesTheNewest) {
    CTestFolder dir;
    WriteFile(dir.Path() / RecordName(1), 400);
    WriteFile(dir.Path() / RecordName(2), 400);
    WriteFile(dir.Path() / RecordName(3), 400);
    PruneRecords(dir.Path(), 100, 1000);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{RecordName(2), RecordName(3)}));
    WriteFile(dir.Path() / RecordName(4), 5000);
    PruneRecords(dir.Path(), 100, 1000);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{RecordName(4)});
}

// A folder that is not there is not made; a record where the folder should
// be is not a folder to prune and stays.
TEST(PruneRecords, AFolderThatIsNotThereIsNoError) {
    CTestFolder dir;
    EXPECT_NO_THROW(PruneRecords(dir.Path() / "ktr84-upgrader"));
    EXPECT_FALSE(fs::exists(dir.Path() / "ktr84-upgrader"));
    WriteFile(dir.Path() / RecordName(1), 10);
    EXPECT_NO_THROW(PruneRecords(dir.Path() / RecordName(1), 0, 0));
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{RecordName(1)});
}

// A record is created once, never written over, and holds the bytes as they
// were written, also under a name beyond ASCII (a wide path on Windows).
TEST(OpenNewFile, CreatesOnceAndKeepsTheBytes) {
    CTestFolder dir;
    const fs::path path = dir.Path() / fs::path(u8"B\u00fccher-\u00e9tat.txt");
    std::FILE* pFile = OpenNewFile(path);
    ASSERT_NE(pFile, nullptr);
    std::fputs("state: Login\n", pFile);
    std::fclose(pFile);
    std::FILE* pAgain = OpenNewFile(path);
    EXPECT_EQ(pAgain, nullptr) << "an existing file was opened again";
    if (pAgain)
        std::fclose(pAgain);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "state: Login\n");
}

TEST(TimeLeft, EstimatesFromTheSpeedSinceTheBarFirstMoved) {
    CTimeLeft t;
    t.Update(1000, 0, 1000);
    EXPECT_EQ(t.Percent(), 0);
    t.Update(4000, 100, 1000);
    EXPECT_EQ(t.SecondsLeft(), -1); // not settled yet
    t.Update(6000, 250, 1000);      // 250 in 5 s: 750 more take 15 s
    EXPECT_EQ(t.Percent(), 25);
    EXPECT_EQ(t.SecondsLeft(), 15);
    EXPECT_EQ(TimeLeftText(t.SecondsLeft()), "0:15 left");
    t.Update(11000, 1000, 1000);
    EXPECT_EQ(t.Percent(), 100);
    EXPECT_EQ(t.SecondsLeft(), 0);
}

TEST(TimeLeft, StartsOverForANewRangeOrWhenTheBarGoesBack) {
    CTimeLeft t;
    t.Update(0, 0, 1000);
    t.Update(10000, 500, 1000);
    EXPECT_EQ(t.SecondsLeft(), 10);
    t.Update(10000, 0, 2000); // the next image
    EXPECT_EQ(t.SecondsLeft(), -1);
    t.Update(20000, 100, 2000);
    EXPECT_EQ(t.SecondsLeft(), 190);
    t.Update(21000, 50, 2000); // back: starts over
    EXPECT_EQ(t.SecondsLeft(), -1);
    EXPECT_EQ(TimeLeftText(3725), "1:02:05 left");
    EXPECT_EQ(TimeLeftText(-1), "");
}

TEST(TimeLeft, AnEmptyRangeIsNoProgress) {
    CTimeLeft t;
    t.Update(0, 0, 0);
    t.Update(10000, 0, 0);
    EXPECT_EQ(t.Percent(), 0);
    EXPECT_EQ(t.SecondsLeft(), -1);
}
