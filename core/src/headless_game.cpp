#include "zemkari/headless_game.h"

#include <type_traits>

namespace zemkari {

// A handler that cannot fail returns nothing.
template <typename Handler>
Delivery HeadlessGame::Click(ButtonId button, Handler handler) {
    if (!board_.IsEnabled(button)) return {.ignored = true, .failure = std::nullopt};
    if constexpr (std::is_void_v<std::invoke_result_t<Handler>>) {
        handler();
        return {};
    } else {
        return {.ignored = false, .failure = handler()};
    }
}

Delivery HeadlessGame::TimerTick() {
    if (!board_.TimerOn()) return {.ignored = true, .failure = std::nullopt};
    return {.ignored = false, .failure = Tick(state_, board_)};
}

Delivery HeadlessGame::Deliver(PlayerEvent event) {
    using Kind = PlayerEvent::Kind;
    switch (event.kind) {
        case Kind::Start:
            return Click(ButtonId::StartMarket, [&] {
                clock_.Set(static_cast<std::uint32_t>(event.value));
                return StartMarket(state_, board_, clock_);
            });
        case Kind::End:
            return Click(ButtonId::EndMarket, [&] { EndMarket(state_, board_); });
        case Kind::Buy:
            return Click(ButtonId::Buy, [&] { Buy(state_, board_); });
        case Kind::Sell:
            return Click(ButtonId::Sell, [&] { Sell(state_, board_); });
        case Kind::Tick:
            return TimerTick();
        case Kind::SelectShares:
            board_.Select(SelectorId::ShareQuantity, event.value);
            break;
        case Kind::SelectSpeed:
            board_.Select(SelectorId::GameSpeed, event.value);
            break;
        case Kind::RefuseTimer:
            board_.RefuseNextTimerStart();
            break;
        case Kind::RefuseInterval:
            board_.RefuseNextIntervalChange();
            break;
    }
    return {};
}

}  // namespace zemkari
