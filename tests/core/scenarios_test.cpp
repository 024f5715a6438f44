#include "zemkari/scenarios.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "zemkari/clock.h"
#include "zemkari/design/window.h"

namespace zemkari {
namespace {

class LoadScenarioTest : public testing::TestWithParam<int> {};

// The day follows its row, and every point of it stands on the chart surface, level
// with its price on the price scale, one step further right than the point before.
TEST_P(LoadScenarioTest, DrawsTheRowsPricesOntoTheChartSurface) {
    const auto row = static_cast<std::size_t>(GetParam());
    MarketState state;
    LoadScenario(state, GetParam());
    const design::Rect surface = design::kChartRect;
    for (int k = 1; k <= kPointsPerDay; ++k) {
        EXPECT_EQ(state.Prices[k], ScenarioTable[row][static_cast<std::size_t>(k - 1)]) << "point " << k;
        EXPECT_EQ(state.ChartY[k], ChartYOf(state.Prices[k])) << "point " << k;
        EXPECT_EQ(state.ChartX[k] - (k > 1 ? state.ChartX[k - 1] : 0), state.ChartX[1]) << "point " << k;
        EXPECT_GT(state.ChartX[k], 0);
        EXPECT_LT(state.ChartX[k], surface.width);
        EXPECT_GE(state.ChartY[k], 0);
        EXPECT_LT(state.ChartY[k], surface.height);
    }
}

TEST_P(LoadScenarioTest, TouchesNothingButTheDayArrays) {
    MarketState state;
    state.RealizedProfit = 1234;
    state.TickCount = 7;
    state.EntryPrice = 90;
    state.OrderQty = 5;
    LoadScenario(state, GetParam());
    EXPECT_EQ(state.RealizedProfit, 1234);
    EXPECT_EQ(state.TickCount, 7);
    EXPECT_EQ(state.EntryPrice, 90);
    EXPECT_EQ(state.OrderQty, 5);
    EXPECT_EQ(state.ScenarioIndex, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, LoadScenarioTest, testing::Range(0, kScenarioCount));

// A higher price stands higher on the chart: the limits at the top and bottom of the
// scale, the opening quote where the day's line starts.
TEST(ChartYOf, PutsHigherPricesHigherWithTheLimitsAtTheScalesEnds) {
    EXPECT_EQ(ChartYOf(kLimitUpPrice), 50);
    EXPECT_EQ(ChartYOf(kOpeningQuote), 200);
    EXPECT_EQ(ChartYOf(kLimitDownPrice), 300);
    for (int price = kLimitDownPrice; price < kLimitUpPrice; ++price) EXPECT_LT(ChartYOf(price + 1), ChartYOf(price));
}

TEST(ScenarioTable, HoldsOnlyPricesWithinTheDailyLimits) {
    for (const PricePath& row : ScenarioTable) {
        EXPECT_TRUE(
            std::all_of(row.begin(), row.end(), [](int p) { return p >= kLimitDownPrice && p <= kLimitUpPrice; }));
    }
}

TEST(ScenarioTable, HasTheTellingOpeningsAndCloses) {
    auto opening = [](int r) { return ScenarioTable[static_cast<std::size_t>(r)].front(); };
    auto closing = [](int r) { return ScenarioTable[static_cast<std::size_t>(r)].back(); };
    int opensAt100 = 0;
    for (int r = 0; r < kScenarioCount; ++r) opensAt100 += opening(r) == 100 ? 1 : 0;
    EXPECT_EQ(opensAt100, 20);
    EXPECT_EQ(opening(7), 85);
    EXPECT_EQ(opening(9), 140);
    EXPECT_EQ(opening(14), 140);
    EXPECT_EQ(opening(19), 170);
    for (int r : {2, 5, 10, 13}) EXPECT_EQ(closing(r), 250) << "row " << r;
    for (int r : {6, 11, 15, 21, 22, 23}) EXPECT_EQ(closing(r), 0) << "row " << r;
    EXPECT_EQ(ScenarioTable[15][9], 0);  // touches the limit-down price at point 10
}

TEST(ScenarioTable, Rows10And22DifferOnlyAtTheClose) {
    MarketState up;
    MarketState down;
    LoadScenario(up, 10);
    LoadScenario(down, 22);
    for (int k = 1; k < kPointsPerDay; ++k) EXPECT_EQ(up.Prices[k], down.Prices[k]);
    EXPECT_EQ(up.Prices[50], 250);
    EXPECT_EQ(down.Prices[50], 0);
    EXPECT_EQ(up.ChartY[50], 50);
    EXPECT_EQ(down.ChartY[50], 300);
}

TEST(ScenarioTable, Row19KeepsItsOwnFirstPoint) {
    MarketState state;
    LoadScenario(state, 19);
    EXPECT_EQ(state.Prices[1], 170);
    EXPECT_EQ(state.ChartY[1], 130);
}

// Stored scripts and transcripts start their days by these clock readings.
TEST(DrawScenarioRow, DrawsTheRowsStoredDaysStartOn) {
    EXPECT_EQ(DrawScenarioRow(0), 0);                        // midnight
    EXPECT_EQ(DrawScenarioRow(12 * 3'600'000), 9);           // noon
    EXPECT_EQ(DrawScenarioRow(9 * 3'600'000 + 20'000), 15);  // 9:00:20
    EXPECT_EQ(DrawScenarioRow(86'399'999), 17);              // the day's last millisecond
}

TEST(DrawScenarioRow, ReachesEveryRowAboutEquallyOften) {
    std::array<int, kScenarioCount> hits{};
    for (std::uint32_t ms = 0; ms < 240'000; ++ms) ++hits[static_cast<std::size_t>(DrawScenarioRow(ms))];
    for (int h : hits) EXPECT_NEAR(h, 10'000, 500);
}

TEST(FirstMillisecondDrawing, IsTheEarliestClockReadingThatDrawsEachRow) {
    for (int row = 0; row < kScenarioCount; ++row) {
        const std::uint32_t first = FirstMillisecondDrawing(row);
        EXPECT_EQ(DrawScenarioRow(first), row);
        for (std::uint32_t earlier = 0; earlier < first; ++earlier) EXPECT_NE(DrawScenarioRow(earlier), row);
    }
}

TEST(PickScenario, StoresTheDrawnRowAndLoadsIt) {
    MarketState state;
    PickScenario(state, 12 * 3'600'000);
    EXPECT_EQ(state.ScenarioIndex, 9);
    EXPECT_EQ(state.Prices[1], 140);
    EXPECT_EQ(state.Prices[50], 185);
}

// Checked at chosen instants, not against the running clock, so no slow or stepped
// clock can fail it.
TEST(MillisecondOfUtcDayAt, CountsFromUtcMidnightAndWrapsAtTheNextOne) {
    using namespace std::chrono;
    const sys_days day = 2026y / January / 5;
    EXPECT_EQ(MillisecondOfUtcDayAt(day), 0U);
    EXPECT_EQ(MillisecondOfUtcDayAt(day + 12h + 34min + 56s + 789ms), 45'296'789U);
    EXPECT_EQ(MillisecondOfUtcDayAt(day + 24h - 1ms), 86'399'999U);
    EXPECT_EQ(MillisecondOfUtcDayAt(day + 24h), 0U);
    EXPECT_EQ(MillisecondOfUtcDayAt(day + 1ms + 999us), 1U);          // a part of a millisecond is dropped
    EXPECT_EQ(MillisecondOfUtcDayAt(sys_days{} - 1ms), 86'399'999U);  // before 1970 too
    EXPECT_LT(SystemClock().MillisecondOfUtcDay(), static_cast<std::uint32_t>(kMillisecondsPerDay));
}

}  // namespace
}  // namespace zemkari
