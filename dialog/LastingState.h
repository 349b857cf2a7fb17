#pragma once

#include "console/PromptMatcher.h"
#include "firmware/ImageCursor.h"
#include "firmware/ImageTable.h"
#include "upgrade/ip/IpMemory.h"
#include "upgrade/legacy/LegacyMemory.h"

// What outlives a run, held by the dialog for the program's life and handed
// to each run: the prompt matcher's counter, the legacy log-in and counters,
// the saved IP password and the flash step, the image marks, and the send
// position. Nothing of it is persisted.
struct CLastingState {
    PromptMatcher m_matcher;
    CLegacyMemory m_legacy;
    CIpMemory m_ip;
    CImageMarks m_imageMarks;
    CImageCursor m_image;
};
