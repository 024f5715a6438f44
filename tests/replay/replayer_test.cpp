#include "zemkari/replay/replayer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "zemkari/design/texts.h"
#include "zemkari/scenarios.h"

namespace zemkari::replay {
namespace {

using nlohmann::ordered_json;

struct Transcript {
    std::vector<ordered_json> lines;
    std::string errors;
    int status = -1;

    const ordered_json& Last() const { return lines.back(); }
};

Transcript Play(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    Transcript t;
    t.status = RunScript(in, out, err);
    t.errors = err.str();
    std::istringstream written(out.str());
    for (std::string line; std::getline(written, line);) t.lines.push_back(ordered_json::parse(line));
    return t;
}

// Everything a step shows of the game, without its number, command and flags.
ordered_json Game(ordered_json line) {
    for (const char* key : {"step", "cmd", "ignored", "error"}) line.erase(key);
    return line;
}

std::vector<std::string> Keys(const ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    return keys;
}

TEST(Replay, OpensWithTheWindowAsItIsCreated) {
    const Transcript t = Play("");
    ASSERT_EQ(t.status, kExitOk);
    ASSERT_EQ(t.lines.size(), 1U);
    const ordered_json& opening = t.lines[0];
    EXPECT_EQ(Keys(opening), (std::vector<std::string>{"step", "cmd", "labels", "colours", "buttons", "timer",
                                                       "chart_enabled", "state"}));
    EXPECT_EQ(Keys(opening["labels"]),
              (std::vector<std::string>{"Label1", "Label2", "Label3", "Label4", "Label10", "Label12", "Label17",
                                        "Label25", "Label26", "Label27", "Label28"}));
    EXPECT_EQ(Keys(opening["state"]),
              (std::vector<std::string>{"BaseCapital", "ScenarioIndex", "OrderQty", "RealizedProfit", "EntryPrice",
                                        "UnitProfit", "TickCount"}));
    EXPECT_EQ(opening["step"], 0);
    EXPECT_EQ(opening["cmd"], "");
    EXPECT_EQ(opening["labels"]["Label12"], "発注無し");
    EXPECT_EQ(opening["labels"]["Label26"], "300万円");
    EXPECT_EQ(opening["colours"],
              ordered_json::parse(R"({"Label12":"windowtext","Label27":"windowtext","Label28":"windowtext"})"));
    EXPECT_EQ(opening["buttons"],
              ordered_json::parse(R"({"Button1":true,"Button2":true,"Button3":false,"Button4":false})"));
    EXPECT_EQ(opening["timer"], ordered_json::parse(R"({"on":false,"interval":500})"));
    EXPECT_EQ(opening["chart_enabled"], true);
}

TEST(Replay, NumbersEveryStepAndWritesOneLinePerTick) {
    const Transcript t = Play("start 0\n\n# two ticks\ntick 2\nqty 4 # 100 shares\nrefuse-timer\n");
    ASSERT_EQ(t.status, kExitOk);
    ASSERT_EQ(t.lines.size(), 6U);
    const std::vector<std::string> commands{"", "start 0", "tick", "tick", "qty 4", "refuse-timer"};
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        EXPECT_EQ(t.lines[i]["step"], i);
        EXPECT_EQ(t.lines[i]["cmd"], commands[i]);
        EXPECT_FALSE(t.lines[i].contains("ignored"));
        EXPECT_FALSE(t.lines[i].contains("error"));
    }
    EXPECT_EQ(t.lines[3]["state"]["TickCount"], 2);
}

TEST(Replay, StartsWithTheClockAtTheGivenTime) {
    EXPECT_EQ(Play("start 00:00:00.000").Last()["state"]["ScenarioIndex"], 0);
    EXPECT_EQ(Play("start 12:00:00.000").Last()["state"]["ScenarioIndex"], 9);
    EXPECT_EQ(Play("start 43200000").Last()["state"]["ScenarioIndex"], 9);
    EXPECT_EQ(Play("start 23:59:59.999").Last()["state"]["ScenarioIndex"], DrawScenarioRow(86'399'999));
    EXPECT_EQ(Play("start 9:0:20.000").Last()["state"]["ScenarioIndex"], 15);
}

TEST(Replay, SelectsTheItemsItIsTold) {
    // The share selector is read by the buy, the speed selector by the tick.
    Transcript t = Play("start 0\nqty 4\nspeed 3\ntick 2\nbuy\n");
    EXPECT_EQ(t.Last()["state"]["OrderQty"], 100);
    EXPECT_EQ(t.Last()["timer"]["interval"], 2000);
}

// A window sends no click from a disabled button and no tick from a stopped timer.
struct IgnoredCase {
    const char* name;
    std::string before;
    std::string command;
};

std::ostream& operator<<(std::ostream& os, const IgnoredCase& c) { return os << c.name; }

class IgnoresWhatTheWindowWouldNotSend : public testing::TestWithParam<IgnoredCase> {};

TEST_P(IgnoresWhatTheWindowWouldNotSend, LeavingTheGameAsItWas) {
    const Transcript t = Play(GetParam().before + GetParam().command + "\n");
    ASSERT_EQ(t.status, kExitOk);
    ASSERT_GE(t.lines.size(), 2U);
    const ordered_json& previous = t.lines[t.lines.size() - 2];
    EXPECT_EQ(t.Last()["ignored"], true);
    EXPECT_EQ(Keys(t.Last()).back(), "ignored");
    EXPECT_EQ(Game(t.Last()), Game(previous));
}

INSTANTIATE_TEST_SUITE_P(
    Replay, IgnoresWhatTheWindowWouldNotSend,
    testing::Values(IgnoredCase{"BuyBeforeAnyStart", "", "buy"}, IgnoredCase{"SellBeforeAnyStart", "", "sell"},
                    IgnoredCase{"TickBeforeAnyStart", "", "tick"},
                    IgnoredCase{"SellWhileFlat", "start 0\ntick 3\n", "sell"},
                    IgnoredCase{"StartWhileAPositionIsOpen", "start 0\ntick 3\nbuy\n", "start 12:00:00.000"},
                    IgnoredCase{"EndWhileAPositionIsOpen", "start 0\ntick 3\nbuy\n", "end"},
                    IgnoredCase{"BuyWhileAPositionIsOpen", "start 0\ntick 3\nbuy\n", "buy"},
                    IgnoredCase{"TickAfterTheEnd", "start 0\ntick 3\nend\n", "tick"},
                    IgnoredCase{"BuyAfterTheEnd", "start 0\ntick 3\nend\n", "buy"},
                    IgnoredCase{"BuyAfterARefusedBuyPastTheClose", "start 0\ntick 52\nbuy\n", "buy"},
                    IgnoredCase{"TickAfterARefusedStart", "refuse-timer\nstart 0\n", "tick"}),
    [](const testing::TestParamInfo<IgnoredCase>& info) { return info.param.name; });

TEST(Replay, MarksEveryIgnoredTickOfATickN) {
    const Transcript t = Play("tick 3\n");
    ASSERT_EQ(t.lines.size(), 4U);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(t.lines[i]["ignored"], true);
}

TEST(Replay, ReportsARefusedTimerAfterTheStartHasShownItsTexts) {
    const Transcript t = Play("refuse-timer\nstart 12:00:00.000\n");
    ASSERT_EQ(t.status, kExitOk);
    const ordered_json& refused = t.Last();
    EXPECT_EQ(Keys(refused).back(), "error");
    EXPECT_EQ(refused["error"], "タイマーを取得できません");
    EXPECT_FALSE(refused.contains("ignored"));
    // The comment, the indicator and the status are written before the timer is asked for ...
    const auto shown = [&](LabelId field) { return refused["labels"][std::string(design::NameOf(field))]; };
    EXPECT_EQ(shown(LabelId::Comment), design::TextOf(design::TextId::Rules));
    EXPECT_EQ(shown(LabelId::ProfitIndicator), "");
    EXPECT_EQ(shown(LabelId::OrderStatus), "発注無し");
    // ... and nothing after it: no buttons, no new day, no clock.
    EXPECT_EQ(refused["buttons"], t.lines[0]["buttons"]);
    EXPECT_EQ(refused["state"], t.lines[0]["state"]);
    EXPECT_EQ(refused["timer"]["on"], false);
}

TEST(Replay, UsesUpATimerRefusalOnlyWhenTheTimerIsSwitchedOn) {
    // A start during a running day finds the timer on, so the refusal waits for the next
    // switch from off to on, after the end; the start after that succeeds.
    const Transcript t = Play("start 0\nrefuse-timer\nstart 12:00:00.000\nend\nstart 0\nstart 0\n");
    ASSERT_EQ(t.lines.size(), 7U);
    EXPECT_FALSE(t.lines[3].contains("error"));
    EXPECT_EQ(t.lines[3]["state"]["ScenarioIndex"], 9);
    EXPECT_EQ(t.lines[5]["error"], "タイマーを取得できません");
    EXPECT_EQ(t.lines[5]["timer"]["on"], false);
    EXPECT_FALSE(t.lines[6].contains("error"));
    EXPECT_EQ(t.lines[6]["timer"]["on"], true);
}

TEST(Replay, FallsBackToOneSecondWhenTheIntervalIsRefused) {
    const Transcript t = Play("start 0\nspeed 3\nrefuse-interval\ntick\ntick\n");
    ASSERT_EQ(t.lines.size(), 6U);
    EXPECT_EQ(t.lines[4]["timer"]["interval"], 1000);
    EXPECT_FALSE(t.lines[4].contains("error"));
    EXPECT_EQ(t.lines[4]["state"]["TickCount"], 1);  // the tick goes on after the fallback
    EXPECT_EQ(t.lines[5]["timer"]["interval"], 2000);
}

TEST(Replay, KeepsAnIntervalRefusalWhileTheSameIntervalIsAssigned) {
    // After the first tick the interval is 1000 (item 1); assigning 1000 again cannot
    // fail, so the refusal waits for the change to 2500.
    const Transcript t = Play("start 0\ntick\nrefuse-interval\ntick 2\nspeed 4\ntick\ntick\n");
    ASSERT_EQ(t.lines.size(), 9U);
    EXPECT_EQ(t.lines[5]["timer"]["interval"], 1000);
    EXPECT_EQ(t.lines[7]["timer"]["interval"], 1000);
    EXPECT_EQ(t.lines[8]["timer"]["interval"], 2500);
}

TEST(Replay, StopsAtTheFirstBadLineAfterWritingTheLinesBeforeIt) {
    const Transcript t = Play("start 0\ntick 2\n\n# fine so far\r\nsel 3\r\ntick\n");
    EXPECT_EQ(t.status, kExitBadScript);
    EXPECT_EQ(t.errors, "zemkari-replay: line 5: unknown command: \"sel 3\"\n");
    ASSERT_EQ(t.lines.size(), 4U);
    EXPECT_EQ(t.Last()["state"]["TickCount"], 2);
}

TEST(Replay, RejectsABadFirstLineAfterTheOpeningStep) {
    const Transcript t = Play("start 24:00:00.000\n");
    EXPECT_EQ(t.status, kExitBadScript);
    EXPECT_EQ(t.errors,
              "zemkari-replay: line 1: time out of range \"24:00:00.000\" (00:00:00.000 to 23:59:59.999): "
              "\"start 24:00:00.000\"\n");
    EXPECT_EQ(t.lines.size(), 1U);
}

TEST(Replay, ReadsALastLineWithoutANewline) {
    const Transcript t = Play("start 0\ntick 2");
    EXPECT_EQ(t.status, kExitOk);
    EXPECT_EQ(t.lines.size(), 4U);
}

TEST(Replay, ReportsAnOutputThatCannotBeWritten) {
    std::istringstream in("start 0\ntick 1000000\n");
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    EXPECT_EQ(RunScript(in, out, err), kExitIoFailed);
    EXPECT_EQ(err.str(), "zemkari-replay: cannot write the transcript\n");
}

}  // namespace
}  // namespace zemkari::replay
