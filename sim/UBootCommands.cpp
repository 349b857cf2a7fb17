#include "sim/IpModule.h"

#include <cstdio>

namespace {

bool IsSupportedBaud(long nBaud) {
    for (long n : {9600L, 19200L, 38400L, 57600L, 115200L}) {
        if (n == nBaud) {
            return true;
        }
    }
    return false;
}

std::string Format(const char* pszFormat, unsigned long a, unsigned long b = 0) {
    char buf[160];
    std::snprintf(buf, sizeof buf, pszFormat, a, b);
    return buf;
}

} // namespace

CIpModule::CommandResult CIpModule::CmdSetenv(const Args& args) {
    if (args.size() < 2) {
        Puts("Usage:\nsetenv name value ...\n    - set environment variable 'name' to 'value "
             "...'\n");
        return {false};
    }
    std::string strValue;
    for (size_t i = 2; i < args.size(); ++i) {
        strValue += (i > 2 ? " " : "") + args[i];
    }
    if (args[1] == "baudrate") {
        return {SwitchBaud(strValue)};
    }
    if (strValue.empty()) {
        m_env.erase(args[1]);
    } else {
        m_env[args[1]] = strValue;
    }
    return {};
}

// A new rate is announced at the old one; the monitor then waits for a
// carriage return at the new rate (nothing else counts) before its prompt.
bool CIpModule::SwitchBaud(const std::string& strValue) {
    long nBaud = std::strtol(strValue.c_str(), nullptr, 10);
    if (nBaud == m_term.Baud()) {
        return true;
    }
    if (!IsSupportedBaud(nBaud)) {
        Puts(Format("## Baudrate %lu bps not supported\n", static_cast<unsigned long>(nBaud)));
        Puts("## Error inserting \"baudrate\" variable, errno=22\n");
        return false;
    }
    m_term.Step("baudrate");
    Puts(Format("## Switch baudrate to %lu bps and press ENTER ...\n",
                static_cast<unsigned long>(nBaud)));
    m_term.SwitchBaud(static_cast<int32_t>(nBaud));
    m_env["baudrate"] = std::to_string(nBaud);
    while (m_term.Get() != '\r') {
    }
    m_term.Record("");
    m_term.PauseMs(100);
    return true;
}

CIpModule::CommandResult CIpModule::CmdPrintenv(const Args& args) {
    if (args.size() > 1) {
        auto it = m_env.find(args[1]);
        if (it == m_env.end()) {
            Puts("## Error: \"" + args[1] + "\" not defined\n");
            return {false};
        }
        Puts(it->first + "=" + it->second + "\n");
        return {};
    }
    size_t nSize = 0;
    for (const auto& [strName, strValue] : m_env) {
        Puts(strName + "=" + strValue + "\n");
        nSize += strName.size() + strValue.size() + 2;
    }
    Puts(Format("\nEnvironment size: %lu/131068 bytes\n", nSize));
    return {};
}

CIpModule::CommandResult CIpModule::CmdEcho(const Args& args) {
    std::string strOut;
    for (size_t i = 1; i < args.size(); ++i) {
        strOut += (i > 1 ? " " : "") + args[i];
    }
    Puts(strOut + "\n");
    return {};
}

CIpModule::CommandResult CIpModule::CmdHelp(const Args&) {
    Puts("boot    - boot default, i.e., run 'bootcmd'\n"
         "bootd   - boot default, i.e., run 'bootcmd'\n"
         "bootm   - boot application image from memory\n"
         "cp      - memory copy\n"
         "echo    - echo args to console\n"
         "erase   - erase FLASH memory\n"
         "help    - print command description/usage\n"
         "iminfo  - print header information for application image\n"
         "loads   - load S-Record file over serial line\n"
         "printenv- print environment variables\n"
         "reset   - Perform RESET of the CPU\n"
         "setenv  - set environment variables\n"
         "version - print monitor version\n");
    return {};
}

