#pragma once

#include <cstdint>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string_view>

#include "zemkari/headless_game.h"
#include "zemkari/replay/script.h"

namespace zemkari::replay {

// The whole visible game after a step, keys in the order the transcripts list them.
nlohmann::ordered_json Snapshot(std::int64_t step, std::string_view cmd, const MarketState& state,
                                const HeadlessBoard& board, const Delivery& result = {});

// Plays commands through the core and a headless board exactly as the window's clicks
// and timer would, and writes one JSON line per step to `out`, flushed at once.
class Replayer {
public:
    explicit Replayer(std::ostream& out) : out_(out) {}

    // Writes step 0: the window as it opens, before any command.
    void WriteOpening();
    // Writes one line per step of the command: `tick N` is N steps.
    void Play(const Command& command);

    const MarketState& State() const { return game_.State(); }
    const HeadlessBoard& Board() const { return game_.Board(); }

private:
    void WriteStep(std::string_view cmd, const Delivery& result);

    std::ostream& out_;
    HeadlessGame game_;
    std::int64_t step_ = 0;
};

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIoFailed = 1;
inline constexpr int kExitBadScript = 2;

// Plays a script line by line until its end or its first bad line; returns the exit status.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace zemkari::replay
