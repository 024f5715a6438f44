#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace zemkari {

inline constexpr int kPointsPerDay = 50;

// Money and prices in 万円. 64-bit so that no winning streak can overflow.
using Money = std::int64_t;

// A day's worth of values, indexed by point 1 to 50 as the game's rules count them.
class DayArray {
public:
    constexpr int& operator[](int point) {
        assert(point >= 1 && point <= kPointsPerDay);
        return values_[static_cast<std::size_t>(point - 1)];
    }
    constexpr int operator[](int point) const {
        assert(point >= 1 && point <= kPointsPerDay);
        return values_[static_cast<std::size_t>(point - 1)];
    }
    friend constexpr bool operator==(const DayArray&, const DayArray&) = default;

private:
    std::array<int, kPointsPerDay> values_{};
};

// The one record of game data: the day's price path and the player's account.
// Every field starts at 0 when the process starts.
struct MarketState {
    // The fields keep the names the game's rules give them, so that a reader finds each
    // rule's variable by its name.
    // NOLINTBEGIN(readability-identifier-naming)
    Money BaseCapital = 0;       // 300 once any tick, buy or sell has run
    int ScenarioIndex = 0;       // row of the scenario table the day follows, 0 to 23
    int OrderQty = 0;            // shares of the last buy order
    Money RealizedProfit = 0;    // every profit and loss since the process started
    Money EntryPrice = 0;        // price per share of the open position; 0: none open
    Money UnitProfit = 0;        // per-share profit of the open or the last closed trade
    std::int64_t TickCount = 0;  // ticks since the day started; keeps counting past 50

    DayArray Prices;  // the day's prices as ticks and orders read them
    DayArray ChartX;  // 8 * k
    DayArray ChartY;  // ChartYOf the drawn row's price at point k
    // NOLINTEND(readability-identifier-naming)

    friend bool operator==(const MarketState&, const MarketState&) = default;
};

// Buying power: RealizedProfit + BaseCapital.
constexpr Money AvailableFunds(const MarketState& s) { return s.RealizedProfit + s.BaseCapital; }

// What the open position commits: EntryPrice x OrderQty (0 while none is open).
constexpr Money AmountCommitted(const MarketState& s) { return s.EntryPrice * s.OrderQty; }

// What the position (or the last closed trade) is worth: UnitProfit x OrderQty.
constexpr Money UnrealizedProfit(const MarketState& s) { return s.UnitProfit * s.OrderQty; }

}  // namespace zemkari
