#pragma once

#include <string>
#include <vector>

// A running simulator announces its line as a symbolic link
// <SimAnnounceDir()>/<kind>-<pid> pointing at its /dev/pts/N, so that the
// upgrader's port list can offer it without anyone typing a path. The one rule
// for both sides: the simulator writes it, the port list reads it.

// $XDG_RUNTIME_DIR/ktr84-modsim, or /tmp/ktr84-modsim-<uid> without it.
std::string SimAnnounceDir();

struct SimAnnouncement {
    std::string strName;       // "<kind>-<pid>", e.g. "transceiver-4711"
    std::string strLinkPath;   // the link itself, a name that says which simulator
    std::string strDevicePath; // where the link points
};

// The simulators announced in strDir whose process is still alive and whose
// line still exists, sorted by name; stale links are left alone.
std::vector<SimAnnouncement> FindAnnouncedSims(const std::string& strDir = SimAnnounceDir());

// Creates the link for this process and removes it again when destroyed.
class CSimAnnouncer {
public:
    CSimAnnouncer(const std::string& strKind, const std::string& strDevicePath);
    ~CSimAnnouncer();
    CSimAnnouncer(const CSimAnnouncer&) = delete;
    CSimAnnouncer& operator=(const CSimAnnouncer&) = delete;

    bool Announced() const { return !m_strLink.empty(); }
    std::string LinkPath() const { return m_strLink; }

private:
    std::string m_strLink;
};
