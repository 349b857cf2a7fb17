#include "record/NewFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

// Binary, so that a record has the same bytes as on Linux. The C runtime's
// fopen knows no "x"; _O_EXCL is its exclusive creation.
std::FILE* OpenNewFile(const std::filesystem::path& path) {
    const int nFd =
        _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (nFd < 0)
        return nullptr;
    std::FILE* pFile = _fdopen(nFd, "wb");
    if (!pFile)
        _close(nFd);
    return pFile;
}
