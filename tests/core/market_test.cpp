#include "zemkari/market.h"

#include <gtest/gtest.h>

#include "zemkari/design/texts.h"
#include "zemkari/headless_board.h"
#include "zemkari/rules.h"
#include "zemkari/scenarios.h"

namespace zemkari {
namespace {

using L = LabelId;
using B = ButtonId;
using design::TextId;

std::string Yen(Money amount) { return std::to_string(amount) + "万円"; }

// One player at one window: the state, a headless board and a clock to start by.
class Game : public testing::Test {
protected:
    void StartDay(int row) {
        clock.Set(FirstMillisecondDrawing(row));
        ASSERT_FALSE(StartMarket(state, board, clock).has_value());
        ASSERT_EQ(state.ScenarioIndex, row);
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) ASSERT_FALSE(Tick(state, board).has_value());
    }
    // Ticks until the price on display is Prices[point]: TickCount = point + 1.
    void TickUntilShowing(int point) { Ticks(static_cast<int>(point + 1 - state.TickCount)); }
    void BuyShares(int selectorIndex) {
        board.Select(SelectorId::ShareQuantity, selectorIndex);
        Buy(state, board);
    }
    std::string Text(L label) const { return board.Text(label); }
    bool On(B button) const { return board.IsEnabled(button); }
    bool FlatButtons() const { return On(B::StartMarket) && On(B::EndMarket) && On(B::Buy) && !On(B::Sell); }

    MarketState state;
    HeadlessBoard board;
    FixedClock clock;
};

// ---- Start and end of the market ----

TEST_F(Game, StartShowsTheRulesAndRunsTheClock) {
    StartDay(9);
    EXPECT_EQ(Text(L::Comment), TextOf(TextId::Rules));
    EXPECT_EQ(board.ColourOf(L::Comment), Colour::WindowText);
    EXPECT_EQ(Text(L::ProfitIndicator), "");
    EXPECT_EQ(Text(L::OrderStatus), "発注無し");
    EXPECT_TRUE(board.TimerOn());
    EXPECT_EQ(board.TimerInterval(), 500);  // the clock's design interval, whatever the speed selector says
    EXPECT_TRUE(FlatButtons());
    EXPECT_EQ(state.TickCount, 0);
    EXPECT_EQ(state.Prices[1], 140);
    // The quote board keeps its texts until the first tick.
    EXPECT_EQ(Text(L::BuyingPower), "300万円");
    EXPECT_EQ(Text(L::CurrentPrice), "");
}

TEST_F(Game, StartKeepsTheAccountAndResetsTheDay) {
    state.RealizedProfit = 420;
    state.OrderQty = 50;
    state.UnitProfit = 7;
    state.EntryPrice = 0;
    state.TickCount = 33;
    StartDay(0);
    EXPECT_EQ(state.RealizedProfit, 420);
    EXPECT_EQ(state.OrderQty, 50);
    EXPECT_EQ(state.UnitProfit, 0);
    EXPECT_EQ(state.TickCount, 0);
}

TEST_F(Game, RefusedTimerStopsTheStartAfterTheStatusAndReportsIt) {
    StartDay(9);
    Ticks(3);
    EndMarket(state, board);
    const MarketState before = state;
    board.RefuseNextTimerStart();
    clock.Set(0);
    const Outcome outcome = StartMarket(state, board, clock);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->message, "タイマーを取得できません");
    EXPECT_EQ(Text(L::Comment), TextOf(TextId::Rules));
    EXPECT_EQ(Text(L::OrderStatus), "発注無し");
    EXPECT_FALSE(board.TimerOn());
    EXPECT_FALSE(On(B::Buy));  // the buttons, the counters and the row stay as they were
    EXPECT_EQ(state, before);
    // The refusal is used up: the next start runs.
    EXPECT_FALSE(StartMarket(state, board, clock).has_value());
    EXPECT_EQ(state.ScenarioIndex, 0);
}

TEST_F(Game, StartDuringARunningDayCannotFailAndBeginsANewDay) {
    StartDay(9);
    Ticks(5);
    board.RefuseNextTimerStart();  // the timer already runs, so it is not switched on again
    StartDay(0);
    EXPECT_EQ(state.TickCount, 0);
    EXPECT_EQ(state.Prices[50], 75);
}

