#pragma once

#include <cstdlib>
#include <iostream>
#include <memory>

#include "common/Version.h"
#include "dialog/UpgraderDlg.h"
#include "record/RunRecorder.h"

// With KTR84_BENCH_RECORD=<folder> the measured run writes its run record
// there, as the front ends' runs do; without it the run keeps none.
struct CBenchRecord {
    explicit CBenchRecord(CUpgraderDlg& dlg) {
        if (const char* pszFolder = std::getenv("KTR84_BENCH_RECORD")) {
            pRecorder = std::make_unique<CRunRecorder>(pszFolder, ToolVersion(), std::cerr);
            dlg.AddListener(*pRecorder);
        }
    }
    std::unique_ptr<CRunRecorder> pRecorder;
};
