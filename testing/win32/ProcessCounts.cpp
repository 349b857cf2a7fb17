#include "testing/ProcessCounts.h"

#include <chrono>
#include <thread>
#include <windows.h>

#include <tlhelp32.h> // after windows.h, whose types it uses

int CountOpenDescriptors() {
    DWORD nHandles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &nHandles);
    return static_cast<int>(nHandles);
}

int CountThreads() {
    const HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return -1;
    const DWORD nProcess = GetCurrentProcessId();
    int nThreads = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Thread32First(hSnapshot, &entry); bMore;
         bMore = Thread32Next(hSnapshot, &entry))
        nThreads += entry.th32OwnerProcessID == nProcess ? 1 : 0;
    CloseHandle(hSnapshot);
    return nThreads;
}

int CountThreadsSettled(int nExpected) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int n = CountThreads();
    while (n != nExpected && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        n = CountThreads();
    }
    return n;
}
