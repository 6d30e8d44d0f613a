#include "core/model/day_serial.h"

#include <algorithm>
#include <chrono>

namespace d7 {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

constexpr std::int64_t kSerialEpochFromUnixEpoch = 25569;  // 1899-12-30 .. 1970-01-01
constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
constexpr std::int64_t kMillisecondsPerUnit = kMillisecondsPerDay / 100000;  // 864

std::int64_t millisecondsOfDay(const LocalDateTime& t) {
    return ((std::int64_t(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

std::tm localTm(std::time_t moment) {
    std::tm tm{};
    localtime_r(&moment, &tm);
    return tm;
}

}  // namespace

std::int64_t daysSinceSerialEpoch(int year, int month, int day) {
    return daysFromCivil(year, unsigned(month), unsigned(day)) + kSerialEpochFromUnixEpoch;
}

double daySerial(const LocalDateTime& t) {
    return double(daysSinceSerialEpoch(t.year, t.month, t.day)) +
           double(millisecondsOfDay(t)) / double(kMillisecondsPerDay);
}

std::int64_t daySerialTimes100000(const LocalDateTime& t) {
    return daysSinceSerialEpoch(t.year, t.month, t.day) * 100000 +
           millisecondsOfDay(t) / kMillisecondsPerUnit;
}

LocalDateTime localDateTimeOf(std::time_t moment) {
    const std::tm tm = localTm(moment);
    return {tm.tm_year + 1900, tm.tm_mon + 1,           tm.tm_mday, tm.tm_hour,
            tm.tm_min,         std::min(tm.tm_sec, 59), 0};
}

LocalDateTime localDateTimeNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    LocalDateTime t = localDateTimeOf(seconds);
    const auto sinceSecond = now - system_clock::from_time_t(seconds);
    const auto ms = duration_cast<milliseconds>(sinceSecond).count();
    t.millisecond = ms >= 0 && ms < 1000 ? int(ms) : 0;
    return t;
}

std::string formatLocalDateTime(std::time_t moment) {
    const std::tm tm = localTm(moment);
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, "%x %X", &tm);
    return std::string(text, n);
}

}  // namespace d7
