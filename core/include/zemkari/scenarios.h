#pragma once

#include <array>
#include <cstdint>

#include "zemkari/market_state.h"

namespace zemkari {

inline constexpr int kScenarioCount = 24;
inline constexpr int kLimitUpPrice = 250;
inline constexpr int kLimitDownPrice = 0;
inline constexpr int kOpeningQuote = 100;

using PricePath = std::array<int, kPointsPerDay>;

// The 24 price paths a day can follow; row r holds points 1 to 50.
extern const std::array<PricePath, kScenarioCount> ScenarioTable;

// The row a start of the market draws when the UTC clock reads `millisecondOfDay`
// (0 to 86'399'999): one step of a linear congruential generator seeded with it.
int DrawScenarioRow(std::uint32_t millisecondOfDay);

// Fills the day's prices and chart coordinates from row `index` (0 to 23).
void LoadScenario(MarketState& state, int index);

// Draws the row for the clock reading, stores it in ScenarioIndex and loads it.
void PickScenario(MarketState& state, std::uint32_t millisecondOfDay);

}  // namespace zemkari
