#pragma once

#include <windows.h>

// What the program changes in its console, noted so that it is put back both
// on the ordinary way out and by a stop that ends the program at once: the
// console outlives the program, and the shell that started it would go on
// without echo or in another code page.

// The output code page to put back (the one before UTF-8 was set).
void KeepConsoleOutputCodePage(UINT nCodePage);
void RestoreConsoleOutputCodePage();

// The input mode to put back on hInput (the one before echo went off).
void KeepConsoleInputMode(HANDLE hInput, DWORD dwMode);
void RestoreConsoleInputMode();

// Both, from any thread.
void RestoreConsole();
