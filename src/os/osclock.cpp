// Local time of day and a monotonic millisecond clock, from the C and C++ runtimes.
#include "src/os/osclock.h"

#include <chrono>
#include <ctime>

namespace lrx::os {

LocalDateTime localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return LocalDateTime{static_cast<int16_t>(local.tm_year + 1900), static_cast<int16_t>(local.tm_mon + 1),
                         static_cast<int16_t>(local.tm_mday),        static_cast<int16_t>(local.tm_hour),
                         static_cast<int16_t>(local.tm_min),         static_cast<int16_t>(local.tm_sec)};
}

int64_t clockMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace lrx::os
