#pragma once

// The IP run's RAM upload by a build's console program as a program, against
// the simulator in this process pacing its line like a UART at 115200 baud:
// the Linux program, or the Windows one under Wine on the line linked in as
// a COM port. Stopped with SIGINT after nSeconds of upload; the figure is the
// time the module took for the records it received against their wire time.
// Returns 0 when measured, 1 when the run reached no upload or the module
// did not say how many records it took.
int MeasureProgramUpload(bool bWindows, int nSeconds);