// Erases whole 128 KiB sectors: START must begin one and END must be the
// last byte of one. Protected sectors are counted but left as they are.
CIpModule::CommandResult CIpModule::CmdErase(const Args& args) {
    if (args.size() != 3) {
        Puts("Usage:\nerase start end\n    - erase FLASH from addr 'start' to addr 'end'\n");
        return {false};
    }
    uint32_t nStart = ParseHex(args[1]);
    uint32_t nEnd = ParseHex(args[2]);
    if (!m_memory.IsFlash(nStart) || (nStart - CSimMemory::kFlashBase) % CSimMemory::kSectorSize) {
        Puts("Error: start address not on sector boundary\n");
        return {false};
    }
    if (!m_memory.IsFlash(nEnd) || nEnd < nStart ||
        (nEnd + 1 - CSimMemory::kFlashBase) % CSimMemory::kSectorSize) {
        Puts("Error: end address not on sector boundary\n");
        return {false};
    }
    m_term.Step("erase");
    uint32_t nFirst = CSimMemory::SectorOf(nStart);
    uint32_t nLast = CSimMemory::SectorOf(nEnd);
    unsigned long nProtected = 0;
    for (uint32_t n = nFirst; n <= nLast; ++n) {
        nProtected += m_memory.IsProtectedSector(n) ? 1 : 0;
    }
    Puts(nProtected ? Format("- Warning: %lu protected sectors will not be erased!\n", nProtected)
                    : std::string("\n"));
    for (uint32_t n = nFirst; n <= nLast; ++n) {
        if (!m_memory.IsProtectedSector(n)) {
            m_term.Pause(m_options.dEraseSecondsPerSector);
            m_memory.EraseSector(n);
            Puts(".");
        }
    }
    Puts(" done\n");
    Puts(Format("Erased %lu sectors\n", nLast - nFirst + 1));
    return {};
}

CIpModule::CommandResult CIpModule::CmdCopy(const Args& args) {
    if (args.size() != 4) {
        Puts("Usage:\ncp [.b, .w, .l] source target count\n    - copy memory\n");
        return {false};
    }
    uint32_t nUnit = 4;
    size_t nDot = args[0].find('.');
    if (nDot != std::string::npos && nDot + 1 < args[0].size()) {
        char c = args[0][nDot + 1];
        nUnit = c == 'b' ? 1 : c == 'w' ? 2 : 4;
    }
    uint32_t nSource = ParseHex(args[1]);
    uint32_t nTarget = ParseHex(args[2]);
    uint32_t nCount = ParseHex(args[3]);
    if (nCount == 0) {
        Puts("Zero length ???\n");
        return {false};
    }
    uint32_t nBytes = nCount * nUnit;
    if (m_memory.IsFlash(nTarget)) {
        return {CopyToFlash(nSource, nTarget, nBytes)};
    }
    std::vector<uint8_t> data = m_memory.Read(nSource, nBytes);
    m_memory.WriteRam(nTarget, data.data(), nBytes);
    return {};
}

// NOR flash programs at a finite speed and the monitor prints nothing until
// it has finished or failed.
bool CIpModule::CopyToFlash(uint32_t nSource, uint32_t nTarget, uint32_t nBytes) {
    m_term.Step("cp");
    Puts("Copy to Flash... ");
    std::vector<uint8_t> data = m_memory.Read(nSource, nBytes);
    uint32_t nTry = m_options.bFlashWriteFailure ? nBytes / 2 : nBytes;
    uint32_t nWritten = 0;
    FlashResult result = m_memory.Program(nTarget, data.data(), nTry, &nWritten);
    m_term.Pause(nWritten / m_options.dProgramBytesPerSecond);
    if (result == FlashResult::Ok && m_options.bFlashWriteFailure) {
        result = FlashResult::Timeout;
    }
    switch (result) {
    case FlashResult::Ok:
        Puts("done\n");
        return true;
    case FlashResult::NotErased:
        Puts("Flash not Erased\n");
        break;
    case FlashResult::Protected:
        Puts("Can't write to protected Flash sectors\n");
        break;
    case FlashResult::Outside:
        Puts("Outside available Flash\n");
        break;
    case FlashResult::Timeout:
        Puts("Timeout writing to Flash\n");
        break;
    }
    return false;
}

CIpModule::CommandResult CIpModule::CmdBoot(const Args&) {
    m_term.Step("bootd");
    Puts("## Booting kernel from Legacy Image at 40040000 ...\n"
         "   Image Name:   Linux-2.6.33-ktr84\n"
         "   Image Type:   ARM Linux Kernel Image (uncompressed)\n"
         "   Data Size:    1582764 Bytes = 1.5 MiB\n"
         "   Load Address: 00008000\n"
         "   Entry Point:  00008000\n"
         "   Verifying Checksum ... OK\n"
         "   Loading Kernel Image ... OK\n"
         "OK\n\nStarting kernel ...\n\n");
    return {true, true, Place::Kernel};
}
