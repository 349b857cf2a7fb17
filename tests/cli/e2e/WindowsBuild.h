#pragma once

// The Windows build's programs as the end-to-end tests run them: under Wine
// (cmake/wine-run.sh, in the build's private prefix), on the simulator's
// pseudo-terminal linked into the prefix as a COM port.
#include <filesystem>
#include <string>
#include <vector>

// Why runs of the Windows build cannot be made here ("" when they can).
std::string WindowsBuildMissing();
// The command that runs <Windows build>/<strProgram> under Wine.
std::vector<std::string> WineCommand(const std::string& strProgram);
// A path the program gave (C:\..., Z:\...) as this machine's path, through
// the prefix's drive links.
std::filesystem::path UnixPathOf(const std::string& strWindowsPath);

// <prefix>/dosdevices/comN linked to a device for the object's life, N the
// first free one from a start of this process's own, so that test programs
// running at once take different ports.
class CComLink {
public:
    explicit CComLink(const std::string& strDevice);
    ~CComLink();
    CComLink(const CComLink&) = delete;
    CComLink& operator=(const CComLink&) = delete;

    // "COMn", or "" when no link could be made.
    const std::string& Port() const { return m_strPort; }

private:
    std::filesystem::path m_link;
    std::string m_strPort;
};
