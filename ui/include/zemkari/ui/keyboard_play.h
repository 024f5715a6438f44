#pragma once

#include <QWidget>

#include "zemkari/ui/window_controls.h"

namespace zemkari::ui {

// Lets the whole game be played from the keyboard while `window` is the active window:
// B buy, S sell, F5 start market, Shift+F5 end market, 1 to 7 the share quantities in
// ascending order, - a slower and + (or =) a faster game speed; the keypad's digits, +
// and - work too. Each key clicks its control at once, so it does what a click does and
// nothing while the control is disabled; a held key acts once. The keys are added to
// the tooltips of the buttons, the selectors and their items. `controls` must belong to
// `window`.
void InstallKeyboardPlay(QWidget& window, const WindowControls& controls);

}  // namespace zemkari::ui
