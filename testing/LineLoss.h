#pragma once

// The module's end of the line closing part way through an upload, as when a
// USB adapter is pulled, and what a run must show for it.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "testing/ScriptedWindow.h"

struct CLineLoss {
    using Clock = std::chrono::steady_clock;

    // Pulls the line (fnPull) at the first text the window shows that starts
    // with strAt, and keeps every text shown after it.
    void PullAt(CScriptedWindow& window, std::string strAt, std::function<void()> fnPull) {
        window.onShown = [this, strAt, fnPull](const ShownEvent& e) {
            Look(e.strText, strAt, fnPull);
        };
    }
    // The same for a window that is only looked at now and then.
    void Look(const std::string& strShown, const std::string& strAt,
              const std::function<void()>& fnPull) {
        if (bPulled) {
            after.push_back(strShown);
        } else if (strShown.rfind(strAt, 0) == 0) {
            fnPull();
            bPulled = true;
            tPulled = Clock::now();
        }
    }
    double SecondsSincePull() const {
        return std::chrono::duration<double>(Clock::now() - tPulled).count();
    }

    // Called as the run returns: "" when it showed the loss as it must (at
    // once, with one box that says the adapter went away, nothing after the
    // loss that claims the transfer went on, and the status "Connection not
    // Established"), else what it showed instead. At once is well within the
    // 30 s of silence the run would otherwise wait out, and beyond any stall.
    std::string Misreport(const std::vector<std::string>& boxes,
                          const std::string& strStatus) const {
        if (!bPulled)
            return "the line was never pulled";
        if (SecondsSincePull() >= 10.0)
            return "the run went on " + std::to_string(SecondsSincePull()) + " s after the loss";
        if (boxes.size() != 1 ||
            boxes[0].rfind("Unable to Connect to Card\nThe serial adapter went away", 0) != 0)
            return "boxes: " + Joined(boxes);
        for (const std::string& strText : after)
            if (strText.find("complete") != std::string::npos)
                return "shown after the loss: " + strText;
        if (strStatus != "Connection not Established")
            return "status: " + strStatus;
        return "";
    }

    bool bPulled = false;
    Clock::time_point tPulled{};
    std::vector<std::string> after;

private:
    static std::string Joined(const std::vector<std::string>& texts) {
        std::string strOut;
        for (const std::string& strText : texts)
            strOut += "[" + strText + "]";
        return strOut;
    }
};
