#pragma once

#include "zemkari/clock.h"
#include "zemkari/headless_board.h"
#include "zemkari/market.h"
#include "zemkari/market_state.h"
#include "zemkari/snapshot.h"

namespace zemkari {

// Everything a player, or the window system around the game, can do to it. The replay
// tool reads these from a script, the fuzzer from bytes; both deliver them here.
struct PlayerEvent {
    enum class Kind {
        Start,           // click start market with the clock at `value` ms of the UTC day (0 to 86'399'999)
        End,             // click end market
        Buy,             // click buy
        Sell,            // click sell
        Tick,            // the market clock fires
        SelectShares,    // select item `value` of the share selector (-1: none; any int)
        SelectSpeed,     // select item `value` of the game-speed selector (-1: none; any int)
        RefuseTimer,     // the next switch of the timer from off to on fails
        RefuseInterval,  // the next change of the timer's interval fails
        Reload,          // the game is saved, its board thrown away and the game restored on a new one
    };
    Kind kind = Kind::Tick;
    int value = 0;  // meaning per Kind; 0 where it takes none
    friend bool operator==(const PlayerEvent&, const PlayerEvent&) = default;
};

// What delivering an event did besides changing the game.
struct Delivery {
    bool ignored = false;  // the button was disabled or the timer off, so the game never heard of it
    Outcome failure;       // a failure the handler reported
};

// One process of the game without a window, driven as the window drives it: a click
// reaches its handler only while its button is on, a tick only while the timer runs.
// The replay tool and the fuzzer play through it.
class HeadlessGame {
public:
    Delivery Deliver(PlayerEvent event);

    // The game as a snapshot, and the game a snapshot holds on a new board; the window
    // system's pending refusals are its own, and outlive the board.
    std::string Snapshot() const { return TakeSnapshot(state_, board_.Record()); }
    void Resume(const SavedGame& saved);

    const MarketState& State() const { return state_; }
    HeadlessBoard& Board() { return board_; }
    const HeadlessBoard& Board() const { return board_; }

private:
    template <typename Handler>
    Delivery Click(ButtonId button, Handler handler);
    Delivery TimerTick();
    Delivery Reload();

    MarketState state_;
    HeadlessBoard board_;
    FixedClock clock_;
};

}  // namespace zemkari