TEST_F(Game, EndStopsTheClockLocksTheOrdersAndBlanksTheQuoteBoard) {
    StartDay(9);
    Ticks(12);
    BuyShares(0);
    Ticks(1);
    Sell(state, board);
    Ticks(1);
    const std::string comment = Text(L::Comment);
    EndMarket(state, board);
    EXPECT_FALSE(board.TimerOn());
    EXPECT_FALSE(board.ChartEnabled());
    EXPECT_FALSE(On(B::Buy));
    EXPECT_FALSE(On(B::Sell));
    EXPECT_TRUE(On(B::StartMarket));
    EXPECT_TRUE(On(B::EndMarket));
    EXPECT_EQ(state.TickCount, 0);
    EXPECT_EQ(state.Prices[1], 0);
    EXPECT_EQ(state.Prices[2], 87);
    for (L quote : {L::CurrentPrice, L::OpeningPrice, L::HighPrice, L::LowPrice, L::ClosingPrice})
        EXPECT_EQ(Text(quote), "");
    EXPECT_EQ(Text(L::Comment), comment);
    EXPECT_EQ(Text(L::ProfitIndicator), "利確");
    EXPECT_EQ(Text(L::BuyingPower), "304万円");  // bought at point 11 (91), sold at point 12 (95)
}

TEST_F(Game, EndBeforeAnyStartOnlyEmptiesTheQuoteBoard) {
    EndMarket(state, board);
    EndMarket(state, board);
    EXPECT_FALSE(board.TimerOn());
    EXPECT_FALSE(On(B::Buy));
    EXPECT_FALSE(On(B::Sell));
    EXPECT_EQ(Text(L::BuyingPower), "300万円");
    EXPECT_EQ(Text(L::OrderStatus), "発注無し");
}

// ---- The quote board through a day ----

TEST_F(Game, FirstTickShowsTheOpeningQuoteEverywhere) {
    StartDay(19);  // its first point is 170, but the day opens at 100
    Ticks(1);
    for (L quote : {L::CurrentPrice, L::OpeningPrice, L::HighPrice, L::LowPrice}) EXPECT_EQ(Text(quote), "100");
    EXPECT_EQ(Text(L::ClosingPrice), "");
    EXPECT_EQ(state.TickCount, 1);
    EXPECT_EQ(state.BaseCapital, 300);
}

TEST_F(Game, QuoteBoardFollowsTheRevealedPoints) {
    StartDay(7);  // opens at 85
    Ticks(2);
    EXPECT_EQ(Text(L::CurrentPrice), "85");
    EXPECT_EQ(Text(L::OpeningPrice), "100");
    EXPECT_EQ(Text(L::HighPrice), "100");
    EXPECT_EQ(Text(L::LowPrice), "85");
    Ticks(9);  // points 1 to 10 revealed; point 10 is 120
    EXPECT_EQ(Text(L::CurrentPrice), "120");
    EXPECT_EQ(Text(L::HighPrice), "120");
    EXPECT_EQ(Text(L::LowPrice), "81");
}

TEST_F(Game, LowStaysAtTheOpeningQuoteOnADayAboveIt) {
    StartDay(10);
    Ticks(40);
    EXPECT_EQ(Text(L::LowPrice), "100");
    EXPECT_EQ(Text(L::HighPrice), "250");
}

TEST_F(Game, CloseShowsFromTheTickAfterTheLastPointAndTheDayRepeats) {
    StartDay(0);
    Ticks(51);  // the tick with TickCount 50 reveals point 50
    EXPECT_EQ(Text(L::CurrentPrice), "75");
    EXPECT_EQ(Text(L::ClosingPrice), "");
    Ticks(1);
    EXPECT_EQ(Text(L::ClosingPrice), "75");
    EXPECT_EQ(Text(L::HighPrice), "216");
    EXPECT_EQ(Text(L::LowPrice), "75");
    Ticks(20);
    EXPECT_EQ(state.TickCount, 72);
    EXPECT_EQ(Text(L::CurrentPrice), "75");
    EXPECT_EQ(Text(L::ClosingPrice), "75");
    EXPECT_TRUE(board.TimerOn());
}

