#include "sim/IpModule.h"
#include "common/Srec.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr size_t kMaxRecordLength = 600;
constexpr int kDiscardMs = 100; // the monitor lets the rest of the input pass
} // namespace

// Reads one record up to CR or LF, echoing every character when loads_echo
// is set. Returns the record's length, or -1 for Ctrl-C or NUL.
int CIpModule::ReadRecord(std::string& strRecord, bool bEcho) {
    strRecord.clear();
    std::string strEcho; // sent whenever the input pauses, byte for byte as received
    for (;;) {
        int c = m_term.Get(0);
        if (c < 0) {
            Puts(strEcho);
            strEcho.clear();
            c = m_term.Get();
        }
        if (bEcho) {
            strEcho += static_cast<char>(c);
        }
        if (c == '\r' || c == '\n' || c == 0 || c == 0x03) {
            Puts(strEcho);
            return c == '\r' || c == '\n' ? static_cast<int>(strRecord.size()) : -1;
        }
        if (strRecord.size() < kMaxRecordLength) {
            strRecord += static_cast<char>(c);
        }
    }
}

// Records land at their address plus the offset given to loads; the
// terminating record ends the download and sets filesize.
CIpModule::CommandResult CIpModule::CmdLoads(const Args& args) {
    uint32_t nOffset = args.size() > 1 ? ParseHex(args[1]) : 0;
    bool bEcho = Env("loads_echo") == "1";
    m_term.Step("loads");
    Puts("## Ready for S-Record download ...\n");
    uint32_t nFirst = 0xFFFFFFFF;
    uint32_t nLast = 0;
    unsigned long nLines = 0;
    std::string strRecord;
    while (ReadRecord(strRecord, bEcho) >= 0) {
        SrecRecord record;
        SrecParse parse = ParseSrec(strRecord, record);
        if (parse == SrecParse::Bad) {
            break;
        }
        if (parse == SrecParse::Record && record.IsData() && !record.data.empty()) {
            uint32_t nAddress = record.nAddress + nOffset;
            auto nSize = static_cast<uint32_t>(record.data.size());
            if (m_memory.IsFlash(nAddress, nSize)) {
                uint32_t nWritten = 0;
                m_memory.Program(nAddress, record.data.data(), nSize, &nWritten);
            } else {
                m_memory.WriteRam(nAddress, record.data.data(), nSize);
            }
            nFirst = std::min(nFirst, nAddress);
            nLast = std::max(nLast, nAddress + nSize - 1);
        }
        if (parse == SrecParse::Record && record.IsEnd()) {
            m_term.Record("<loads: " + std::to_string(nLines + 1) + " records>");
            FinishLoads(nFirst, nLast, record.nAddress);
            return {};
        }
        if (!bEcho && ++nLines % 100 == 0) {
            Puts(".");
        } else if (bEcho) {
            ++nLines;
        }
    }
    m_term.Record("<loads aborted after " + std::to_string(nLines) + " records>");
    m_term.PauseMs(kDiscardMs);
    m_term.FlushInput();
    Puts("## S-Record download aborted\n");
    return {false};
}

void CIpModule::FinishLoads(uint32_t nFirst, uint32_t nLast, uint32_t nStart) {
    uint32_t nSize = nFirst <= nLast ? nLast - nFirst + 1 : 0;
    InjectLoadFaults(nFirst, nSize);
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "\n## First Load Addr = 0x%08X\n## Last  Load Addr = 0x%08X\n"
                  "## Total Size      = 0x%08X = %u Bytes\n",
                  nFirst, nLast, nSize, nSize);
    Puts(buf);
    std::snprintf(buf, sizeof buf, "%x", nSize);
    m_env["filesize"] = buf;
    m_nLoadAddress = nFirst;
    m_term.PauseMs(kDiscardMs);
    m_term.FlushInput();
    std::snprintf(buf, sizeof buf, "## Start Addr      = 0x%08X\n", nStart);
    Puts(buf);
}

// Fault switches: one data byte stored wrongly, or the image header's name
// field, so that imi reports bad data or a bad header.
void CIpModule::InjectLoadFaults(uint32_t nFirst, uint32_t nSize) {
    auto flip = [this](uint32_t nAddress) {
        uint8_t c = static_cast<uint8_t>(m_memory.ReadByte(nAddress) ^ 0x20);
        m_memory.WriteRam(nAddress, &c, 1);
    };
    if (m_options.bCorruptLoadsByte && nSize > 64) {
        flip(nFirst + 64 + (nSize - 64) / 2);
    }
    if (m_options.bCorruptHeader && nSize > 32) {
        flip(nFirst + 32);
    }
}
