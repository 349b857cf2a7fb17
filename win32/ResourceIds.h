#pragma once

// Resource and control ids of the Windows edition's resource script beyond
// the controls the dialog logic knows (window/ControlIds.h). Plain macros:
// the resource compiler reads this file too.
#define IDD_ABOUTBOX 100
#define IDD_UPGRADER 102
#define IDI_UPGRADER 128
#define IDD_PASSWORD 144
#define IDC_LOGO 1101
#define IDC_ABOUT_ICON 1102
#define IDM_ABOUTBOX 0x0010
#define IDC_TIME_LEFT 1103
#define IDC_SLOW_ADAPTER 1104
