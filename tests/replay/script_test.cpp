#include "zemkari/replay/script.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace zemkari::replay {
namespace {

using K = PlayerEvent::Kind;

struct GoodLine {
    std::string_view line;
    Command command;
};

std::ostream& operator<<(std::ostream& os, const GoodLine& c) { return os << '"' << c.line << '"'; }

class ParsesGoodLine : public testing::TestWithParam<GoodLine> {};

TEST_P(ParsesGoodLine, IntoItsCommandWithTheWordsJoinedBySingleSpaces) {
    const ParsedLine parsed = ParseLine(GetParam().line);
    ASSERT_TRUE(std::holds_alternative<Command>(parsed)) << std::get<ScriptError>(parsed).reason;
    EXPECT_EQ(std::get<Command>(parsed), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, ParsesGoodLine,
    testing::Values(
        GoodLine{"start 12:00:00.000", {{K::Start, 43'200'000}, "start 12:00:00.000"}},
        GoodLine{"start 00:00:00.000", {{K::Start}, "start 00:00:00.000"}},
        GoodLine{"start 23:59:59.999", {{K::Start, 86'399'999}, "start 23:59:59.999"}},
        GoodLine{"start 9:5:7.010", {{K::Start, 32'707'010}, "start 9:5:7.010"}},
        GoodLine{"start 0", {{K::Start}, "start 0"}},
        GoodLine{"start 86399999", {{K::Start, 86'399'999}, "start 86399999"}},
        GoodLine{"start 007", {{K::Start, 7}, "start 007"}}, GoodLine{"end", {{K::End}, "end"}},
        GoodLine{"buy", {{K::Buy}, "buy"}}, GoodLine{"sell", {{K::Sell}, "sell"}},
        GoodLine{"tick", {{K::Tick}, "tick"}}, GoodLine{"tick 55", {{K::Tick}, "tick 55", 55}},
        GoodLine{"tick 2147483647", {{K::Tick}, "tick 2147483647", 2'147'483'647}},
        GoodLine{"qty 4", {{K::SelectShares, 4}, "qty 4"}}, GoodLine{"qty -1", {{K::SelectShares, -1}, "qty -1"}},
        GoodLine{"qty -2147483648", {{K::SelectShares, std::numeric_limits<int>::min()}, "qty -2147483648"}},
        GoodLine{"speed 2147483647", {{K::SelectSpeed, 2'147'483'647}, "speed 2147483647"}},
        GoodLine{"refuse-timer", {{K::RefuseTimer}, "refuse-timer"}},
        GoodLine{"refuse-interval", {{K::RefuseInterval}, "refuse-interval"}},
        // Layout: blanks, tabs, comments and a Windows line end.
        GoodLine{"  \ttick \t 3  ", {{K::Tick}, "tick 3", 3}}, GoodLine{"buy # ten shares at 100", {{K::Buy}, "buy"}},
        GoodLine{"sell#now", {{K::Sell}, "sell"}}, GoodLine{"speed 3\r", {{K::SelectSpeed, 3}, "speed 3"}},
        GoodLine{"tick 2 # 3 4\r", {{K::Tick}, "tick 2", 2}}));

TEST(ParseLine, HoldsNoCommandOnBlankOrCommentLines) {
    for (std::string_view line : {"", "   ", "\t", "\r", "# a comment", "   # indented comment", "#tick"}) {
        EXPECT_TRUE(std::holds_alternative<std::monostate>(ParseLine(line))) << '"' << line << '"';
    }
}

struct BadLine {
    std::string_view line;
    std::string_view reason;
};

std::ostream& operator<<(std::ostream& os, const BadLine& c) { return os << '"' << c.line << '"'; }

class RejectsBadLine : public testing::TestWithParam<BadLine> {};

TEST_P(RejectsBadLine, WithAReasonNamingTheFault) {
    const ParsedLine parsed = ParseLine(GetParam().line);
    ASSERT_TRUE(std::holds_alternative<ScriptError>(parsed));
    EXPECT_EQ(std::get<ScriptError>(parsed).reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(UnknownCommands, RejectsBadLine,
                         testing::Values(BadLine{"sel", "unknown command"}, BadLine{"BUY", "unknown command"},
                                         BadLine{"ticks 3", "unknown command"}, BadLine{"refuse", "unknown command"},
                                         BadLine{"3", "unknown command"}, BadLine{"buy\r\r", "unknown command"},
                                         BadLine{"\xef\xbb\xbf"
                                                 "start 0",
                                                 "unknown command"}));

INSTANTIATE_TEST_SUITE_P(
    MissingAndExtraArguments, RejectsBadLine,
    testing::Values(BadLine{"start", "missing argument: a time (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start # 12:00:00.000", "missing argument: a time (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"qty", "missing argument: an item index"},
                    BadLine{"speed", "missing argument: an item index"}, BadLine{"buy 10", "extra argument \"10\""},
                    BadLine{"end now", "extra argument \"now\""}, BadLine{"sell x", "extra argument \"x\""},
                    BadLine{"refuse-timer 1", "extra argument \"1\""},
                    BadLine{"refuse-interval 1", "extra argument \"1\""}, BadLine{"tick 3 4", "extra argument \"4\""},
                    BadLine{"qty 1 2", "extra argument \"2\""},
                    BadLine{"start 0 12:00:00.000", "extra argument \"12:00:00.000\""}));

INSTANTIATE_TEST_SUITE_P(
    NonNumericArguments, RejectsBadLine,
    testing::Values(BadLine{"tick x", "not a number \"x\""}, BadLine{"tick 3x", "not a number \"3x\""},
                    BadLine{"tick +3", "not a number \"+3\""}, BadLine{"tick 1.5", "not a number \"1.5\""},
                    BadLine{"qty one", "not a number \"one\""}, BadLine{"speed -", "not a number \"-\""},
                    BadLine{"speed 0x10", "not a number \"0x10\""}, BadLine{"start noon", "not a number \"noon\""},
                    BadLine{"start 1e3", "not a number \"1e3\""}));

INSTANTIATE_TEST_SUITE_P(
    MalformedTimes, RejectsBadLine,
    testing::Values(BadLine{"start 12:00:00", "malformed time \"12:00:00\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 12:00", "malformed time \"12:00\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 12:00:00.00", "malformed time \"12:00:00.00\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 12:00:00.0000", "malformed time \"12:00:00.0000\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 012:00:00.000", "malformed time \"012:00:00.000\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 12::00.000", "malformed time \"12::00.000\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start -1:00:00.000", "malformed time \"-1:00:00.000\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 12:00:00,000", "malformed time \"12:00:00,000\" (HH:MM:SS.mmm or milliseconds)"},
                    BadLine{"start 12:00:00.000Z", "malformed time \"12:00:00.000Z\" (HH:MM:SS.mmm or milliseconds)"}));

INSTANTIATE_TEST_SUITE_P(
    ValuesOutOfRange, RejectsBadLine,
    testing::Values(BadLine{"start 24:00:00.000", "time out of range \"24:00:00.000\" (00:00:00.000 to 23:59:59.999)"},
                    BadLine{"start 23:60:00.000", "time out of range \"23:60:00.000\" (00:00:00.000 to 23:59:59.999)"},
                    BadLine{"start 23:59:60.000", "time out of range \"23:59:60.000\" (00:00:00.000 to 23:59:59.999)"},
                    BadLine{"start 86400000", "time out of range \"86400000\" (0 to 86399999)"},
                    BadLine{"start -1", "time out of range \"-1\" (0 to 86399999)"},
                    BadLine{"start 99999999999999999999", "time out of range \"99999999999999999999\" (0 to 86399999)"},
                    BadLine{"tick 0", "tick count out of range \"0\" (1 to 2147483647)"},
                    BadLine{"tick -1", "tick count out of range \"-1\" (1 to 2147483647)"},
                    BadLine{"tick 2147483648", "tick count out of range \"2147483648\" (1 to 2147483647)"},
                    BadLine{"qty 2147483648", "selector index out of range \"2147483648\" (-2147483648 to 2147483647)"},
                    BadLine{"speed -2147483649",
                            "selector index out of range \"-2147483649\" (-2147483648 to 2147483647)"}));

TEST(DescribeError, NamesTheLineNumberAndTheLineAsWritten) {
    EXPECT_EQ(DescribeError(7, "sel", ScriptError{"unknown command"}),
              "zemkari-replay: line 7: unknown command: \"sel\"");
    EXPECT_EQ(DescribeError(12, "tick  x # why\r", ScriptError{"not a number \"x\""}),
              "zemkari-replay: line 12: not a number \"x\": \"tick  x # why\"");
}

TEST(DescribeError, EscapesControlCharactersQuotesAndBackslashes) {
    using namespace std::string_literals;
    EXPECT_EQ(DescribeError(1, "a\x1b[2J\"\\\x7f"s + '\0', ScriptError{"unknown command"}),
              R"(zemkari-replay: line 1: unknown command: "a\x1b[2J\"\\\x7f\x00")");
    // The word a reason quotes is escaped too: only blanks separate words.
    EXPECT_EQ(std::get<ScriptError>(ParseLine("tick \x1b[2J\v")).reason, R"(not a number "\x1b[2J\x0b")");
}

}  // namespace
}  // namespace zemkari::replay
