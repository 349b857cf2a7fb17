#include "record/RecordFolder.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {
// Where the shell keeps the user's local application data; empty if it
// cannot say.
fs::path KnownLocalAppData() {
    PWSTR pszPath = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &pszPath)))
        folder = pszPath;
    CoTaskMemFree(pszPath);
    return folder;
}
} // namespace

// The variable first, as XDG_STATE_HOME is read on Linux: Windows sets it to
// the known folder at log-on, and a test or the operator may point it
// elsewhere. The known folder where the variable is missing or not a full
// path (a program started with a bare environment).
fs::path RecordFolder() {
    const wchar_t* pszLocal = _wgetenv(L"LOCALAPPDATA");
    fs::path folder = pszLocal ? fs::path(pszLocal) : fs::path();
    if (!folder.is_absolute())
        folder = KnownLocalAppData();
    std::error_code ec;
    if (folder.empty())
        folder = fs::temp_directory_path(ec);
    return folder / "ktr84-upgrader";
}
