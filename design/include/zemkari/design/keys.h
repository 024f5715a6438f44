#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "zemkari/design/controls.h"
#include "zemkari/design/selector_items.h"

// The keys that play the game and the tooltips that tell them, for the window and the
// page alike.
namespace zemkari::design {

// Each button's key, in the notation both Qt's key sequences and the page read. End
// market carries a modifier so a stray key cannot end the day.
struct ButtonKey {
    ButtonId button;
    std::string_view key;
};
inline constexpr std::array<ButtonKey, kCountOf<ButtonId>> kButtonKeys = {{
    {ButtonId::StartMarket, "F5"},
    {ButtonId::EndMarket, "Shift+F5"},
    {ButtonId::Buy, "B"},
    {ButtonId::Sell, "S"},
}};

// The keys that step the game speed one item slower (+1) or faster (-1), on the main
// block and on the keypad alike. + is a shifted key on most layouts; = is the same key
// without Shift.
struct SpeedKey {
    std::string_view key;
    int step;
};
inline constexpr std::array<SpeedKey, 3> kSpeedKeys = {{{"-", +1}, {"+", -1}, {"=", -1}}};

// What the tooltips add to a selector's caption.
inline constexpr std::string_view kShareKeysHint = "1〜7 キー: 株数の少ない順";
inline constexpr std::string_view kSpeedKeysHint = "- キー: 遅く / + キー: 速く";

// The item indices of a selector table, ordered by their values, smallest first; equal
// values keep their index order.
template <std::size_t N>
constexpr std::array<int, N> IndicesByValue(const std::array<SelectorItem, N>& items) {
    std::array<int, N> order{};
    for (std::size_t i = 0; i < N; ++i) order[i] = static_cast<int>(i);
    for (std::size_t i = 1; i < N; ++i) {
        for (std::size_t j = i; j > 0 && items[order[j - 1]].value > items[order[j]].value; --j)
            std::swap(order[j - 1], order[j]);
    }
    return order;
}

// The keys 1 to 7 pick the share selector's items in this order: fewest shares first.
inline constexpr auto kSharesByQuantity = IndicesByValue(ShareQuantities);
// The game-speed items from the fastest (shortest interval) to the slowest.
inline constexpr auto kSpeedsFastestFirst = IndicesByValue(GameSpeeds);

// The speed item one step faster (step -1) or slower (step +1) than item `current`,
// or `current` itself at the fastest or slowest. With no item selected (-1), faster
// picks the fastest and slower the slowest.
constexpr int SteppedSpeed(int current, int step) {
    const auto* at = std::find(kSpeedsFastestFirst.begin(), kSpeedsFastestFirst.end(), current);
    const int last = static_cast<int>(kSpeedsFastestFirst.size()) - 1;
    const int rank = at == kSpeedsFastestFirst.end()
                         ? (step < 0 ? 0 : last)
                         : std::clamp(static_cast<int>(at - kSpeedsFastestFirst.begin()) + step, 0, last);
    return kSpeedsFastestFirst[static_cast<std::size_t>(rank)];
}

}  // namespace zemkari::design
