// Local time and the millisecond clock, the only time sources of the library.
#pragma once

#include <cstdint>

namespace lrx::os {

// Six 16-bit fields as a file header stores them: year, month, day, hour, minute, second.
struct LocalDateTime {
    int16_t year, month, day, hour, minute, second;
};

LocalDateTime localNow();
// Milliseconds of a monotonic clock.
int64_t clockMillis();

}  // namespace lrx::os
