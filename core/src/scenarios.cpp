#include "zemkari/scenarios.h"

#include <cassert>

#include "zemkari/clock.h"

namespace zemkari {

int DrawScenarioRow(std::uint32_t millisecondOfDay) {
    // One step of the generator x' = 134775813 x + 1 (mod 2^32); the row is the
    // high word of x' * 24, which spreads the 2^32 states evenly over the 24 rows.
    const std::uint32_t state = millisecondOfDay * 134775813U + 1U;
    return static_cast<int>((std::uint64_t{state} * kScenarioCount) >> 32U);
}

std::uint32_t FirstMillisecondDrawing(int row) {
    assert(row >= 0 && row < kScenarioCount);
    // One pass over the day finds every row; the first call pays for it.
    static const std::array<std::uint32_t, kScenarioCount> firstMillisecond = [] {
        std::array<std::uint32_t, kScenarioCount> found{};
        std::array<bool, kScenarioCount> seen{};
        int missing = kScenarioCount;
        for (std::uint32_t ms = 0; missing > 0 && ms < kMillisecondsPerDay; ++ms) {
            const auto drawn = static_cast<std::size_t>(DrawScenarioRow(ms));
            if (seen[drawn]) continue;
            seen[drawn] = true;
            found[drawn] = ms;
            --missing;
        }
        return found;
    }();
    return firstMillisecond[static_cast<std::size_t>(row)];
}

void LoadScenario(MarketState& state, int index) {
    assert(index >= 0 && index < kScenarioCount);
    const PricePath& row = ScenarioTable[static_cast<std::size_t>(index)];
    for (int k = 1; k <= kPointsPerDay; ++k) {
        const int price = row[static_cast<std::size_t>(k - 1)];
        state.Prices[k] = price;
        state.ChartX[k] = 8 * k;
        state.ChartY[k] = ChartYOf(price);
    }
}

void PickScenario(MarketState& state, std::uint32_t millisecondOfDay) {
    state.ScenarioIndex = DrawScenarioRow(millisecondOfDay);
    LoadScenario(state, state.ScenarioIndex);
}

}  // namespace zemkari
