#include "window/ProgramName.h"

#include <windows.h>

std::string ProgramFileName() {
    char szPath[MAX_PATH] = {};
    const DWORD nLength = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    const std::string strPath(szPath, nLength < MAX_PATH ? nLength : 0);
    return strPath.substr(strPath.find_last_of("\\/") + 1);
}
