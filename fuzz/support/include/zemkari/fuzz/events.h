#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zemkari::fuzz {

// What a player (or the window system) can do to the game.
enum class EventKind {
    StartAt,         // click start market; value: millisecond of the UTC day
    End,             // click end market
    Buy,             // click buy
    Sell,            // click sell
    Tick,            // the market clock fires
    SelectShares,    // choose an item of the share selector; value: index, any int
    SelectSpeed,     // choose an item of the speed selector; value: index, any int
    RefuseTimer,     // the window system has no timer left for the next start
    RefuseInterval,  // the window system refuses the next interval change
};

struct Event {
    EventKind kind = EventKind::Tick;
    int value = 0;
    friend bool operator==(const Event&, const Event&) = default;
};

inline constexpr int kMillisecondsPerDay = 86'400'000;

// Reads fuzzer bytes as events. Every byte string decodes to something, so that
// mutations never go to waste; a run of ticks takes one opcode to reach the close.
std::vector<Event> DecodeEvents(std::span<const std::uint8_t> bytes);

// The earliest millisecond of the UTC day at which a start draws `row` (0 to 23).
int MillisecondDrawingRow(int row);

std::string Describe(const Event& event);

}  // namespace zemkari::fuzz
