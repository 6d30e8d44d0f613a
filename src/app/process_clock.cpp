#include "app/process_clock.h"

#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace d7::app {

namespace {

// The process's age from /proc/self/stat (start time in clock ticks since
// boot) and the boot-time clock; 0 when either is unavailable.
double processAgeMs() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line)) return 0;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    // The fields after the command name start with field 3; the start time is field 22.
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i != 22) continue;
        const long ticks = sysconf(_SC_CLK_TCK);
        timespec now{};
        if (ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return 0;
        const double startMs = std::strtod(field.c_str(), nullptr) * 1000.0 / double(ticks);
        const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
        return nowMs > startMs ? nowMs - startMs : 0;
    }
    return 0;
}

}  // namespace

ProcessClock::ProcessClock()
    : beforeMainMs_(processAgeMs()), made_(std::chrono::steady_clock::now()) {}

double ProcessClock::elapsedMs() const {
    const auto since = std::chrono::steady_clock::now() - made_;
    return beforeMainMs_ + std::chrono::duration<double, std::milli>(since).count();
}

}  // namespace d7::app
