#include "zemkari/headless_game.h"

namespace zemkari {

template <typename Handler>
Delivery HeadlessGame::Click(ButtonId button, Handler handler) {
    if (!board_.IsEnabled(button)) return {.ignored = true, .failure = std::nullopt};
    return {.ignored = false, .failure = handler()};
}

Delivery HeadlessGame::ClickStart(std::uint32_t millisecondOfUtcDay) {
    return Click(ButtonId::Button1, [&] {
        clock_.Set(millisecondOfUtcDay);
        return StartMarket(state_, board_, clock_);
    });
}

Delivery HeadlessGame::ClickEnd() {
    return Click(ButtonId::Button2, [&] {
        EndMarket(state_, board_);
        return Outcome{};
    });
}

Delivery HeadlessGame::ClickBuy() {
    return Click(ButtonId::Button3, [&] {
        Buy(state_, board_);
        return Outcome{};
    });
}

Delivery HeadlessGame::ClickSell() {
    return Click(ButtonId::Button4, [&] {
        Sell(state_, board_);
        return Outcome{};
    });
}

Delivery HeadlessGame::TimerTick() {
    if (!board_.TimerOn()) return {.ignored = true, .failure = std::nullopt};
    return {.ignored = false, .failure = Tick(state_, board_)};
}

}  // namespace zemkari
