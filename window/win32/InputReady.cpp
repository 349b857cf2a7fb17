#include "window/WaitReadable.h"

#include <windows.h>

bool InputReady(LineHandle hInput, int nMs) {
    if (hInput == kNoLineHandle)
        return false;
    return WaitForSingleObject(hInput, static_cast<DWORD>(nMs < 0 ? 0 : nMs)) == WAIT_OBJECT_0;
}
