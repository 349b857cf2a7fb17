#pragma once

// What a wait for the line's input waits on: the line's own handle type. On
// Linux the descriptor of the open line, on Windows an event (a HANDLE) that
// is signalled while bytes may be waiting. kNoLineHandle stands for none: a
// wait on it takes its full time.
#if defined(_WIN32)
using LineHandle = void*; // HANDLE, without <windows.h> in every header
inline const LineHandle kNoLineHandle = nullptr;
#else
using LineHandle = int;
inline constexpr LineHandle kNoLineHandle = -1;
#endif
