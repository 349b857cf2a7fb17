#include "testing/Environment.h"

#include <cstdlib>

void SetEnvironment(const char* pszName, const char* pszValue) {
    setenv(pszName, pszValue, 1);
}

void UnsetEnvironment(const char* pszName) {
    unsetenv(pszName);
}
