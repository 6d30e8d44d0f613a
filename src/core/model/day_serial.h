// Local date and time as the day serial that snapshot names carry: days since
// 30 December 1899, with the time of day as the fraction.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace d7 {

struct LocalDateTime {
    int year = 1899, month = 12, day = 30;  // month 1..12, day 1..31
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Whole days from 30 December 1899 to the date (negative before it).
std::int64_t daysSinceSerialEpoch(int year, int month, int day);

// The day serial with the time of day as the fraction.
double daySerial(const LocalDateTime& t);

// The day serial times 100000, truncated (one unit is 864 ms). Computed in
// whole numbers, so the result never depends on floating-point rounding.
std::int64_t daySerialTimes100000(const LocalDateTime& t);

// The local date and time now, and of a moment given as time_t.
LocalDateTime localDateTimeNow();
LocalDateTime localDateTimeOf(std::time_t moment);

// A moment as the user's locale writes a short date and a time ("%x %X").
std::string formatLocalDateTime(std::time_t moment);

}  // namespace d7
