#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string>

#include "zemkari/fuzz/events.h"
#include "zemkari/headless_board.h"
#include "zemkari/market_state.h"
#include "zemkari/utf8.h"

namespace zemkari::fuzz {

// What the checks can see of the game at one moment.
struct Observation {
    MarketState state;
    std::array<std::string, kCountOf<LabelId>> texts;
    std::array<bool, kCountOf<ButtonId>> buttons{};

    static Observation Of(const MarketState& state, const HeadlessBoard& board);
    const std::string& Text(LabelId label) const { return texts[IndexOf(label)]; }
    bool On(ButtonId button) const { return buttons[IndexOf(button)]; }
};

// An event as it reached the game: a click on a disabled button or a tick while
// the timer is off is `skipped`; `failed` when the handler reported a failure.
struct Applied {
    PlayerEvent event;
    bool skipped = false;
    bool failed = false;
};

// The rules no sequence of events may break, checked after every event. It keeps
// what it needs of the run's history: the prices the day has shown, whether a buy
// has happened, whether a tick has found the funds exhausted.
class InvariantChecker {
public:
    // The first broken rule, described for a person; empty when all hold.
    std::optional<std::string> Check(const Observation& before, const Applied& applied, const Observation& after);

private:
    std::optional<std::string> CheckButtons(const Observation& after) const;
    std::optional<std::string> CheckFields(const Observation& after) const;
    std::optional<std::string> CheckProfitBooking(const Observation& before, const Applied& applied,
                                                  const Observation& after) const;
    std::optional<std::string> CheckTick(const Observation& before, const Observation& after) const;
    std::optional<std::string> CheckBuy(const Observation& after) const;
    std::optional<std::string> CheckTexts(const Applied& applied, const Observation& after) const;
    void Remember(const Applied& applied, const Observation& after);

    std::bitset<256> shownToday_;  // prices the current price has shown since the day started
    bool bought_ = false;
    bool ticked_ = false;
    bool broke_ = false;  // a tick has found funds below 1
};

// Text checks shared with the tests.
using zemkari::IsValidUtf8;
// A whole signed decimal number and nothing else.
std::optional<std::int64_t> ParseWhole(std::string_view text);
// A signed decimal number followed by 万円.
std::optional<std::int64_t> ParseMoney(std::string_view text);

}  // namespace zemkari::fuzz
