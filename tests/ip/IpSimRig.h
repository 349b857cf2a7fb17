#pragma once

// Whole IP-Enabled Controller upgrades pressed in the dialog against the
// module simulator on a pseudo-terminal, without line pacing and with its
// delays cut to a tenth, as the scaled window cuts the upgrader's.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "firmware/EmbeddedImages.h"
#include "testing/ScaledWindow.h"
#include "testing/SimRig.h"
#include "testing/TranscriptText.h"

inline const int kAllControls[] = {ctl::kUpgrade,      ctl::kTransceiver, ctl::kController,
                                   ctl::kIpController, ctl::kBootloader,  ctl::kKernel,
                                   ctl::kFilesystem};
inline constexpr uint32_t kFlashFileSystem = 0x400E0000;

inline SimOptions FastIp(SimIpStart start) {
    SimOptions o;
    o.module = SimModule::Ip;
    o.ipStart = start;
    o.bPaceUart = false; // the whole file system image, in seconds
    o.dRebootSeconds = 0.15;
    o.nBootDelaySeconds = 1;
    o.dKernelBootSeconds = 0.2;
    o.dLoginFailDelaySeconds = 0.1;
    o.dEraseSecondsPerSector = 0.01;
    o.dProgramBytesPerSecond = 2e7;
    return o;
}

inline uint8_t Hex(const std::string& s, size_t at) {
    return static_cast<uint8_t>(std::stoul(s.substr(at, 2), nullptr, 16));
}

// The file system image's data bytes, from address 0 on.
inline std::vector<uint8_t> FileSystemBinary() {
    const EmbeddedImage* pImage = FindEmbeddedImage("SREC_FILESYSTEM");
    std::vector<uint8_t> out;
    if (!pImage)
        return out;
    const std::string text(reinterpret_cast<const char*>(pImage->pData),
                           static_cast<size_t>(pImage->nSize));
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() < 10 || line[1] != '2')
            continue;
        const size_t nData = Hex(line, 2) - 4u;
        const uint32_t nAddress = (Hex(line, 4) << 16) | (Hex(line, 6) << 8) | Hex(line, 8);
        if (out.size() < nAddress + nData)
            out.resize(nAddress + nData);
        for (size_t i = 0; i < nData; ++i)
            out[nAddress + i] = Hex(line, 10 + 2 * i);
    }
    return out;
}

struct CSimRun : CSimRig {
    explicit CSimRun(SimOptions options, const std::string& strRate = "115200")
        : CSimRig(options, std::make_unique<CScaledWindow>()),
          window(static_cast<CScaledWindow&>(CSimRig::window)), sim(*pSim) {
        // The tool's pauses are scaled down; a module slowed by a loaded or
        // instrumented machine must still have read what was sent before them.
        window.afterSleep = [this] {
            for (int i = 0; i < 300 && sim.PendingInput() > 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        };
        Select(IpController, strRate);
    }
    FlashSequenceStep Step() const { return dlg.m_lasting.m_ip.FlashStep; }

    CScaledWindow& window;
    CModuleSim& sim;

    void Upgrade() {
        ASSERT_TRUE(bStarted);
        dlg.OnUpgrade();
    }

    std::string TranscriptText() const { return ::TranscriptText(sim.Transcript()); }
    void ExpectReadyForAnotherRun() {
        EXPECT_EQ(dlg.m_comm.m_bConnected, 0);
        for (int nId : kAllControls)
            EXPECT_TRUE(window.IsEnabled(nId)) << "control " << nId;
        EXPECT_FALSE(dlg.IsRunning());
    }
    void ExpectComplete() {
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Upload Complete!"});
        EXPECT_EQ(dlg.m_strStatus, "Idle");
        const std::vector<uint8_t> image = FileSystemBinary();
        ASSERT_EQ(image.size(), 0x1EFFF2u);
        EXPECT_TRUE(sim.ReadMemory(kFlashFileSystem, static_cast<uint32_t>(image.size())) == image)
            << "flash at 0x400E0000 differs from the file system image";
        EXPECT_TRUE(Received("imi 400E0000")) << TranscriptText();
        EXPECT_TRUE(Received("cp.b 10000 400E0000 $(filesize) ")) << TranscriptText();
        EXPECT_TRUE(sim.Booted());
        EXPECT_EQ(sim.ModuleBaud(), 9600);
        ExpectReadyForAnotherRun();
    }
};
