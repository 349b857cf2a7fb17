#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/ModuleSim.h"
#include "testing/DialogRig.h"

// The dialog rig on a simulated module's line.
struct CSimRig : CDialogRig {
    explicit CSimRig(const SimOptions& options, std::unique_ptr<CScriptedWindow> pOwnWindow =
                                                    std::make_unique<CScriptedWindow>())
        : CDialogRig(std::move(pOwnWindow)) {
        NewModule(options);
    }
    // Puts a freshly powered module on a line of its own and selects that line.
    void NewModule(const SimOptions& options) {
        pSim = std::make_unique<CModuleSim>(options);
        bStarted = pSim->Start();
        SetPort(pSim->DevicePath());
    }
    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (const auto& e : pSim->Transcript())
            out.push_back(e.strCommand);
        return out;
    }
    bool Received(const std::string& strCommand) const {
        for (const auto& e : pSim->Transcript())
            if (e.strCommand == strCommand)
                return true;
        return false;
    }

    std::unique_ptr<CModuleSim> pSim;
    bool bStarted = false;
};
