#pragma once

// The event that wakes the port watcher: an eventfd that is either signalled
// (readable) or not. Created not signalled.
int CreateResumeEvent();
void SignalResumeEvent(int nFd);
void ResetResumeEvent(int nFd);
// Waits without limit until the event is signalled.
void WaitResumeEvent(int nFd);
void CloseResumeEvent(int& nFd);
