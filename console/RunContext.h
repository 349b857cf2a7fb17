#pragma once

#include <cstdint>

#include "console/ReceivedChunk.h"
#include "console/RunDialog.h"
#include "firmware/ImageCursor.h"
#include "line/SComDoc.h"
#include "window/WindowLayer.h"

// The carriage return that ends every command to a module.
inline constexpr uint8_t kCr = 13;

// What a run works with, handed in by the dialog that starts it: the line, the
// window, the dialog's own side, the send position and the received chunk.
struct CRunContext {
    CSComDoc& line;
    CWindowLayer& window;
    CRunDialog& dialog;
    CImageCursor& image;
    CReceivedChunk& rx;
};
