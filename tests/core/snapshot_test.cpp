// Restoring refuses, as a whole and with a reason, whatever no play of the game wrote.
// That every game the transcripts reach comes back unchanged is the reload test's.
#include "zemkari/snapshot.h"

#include <gtest/gtest.h>

#include <functional>

#include "zemkari/headless_game.h"
#include "zemkari/scenarios.h"

namespace zemkari {
namespace {

using Kind = PlayerEvent::Kind;

// Row 17, 50 shares bought at 5 and held three ticks.
HeadlessGame MiddayWithAPosition() {
    HeadlessGame game;
    game.Deliver({Kind::Start, static_cast<int>(FirstMillisecondDrawing(17))});
    game.Deliver({Kind::SelectShares, 1});
    for (int i = 0; i < 29; ++i) game.Deliver({Kind::Tick});
    game.Deliver({Kind::Buy});
    for (int i = 0; i < 3; ++i) game.Deliver({Kind::Tick});
    return game;
}

std::string Refusal(std::string_view bytes) {
    const ReadGame read = ReadSnapshot(bytes);
    const auto* refused = std::get_if<SnapshotRefusal>(&read);
    return refused != nullptr ? refused->reason : "accepted";
}

TEST(Snapshot, RefusesEveryCutAndEveryAlteredBit) {
    const std::string bytes = MiddayWithAPosition().Snapshot();
    ASSERT_EQ(Refusal(bytes), "accepted");
    EXPECT_LT(bytes.size(), 512U);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_NE(Refusal(bytes.substr(0, size)), "accepted") << "cut to " << size << " bytes";
    }
    for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        std::string altered = bytes;
        altered[bit / 8] = static_cast<char>(altered[bit / 8] ^ (1 << (bit % 8)));
        EXPECT_NE(Refusal(altered), "accepted") << "bit " << bit;
    }
    EXPECT_NE(Refusal(bytes + '\0'), "accepted");
}

TEST(Snapshot, RefusesAnotherVersionByName) {
    std::string bytes = MiddayWithAPosition().Snapshot();
    bytes[4] = static_cast<char>(kSnapshotVersion + 1);
    EXPECT_EQ(Refusal(bytes), "format version 2, not 1");
}

// A game no play reaches, written with a sound checksum, and what its refusal says.
struct Impossible {
    const char* name;
    std::function<void(MarketState&, BoardRecord&)> tamper;
    const char* reason;
};

const Impossible kImpossible[] = {
    {"TickCountNegative", [](MarketState& s, BoardRecord&) { s.TickCount = -1; }, "TickCount out of range"},
    {"TickCountPastItsLimit", [](MarketState& s, BoardRecord&) { s.TickCount = kSnapshotLimit + 1; },
     "TickCount out of range"},
    {"SharesNegative", [](MarketState& s, BoardRecord&) { s.OrderQty = -50; }, "OrderQty out of range"},
    {"SharesNoItemBuys", [](MarketState& s, BoardRecord&) { s.OrderQty = 7; }, "no share quantity"},
    {"RowOutsideTheTable", [](MarketState& s, BoardRecord&) { s.ScenarioIndex = kScenarioCount; },
     "ScenarioIndex out of range"},
    {"PriceAboveTheLimit", [](MarketState& s, BoardRecord&) { s.EntryPrice = 251; }, "EntryPrice out of range"},
    {"ProfitPastItsLimit", [](MarketState& s, BoardRecord&) { s.RealizedProfit = -kSnapshotLimit - 1; },
     "RealizedProfit out of range"},
    {"PositionAfterTheClose", [](MarketState& s, BoardRecord&) { s.TickCount = 51; }, "no buy could open"},
    {"SellOffWithAPosition", [](MarketState&, BoardRecord& b) { b.buttons[IndexOf(ButtonId::Sell)] = false; },
     "buttons at odds"},
    {"TextNotUtf8", [](MarketState&, BoardRecord& b) { b.texts[0] = "\xE4\xB8"; }, "not UTF-8"},
    {"IntervalNoSpeedHas", [](MarketState&, BoardRecord& b) { b.timerInterval = 700; }, "interval the timer never"},
};

class ImpossibleGame : public testing::TestWithParam<Impossible> {};

TEST_P(ImpossibleGame, IsRefusedWithItsReason) {
    HeadlessGame game = MiddayWithAPosition();
    MarketState state = game.State();
    BoardRecord board = game.Board().Record();
    GetParam().tamper(state, board);
    EXPECT_NE(Refusal(TakeSnapshot(state, board)).find(GetParam().reason), std::string::npos)
        << Refusal(TakeSnapshot(state, board));
}

std::string NameOf(const testing::TestParamInfo<Impossible>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Snapshot, ImpossibleGame, testing::ValuesIn(kImpossible), NameOf);

TEST(ChartRecord, KeepsOnlyTheLinesThePictureShows) {
    ChartRecord chart;
    for (int points = 0; points <= 36; ++points) chart.Draw({17, points});
    EXPECT_EQ(chart.Lines(), (std::vector<ChartTrace>{{17, 36}}));
    // A new day starts from the opening point; the old day's line shows through.
    chart.Draw({0, 0});
    chart.Draw({0, 5});
    EXPECT_EQ(chart.Lines(), (std::vector<ChartTrace>{{17, 36}, {0, 5}}));
    // A line that passes over all of another covers it: row 1 starts as row 0 does,
    // and row 2 as row 1 does for 31 points.
    chart.Draw({0, 0});
    chart.Draw({1, 31});
    EXPECT_EQ(chart.Lines(), (std::vector<ChartTrace>{{17, 36}, {1, 31}}));
    chart.Draw({0, 0});
    chart.Draw({2, 40});
    EXPECT_EQ(chart.Lines(), (std::vector<ChartTrace>{{17, 36}, {2, 40}}));
    chart.SwitchOff();
    EXPECT_TRUE(chart.Lines().empty());
    chart.Draw({3, 1});
    chart.SwitchOff();  // only the first switch blanks it
    EXPECT_EQ(chart.Lines(), (std::vector<ChartTrace>{{3, 1}}));
    EXPECT_FALSE(ChartRecord::Of(true, {{2, 20}, {1, 20}}));  // row 1 names that stretch
    EXPECT_FALSE(ChartRecord::Of(true, {{0, 20}, {0, 30}}));  // the earlier line is covered
    EXPECT_FALSE(ChartRecord::Of(true, {{0, 51}}));
}

}  // namespace
}  // namespace zemkari
