#include "zemkari/clock.h"

#include <chrono>

namespace zemkari {

std::uint32_t SystemClock::MillisecondOfUtcDay() const {
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now());
    const auto sinceMidnight = now - floor<days>(now);
    return static_cast<std::uint32_t>(sinceMidnight.count());
}

}  // namespace zemkari
