#pragma once

// What every end-to-end test of the console program shares: a folder of its
// own, simulators started in it, runs against them, and checks of a summary.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "SimProcess.h"
#include "UpgradeRun.h"

// The running test's name, fit for a file name.
inline std::string TestFolderName() {
    const auto* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string strName = std::string(pInfo->test_suite_name()) + "-" + pInfo->name();
    for (char& c : strName)
        if (c == '/')
            c = '-';
    return strName;
}

struct CE2eRig {
    CTempFolder dir{TestFolderName()};
    Build build = Build::Linux; // whose program the runs start

    std::unique_ptr<CSimProcess> StartSim(const std::string& strName,
                                          std::vector<std::string> args) {
        auto pSim = std::make_unique<CSimProcess>(dir.Path(), strName, std::move(args));
        EXPECT_TRUE(pSim->Start()) << pSim->Stderr();
        return pSim;
    }
    std::unique_ptr<CUpgradeRun> NewRun(const std::string& strName, std::vector<std::string> args,
                                        std::vector<std::string> env = {}) const {
        return std::make_unique<CUpgradeRun>(dir.Path(), strName, std::move(args), std::move(env),
                                             build);
    }
    UpgradeResult RunToEnd(const std::string& strName, std::vector<std::string> args,
                           std::vector<std::string> env = {}) const {
        return RunUpgrade(dir.Path(), strName, std::move(args), std::move(env), build);
    }
};

// Whole runs on the build the parameter names (the parameter itself, or a
// tuple's last element); the Windows cases are skipped, with the reason,
// where the Windows build is missing.
template <class Param> class CRunsOn : public ::testing::TestWithParam<Param>, public CE2eRig {
protected:
    void SetUp() override {
        if constexpr (std::is_same_v<Param, Build>)
            build = this->GetParam();
        else
            build = std::get<std::tuple_size_v<Param> - 1>(this->GetParam());
        if (build == Build::Windows && !WindowsBuildMissing().empty())
            GTEST_SKIP() << WindowsBuildMissing();
    }
};

// "" for the Linux build, so that its cases keep their names.
inline std::string BuildSuffix(Build b) {
    return b == Build::Windows ? "OnWindows" : "";
}
inline void PrintTo(Build b, std::ostream* os) {
    *os << (b == Build::Windows ? "Windows" : "Linux");
}
// Names the cases of a test over builds alone.
struct BuildCaseName {
    std::string operator()(const ::testing::TestParamInfo<Build>& info) const {
        return info.param == Build::Windows ? "Windows" : "Linux";
    }
};

inline std::string Why(const UpgradeResult& result) {
    return "exit " + std::to_string(result.nExit) + "\nstdout: " + result.strOut +
           "\nstderr: " + result.strErr;
}

// The run ended with nExit and said so in its summary, as one JSON object.
inline void ExpectEnded(const UpgradeResult& result, int nExit, const char* pszOutcome) {
    EXPECT_EQ(result.nExit, nExit) << Why(result);
    ASSERT_EQ(result.strJsonError, "") << Why(result);
    EXPECT_EQ(result.summary["exit_code"].toInt(-1), nExit);
    EXPECT_EQ(result.summary["outcome"].toString().toStdString(), pszOutcome);
}

inline bool HasCommand(const std::vector<SimCommand>& commands, const std::string& strText) {
    for (const SimCommand& c : commands)
        if (c.strText == strText)
            return true;
    return false;
}

// The module's name as the summary gives it.
inline std::string ModuleTitle(const std::string& strKind) {
    if (strKind == "transceiver")
        return "Transceiver";
    if (strKind == "controller")
        return "Controller";
    return "IP-Enabled Controller";
}
