// The page's event handlers: what the window does on a click or a tick, for the
// page's module to call. One game per page, as one per window.
#include "page_board.h"
#include "page_imports.h"
#include "zemkari/market.h"

namespace zemkari::web {
namespace {

struct PageGame {
    MarketState state;
    PageBoard board;
    PageClock clock;
};
PageGame game;

// The window shows a failure in a message box; the page in its own way.
void Report(const Outcome& failure) {
    if (failure) PageShowError(failure->message.data(), failure->message.size());
}

}  // namespace

extern "C" {

__attribute__((export_name("Button1Click"))) void Button1Click() {
    Report(StartMarket(game.state, game.board, game.clock));
}
__attribute__((export_name("Button2Click"))) void Button2Click() { EndMarket(game.state, game.board); }
__attribute__((export_name("Button3Click"))) void Button3Click() { Buy(game.state, game.board); }
__attribute__((export_name("Button4Click"))) void Button4Click() { Sell(game.state, game.board); }
__attribute__((export_name("Timer1Timer"))) void Timer1Timer() { Report(Tick(game.state, game.board)); }
}

}  // namespace zemkari::web
