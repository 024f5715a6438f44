// What the game logic costs without a window: one tick, and one whole day.
#include <benchmark/benchmark.h>

#include "zemkari/headless_board.h"
#include "zemkari/market.h"

namespace zemkari {
namespace {

constexpr std::uint32_t kNoon = 12 * 3'600'000;  // draws a day with a dip and a late rally

// One tick in the middle of a day with a position open.
// NOLINTNEXTLINE(readability-identifier-naming): Google Benchmark's name, which the measurement reads
void BM_Tick(benchmark::State& bench) {
    MarketState state;
    HeadlessBoard board;
    FixedClock clock(kNoon);
    StartMarket(state, board, clock);
    for (int i = 0; i < 20; ++i) Tick(state, board);
    Buy(state, board);
    for (auto _ : bench) {
        state.TickCount = 25;  // stay mid-day however long the loop runs
        benchmark::DoNotOptimize(Tick(state, board));
    }
}
BENCHMARK(BM_Tick);

// A whole day: start, 55 ticks with a buy and a sale, end.
// NOLINTNEXTLINE(readability-identifier-naming): Google Benchmark's name, which the measurement reads
void BM_Day(benchmark::State& bench) {
    MarketState state;
    HeadlessBoard board;
    FixedClock clock(kNoon);
    for (auto _ : bench) {
        StartMarket(state, board, clock);
        for (int tick = 0; tick < 55; ++tick) {
            Tick(state, board);
            if (tick == 10) Buy(state, board);
            if (tick == 30) Sell(state, board);
        }
        EndMarket(state, board);
        benchmark::DoNotOptimize(state.RealizedProfit);
    }
}
BENCHMARK(BM_Day);

}  // namespace
}  // namespace zemkari
