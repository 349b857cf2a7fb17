#pragma once

// Open descriptors (Linux) or handles (Windows) and threads of this process
// right now.
int CountOpenDescriptors();
int CountThreads();
// The thread count once it has settled at nExpected (a joined thread can take
// a moment to go); the last count seen if it never does.
int CountThreadsSettled(int nExpected);
// The thread count once it has stayed the same for a while, for a count to
// compare with later: Wine runs short-lived threads of its own now and then.
int CountThreadsSteady();
