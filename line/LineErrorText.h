#pragma once

#include <string>

// The system's own words for one of the line's error codes (errno on Linux,
// a Win32 error on Windows), without a trailing full stop or line break.
std::string LineErrorText(int nError);
