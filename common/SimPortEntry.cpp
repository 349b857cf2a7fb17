#include "common/SimPortEntry.h"

#include <algorithm>
#include <cctype>

namespace {
struct SimKind {
    const char* pszKind;  // as the simulator announces it
    const char* pszLabel; // as the port list shows it
};
constexpr SimKind kKinds[] = {
    {"transceiver", "Transceiver"},
    {"controller", "Controller"},
    {"ip", "IP-Enabled Controller"},
};

std::string EntryHead(const SimKind& kind) {
    return std::string("Simulated ") + kind.pszLabel + " (";
}

bool AllDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}
} // namespace

std::string SimEntryText(const std::string& strName) {
    const size_t nDash = strName.rfind('-');
    if (nDash == std::string::npos)
        return {};
    const std::string strPid = strName.substr(nDash + 1);
    for (const SimKind& kind : kKinds)
        if (strName.substr(0, nDash) == kind.pszKind && AllDigits(strPid))
            return EntryHead(kind) + strPid + ")";
    return {};
}

std::string SimLinkOfEntry(const std::string& strEntry, const std::string& strDir) {
    for (const SimKind& kind : kKinds) {
        const std::string strHead = EntryHead(kind);
        // The head ends in '(', so an entry with both ends is longer than it.
        if (!strEntry.starts_with(strHead) || !strEntry.ends_with(')'))
            continue;
        const std::string strPid =
            strEntry.substr(strHead.size(), strEntry.size() - strHead.size() - 1);
        if (AllDigits(strPid))
            return strDir + "/" + kind.pszKind + "-" + strPid;
    }
    return {};
}
