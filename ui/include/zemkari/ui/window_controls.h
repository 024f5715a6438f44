#pragma once

#include <QButtonGroup>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "zemkari/board.h"
#include "zemkari/ui/field_label.h"
#include "zemkari/ui/price_chart.h"
#include "zemkari/ui/window_layout.h"

namespace zemkari::ui {

// The controls the game writes and reads, owned by the client area they were built in.
struct WindowControls {
    std::array<FieldLabel*, kCountOf<LabelId>> fields{};     // indexed by zemkari::LabelId
    std::array<QPushButton*, kCountOf<ButtonId>> buttons{};  // indexed by zemkari::ButtonId
    QButtonGroup* shareSelector = nullptr;                   // RadioGroup1: item index as button id
    QButtonGroup* speedSelector = nullptr;                   // RadioGroup2: item index as button id
    PriceChart* chart = nullptr;                             // PaintBox1

    FieldLabel& Field(LabelId label) const { return *fields[IndexOf(label)]; }
    QPushButton& Button(ButtonId button) const { return *buttons[IndexOf(button)]; }
};

// Lays out every control of the window in `client` (626 x 545), each named after
// its control (objectName "Label5", "GroupBox2", ...), with captions, fonts, colours
// and the initial state of a freshly opened window. `caption` is Label13's line.
WindowControls BuildWindowControls(QWidget& client, const QString& caption);

// Paints a label's text in the window-text colour, red or blue.
void SetLabelColour(QLabel& label, Colour colour);

}  // namespace zemkari::ui
