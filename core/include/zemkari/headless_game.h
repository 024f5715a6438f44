#pragma once

#include <cstdint>

#include "zemkari/clock.h"
#include "zemkari/headless_board.h"
#include "zemkari/market.h"
#include "zemkari/market_state.h"

namespace zemkari {

// What delivering a click or a tick did besides changing the game.
struct Delivery {
    bool ignored = false;  // the button was disabled or the timer off, so the game never heard of it
    Outcome failure;       // a failure the handler reported
};

// One process of the game without a window, driven as the window drives it: a click
// reaches its handler only while its button is on, a tick only while the timer runs.
// The replay tool and the fuzzer play through it.
class HeadlessGame {
public:
    Delivery ClickStart(std::uint32_t millisecondOfUtcDay);  // Button1, with the clock at that time
    Delivery ClickEnd();                                     // Button2
    Delivery ClickBuy();                                     // Button3
    Delivery ClickSell();                                    // Button4
    Delivery TimerTick();

    const MarketState& State() const { return state_; }
    HeadlessBoard& Board() { return board_; }
    const HeadlessBoard& Board() const { return board_; }

private:
    template <typename Handler>
    Delivery Click(ButtonId button, Handler handler);

    MarketState state_;
    HeadlessBoard board_;
    FixedClock clock_;
};

}  // namespace zemkari
