#pragma once

#include <cstdint>
#include <termios.h>

// The rates a Linux serial driver is asked for by code, both ways. Shared by
// the port object and by the module simulator, which reads back the rate the
// upgrader set on its line.

// The termios speed code for a rate in bits per second; false for a rate the
// serial drivers cannot be asked for.
bool BaudToSpeed(int32_t nBaud, speed_t& speed);

// The rate in bits per second of a termios speed code; false for B0 and codes
// not in the table.
bool SpeedToBaud(speed_t speed, int32_t& nBaud);
