#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <utility>

#include "zemkari/rules.h"
#include "zemkari/ui/window_controls.h"

namespace zemkari::ui {

// The item indices of a selector table, ordered by their values, smallest first; equal
// values keep their index order.
template <std::size_t N>
constexpr std::array<int, N> IndicesByValue(const std::array<int, N>& values) {
    std::array<int, N> order{};
    for (std::size_t i = 0; i < N; ++i) order[i] = static_cast<int>(i);
    for (std::size_t i = 1; i < N; ++i) {
        for (std::size_t j = i; j > 0 && values[order[j - 1]] > values[order[j]]; --j)
            std::swap(order[j - 1], order[j]);
    }
    return order;
}

// The keys 1 to 7 pick the share selector's items in this order: fewest shares first.
inline constexpr auto kSharesByQuantity = IndicesByValue(ShareQuantities);
// The game-speed items from the fastest (shortest interval) to the slowest.
inline constexpr auto kSpeedsFastestFirst = IndicesByValue(GameSpeeds);

// Lets the whole game be played from the keyboard while `window` is the active window:
// B buy, S sell, F5 start market, Shift+F5 end market, 1 to 7 the share quantities in
// ascending order, - a slower and + (or =) a faster game speed; the keypad's digits, +
// and - work too. Each key clicks its control at once, so it does what a click does and
// nothing while the control is disabled; a held key acts once. The keys are added to
// the tooltips of the buttons, the selectors and their items. `controls` must belong to
// `window`.
void InstallKeyboardPlay(QWidget& window, const WindowControls& controls);

}  // namespace zemkari::ui
