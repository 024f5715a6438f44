// The invariant checks must catch a broken game, or a quiet fuzzer proves nothing:
// each case plays real events, then falsifies one thing the last event left behind.
#include "zemkari/fuzz/invariants.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "zemkari/fuzz/events.h"
#include "zemkari/fuzz/session.h"
#include "zemkari/scenarios.h"

namespace zemkari::fuzz {
namespace {

using Kind = PlayerEvent::Kind;

PlayerEvent Start(int row) { return {Kind::Start, static_cast<int>(FirstMillisecondDrawing(row))}; }
constexpr PlayerEvent kTick{Kind::Tick};
constexpr PlayerEvent kBuy{Kind::Buy};
constexpr PlayerEvent kSell{Kind::Sell};

void SetText(Observation& seen, LabelId label, std::string text) { seen.texts[IndexOf(label)] = std::move(text); }

struct Tampering {
    const char* name;
    std::vector<PlayerEvent> events;  // the last one is checked after `tamper`
    std::function<void(Observation&)> tamper;
    const char* expected;  // part of the report
};

void PrintTo(const Tampering& tampering, std::ostream* out) { *out << tampering.name; }

class InvariantCheckerTest : public testing::TestWithParam<Tampering> {};

TEST_P(InvariantCheckerTest, ReportsTheBrokenRule) {
    const Tampering& c = GetParam();
    Session game;
    InvariantChecker checker;
    for (std::size_t i = 0; i + 1 < c.events.size(); ++i) {
        const Observation before = Observation::Of(game.State(), game.Board());
        const Applied applied = game.Deliver(c.events[i]);
        ASSERT_EQ(checker.Check(before, applied, Observation::Of(game.State(), game.Board())), std::nullopt)
            << "event " << i;
    }
    const Observation before = Observation::Of(game.State(), game.Board());
    const Applied applied = game.Deliver(c.events.back());
    Observation after = Observation::Of(game.State(), game.Board());
    ASSERT_EQ(InvariantChecker(checker).Check(before, applied, after), std::nullopt) << "untouched";
    c.tamper(after);
    const auto report = checker.Check(before, applied, after);
    ASSERT_TRUE(report.has_value());
    EXPECT_NE(report->find(c.expected), std::string::npos) << *report;
}

std::vector<PlayerEvent> Day(int row, int ticksBeforeBuy, std::initializer_list<PlayerEvent> rest) {
    std::vector<PlayerEvent> events{Start(row)};
    events.insert(events.end(), static_cast<std::size_t>(ticksBeforeBuy), kTick);
    events.insert(events.end(), rest);
    return events;
}

const Tampering kTamperings[] = {
    {"SellOnWithoutPosition", Day(0, 3, {kTick}),
     [](Observation& s) { s.buttons[static_cast<std::size_t>(ButtonId::Sell)] = true; }, "sell button on"},
    {"StartOnWhileHolding", Day(0, 3, {kBuy}),
     [](Observation& s) { s.buttons[static_cast<std::size_t>(ButtonId::StartMarket)] = true; }, "start/end buttons"},
    {"EntryNeverShown", Day(0, 3, {kBuy}), [](Observation& s) { s.state.EntryPrice = 99; },
     "no price the day has shown"},
    {"EntryAboveLimit", Day(0, 3, {kBuy}), [](Observation& s) { s.state.EntryPrice = 251; }, "out of range"},
    {"BuyAwayFromDisplay", Day(0, 3, {kBuy}), [](Observation& s) { SetText(s, LabelId::CurrentPrice, "95"); },
     "filled at"},
    {"ScenarioOutOfTable", Day(0, 1, {kTick}), [](Observation& s) { s.state.ScenarioIndex = 24; }, "ScenarioIndex"},
    {"OrderQtyNoShareItem", Day(0, 3, {kBuy, kTick}), [](Observation& s) { s.state.OrderQty = 2; }, "OrderQty"},
    {"ProfitBookedByTick", Day(0, 3, {kBuy, kTick}), [](Observation& s) { s.state.RealizedProfit += 1; },
     "outside a sale"},
    {"SaleBooksWrongAmount", Day(0, 3, {kBuy, kTick, kTick, kSell}),
     [](Observation& s) { s.state.RealizedProfit -= 1; }, "a sale booked"},
    {"CloseSettlesWrongAmount", Day(10, 50, {kBuy, kTick}), [](Observation& s) { s.state.UnitProfit = 1; },
     "settled UnitProfit"},
    {"CloseBooksWrongAmount", Day(10, 50, {kBuy, kTick}), [](Observation& s) { s.state.RealizedProfit += 1; },
     "the close booked"},
    {"PositionSurvivesClose", Day(10, 50, {kBuy, kTick}),
     [](Observation& s) {
         s.state.EntryPrice = 250;
         s.buttons = {false, false, false, true};
     },
     "survived the closing tick"},
    {"FundsRiseAfterMarginCall", Day(22, 50, {kBuy, kTick, kTick}), [](Observation& s) { s.state.BaseCapital = 1000; },
     "funds rose"},
    {"OpenIsNot100", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::OpeningPrice, "97"); }, "open is"},
    {"LowAboveCurrent", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::LowPrice, "100"); },
     "out of order"},
    {"HighBelowOpening", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::HighPrice, "99"); },
     "out of order"},
    {"CurrentNotLatest", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::CurrentPrice, "95"); },
     "latest revealed"},
    {"CloseTooEarly", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::ClosingPrice, "75"); }, "close"},
    {"CloseNotLastPrice", Day(0, 53, {kTick}), [](Observation& s) { SetText(s, LabelId::ClosingPrice, "76"); },
     "not the day's last price"},
    {"TickCountSkips", Day(0, 4, {kTick}), [](Observation& s) { ++s.state.TickCount; }, "TickCount"},
    {"PowerWithoutUnit", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::BuyingPower, "300"); },
     "buying power"},
    {"CommittedGarbled", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::AmountCommitted, "1O0万円"); },
     "no money text"},
    {"CommentNotUtf8", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::Comment, "\xE4\xB8"); }, "UTF-8"},
    {"StrayOrderStatus", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::OrderStatus, "2株約定"); },
     "order status"},
    {"TextOfAnotherField", Day(0, 4, {kTick}), [](Observation& s) { SetText(s, LabelId::Comment, "12利確"); },
     "none of its texts"},
    {"UnaffordableKept", Day(0, 4, {kBuy, kTick}), [](Observation& s) { s.state.OrderQty = 1000; }, "beyond funds"},
    {"UnitProfitStale", Day(0, 4, {kBuy, kTick}), [](Observation& s) { s.state.UnitProfit += 1; }, "UnitProfit"},
    {"SalePowerWrong", Day(0, 3, {kBuy, kTick, kSell}), [](Observation& s) { SetText(s, LabelId::BuyingPower, "1"); },
     "after a sale"},
};

