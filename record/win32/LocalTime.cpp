#include "record/LocalTime.h"

std::tm LocalTime(std::time_t t) {
    std::tm tm{};
    localtime_s(&tm, &t);
    return tm;
}
