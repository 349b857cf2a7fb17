#pragma once

// Sets or removes an environment variable of the test's own process (setenv
// on Linux, _putenv_s on Windows; testing/posix, testing/win32).
void SetEnvironment(const char* pszName, const char* pszValue);
void UnsetEnvironment(const char* pszName);
