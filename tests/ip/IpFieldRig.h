#pragma once

// Whole IP-Enabled Controller runs against the module simulator on a line that
// delivers its texts as the field does, with a short file system image built
// with mkimage (tests/sim/TestImage.cpp), so that the paced upload takes
// seconds.
#include <gtest/gtest.h>

#include "testing/SimRig.h"
#include "testing/TranscriptText.h"
#include "tests/sim/TestImage.h"

inline constexpr uint32_t kFieldFlashFileSystem = 0x400E0000;

// The dialog rig on a simulated IP-Enabled Controller whose file system image
// is a short one built with mkimage, from nSize bytes.
struct CIpFieldRun : CSimRig {
    explicit CIpFieldRun(const SimOptions& options, size_t nSize = 3000) : CSimRig(options) {
        bStarted = bStarted && BuildTestImage(nSize, image);
        fileSystem = {"SREC_FILESYSTEM", reinterpret_cast<const uint8_t*>(image.strSrec.data()),
                      static_cast<int32_t>(image.strSrec.size())};
        dlg.m_lasting.m_image.m_findImage = [this](std::string_view name) {
            return name == "SREC_FILESYSTEM" ? &fileSystem : FindEmbeddedImage(name);
        };
        Select(IpController);
    }
    std::string Transcript() const { return TranscriptText(pSim->Transcript()); }
    void ExpectComplete() {
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Upload Complete!"}) << Transcript();
        EXPECT_TRUE(pSim->ReadMemory(kFieldFlashFileSystem,
                                     static_cast<uint32_t>(image.image.size())) == image.image)
            << Transcript();
        EXPECT_TRUE(pSim->Booted());
        EXPECT_TRUE(Released());
    }

    TestImage image;
    EmbeddedImage fileSystem{};
};

// The module's own reboot and autoboot times, as the reboot sequence's carriage
// returns expect them; quick flash.
inline SimOptions FieldIp(SimIpStart start) {
    SimOptions o;
    o.module = SimModule::Ip;
    o.ipStart = start;
    o.dKernelBootSeconds = 0.5;
    o.dEraseSecondsPerSector = 0.02;
    return o;
}
