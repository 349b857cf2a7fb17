// The shape of the code: each folder's sources include only the folders below
// it, no source file grows past 300 lines, and the upgrader's link map holds
// neither the simulator nor the test doubles.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
using Folders = std::set<std::string>;

const Folders kBelowRuns = {"console", "line", "window", "firmware", "common"};
const Folders kBelowRecord = {"console", "line", "window", "firmware", "common"};
const Folders kBelowDialog = {"record", "upgrade/legacy", "upgrade/ip", "console",
                              "line",   "window",         "firmware",   "common"};
const Folders kBelowFrontEnds = {"dialog", "record", "upgrade/legacy", "upgrade/ip", "console",
                                 "line",   "window", "firmware",       "common"};

Folders Join(Folders folders, const Folders& more) {
    folders.insert(more.begin(), more.end());
    return folders;
}

// What each folder may include besides itself: the layers point only down.
const std::map<std::string, Folders> kMayInclude = {
    {"common", {}},
    {"window", {"line"}}, // the line's handle type, which the waits take
    {"firmware", {}},
    {"line", {"common"}},
    {"tools", {"common"}},
    {"sim", {"common"}},
    {"console", {"line", "window", "firmware", "common"}},
    {"upgrade/legacy", kBelowRuns},
    {"upgrade/ip", kBelowRuns},
    {"record", kBelowRecord},
    {"dialog", kBelowDialog},
    {"artwork", {}},
    {"front", kBelowFrontEnds}, // what both windows share
    {"qt", Join(kBelowFrontEnds, {"front"})},
    {"cli", kBelowFrontEnds},
    // The Windows window keeps the machine awake as the console program does.
    {"win32", Join(kBelowFrontEnds, {"front", "artwork", "cli"})},
};

// The folder an include names: the longest known folder its path starts with.
std::string FolderOf(const std::string& strPath) {
    std::string strBest;
    for (const auto& [strFolder, allowed] : kMayInclude)
        if (strPath.rfind(strFolder + "/", 0) == 0 && strFolder.size() > strBest.size())
            strBest = strFolder;
    if (strBest.empty())
        return strPath.substr(0, strPath.find('/'));
    return strBest;
}

std::vector<fs::path> Sources(const fs::path& dir) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(dir, ec)) {
        const std::string strExt = entry.path().extension().string();
        if (entry.is_regular_file() && (strExt == ".cpp" || strExt == ".h"))
            out.push_back(entry.path());
    }
    return out;
}
} // namespace

TEST(Layers, IncludesPointOnlyDown) {
    const fs::path root = KTR84_SOURCE_DIR;
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    size_t nIncludes = 0;
    for (const auto& [strFolder, allowed] : kMayInclude) {
        for (const fs::path& file : Sources(root / strFolder)) {
            std::ifstream in(file);
            for (std::string strLine; std::getline(in, strLine);) {
                std::smatch match;
                if (!std::regex_search(strLine, match, include) ||
                    match[1].str().find('/') == std::string::npos)
                    continue;
                ++nIncludes;
                const std::string strTarget = FolderOf(match[1].str());
                EXPECT_TRUE(strTarget == strFolder || allowed.count(strTarget))
                    << fs::relative(file, root).string() << " includes " << match[1].str();
            }
        }
    }
    EXPECT_GT(nIncludes, 100u); // the scan found the sources
}

TEST(Layers, NoSourceFileOverThreeHundredLines) {
    const fs::path root = KTR84_SOURCE_DIR;
    size_t nFiles = 0;
    for (const char* pszTop :
         {"common", "window", "line", "firmware", "console", "upgrade", "record", "dialog", "qt",
          "cli", "sim", "tools", "testing", "tests", "bench", "front", "artwork", "win32"}) {
        for (const fs::path& file : Sources(root / pszTop)) {
            std::ifstream in(file);
            size_t nLines = 0;
            for (std::string strLine; std::getline(in, strLine);)
                ++nLines;
            ++nFiles;
            EXPECT_LE(nLines, 300u) << fs::relative(file, root).string();
        }
    }
    EXPECT_GT(nFiles, 100u);
}

namespace {
// The libraries a program's link map says it took objects from.
Folders LinkedLibraries(const char* pszMap) {
    std::ifstream in(pszMap);
    EXPECT_TRUE(in) << pszMap;
    Folders linked;
    const std::regex member(R"(libktr84(\w+)\.a\()");
    for (std::string strLine; std::getline(in, strLine);) {
        std::smatch match;
        if (std::regex_search(strLine, match, member))
            linked.insert(match[1].str());
    }
    return linked;
}
} // namespace

#ifdef KTR84_UPGRADER_MAP
// The window's program is built from the product's libraries alone.
TEST(Layers, UpgraderLinksNeitherTheSimulatorNorTheTestDoubles) {
    const Folders linked = LinkedLibraries(KTR84_UPGRADER_MAP);
    EXPECT_TRUE(linked.count("dialog")) << "the map names the libraries it took objects from";
    EXPECT_FALSE(linked.count("sim"));
    EXPECT_FALSE(linked.count("testing"));
}
#endif

#ifdef KTR84_CONSOLE_MAP
// So is the console program, and it has no window toolkit in it.
TEST(Layers, ConsoleProgramLinksNeitherTheSimulatorNorTheTestDoublesNorQt) {
    const Folders linked = LinkedLibraries(KTR84_CONSOLE_MAP);
    EXPECT_TRUE(linked.count("cli"));
    EXPECT_TRUE(linked.count("dialog"));
    EXPECT_FALSE(linked.count("sim"));
    EXPECT_FALSE(linked.count("testing"));
    EXPECT_FALSE(linked.count("qt"));
    std::ifstream in(KTR84_CONSOLE_MAP);
    for (std::string strLine; std::getline(in, strLine);)
        EXPECT_EQ(strLine.find("libQt6"), std::string::npos) << strLine;
}
#endif
