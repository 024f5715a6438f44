#include "zemkari/scenarios.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "zemkari/clock.h"

namespace zemkari {
namespace {

class LoadScenarioTest : public testing::TestWithParam<int> {};

TEST_P(LoadScenarioTest, FillsPricesAndChartCoordinatesFromItsRow) {
    const int row = GetParam();
    MarketState state;
    LoadScenario(state, row);
    for (int k = 1; k <= kPointsPerDay; ++k) {
        const int price = ScenarioTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(state.Prices[k], price) << "point " << k;
        EXPECT_EQ(state.ScenarioPrices[k], price);
        EXPECT_EQ(state.ScenarioY[k], 300 - price);
        EXPECT_EQ(state.ChartY[k], 300 - price);
        EXPECT_EQ(state.ChartX[k], 8 * k);
        EXPECT_GE(state.ChartY[k], 50);
        EXPECT_LE(state.ChartY[k], 300);
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

TEST(ScenarioTable, HoldsOnlyPricesWithinTheDailyLimits) {
    for (const PricePath& row : ScenarioTable) {
        EXPECT_TRUE(std::all_of(row.begin(), row.end(), [](int p) { return p >= 0 && p <= 250; }));
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

TEST(DrawScenarioRow, MidnightDrawsRow0AndNoonDrawsRow9) {
    EXPECT_EQ(DrawScenarioRow(0), 0);
    EXPECT_EQ(DrawScenarioRow(12 * 3'600'000), 9);
}

TEST(DrawScenarioRow, MatchesTheGeneratorStepAcrossTheDay) {
    // The generator worked out in 64 bits, independently of the 32-bit wrap.
    for (std::uint64_t ms = 0; ms < 86'400'000; ms += 999'983) {
        const std::uint64_t state = (ms * 134775813ULL + 1ULL) % (1ULL << 32U);
        EXPECT_EQ(DrawScenarioRow(static_cast<std::uint32_t>(ms)), static_cast<int>(state * 24 / (1ULL << 32U)));
    }
    EXPECT_EQ(DrawScenarioRow(86'399'999), 17);  // the day's last millisecond
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

TEST(SystemClock, ReadsTheMillisecondOfTheUtcDay) {
    const std::int64_t before = static_cast<std::int64_t>(std::time(nullptr) % 86'400) * 1000;
    const std::int64_t read = SystemClock().MillisecondOfUtcDay();
    ASSERT_LT(read, 86'400'000);
    // Within two seconds of the C library's reading, across midnight too.
    const std::int64_t gap = (read - before + 86'400'000) % 86'400'000;
    EXPECT_LT(gap, 2'000) << "clock read " << read << " ms, time() says " << before << " ms";
}

}  // namespace
}  // namespace zemkari
