// The page's event handlers: what the window does on a click or a tick, for the
// page's module to call. One game per page, as one per window.
#include "page_handlers.h"

#include "page_board.h"
#include "page_imports.h"
#include "zemkari/market.h"
#include "zemkari/snapshot.h"

namespace zemkari::web {
namespace {

struct PageGame {
    MarketState state;
    PageBoard board;
    PageClock clock;
    std::string snapshot;  // the bytes of the last snapshot, or of one to resume
};
PageGame game;

// The window shows a failure in a message box; the page in its own way.
void Report(const Outcome& failure) {
    if (failure) PageShowError(failure->message.data(), failure->message.size());
}

}  // namespace

void Click(ButtonId button) {
    switch (button) {
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

void TickOnce() { Report(Tick(game.state, game.board)); }

std::size_t Snapshot() {
    game.snapshot = TakeSnapshot(game.state, game.board.Record());
    return game.snapshot.size();
}

char* SnapshotBytes(std::size_t size) {
    game.snapshot.resize(size);
    return game.snapshot.data();
}

bool Resume(std::size_t size) {
    const ReadGame read = ReadSnapshot(std::string_view(game.snapshot).substr(0, size));
    const auto* saved = std::get_if<SavedGame>(&read);
    if (saved == nullptr) return false;
    game.state = saved->state;
    game.board.Restore(saved->board);
    return true;
}

}  // namespace zemkari::web

// Each handler is exported under its own C name.
extern "C" {
__attribute__((export_name("OnClick"))) void OnClick(int button) {
    zemkari::web::Click(static_cast<zemkari::ButtonId>(button));
}
__attribute__((export_name("OnTick"))) void OnTick() { zemkari::web::TickOnce(); }

__attribute__((export_name("SnapshotGame"))) std::size_t SnapshotGame() { return zemkari::web::Snapshot(); }
__attribute__((export_name("SnapshotBuffer"))) char* SnapshotBuffer(std::size_t size) {
    return zemkari::web::SnapshotBytes(size);
}
__attribute__((export_name("ResumeGame"))) int ResumeGame(std::size_t size) {
    return zemkari::web::Resume(size) ? 1 : 0;
}
}
