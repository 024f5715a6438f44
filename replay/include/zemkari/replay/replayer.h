#pragma once

#include <cstdint>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string_view>

#include "zemkari/clock.h"
#include "zemkari/headless_board.h"
#include "zemkari/market.h"
#include "zemkari/market_state.h"
#include "zemkari/replay/script.h"

namespace zemkari::replay {

// What one step did besides changing the game: nothing at all, or a failure to report.
struct StepResult {
    bool ignored = false;  // the button was disabled or the timer off, as a window would have it
    Outcome failure;
};

// The whole visible game after a step, keys in the order the transcripts list them.
nlohmann::ordered_json Snapshot(std::int64_t step, std::string_view cmd, const MarketState& state,
                                const HeadlessBoard& board, const StepResult& result = {});

// Plays commands through the core and a headless board exactly as the window's clicks
// and timer would, and writes one JSON line per step to `out`, flushed at once.
class Replayer {
public:
    explicit Replayer(std::ostream& out) : out_(out) {}

    // Writes step 0: the window as it opens, before any command.
    void WriteOpening();
    // Writes one line per step of the command: `tick N` is N steps.
    void Play(const Command& command);

    const MarketState& State() const { return state_; }
    const HeadlessBoard& Board() const { return board_; }

private:
    StepResult Apply(const Command& command);
    StepResult TickOnce();
    void WriteStep(std::string_view cmd, const StepResult& result);

    std::ostream& out_;
    MarketState state_;
    HeadlessBoard board_;
    FixedClock clock_;
    std::int64_t step_ = 0;
};

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIoFailed = 1;
inline constexpr int kExitBadScript = 2;

// Plays a script line by line until its end or its first bad line; returns the exit status.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace zemkari::replay
