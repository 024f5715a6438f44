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

void HeadlessGame::Resume(const SavedGame& saved) {
    HeadlessBoard board;
    board.Restore(saved.board);
    if (board_.RefusesTimerStart()) board.RefuseNextTimerStart();
    if (board_.RefusesIntervalChange()) board.RefuseNextIntervalChange();
    board_ = std::move(board);
    state_ = saved.state;
}

// As a browser reloads a page: the game goes through its snapshot to a new board.
Delivery HeadlessGame::Reload() {
    const ReadGame read = ReadSnapshot(Snapshot());
    if (const auto* refused = std::get_if<SnapshotRefusal>(&read)) {
        return {.ignored = false, .failure = Failure{"snapshot refused: " + refused->reason}};
    }
    Resume(std::get<SavedGame>(read));
    return {};
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
        case Kind::Reload:
            return Reload();
    }
    return {};
}

}  // namespace zemkari
