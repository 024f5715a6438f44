#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "zemkari/headless_game.h"

namespace zemkari::replay {

// What one line of a replay script asks the game to do: `tick N` is N ticks.
struct Command {
    PlayerEvent event;
    std::string text;  // the line's words joined by single spaces, comment removed
    int times = 1;
    friend bool operator==(const Command&, const Command&) = default;
};

// Why a line cannot be played, in words for the person who wrote the script.
struct ScriptError {
    std::string reason;
    friend bool operator==(const ScriptError&, const ScriptError&) = default;
};

// Blank and comment-only lines hold no command (std::monostate).
using ParsedLine = std::variant<std::monostate, Command, ScriptError>;

// The word a script line starts with to ask for an event of this kind ("start", "qty").
std::string_view CommandWord(PlayerEvent::Kind kind);

// Reads one script line. A trailing CR is ignored, `#` starts a comment, and words
// are separated by spaces or tabs.
ParsedLine ParseLine(std::string_view line);

// The one-line message for standard error: the tool, the line number, the reason
// and the line itself, with control characters escaped so the terminal stays sane.
std::string DescribeError(std::int64_t lineNumber, std::string_view line, const ScriptError& error);

}  // namespace zemkari::replay
