#pragma once

// What the --help text says that differs by platform, each piece ending in a
// line end: the ports --port takes (after the option's column), where the
// records are kept, and what stops a run.
struct UsageNotes {
    const char* pszPorts;
    const char* pszRecordFolder;
    const char* pszStops;
};
const UsageNotes& PlatformUsageNotes();
