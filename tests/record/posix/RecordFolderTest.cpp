// Where Linux keeps the run records: the XDG state home, or its default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "record/RecordFolder.h"

namespace fs = std::filesystem;

TEST(RecordFolder, FollowsTheStateHomeOrFallsBackToHome) {
    const char* pszOld = std::getenv("XDG_STATE_HOME");
    const std::string strOld = pszOld ? pszOld : "";
    setenv("XDG_STATE_HOME", "/var/tmp/state", 1);
    EXPECT_EQ(RecordFolder(), fs::path("/var/tmp/state/ktr84-upgrader"));
    setenv("XDG_STATE_HOME", "relative/state", 1); // not absolute: ignored
    setenv("HOME", "/home/tech", 1);
    EXPECT_EQ(RecordFolder(), fs::path("/home/tech/.local/state/ktr84-upgrader"));
    if (pszOld)
        setenv("XDG_STATE_HOME", strOld.c_str(), 1);
    else
        unsetenv("XDG_STATE_HOME");
}
