// Three modules of three kinds upgraded at once, each by its own console
// program: every run completes and each module hears exactly what it hears
// when upgraded alone by the Linux build. With the Windows build's programs
// together, that is also the proof that both builds hold the same dialogue.
#include <chrono>
#include <cstdio>

#include "E2eRig.h"

namespace {
struct Kind {
    std::string strModule;
    std::vector<std::string> simArgs;
};

const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {{"transceiver", QuickLegacy("transceiver")},
                                            {"controller", QuickLegacy("controller")},
                                            {"ip", QuickIp()}};
    return kinds;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct ThreeAtOnce : CRunsOn<Build> {};

TEST_P(ThreeAtOnce, EveryRunCompletesAsItWouldAlone) {
    std::vector<std::vector<SimCommand>> alone;
    double dLongest = 0, dSum = 0;
    for (const Kind& kind : Kinds()) {
        auto pSim = StartSim("alone-" + kind.strModule, kind.simArgs);
        const auto start = std::chrono::steady_clock::now();
        const UpgradeResult result = RunUpgrade(dir.Path(), "alone-" + kind.strModule,
                                                UpgradeArgs(kind.strModule, pSim->Device()));
        const double dSeconds = SecondsSince(start);
        dLongest = std::max(dLongest, dSeconds);
        dSum += dSeconds;
        ExpectEnded(result, 0, "complete");
        alone.push_back(pSim->Commands());
    }

    std::vector<std::unique_ptr<CSimProcess>> sims;
    std::vector<std::unique_ptr<CUpgradeRun>> runs;
    for (const Kind& kind : Kinds())
        sims.push_back(StartSim("together-" + kind.strModule, kind.simArgs));
    const auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < Kinds().size(); ++i) {
        runs.push_back(NewRun("together-" + Kinds()[i].strModule,
                              UpgradeArgs(Kinds()[i].strModule, sims[i]->Device())));
        ASSERT_TRUE(runs.back()->Start());
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        const UpgradeResult result = runs[i]->Wait();
        SCOPED_TRACE(Kinds()[i].strModule);
        ExpectEnded(result, 0, "complete");
        EXPECT_EQ(sims[i]->Commands(), alone[i])
            << "together: " << CommandsText(sims[i]->Commands())
            << "\nalone: " << CommandsText(alone[i]);
    }
    std::printf("three at once: %.1f s; alone: longest %.1f s, sum %.1f s\n", SecondsSince(start),
                dLongest, dSum);
}

INSTANTIATE_TEST_SUITE_P(Builds, ThreeAtOnce, ::testing::Values(Build::Linux, Build::Windows),
                         BuildCaseName());
} // namespace
