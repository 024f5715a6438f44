// The page's event handlers: what the window does on a click or a tick, exported from
// the WebAssembly module under their own C names for the page's module (zemkari.js),
// which checks as it loads that the module exports each. One game per page, as one per
// window.
#include <cstddef>

#include "page_board.h"
#include "page_imports.h"
#include "zemkari/clock.h"
#include "zemkari/market.h"
#include "zemkari/snapshot.h"

namespace zemkari::web {
namespace {

struct PageGame {
    MarketState state;
    PageBoard board;
    // The browser's clock: the C library asks the page's module for the time.
    SystemClock clock;
    std::string snapshot;  // the bytes of the last snapshot, or of one to resume
};
PageGame game;

// The window shows a failure in a message box; the page in its own way.
void Report(const Outcome& failure) {
    if (failure) PageShowError(failure->message.data(), failure->message.size());
}

}  // namespace

extern "C" {
// A click on the button of index `button` (zemkari::ButtonId).
__attribute__((export_name("OnClick"))) void OnClick(int button) {
    switch (static_cast<ButtonId>(button)) {
        case ButtonId::StartMarket:
            return Report(StartMarket(game.state, game.board, game.clock));
        case ButtonId::EndMarket:
            return EndMarket(game.state, game.board);
        case ButtonId::Buy:
            return Buy(game.state, game.board);
        case ButtonId::Sell:
            return Sell(game.state, game.board);
        case ButtonId::Count:
            break;
    }
}

// A tick of the market clock.
__attribute__((export_name("OnTick"))) void OnTick() { Report(Tick(game.state, game.board)); }

// The game's snapshot, into the buffer of SnapshotBuffer; returns its size in bytes.
__attribute__((export_name("SnapshotGame"))) std::size_t SnapshotGame() {
    game.snapshot = TakeSnapshot(game.state, game.board.Record());
    return game.snapshot.size();
}

// The buffer snapshots pass through, made `size` bytes long; its address.
__attribute__((export_name("SnapshotBuffer"))) char* SnapshotBuffer(std::size_t size) {
    game.snapshot.resize(size);
    return game.snapshot.data();
}

// Goes on with the game of the snapshot of `size` bytes in the buffer, on the board as
// the snapshot shows it; 1 when it did, 0 when it refused the snapshot and left the game
// as it was.
__attribute__((export_name("ResumeGame"))) int ResumeGame(std::size_t size) {
    const ReadGame read = ReadSnapshot(std::string_view(game.snapshot).substr(0, size));
    const auto* saved = std::get_if<SavedGame>(&read);
    if (saved == nullptr) return 0;
    game.state = saved->state;
    game.board.Restore(saved->board);
    return 1;
}
}

}  // namespace zemkari::web
