#include "sim/ModuleSim.h"

#include "sim/IpModule.h"
#include "sim/LegacyModule.h"
#include "sim/SimEvidence.h"
#include "sim/SimLine.h"
#include "sim/SimMemory.h"
#include "sim/SimTerminal.h"
#include "sim/SimTranscript.h"

#include <thread>

namespace {

SimLineSettings LineSettings(const SimOptions& options) {
    SimLineSettings settings;
    settings.bPaceUart = options.bPaceUart;
    settings.nUsbLatencyMs = options.nUsbLatencyMs;
    settings.bRandomFragments = options.bRandomFragments;
    settings.bLineNoise = options.bLineNoise;
    settings.nNoiseIntervalMs = options.nNoiseIntervalMs;
    settings.nDisappearAfterMs = options.nDisappearAfterMs;
    settings.nSeed = options.nSeed;
    return settings;
}

} // namespace

struct CModuleSim::Impl {
    explicit Impl(SimOptions opts)
        : options(std::move(opts)), line(LineSettings(options)),
          transcript(options.strTranscriptFile), term(line, transcript, options) {}

    void RunModule() {
        try {
            if (options.module == SimModule::Ip) {
                CIpModule(term, options, evidence, memory).Run();
            } else {
                CLegacyModule(term, options, evidence).Run();
            }
        } catch (const CSimStopped&) {
        }
    }

    SimOptions options;
    CSimLine line;
    CSimTranscript transcript;
    CSimTerminal term;
    CSimEvidence evidence;
    CSimMemory memory;
    std::thread moduleThread;
};

CModuleSim::CModuleSim(SimOptions options) : m_pImpl(std::make_unique<Impl>(std::move(options))) {}

CModuleSim::~CModuleSim() {
    Stop();
}

bool CModuleSim::Start() {
    if (m_pImpl->moduleThread.joinable() || !m_pImpl->line.Open()) {
        return false;
    }
    m_pImpl->moduleThread = std::thread([this] { m_pImpl->RunModule(); });
    return true;
}

void CModuleSim::Stop() {
    m_pImpl->line.RequestStop();
    if (m_pImpl->moduleThread.joinable()) {
        m_pImpl->moduleThread.join();
    }
    m_pImpl->line.Close();
}

std::string CModuleSim::DevicePath() const {
    return m_pImpl->line.DevicePath();
}

std::vector<SimTranscriptEntry> CModuleSim::Transcript() const {
    return m_pImpl->transcript.Entries();
}

std::vector<std::string> CModuleSim::MergeLines() const {
    return m_pImpl->evidence.MergeLines();
}

bool CModuleSim::MergeWritten() const {
    return m_pImpl->evidence.MergeWritten();
}

std::vector<uint8_t> CModuleSim::ReadMemory(uint32_t nAddress, uint32_t nLength) const {
    return m_pImpl->memory.Read(nAddress, nLength);
}

bool CModuleSim::Booted() const {
    return m_pImpl->evidence.Booted();
}

size_t CModuleSim::PendingInput() const {
    return m_pImpl->line.PendingInput();
}

int32_t CModuleSim::ModuleBaud() const {
    return m_pImpl->line.ModuleBaud();
}
