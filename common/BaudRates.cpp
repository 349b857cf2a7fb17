#include "common/BaudRates.h"

#include <iterator>

namespace {
struct RateCode {
    int32_t nBaud;
    speed_t speed;
};

// The rates a Linux serial driver is asked for by code. Rate 0 is left out on
// purpose: B0 means "hang up", not a line speed.
constexpr RateCode kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};
} // namespace

bool BaudToSpeed(int32_t nBaud, speed_t& speed) {
    for (const RateCode& rate : kRates) {
        if (rate.nBaud == nBaud) {
            speed = rate.speed;
            return true;
        }
    }
    return false;
}

bool SpeedToBaud(speed_t speed, int32_t& nBaud) {
    for (const RateCode& rate : kRates) {
        if (rate.speed == speed) {
            nBaud = rate.nBaud;
            return true;
        }
    }
    return false;
}
