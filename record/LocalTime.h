#pragma once

#include <ctime>

// The local calendar time of t, by the platform's thread-safe call.
std::tm LocalTime(std::time_t t);
