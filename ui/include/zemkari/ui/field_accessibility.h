#pragma once

#include "zemkari/ui/window_controls.h"

namespace zemkari::ui {

// Gives every value label of `controls` the description of its control (現在値, 始値, ...)
// and has assistive technology read its current text as its name, also while the text is
// empty (Qt's own label interface would then read out the title of the group box around it).
void MakeFieldsAccessible(const WindowControls& controls);

}  // namespace zemkari::ui
