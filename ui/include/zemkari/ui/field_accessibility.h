#pragma once

#include <array>
#include <string_view>

#include "zemkari/board.h"
#include "zemkari/ui/window_controls.h"

namespace zemkari::ui {

// What each value label shows, as a screen reader announces it: the label's accessible
// description, indexed by zemkari::LabelId. Its accessible name is its current text.
inline constexpr std::array<std::string_view, 11> kFieldDescriptions = {
    "現在値",    // Label1
    "始値",      // Label2
    "高値",      // Label3
    "安値",      // Label4
    "終値",      // Label10
    "発注状況",  // Label12
    "約定代金",  // Label17
    "評価損益",  // Label25
    "余力",      // Label26
    "コメント",  // Label27
    "損益判定",  // Label28
};

// Gives every value label of `controls` its description and has assistive technology
// read its current text as its name, also while the text is empty (Qt's own label
// interface would then read out the title of the group box around it).
void MakeFieldsAccessible(const WindowControls& controls);

}  // namespace zemkari::ui
