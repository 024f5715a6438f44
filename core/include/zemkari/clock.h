#pragma once

#include <chrono>
#include <cstdint>

namespace zemkari {

inline constexpr int kMillisecondsPerDay = 86'400'000;

// Where a start of the market reads the time that seeds the scenario draw.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since midnight UTC, 0 to 86'399'999.
    virtual std::uint32_t MillisecondOfUtcDay() const = 0;
};

// The millisecond of the UTC day at `time`, 0 to 86'399'999, apart from reading a clock
// so that it can be checked at chosen times.
std::uint32_t MillisecondOfUtcDayAt(std::chrono::system_clock::time_point time);

class SystemClock final : public Clock {
public:
    std::uint32_t MillisecondOfUtcDay() const override;
};

// A clock that always reads the same time; tests and the replay tool set it.
class FixedClock final : public Clock {
public:
    explicit FixedClock(std::uint32_t millisecondOfDay = 0) : now_(millisecondOfDay) {}
    void Set(std::uint32_t millisecondOfDay) { now_ = millisecondOfDay; }
    std::uint32_t MillisecondOfUtcDay() const override { return now_; }

private:
    std::uint32_t now_;
};

}  // namespace zemkari
