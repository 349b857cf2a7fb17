#include "record/NewFile.h"

std::FILE* OpenNewFile(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wx");
}