TEST_F(Game, TickAppliesTheChosenSpeed) {
    StartDay(0);
    for (int index = 0; index < 5; ++index) {
        board.Select(SelectorId::GameSpeed, index);
        Ticks(1);
        EXPECT_EQ(board.TimerInterval(), design::GameSpeeds[static_cast<std::size_t>(index)].value);
    }
    for (int index : {-1, 5, 1000}) {
        board.Select(SelectorId::GameSpeed, index);
        Ticks(1);
        EXPECT_EQ(board.TimerInterval(), 2500) << "index " << index;
    }
}

TEST_F(Game, RefusedSpeedFallsBackToOneSecond) {
    StartDay(0);
    board.Select(SelectorId::GameSpeed, 3);
    board.RefuseNextIntervalChange();
    Ticks(1);
    EXPECT_EQ(board.TimerInterval(), 1000);
    EXPECT_EQ(state.TickCount, 1);
    Ticks(1);  // the refusal was used up
    EXPECT_EQ(board.TimerInterval(), 2000);
}

TEST_F(Game, TickThatCannotSetEvenTheFallbackReportsAndDoesNotAdvance) {
    // A board whose timer takes no new interval at all.
    class StubbornTimer final : public Board {
    public:
        void SetText(LabelId, std::string_view) override {}
        std::string Text(LabelId) const override { return ""; }
        void SetColour(LabelId, Colour) override {}
        void SetEnabled(ButtonId, bool) override {}
        bool IsEnabled(ButtonId) const override { return false; }
        int SelectedIndex(SelectorId) const override { return 4; }
        void DisableChart() override {}
        bool SetTimerInterval(int) override { return false; }
        bool StartTimer() override { return true; }
        void StopTimer() override {}
        void DrawChart(std::span<const ChartPoint>) override { ++drawings; }
        int drawings = 0;
    } stubborn;
    state.TickCount = 3;
    const Outcome outcome = Tick(state, stubborn);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->message, TextOf(TextId::NoTimerInterval));
    EXPECT_EQ(state.TickCount, 3);
    EXPECT_EQ(stubborn.drawings, 0);
}

// ---- Evaluating the position ----

TEST_F(Game, FlatAccountShowsTheFullBuyingPower) {
    StartDay(0);
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "発注無し");
    EXPECT_EQ(Text(L::AmountCommitted), "0万円");
    EXPECT_EQ(Text(L::BuyingPower), "300万円");
    EXPECT_EQ(Text(L::UnrealizedProfit), "0万円");
}

TEST_F(Game, AffordableOrderShowsStatusEntryPriceAndWhatIsLeft) {
    StartDay(1);
    Ticks(1);
    BuyShares(0);  // 1 share at the opening quote 100
    ASSERT_EQ(state.EntryPrice, 100);
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "1株約定");
    EXPECT_EQ(Text(L::AmountCommitted), "100万円");
    EXPECT_EQ(Text(L::BuyingPower), "200万円");
    EXPECT_EQ(Text(L::UnrealizedProfit), "0万円");  // lags the price by one tick
    Ticks(1);
    EXPECT_EQ(Text(L::UnrealizedProfit), "0万円");  // point 1 is 100
    Ticks(1);
    EXPECT_EQ(Text(L::UnrealizedProfit), "-3万円");  // point 2 is 97
    EXPECT_TRUE(On(B::Sell));
}

TEST_F(Game, OrderBeyondTheFundsLapsesAtTheNextTick) {
    StartDay(1);
    Ticks(2);
    BuyShares(6);  // 10 shares at 100
    EXPECT_TRUE(On(B::Sell));
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "失効");
    EXPECT_EQ(Text(L::Comment), "余力が足りません");
    EXPECT_EQ(board.ColourOf(L::Comment), Colour::WindowText);
    EXPECT_EQ(Text(L::BuyingPower), "300万円");
    EXPECT_EQ(Text(L::AmountCommitted), "");
    EXPECT_EQ(Text(L::UnrealizedProfit), "");
    EXPECT_TRUE(FlatButtons());
    EXPECT_EQ(state.EntryPrice, 0);
    EXPECT_EQ(state.UnitProfit, 0);
    EXPECT_EQ(state.RealizedProfit, 0);
}

