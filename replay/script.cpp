#include "zemkari/replay/script.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <vector>

#include "zemkari/quoted.h"

namespace zemkari::replay {
namespace {

enum class Argument { None, Time, OptionalCount, Index };

struct CommandSyntax {
    std::string_view word;
    PlayerEvent::Kind kind;
    Argument argument;
};

constexpr std::array<CommandSyntax, 10> kCommands = {{
    {"start", PlayerEvent::Kind::Start, Argument::Time},
    {"end", PlayerEvent::Kind::End, Argument::None},
    {"buy", PlayerEvent::Kind::Buy, Argument::None},
    {"sell", PlayerEvent::Kind::Sell, Argument::None},
    {"tick", PlayerEvent::Kind::Tick, Argument::OptionalCount},
    {"qty", PlayerEvent::Kind::SelectShares, Argument::Index},
    {"speed", PlayerEvent::Kind::SelectSpeed, Argument::Index},
    {"refuse-timer", PlayerEvent::Kind::RefuseTimer, Argument::None},
    {"refuse-interval", PlayerEvent::Kind::RefuseInterval, Argument::None},
    {"reload", PlayerEvent::Kind::Reload, Argument::None},
}};

// Selector indices and tick counts are whatever a 32-bit int holds.
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

using Number = std::variant<std::int64_t, ScriptError>;

std::string_view WithoutTrailingCr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::string_view WithoutComment(std::string_view line) { return line.substr(0, line.find('#')); }

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    constexpr std::string_view kBlanks = " \t";
    for (std::size_t begin = line.find_first_not_of(kBlanks); begin != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, begin), line.size());
        words.push_back(line.substr(begin, end - begin));
        begin = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

std::string JoinWords(const std::vector<std::string_view>& words) {
    std::string text;
    for (std::string_view word : words) {
        if (!text.empty()) text += ' ';
        text += word;
    }
    return text;
}

const CommandSyntax* FindCommand(std::string_view word) {
    for (const CommandSyntax& syntax : kCommands) {
        if (syntax.word == word) return &syntax;
    }
    return nullptr;
}

// A whole word as a decimal integer with an optional leading '-', within [min, max].
Number ReadInteger(std::string_view word, std::string_view what, std::int64_t min, std::int64_t max) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    const bool wholeWord = end == word.data() + word.size();
    if (error == std::errc::invalid_argument || !wholeWord) return ScriptError{"not a number " + Quoted(word)};
    if (error == std::errc::result_out_of_range || value < min || value > max) {
        return ScriptError{std::string(what) + " out of range " + Quoted(word) + " (" + std::to_string(min) + " to " +
                           std::to_string(max) + ")"};
    }
    return value;
}

// Takes `minDigits` to `maxDigits` decimal digits from the front of `rest`.
std::optional<int> TakeDigits(std::string_view& rest, std::size_t minDigits, std::size_t maxDigits) {
    std::size_t count = 0;
    while (count < rest.size() && count < maxDigits && rest[count] >= '0' && rest[count] <= '9') ++count;
    if (count < minDigits) return std::nullopt;
    int value = 0;
    std::from_chars(rest.data(), rest.data() + count, value);
    rest.remove_prefix(count);
    return value;
}

bool TakeChar(std::string_view& rest, char c) {
    if (rest.empty() || rest.front() != c) return false;
    rest.remove_prefix(1);
    return true;
}

// H:M:S.mmm with 1 or 2 digits for the hour, minute and second and exactly 3 for the milliseconds.
Number ReadClockTime(std::string_view word) {
    std::string_view rest = word;
    // Plain ints rather than optionals: GCC at -O2 takes the optionals' values for
    // possibly unset after the checks.
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    const auto take = [&rest](int& value, std::size_t fewest, std::size_t most) {
        const std::optional<int> digits = TakeDigits(rest, fewest, most);
        if (digits) value = *digits;
        return digits.has_value();
    };
    const bool wellFormed = take(hour, 1, 2) && TakeChar(rest, ':') && take(minute, 1, 2) && TakeChar(rest, ':') &&
                            take(second, 1, 2) && TakeChar(rest, '.') && take(millisecond, 3, 3) && rest.empty();
    if (!wellFormed) return ScriptError{"malformed time " + Quoted(word) + " (HH:MM:SS.mmm or milliseconds)"};
    if (hour > 23 || minute > 59 || second > 59) {
        return ScriptError{"time out of range " + Quoted(word) + " (00:00:00.000 to 23:59:59.999)"};
    }
    return ((std::int64_t{hour} * 60 + minute) * 60 + second) * 1000 + millisecond;
}

Number ReadTime(std::string_view word) {
    if (word.find(':') != std::string_view::npos) return ReadClockTime(word);
    return ReadInteger(word, "time", 0, kMillisecondsPerDay - 1);
}

Number ReadArgument(Argument argument, std::string_view word) {
    switch (argument) {
        case Argument::Time:
            return ReadTime(word);
        case Argument::OptionalCount:
            return ReadInteger(word, "tick count", 1, kInt32Max);
        case Argument::Index:
            return ReadInteger(word, "selector index", kInt32Min, kInt32Max);
        case Argument::None:
            break;
    }
    return ScriptError{"extra argument " + Quoted(word)};
}

std::string_view WhatIsMissing(Argument argument) {
    return argument == Argument::Time ? "a time (HH:MM:SS.mmm or milliseconds)" : "an item index";
}

}  // namespace

std::string_view CommandWord(PlayerEvent::Kind kind) {
    const auto* syntax = std::find_if(kCommands.begin(), kCommands.end(),
                                      [kind](const CommandSyntax& command) { return command.kind == kind; });
    return syntax == kCommands.end() ? std::string_view{} : syntax->word;
}

ParsedLine ParseLine(std::string_view line) {
    const std::vector<std::string_view> words = SplitWords(WithoutComment(WithoutTrailingCr(line)));
    if (words.empty()) return std::monostate{};

    const CommandSyntax* syntax = FindCommand(words[0]);
    if (syntax == nullptr) return ScriptError{"unknown command"};

    Command command{.event = {.kind = syntax->kind}, .text = JoinWords(words)};
    if (words.size() == 1) {
        if (syntax->argument == Argument::Time || syntax->argument == Argument::Index) {
            return ScriptError{"missing argument: " + std::string(WhatIsMissing(syntax->argument))};
        }
        return command;
    }
    if (words.size() > 2 && syntax->argument != Argument::None)
        return ScriptError{"extra argument " + Quoted(words[2])};

    Number argument = ReadArgument(syntax->argument, words[1]);
    if (auto* error = std::get_if<ScriptError>(&argument)) return std::move(*error);
    // Every argument's range fits an int.
    const auto value = static_cast<int>(std::get<std::int64_t>(argument));
    if (syntax->argument == Argument::OptionalCount) {
        command.times = value;
    } else {
        command.event.value = value;
    }
    return command;
}

std::string DescribeError(std::int64_t lineNumber, std::string_view line, const ScriptError& error) {
    return "zemkari-replay: line " + std::to_string(lineNumber) + ": " + error.reason + ": " +
           Quoted(WithoutTrailingCr(line));
}

}  // namespace zemkari::replay
