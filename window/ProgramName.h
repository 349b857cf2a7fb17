#pragma once

#include <string>

// The running executable's file name without its folder ("ktr84-upgrade",
// "ktr84-upgrade.exe"), the platform's way (window/posix, window/win32).
std::string ProgramFileName();
