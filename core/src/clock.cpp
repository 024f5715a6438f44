#include "zemkari/clock.h"

#include <chrono>

namespace zemkari {

std::uint32_t MillisecondOfUtcDayAt(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto at = time_point_cast<milliseconds>(time);
    const auto sinceMidnight = at - floor<days>(at);
    return static_cast<std::uint32_t>(sinceMidnight.count());
}

std::uint32_t SystemClock::MillisecondOfUtcDay() const {
    return MillisecondOfUtcDayAt(std::chrono::system_clock::now());
}

}  // namespace zemkari
