#pragma once

#include <istream>
#include <optional>
#include <string>

#include "zemkari/app/main_window.h"
#include "zemkari/clock.h"

namespace zemkari::testing {

// Plays a replay script through the window as a player and the market clock would:
// each start with `clock` set to its time, clicks on the controls, ticks while the
// timer runs. Returns the first line no player can give (the window system refusing
// the timer, a line that is no command), or nothing once the whole script is played.
std::optional<std::string> PlayScript(app::GameWindow& window, FixedClock& clock, std::istream& script);

}  // namespace zemkari::testing
