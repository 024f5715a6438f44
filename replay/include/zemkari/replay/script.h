#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace zemkari::replay {

// What one line of a replay script asks the game to do.
enum class Action {
    Start,           // click start market with the clock at `value` ms of the UTC day
    End,             // click end market
    Buy,             // click buy
    Sell,            // click sell
    Tick,            // `value` ticks of the market clock, 1 or more
    SelectQuantity,  // select item `value` of the share selector (-1: none)
    SelectSpeed,     // select item `value` of the game-speed selector (-1: none)
    RefuseTimer,     // the next switch of the timer from off to on fails
    RefuseInterval,  // the next change of the timer's interval fails
};

struct Command {
    Action action = Action::End;
    std::int64_t value = 0;  // meaning per Action; 0 where it takes no argument
    std::string text;        // the line's words joined by single spaces, comment removed
    friend bool operator==(const Command&, const Command&) = default;
};

// Why a line cannot be played, in words for the person who wrote the script.
struct ScriptError {
    std::string reason;
    friend bool operator==(const ScriptError&, const ScriptError&) = default;
};

// Blank and comment-only lines hold no command (std::monostate).
using ParsedLine = std::variant<std::monostate, Command, ScriptError>;

inline constexpr std::int64_t kLastMillisecondOfDay = 86'399'999;

// Reads one script line. A trailing CR is ignored, `#` starts a comment, and words
// are separated by spaces or tabs.
ParsedLine ParseLine(std::string_view line);

// The one-line message for standard error: the tool, the line number, the reason
// and the line itself, with control characters escaped so the terminal stays sane.
std::string DescribeError(std::int64_t lineNumber, std::string_view line, const ScriptError& error);

}  // namespace zemkari::replay
