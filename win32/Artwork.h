#pragma once

#include "win32/Win32Api.h"

// The program's artwork (artwork/) as Windows draws it: the application icon
// at a size in pixels, and the logo as a bitmap compatible with hdc.
HICON CreateApplicationIcon(int nSize);
HBITMAP CreateLogoBitmap(HDC hdc, int nWidth, int nHeight);
