#pragma once

// The window layer names IDOK and IDCANCEL as constants; <windows.h> makes
// them macros of the same values, so the constants are declared first.
#include "window/WindowLayer.h"

#include <windows.h>

#include <commctrl.h>

// <windows.h> renames MessageBox to MessageBoxW, which would rename the
// window layer's operation too.
#undef MessageBox