TEST_F(Game, OrderCostingExactlyTheFundsIsFilled) {
    state.BaseCapital = 300;
    state.EntryPrice = 100;
    state.OrderQty = 3;
    EvaluatePosition(state, board);
    EXPECT_EQ(Text(L::OrderStatus), "3株約定");
    EXPECT_EQ(Text(L::BuyingPower), "0万円");
    EXPECT_EQ(state.EntryPrice, 100);
}

TEST_F(Game, OrderOneAboveTheFundsLapsesEvenWithOneManYenLeft) {
    state.BaseCapital = 300;
    state.RealizedProfit = -299;  // funds 1
    state.EntryPrice = 2;
    state.OrderQty = 1;
    EvaluatePosition(state, board);
    EXPECT_EQ(Text(L::OrderStatus), "失効");
    EXPECT_EQ(Text(L::BuyingPower), "1万円");
    EXPECT_EQ(state.EntryPrice, 0);

    state.EntryPrice = 1;  // costs exactly the one man-yen left
    EvaluatePosition(state, board);
    EXPECT_EQ(Text(L::OrderStatus), "1株約定");
    EXPECT_EQ(Text(L::BuyingPower), "0万円");
}

TEST_F(Game, FundsAtZeroOrBelowCallTheMarginOnEveryTick) {
    for (Money realized : {Money{-300}, Money{-301}, Money{-5000}}) {
        HeadlessBoard fresh;
        MarketState s;
        s.BaseCapital = 300;
        s.RealizedProfit = realized;
        s.EntryPrice = 10;
        s.OrderQty = 1;
        s.UnitProfit = 4;
        EvaluatePosition(s, fresh);
        EXPECT_EQ(fresh.Text(L::OrderStatus), "追証");
        EXPECT_EQ(fresh.ColourOf(L::OrderStatus), Colour::Red);
        EXPECT_EQ(fresh.Text(L::Comment), "樹海逝き");
        EXPECT_EQ(fresh.ColourOf(L::Comment), Colour::Blue);
        EXPECT_EQ(fresh.Text(L::BuyingPower), Yen(300 + realized));
        EXPECT_EQ(fresh.Text(L::AmountCommitted), "");
        EXPECT_EQ(fresh.Text(L::UnrealizedProfit), "");
        EXPECT_EQ(s.EntryPrice, 0);
        EXPECT_EQ(s.UnitProfit, 0);
        EXPECT_EQ(s.RealizedProfit, realized);
    }
}

TEST_F(Game, MarginCallStaysForTheRestOfTheGame) {
    state.RealizedProfit = -300;
    StartDay(0);
    Ticks(3);
    EXPECT_EQ(Text(L::OrderStatus), "追証");
    BuyShares(0);
    Sell(state, board);  // sold before any tick: nothing gained
    EXPECT_EQ(state.RealizedProfit, -300);
    BuyShares(0);
    Ticks(1);  // the next tick ends the new position without profit or loss
    EXPECT_EQ(state.EntryPrice, 0);
    EXPECT_EQ(state.RealizedProfit, -300);
    EndMarket(state, board);
    StartDay(10);
    EXPECT_EQ(Text(L::OrderStatus), "発注無し");
    EXPECT_EQ(board.ColourOf(L::OrderStatus), Colour::Red);  // the red of the margin call is never undone
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "追証");
    EXPECT_EQ(Text(L::BuyingPower), "0万円");
}

// ---- The close ----

struct CloseCase {
    const char* name;
    int closingPrice;
    Money entryPrice;
    Money unitProfit;
    std::string buyingPower;
    std::string_view comment;
    Colour colour;
};

