#pragma once

#include <string>

#include "common/SimAnnouncement.h"

// How the port list names an announced simulator, and which link that name
// opens: the announcement "transceiver-4711" is offered as "Simulated
// Transceiver (4711)", and that entry opens <SimAnnounceDir()>/transceiver-4711.
// The list writes the name, the serial line reads it back.

// The entry for the announcement strName ("<kind>-<pid>"); empty for a kind
// the upgrader does not know.
std::string SimEntryText(const std::string& strName);

// The link in strDir that the entry strEntry names; empty when strEntry is
// not a simulator's entry.
std::string SimLinkOfEntry(const std::string& strEntry,
                           const std::string& strDir = SimAnnounceDir());
