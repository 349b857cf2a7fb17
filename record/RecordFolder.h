#pragma once

#include <cstdint>
#include <filesystem>

// Where run records live. On Linux $XDG_STATE_HOME/ktr84-upgrader, or
// ~/.local/state/ktr84-upgrader when the variable is unset or not absolute;
// on Windows %LOCALAPPDATA%\ktr84-upgrader.
std::filesystem::path RecordFolder();

// Removes the oldest records (by name, which begins with the start time)
// until no more than nKeep remain and they take no more than nMaxBytes.
// Files that are no record are left alone; failures are ignored.
void PruneRecords(const std::filesystem::path& folder, size_t nKeep = 100,
                  uintmax_t nMaxBytes = 50u * 1024 * 1024);
