#pragma once

#include <optional>
#include <string>

#include "zemkari/board.h"
#include "zemkari/clock.h"
#include "zemkari/market_state.h"

namespace zemkari {

// A failure a handler reports to the player; the window shows `message` in a box.
struct Failure {
    std::string message;
    friend bool operator==(const Failure&, const Failure&) = default;
};
using Outcome = std::optional<Failure>;

// The window's event handlers, each as the game's steps in order. The window calls
// them only while the control is usable: a disabled button sends no click and a
// stopped timer no tick.
Outcome StartMarket(MarketState& state, Board& board, const Clock& clock);
void EndMarket(MarketState& state, Board& board);
void Buy(MarketState& state, Board& board);
void Sell(MarketState& state, Board& board);
Outcome Tick(MarketState& state, Board& board);

// The steps of a tick, in the order Tick runs them.
Outcome ApplyGameSpeed(Board& board);
void RefreshQuoteBoard(const MarketState& state, Board& board);
void EvaluatePosition(MarketState& state, Board& board);
void SettleAtClose(MarketState& state, Board& board);
void UpdateProfitIndicator(const MarketState& state, Board& board);
void RecomputeUnitProfit(MarketState& state);
void DrawPriceChart(const MarketState& state, Board& board);

// Board steps shared by the tick and the orders.
void SetFlatButtons(Board& board);
void ShowBuyingPower(Board& board, Money amount);
void ShowUnrealizedProfit(const MarketState& state, Board& board);
void ShowComment(Board& board, std::string_view text, Colour colour);

// The price a buy would take now, between ticks: 100 after the first tick of a day,
// then the latest revealed point. Empty before the first tick.
std::optional<Money> PriceOnDisplay(const MarketState& state);

}  // namespace zemkari
