#include "record/RecordFolder.h"

#include <cstdlib>

namespace fs = std::filesystem;

fs::path RecordFolder() {
    const char* pszState = std::getenv("XDG_STATE_HOME");
    if (pszState && pszState[0] == '/')
        return fs::path(pszState) / "ktr84-upgrader";
    const char* pszHome = std::getenv("HOME");
    return fs::path(pszHome ? pszHome : "/tmp") / ".local" / "state" / "ktr84-upgrader";
}
