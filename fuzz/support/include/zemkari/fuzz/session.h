#pragma once

#include <optional>
#include <span>
#include <string>

#include "zemkari/fuzz/events.h"
#include "zemkari/fuzz/invariants.h"
#include "zemkari/headless_game.h"

namespace zemkari::fuzz {

// One process of the game, driven the way the window drives it: clicks reach the
// handlers only while their button is on, ticks only while the timer runs.
class Session {
public:
    // Applies the event and checks every invariant; returns the first broken one.
    std::optional<std::string> Apply(const PlayerEvent& event);
    // Applies the event without checking.
    Applied Deliver(const PlayerEvent& event);

    const MarketState& State() const { return game_.State(); }
    const HeadlessBoard& Board() const { return game_.Board(); }

private:
    HeadlessGame game_;
    InvariantChecker checker_;
};

// Plays the events in a fresh session. On a broken invariant, says which event
// broke it, after which ones, and what broke.
std::optional<std::string> Play(std::span<const PlayerEvent> events);

}  // namespace zemkari::fuzz
