#pragma once

#include <string>

#include "win32/Win32Api.h"

// The About box from its template, showing the application icon.
void ShowAboutBox(HINSTANCE hInstance, HWND hOwner, HICON hIcon);

// The password prompt from its template: the field shows strDefault masked.
// IDOK with the field's text in strEntered, or IDCANCEL leaving it alone.
int ShowPasswordPrompt(HINSTANCE hInstance, HWND hOwner, const std::string& strDefault,
                       std::string& strEntered);
