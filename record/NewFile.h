#pragma once

#include <cstdio>
#include <filesystem>

// Creates the file at path for writing, as bytes, and fails (nullptr, errno
// set) if it exists already. Paths are wide on Windows, so the opening call
// is the platform's.
std::FILE* OpenNewFile(const std::filesystem::path& path);
