#pragma once

#include "firmware/ImageCursor.h"
#include "win32/Win32Api.h"

// The upgrader window on Windows: answers the command line (--help and
// --version on the console that started it, or in a message box without
// one), then runs the window until the operator quits. findImage: where
// images are found (empty: the embedded ones). Returns the exit code.
int RunUpgraderWindow(HINSTANCE hInstance, const ImageLookup& findImage);