std::string CaseName(const testing::TestParamInfo<Tampering>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Tamperings, InvariantCheckerTest, testing::ValuesIn(kTamperings), CaseName);

TEST(DecodeEvents, ReadsOperandsAndRunsOfTicks) {
    const std::vector<std::uint8_t> bytes = {0x01, 24 + 10, 0x0A, 0x02, 0x0B, 0xFF, 0x0C, 0x7F, 0x0B, 0x80, 0x00, 0x01};
    const std::vector<PlayerEvent> events = DecodeEvents(bytes);
    std::vector<PlayerEvent> expected = {Start(10), kTick, kTick, kTick};
    expected.push_back({Kind::SelectShares, -1});
    expected.push_back({Kind::SelectSpeed, std::numeric_limits<int>::max()});
    expected.push_back({Kind::SelectShares, std::numeric_limits<int>::min()});
    expected.push_back({Kind::Start, 0x01000000});  // an operand cut short reads zeros
    EXPECT_EQ(events, expected);
}

TEST(DecodeEvents, StartsAtATimeOfDay) {
    const std::vector<std::uint8_t> bytes = {0x10, 0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_EQ(DecodeEvents(bytes).size(), 1U);
    EXPECT_EQ(DecodeEvents(bytes)[0].value, static_cast<int>(0xFFFFFFFFU % kMillisecondsPerDay));
}

TEST(TextChecks, TellUtf8FromBrokenBytes) {
    EXPECT_TRUE(IsValidUtf8("損切り 300万円 𠮷"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a UTF-16 surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\x80"));
}

TEST(TextChecks, ParseWholeNumbersAndMoney) {
    EXPECT_EQ(ParseWhole("-20"), -20);
    EXPECT_EQ(ParseWhole(""), std::nullopt);
    EXPECT_EQ(ParseWhole("12a"), std::nullopt);
    EXPECT_EQ(ParseWhole("+5"), std::nullopt);
    EXPECT_EQ(ParseMoney("-20万円"), -20);
    EXPECT_EQ(ParseMoney("万円"), std::nullopt);
    EXPECT_EQ(ParseMoney("300"), std::nullopt);
}

}  // namespace
}  // namespace zemkari::fuzz
