#pragma once

#include <string>
#include <vector>

// The serial ports Windows knows, as the port list offers them after
// COM1..COM4: every present device of the Ports class that has a COM name,
// "COM7 — USB Serial Port (FTDI, A10K3J2Q)", by number.
std::vector<std::string> WindowsSerialPortEntries();

// The latency timer (ms) that the FTDI driver keeps for the adapter now named
// strComName ("COM7"); -1 when no FTDI adapter has that name or the driver
// keeps no timer for it.
int FtdiLatencyTimerMs(const std::string& strComName);
