#include "testing/Environment.h"

#include <cstdlib>

void SetEnvironment(const char* pszName, const char* pszValue) {
    _putenv_s(pszName, pszValue);
}

// An empty value removes the variable.
void UnsetEnvironment(const char* pszName) {
    _putenv_s(pszName, "");
}