class Closing : public Game, public testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, SellsTheOpenPositionAtTheLastPrice) {
    const CloseCase& c = GetParam();
    state.BaseCapital = 300;
    state.TickCount = 50;
    state.Prices[50] = c.closingPrice;
    state.EntryPrice = c.entryPrice;
    state.OrderQty = 1;
    board.SetEnabled(B::Sell, true);
    SettleAtClose(state, board);
    EXPECT_EQ(state.UnitProfit, c.unitProfit);
    EXPECT_EQ(state.RealizedProfit, c.unitProfit);
    EXPECT_EQ(Text(L::BuyingPower), c.buyingPower);
    EXPECT_EQ(Text(L::Comment), c.comment);
    EXPECT_EQ(board.ColourOf(L::Comment), c.colour);
    EXPECT_TRUE(FlatButtons());
    EXPECT_EQ(state.EntryPrice, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachKindOfClose, Closing,
    testing::Values(
        CloseCase{"LimitUp", 250, 200, 350, "650万円", TextOf(TextId::LimitUpClose), Colour::Red},
        CloseCase{"LimitDown", 0, 20, -320, "-20万円", TextOf(TextId::LimitDownClose), Colour::Blue},
        // The ordinary close shows the entry price once on top of the funds.
        CloseCase{"OrdinaryGain", 120, 100, 20, "420万円", TextOf(TextId::OrdinaryClose), Colour::WindowText},
        CloseCase{"OrdinaryLoss", 50, 200, -150, "350万円", TextOf(TextId::OrdinaryClose), Colour::WindowText}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(Game, LimitUpCloseThroughADayPaysTheBonusPerShare) {
    StartDay(2);
    TickUntilShowing(43);  // point 43 is 225
    BuyShares(0);
    ASSERT_EQ(state.EntryPrice, 225);
    TickUntilShowing(50);
    EXPECT_EQ(state.UnitProfit, 250 - 225 + 300);
    EXPECT_EQ(state.RealizedProfit, 325);
    EXPECT_EQ(Text(L::Comment), TextOf(TextId::LimitUpClose));
    EXPECT_EQ(Text(L::ProfitIndicator), "利確");
    EXPECT_EQ(board.ColourOf(L::ProfitIndicator), Colour::Red);
    EXPECT_EQ(Text(L::UnrealizedProfit), "325万円");
    EXPECT_EQ(Text(L::BuyingPower), "625万円");
    Ticks(1);
    EXPECT_EQ(Text(L::BuyingPower), "625万円");
    EXPECT_EQ(Text(L::AmountCommitted), "0万円");
    EXPECT_EQ(Text(L::ProfitIndicator), "利確");
}

TEST_F(Game, LimitDownCloseLeavingNoFundsEndsInAMarginCall) {
    state.RealizedProfit = -200;
    StartDay(6);
    TickUntilShowing(24);  // point 24 is 15
    BuyShares(0);
    TickUntilShowing(50);
    EXPECT_EQ(state.RealizedProfit, -200 + (0 - 15 - 300));
    EXPECT_EQ(Text(L::BuyingPower), "-215万円");
    EXPECT_EQ(Text(L::ProfitIndicator), "損切り");
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "追証");
    EXPECT_EQ(Text(L::ProfitIndicator), "損切り");  // a margin call without a position leaves the verdict
}

TEST_F(Game, OrdinaryCloseThenShowsTheSettledFunds) {
    StartDay(0);
    TickUntilShowing(49);
    BuyShares(0);  // at point 49, 77; the day closes at 75
    ASSERT_EQ(state.EntryPrice, 77);
    Ticks(1);
    EXPECT_EQ(state.RealizedProfit, -2);
    EXPECT_EQ(Text(L::BuyingPower), "375万円");  // 300 - 2 + 77
    EXPECT_EQ(Text(L::Comment), TextOf(TextId::OrdinaryClose));
    Ticks(1);
    EXPECT_EQ(Text(L::BuyingPower), "298万円");
    EXPECT_EQ(Text(L::ProfitIndicator), "損切り");
    EXPECT_EQ(Text(L::UnrealizedProfit), "-2万円");
}

TEST_F(Game, NoPositionAtTheCloseSettlesNothing) {
    StartDay(5);
    Ticks(55);
    EXPECT_EQ(state.RealizedProfit, 0);
    EXPECT_EQ(Text(L::Comment), TextOf(TextId::Rules));
}

TEST_F(Game, PositionLapsedOnTheClosingTickIsNotSettled) {
    StartDay(2);
    TickUntilShowing(49);  // 250 on display
    BuyShares(4);          // 100 shares: 25000 > 300
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "失効");
    EXPECT_EQ(state.RealizedProfit, 0);
    EXPECT_EQ(Text(L::Comment), "余力が足りません");
}

// ---- Profit indicator and per-share profit ----

TEST_F(Game, IndicatorReportsTheClosedTradeOnEveryTickUntilTheNextBuy) {
    StartDay(9);
    TickUntilShowing(2);  // 87
    BuyShares(0);
    TickUntilShowing(5);  // 85
    Sell(state, board);   // realises 85 - 87
    EXPECT_EQ(state.RealizedProfit, -2);
    for (int i = 0; i < 3; ++i) {
        Ticks(1);
        EXPECT_EQ(Text(L::ProfitIndicator), "損切り");
        EXPECT_EQ(board.ColourOf(L::ProfitIndicator), Colour::Blue);
        EXPECT_EQ(Text(L::UnrealizedProfit), "-2万円");
        EXPECT_EQ(Text(L::OrderStatus), "発注無し");
    }
    BuyShares(3);
    EXPECT_EQ(Text(L::ProfitIndicator), "");
    Ticks(1);
    EXPECT_EQ(Text(L::ProfitIndicator), "");
}

TEST_F(Game, IndicatorStaysQuietWhileASaleIsPendingOrAfterAnEvenTrade) {
    state.OrderQty = 5;
    state.UnitProfit = 15;
    board.SetEnabled(B::Sell, true);
    UpdateProfitIndicator(state, board);
    EXPECT_EQ(Text(L::ProfitIndicator), "");
    board.SetEnabled(B::Sell, false);
    UpdateProfitIndicator(state, board);
    EXPECT_EQ(Text(L::ProfitIndicator), "利確");
    EXPECT_EQ(Text(L::UnrealizedProfit), "75万円");
    board.SetText(L::OrderStatus, "5株約定");
    board.SetText(L::ProfitIndicator, "");
    state.UnitProfit = 0;
    UpdateProfitIndicator(state, board);
    EXPECT_EQ(Text(L::ProfitIndicator), "");
    EXPECT_EQ(Text(L::OrderStatus), "5株約定");
}

TEST_F(Game, UnitProfitFollowsTheShownPriceWhileAPositionIsOpen) {
    StartDay(0);
    TickUntilShowing(7);  // 90
    BuyShares(0);
    EXPECT_EQ(state.UnitProfit, 0);
    Ticks(1);  // reveals point 8, 112
    EXPECT_EQ(state.UnitProfit, 22);
    state.EntryPrice = 0;
    Ticks(1);
    EXPECT_EQ(state.UnitProfit, 22);  // no position: left alone
}

// ---- Buying ----

TEST_F(Game, BuyTakesThePriceOnDisplayAtEveryStageOfTheDay) {
    StartDay(7);
    Ticks(1);
    BuyShares(0);
    EXPECT_EQ(state.EntryPrice, 100) << "after the first tick the opening quote is on display";
    Sell(state, board);
    Ticks(1);
    BuyShares(0);
    EXPECT_EQ(state.EntryPrice, 85) << "then point 1";
    Sell(state, board);
    TickUntilShowing(49);
    BuyShares(0);
    EXPECT_EQ(state.EntryPrice, 87) << "point 49; the close is never an entry price";
    EXPECT_FALSE(On(B::StartMarket));
    EXPECT_FALSE(On(B::EndMarket));
    EXPECT_FALSE(On(B::Buy));
    EXPECT_TRUE(On(B::Sell));
}

TEST_F(Game, BuyBeforeTheFirstTickIsRefused) {
    StartDay(9);
    board.SetText(L::ProfitIndicator, "利確");
    BuyShares(4);
    EXPECT_EQ(state.EntryPrice, 0);
    EXPECT_EQ(state.OrderQty, 100);
    EXPECT_EQ(Text(L::ProfitIndicator), "");
    EXPECT_TRUE(FlatButtons());
    EXPECT_EQ(state.BaseCapital, 300);
}

TEST_F(Game, BuyWhileThePriceShownIsZeroIsRefused) {
    StartDay(15);
    TickUntilShowing(10);
    ASSERT_EQ(Text(L::CurrentPrice), "0");
    BuyShares(0);
    EXPECT_EQ(state.EntryPrice, 0);
    EXPECT_TRUE(FlatButtons());
}

TEST_F(Game, BuyAfterTheCloseIsRefusedAndLocksTheOrders) {
    StartDay(0);
    Ticks(51);
    BuyShares(5);
    EXPECT_EQ(state.EntryPrice, 0);
    EXPECT_EQ(state.OrderQty, 1000);
    EXPECT_TRUE(On(B::StartMarket));
    EXPECT_TRUE(On(B::EndMarket));
    EXPECT_FALSE(On(B::Buy));
    EXPECT_FALSE(On(B::Sell));
}

TEST_F(Game, ShareSelectorMapsItsItemsAndIgnoresNoSelection) {
    StartDay(0);
    Ticks(2);
    const std::array<int, 7> expected = {1, 50, 500, 5, 100, 1000, 10};
    for (int index = 0; index < 7; ++index) {
        BuyShares(index);
        EXPECT_EQ(state.OrderQty, expected[static_cast<std::size_t>(index)]);
        Sell(state, board);
    }
    for (int index : {-1, 7, 99}) {
        BuyShares(index);
        EXPECT_EQ(state.OrderQty, 10) << "index " << index;
        Sell(state, board);
    }
    BuyShares(3);
    board.Select(SelectorId::ShareQuantity, 5);  // a later choice does not touch the open order
    Ticks(1);
    EXPECT_EQ(state.OrderQty, 5);
}

TEST_F(Game, FirstBuyWithNoShareItemSelectedBuysOneShareNotNone) {
    StartDay(1);
    Ticks(2);
    BuyShares(-1);
    EXPECT_EQ(state.OrderQty, 1);
    Ticks(1);
    EXPECT_EQ(Text(L::OrderStatus), "1株約定");
}

TEST_F(Game, BuyDoesNotRepeatThePreviousTradesResult) {
    StartDay(0);
    TickUntilShowing(7);  // 90
    BuyShares(0);
    TickUntilShowing(14);  // 216
    Sell(state, board);
    ASSERT_EQ(state.RealizedProfit, 126);
    BuyShares(0);  // at 216
    Ticks(1);
    EXPECT_EQ(Text(L::UnrealizedProfit), "0万円");
    Sell(state, board);  // one tick later at 190: a loss of 26, not another gain of 126
    EXPECT_EQ(state.RealizedProfit, 100);
}

// ---- Selling and the mentor's comments ----

TEST_F(Game, SaleBooksTheProfitAndShowsTheBareBuyingPower) {
    StartDay(0);
    TickUntilShowing(6);  // 81
    BuyShares(1);         // 50 shares: 4050 > 300 would lapse, so sell before the tick
    Sell(state, board);
    EXPECT_EQ(state.RealizedProfit, 0);
    BuyShares(0);
    TickUntilShowing(16);  // 178
    Sell(state, board);
    EXPECT_EQ(state.RealizedProfit, 97);
    EXPECT_EQ(Text(L::BuyingPower), "397");
    EXPECT_EQ(Text(L::AmountCommitted), "");
    EXPECT_EQ(Text(L::UnrealizedProfit), "");
    EXPECT_TRUE(FlatButtons());
    EXPECT_EQ(state.EntryPrice, 0);
    EXPECT_EQ(state.UnitProfit, 97);
}

TEST_F(Game, GainOfTenOnFiftySharesEarnsTheFirstMilestone) {
    state.BaseCapital = 300;
    state.UnitProfit = 10;
    state.OrderQty = 50;
    state.EntryPrice = 90;
    board.SetColour(L::Comment, Colour::Blue);
    Sell(state, board);
    EXPECT_EQ(state.RealizedProfit, 500);
    EXPECT_EQ(Text(L::BuyingPower), "800");
    EXPECT_EQ(Text(L::Comment), MilestoneComments[0].message);
    EXPECT_EQ(board.ColourOf(L::Comment), Colour::WindowText);
}

struct Band {
    Money funds;
    int row;  // 1-based row of the comment shown, 0 when the box keeps its text
};

class MilestoneBands : public Game, public testing::WithParamInterface<Band> {};

TEST_P(MilestoneBands, SaleCommentsOnTheFundsLeft) {
    const Band band = GetParam();
    board.SetText(L::Comment, "before");
    state.RealizedProfit = band.funds - 300 - 1;
    state.UnitProfit = 1;
    state.OrderQty = 1;
    Sell(state, board);
    EXPECT_EQ(Text(L::BuyingPower), std::to_string(band.funds));
    const std::string_view expected =
        band.row == 0 ? std::string_view("before") : MilestoneComments[static_cast<std::size_t>(band.row - 1)].message;
    EXPECT_EQ(Text(L::Comment), expected);
    EXPECT_EQ(board.ColourOf(L::Comment), Colour::WindowText);
}

INSTANTIATE_TEST_SUITE_P(EdgesOfTheBands, MilestoneBands,
                         testing::Values(Band{-50, 0}, Band{0, 0}, Band{500, 0}, Band{501, 1}, Band{998, 1},
                                         Band{999, 0}, Band{1000, 0}, Band{1001, 2}, Band{1498, 2}, Band{1499, 0},
                                         Band{1501, 3}, Band{2001, 4}, Band{3001, 5}, Band{4001, 6}, Band{5001, 7},
                                         Band{6001, 8}, Band{7001, 9}, Band{8001, 10}, Band{9001, 11}, Band{9999, 0},
                                         Band{10001, 12}, Band{19998, 12}, Band{19999, 0}, Band{20000, 0},
                                         Band{20001, 13}, Band{30001, 14}, Band{99999, 0}, Band{100001, 15},
                                         Band{500001, 16}, Band{1000001, 17}, Band{2999998, 17}, Band{3000000, 0},
                                         Band{3000001, 18}, Band{4'000'000'000, 18}));

// ---- Whole games ----

TEST_F(Game, ProfitCarriesFromOneDayToTheNext) {
    StartDay(0);
    TickUntilShowing(6);  // 81
    BuyShares(0);
    TickUntilShowing(14);  // 216
    Sell(state, board);
    EndMarket(state, board);
    StartDay(10);
    Ticks(1);
    EXPECT_EQ(Text(L::BuyingPower), "435万円");
    BuyShares(0);  // at 100, held to the limit-up close
    TickUntilShowing(50);
    EXPECT_EQ(state.RealizedProfit, 135 + 450);
    EndMarket(state, board);
    StartDay(4);
    Ticks(1);
    EXPECT_EQ(Text(L::BuyingPower), "885万円");
}

TEST_F(Game, FundsBeyondTwoToTheThirtyFirstAreShownWithoutOverflow) {
    state.RealizedProfit = 3'000'000'000;
    StartDay(1);
    Ticks(2);
    BuyShares(5);  // 1000 shares at 100
    Ticks(1);
    EXPECT_EQ(Text(L::BuyingPower), "2999900300万円");
    TickUntilShowing(10);  // 100 again after a dip
    state.UnitProfit = 2'000'000;
    Sell(state, board);
    EXPECT_EQ(state.RealizedProfit, 5'000'000'000);
    EXPECT_EQ(Text(L::BuyingPower), "5000000300");
    EXPECT_EQ(Text(L::Comment), MilestoneComments[17].message);
}

// ---- The chart step ----

TEST_F(Game, ChartLineGrowsFromTheOpeningPointOneSegmentPerTick) {
    StartDay(19);
    Ticks(1);
    ASSERT_EQ(board.ChartLine().size(), 1U);
    EXPECT_EQ(board.ChartLine()[0], (ChartPoint{0, 200}));
    Ticks(1);
    ASSERT_EQ(board.ChartLine().size(), 2U);
    EXPECT_EQ(board.ChartLine()[1], (ChartPoint{8, 130}));
    Ticks(60);
    ASSERT_EQ(board.ChartLine().size(), 51U);
    EXPECT_EQ(board.ChartLine()[50], (ChartPoint{400, 300 - 108}));
    EXPECT_EQ(board.ChartDrawings(), 62);
}

}  // namespace
}  // namespace zemkari
