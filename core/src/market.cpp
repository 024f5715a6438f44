#include "zemkari/market.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "zemkari/rules.h"
#include "zemkari/scenarios.h"

namespace zemkari {

using design::TextId;

namespace {

std::string Decimal(Money value) { return std::to_string(value); }

std::string MoneyText(Money amount) { return Decimal(amount) + std::string(TextOf(TextId::ManYen)); }

// The high and low of the day live in their labels; anything but a whole number
// there (which the game never writes) counts as the opening quote.
Money ParseDecimal(const std::string& text) {
    Money value = kOpeningQuote;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Points 1 to min(c, 50) are revealed during a tick that starts with TickCount = c.
int RevealedPoints(const MarketState& state) {
    return static_cast<int>(std::min<std::int64_t>(state.TickCount, kPointsPerDay));
}

bool PositionOpen(const MarketState& state) { return state.EntryPrice > 0; }

// Ends a position without booking anything: the lapse and the margin call.
void DropPosition(MarketState& state, Board& board) {
    state.EntryPrice = 0;
    state.UnitProfit = 0;
    SetFlatButtons(board);
    board.SetText(LabelId::AmountCommitted, "");
    ShowBuyingPower(board, AvailableFunds(state));
    board.SetText(LabelId::UnrealizedProfit, "");
}

void ShowFundsSuffice(const MarketState& state, Board& board) {
    // The amount-committed field shows the per-share entry price.
    board.SetText(LabelId::AmountCommitted, MoneyText(state.EntryPrice));
    ShowBuyingPower(board, AvailableFunds(state) - AmountCommitted(state));
    ShowUnrealizedProfit(state, board);
}

void LapseOrder(MarketState& state, Board& board) {
    DropPosition(state, board);
    board.SetText(LabelId::OrderStatus, TextOf(TextId::Lapsed));
    board.SetText(LabelId::Comment, TextOf(TextId::FundsShort));
}

void CallMargin(MarketState& state, Board& board) {
    DropPosition(state, board);
    board.SetText(LabelId::OrderStatus, TextOf(TextId::MarginCall));
    ShowComment(board, TextOf(TextId::GameOver), Colour::Blue);
    board.SetColour(LabelId::OrderStatus, Colour::Red);
}

struct Close {
    Money bonus;           // per share, on top of the price difference
    bool showsEntryPrice;  // the buying power shown adds the entry price once
    std::string_view comment;
    Colour colour;
};

Close KindOfClose(int closingPrice) {
    if (closingPrice == kLimitUpPrice) {
        return {kLimitCloseBonus, false, TextOf(TextId::LimitUpClose), Colour::Red};
    }
    if (closingPrice == kLimitDownPrice) {
        return {-kLimitCloseBonus, false, TextOf(TextId::LimitDownClose), Colour::Blue};
    }
    return {0, true, TextOf(TextId::OrdinaryClose), Colour::WindowText};
}

// A buy that finds no tradable price leaves the account flat.
void RefuseBuy(MarketState& state, Board& board, bool dayOver) {
    state.EntryPrice = 0;
    if (dayOver) {
        board.SetEnabled(ButtonId::StartMarket, true);
        board.SetEnabled(ButtonId::EndMarket, true);
        board.SetEnabled(ButtonId::Buy, false);
        board.SetEnabled(ButtonId::Sell, false);
    } else {
        SetFlatButtons(board);
    }
}

}  // namespace

// ---- Board steps shared by the tick and the orders ----

void SetFlatButtons(Board& board) {
    board.SetEnabled(ButtonId::StartMarket, true);
    board.SetEnabled(ButtonId::EndMarket, true);
    board.SetEnabled(ButtonId::Buy, true);
    board.SetEnabled(ButtonId::Sell, false);
}

void ShowBuyingPower(Board& board, Money amount) { board.SetText(LabelId::BuyingPower, MoneyText(amount)); }

void ShowUnrealizedProfit(const MarketState& state, Board& board) {
    board.SetText(LabelId::UnrealizedProfit, MoneyText(UnrealizedProfit(state)));
}

void ShowComment(Board& board, std::string_view text, Colour colour) {
    board.SetColour(LabelId::Comment, colour);
    board.SetText(LabelId::Comment, text);
}

std::optional<Money> PriceOnDisplay(const MarketState& state) {
    if (state.TickCount <= 0) return std::nullopt;
    if (state.TickCount == 1) return kOpeningQuote;
    return state.Prices[static_cast<int>(std::min<std::int64_t>(state.TickCount - 1, kPointsPerDay))];
}

// ---- Start and end of the market ----

Outcome StartMarket(MarketState& state, Board& board, const Clock& clock) {
    ShowComment(board, TextOf(TextId::Rules), Colour::WindowText);
    board.SetText(LabelId::ProfitIndicator, "");
    board.SetText(LabelId::OrderStatus, TextOf(TextId::NoOrder));
    if (!board.StartTimer()) return Failure{std::string(TextOf(TextId::NoTimer))};
    board.SetEnabled(ButtonId::Buy, true);
    board.SetEnabled(ButtonId::Sell, false);
    state.UnitProfit = 0;
    state.EntryPrice = 0;
    state.TickCount = 0;
    PickScenario(state, clock.MillisecondOfUtcDay());
    return std::nullopt;
}

void EndMarket(MarketState& state, Board& board) {
    board.StopTimer();
    board.DisableChart();
    board.SetEnabled(ButtonId::Buy, false);
    board.SetEnabled(ButtonId::Sell, false);
    state.TickCount = 0;
    state.Prices[1] = 0;
    for (LabelId quote :
         {LabelId::CurrentPrice, LabelId::OpeningPrice, LabelId::HighPrice, LabelId::LowPrice, LabelId::ClosingPrice}) {
        board.SetText(quote, "");
    }
}

// ---- The tick ----

Outcome Tick(MarketState& state, Board& board) {
    if (Outcome failure = ApplyGameSpeed(board)) return failure;
    state.BaseCapital = kBaseCapital;
    RefreshQuoteBoard(state, board);
    EvaluatePosition(state, board);
    SettleAtClose(state, board);
    UpdateProfitIndicator(state, board);
    RecomputeUnitProfit(state);
    DrawPriceChart(state, board);
    ++state.TickCount;
    return std::nullopt;
}

Outcome ApplyGameSpeed(Board& board) {
    const int index = board.SelectedIndex(SelectorId::GameSpeed);
    if (index < 0 || index >= static_cast<int>(design::GameSpeeds.size())) return std::nullopt;
    if (board.SetTimerInterval(design::GameSpeeds[static_cast<std::size_t>(index)].value)) return std::nullopt;
    if (board.SetTimerInterval(kFallbackInterval)) return std::nullopt;
    return Failure{std::string(TextOf(TextId::NoTimerInterval))};
}

void RefreshQuoteBoard(const MarketState& state, Board& board) {
    const std::string opening = Decimal(kOpeningQuote);
    for (LabelId quote : {LabelId::CurrentPrice, LabelId::OpeningPrice, LabelId::HighPrice, LabelId::LowPrice}) {
        board.SetText(quote, opening);
    }
    board.SetText(LabelId::ClosingPrice, "");
    board.SetText(LabelId::BuyingPower, Decimal(state.BaseCapital));

    const int revealed = RevealedPoints(state);
    if (revealed == 0) return;
    Money high = ParseDecimal(board.Text(LabelId::HighPrice));
    Money low = ParseDecimal(board.Text(LabelId::LowPrice));
    for (int k = 1; k <= revealed; ++k) {
        high = std::max<Money>(high, state.Prices[k]);
        low = std::min<Money>(low, state.Prices[k]);
    }
    board.SetText(LabelId::CurrentPrice, Decimal(state.Prices[revealed]));
    board.SetText(LabelId::HighPrice, Decimal(high));
    board.SetText(LabelId::LowPrice, Decimal(low));
    // The close shows from the tick after the one that reveals the last point.
    if (state.TickCount > kPointsPerDay) board.SetText(LabelId::ClosingPrice, Decimal(state.Prices[kPointsPerDay]));
}

void EvaluatePosition(MarketState& state, Board& board) {
    if (PositionOpen(state)) {
        board.SetText(LabelId::OrderStatus, std::to_string(state.OrderQty) + std::string(TextOf(TextId::FilledSuffix)));
    }
    const Money funds = AvailableFunds(state);
    if (funds < 1) {
        CallMargin(state, board);
    } else if (AmountCommitted(state) <= funds) {
        ShowFundsSuffice(state, board);
    } else {
        LapseOrder(state, board);
    }
}

void SettleAtClose(MarketState& state, Board& board) {
    if (state.TickCount != kPointsPerDay || !PositionOpen(state)) return;
    const int closingPrice = state.Prices[kPointsPerDay];
    const Close close = KindOfClose(closingPrice);
    state.UnitProfit = closingPrice - state.EntryPrice + close.bonus;
    state.RealizedProfit += UnrealizedProfit(state);
    ShowBuyingPower(board, AvailableFunds(state) + (close.showsEntryPrice ? state.EntryPrice : 0));
    ShowComment(board, close.comment, close.colour);
    SetFlatButtons(board);
    state.EntryPrice = 0;
}

void UpdateProfitIndicator(const MarketState& state, Board& board) {
    if (board.IsEnabled(ButtonId::Sell)) return;  // a bought position waits to be sold
    const Money profit = UnrealizedProfit(state);
    if (profit == 0) return;
    board.SetText(LabelId::ProfitIndicator, profit > 0 ? TextOf(TextId::ProfitTaken) : TextOf(TextId::LossCut));
    ShowUnrealizedProfit(state, board);
    board.SetColour(LabelId::ProfitIndicator, profit > 0 ? Colour::Red : Colour::Blue);
    board.SetText(LabelId::OrderStatus, TextOf(TextId::NoOrder));
}

void RecomputeUnitProfit(MarketState& state) {
    const int revealed = RevealedPoints(state);
    if (!PositionOpen(state) || revealed == 0) return;
    state.UnitProfit = state.Prices[revealed] - state.EntryPrice;
}

void DrawPriceChart(const MarketState& state, Board& board) {
    std::array<ChartPoint, kPointsPerDay + 1> line{};
    line[0] = {0, ChartYOf(kOpeningQuote)};  // the opening quote at 9:00
    const int revealed = RevealedPoints(state);
    for (int k = 1; k <= revealed; ++k) {
        line[static_cast<std::size_t>(k)] = {state.ChartX[k], state.ChartY[k]};
    }
    board.DrawChart(std::span(line).first(static_cast<std::size_t>(revealed) + 1));
}

// ---- Orders ----

void Buy(MarketState& state, Board& board) {
    state.BaseCapital = kBaseCapital;
    board.SetEnabled(ButtonId::StartMarket, false);
    board.SetEnabled(ButtonId::EndMarket, false);
    board.SetEnabled(ButtonId::Sell, true);
    board.SetEnabled(ButtonId::Buy, false);
    board.SetText(LabelId::ProfitIndicator, "");

    const int index = board.SelectedIndex(SelectorId::ShareQuantity);
    if (index >= 0 && index < static_cast<int>(design::ShareQuantities.size())) {
        state.OrderQty = design::ShareQuantities[static_cast<std::size_t>(index)].value;
    } else if (state.OrderQty == 0) {
        state.OrderQty = 1;  // no item and no earlier order to repeat: one share, never an order of none
    }

    if (state.TickCount > kPointsPerDay) return RefuseBuy(state, board, /*dayOver=*/true);
    const std::optional<Money> price = PriceOnDisplay(state);
    if (!price || *price <= 0) return RefuseBuy(state, board, /*dayOver=*/false);
    state.EntryPrice = *price;
    state.UnitProfit = 0;  // nothing gained yet; not the previous trade's result
}

void Sell(MarketState& state, Board& board) {
    board.SetText(LabelId::AmountCommitted, "");
    board.SetText(LabelId::UnrealizedProfit, "");
    board.SetColour(LabelId::Comment, Colour::WindowText);
    state.BaseCapital = kBaseCapital;
    state.EntryPrice = 0;
    board.SetEnabled(ButtonId::StartMarket, true);
    board.SetEnabled(ButtonId::EndMarket, true);
    board.SetEnabled(ButtonId::Sell, false);
    board.SetEnabled(ButtonId::Buy, true);
    state.RealizedProfit += UnrealizedProfit(state);
    const Money funds = AvailableFunds(state);
    board.SetText(LabelId::BuyingPower, Decimal(funds));
    if (const auto comment = MilestoneComment(funds)) board.SetText(LabelId::Comment, *comment);
}

}  // namespace zemkari
