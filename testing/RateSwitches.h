#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A module's rate changes, read from its transcript: the simulator notes
// "<switched to N baud>" (", lost K bytes" when bytes arrived before the
// switch and were lost) and then every line it took, an empty one for a CR.
struct RateSwitch {
    int32_t nBaud = 0;
    bool bLostBefore = false; // a CR (or more) came before the switch
    int nCrsAfter = 0;        // CRs taken at the new rate before the next command
};

// lines: the rate in force and the text of each transcript line, in order.
inline std::vector<RateSwitch>
ReadRateSwitches(const std::vector<std::pair<int32_t, std::string>>& lines) {
    static const std::string kNote = "<switched to ";
    std::vector<RateSwitch> switches;
    bool bCounting = false; // still among the CRs right after the last switch
    for (const auto& [nBaud, strText] : lines) {
        if (strText.rfind(kNote, 0) == 0) {
            RateSwitch next;
            next.nBaud = std::stoi(strText.substr(kNote.size()));
            next.bLostBefore = strText.find(", lost ") != std::string::npos;
            switches.push_back(next);
            bCounting = true;
        } else if (bCounting && strText.empty() && nBaud == switches.back().nBaud) {
            ++switches.back().nCrsAfter;
        } else {
            bCounting = false;
        }
    }
    return switches;
}

// What is wrong with the switches of a whole run, empty when nothing: each
// switch to one of the rates in want must have its CR taken at the new rate,
// and when no CR came too early, exactly one (the run knocked for nothing
// otherwise).
inline std::string RateSwitchFault(const std::vector<RateSwitch>& switches,
                                   const std::vector<int32_t>& want) {
    if (switches.size() != want.size())
        return std::to_string(switches.size()) + " rate switches, not " +
               std::to_string(want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        const RateSwitch& s = switches[i];
        const std::string strWhich = "switch to " + std::to_string(s.nBaud) + ": ";
        if (s.nBaud != want[i])
            return strWhich + "not to " + std::to_string(want[i]);
        if (s.nCrsAfter < 1)
            return strWhich + "no CR taken at the new rate";
        if (!s.bLostBefore && s.nCrsAfter != 1)
            return strWhich + std::to_string(s.nCrsAfter) + " CRs though none came too early";
    }
    return {};
}
