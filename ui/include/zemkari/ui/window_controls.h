#pragma once

#include <QButtonGroup>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "zemkari/board.h"
#include "zemkari/design/window.h"
#include "zemkari/ui/field_label.h"
#include "zemkari/ui/price_chart.h"

namespace zemkari::ui {

// The controls the game writes and reads, owned by the client area they were built in.
struct WindowControls {
    std::array<FieldLabel*, kCountOf<LabelId>> fields{};     // indexed by zemkari::LabelId
    std::array<QPushButton*, kCountOf<ButtonId>> buttons{};  // indexed by zemkari::ButtonId
    QButtonGroup* shareSelector = nullptr;                   // item index as button id
    QButtonGroup* speedSelector = nullptr;                   // item index as button id
    PriceChart* chart = nullptr;

    FieldLabel& Field(LabelId label) const { return *fields[IndexOf(label)]; }
    QPushButton& Button(ButtonId button) const { return *buttons[IndexOf(button)]; }
};

// Lays out every control of the window in `client` (626 x 545) from the window's
// design, each with the object name its design gives it, with captions, fonts,
// colours and the opening state. `caption` is the version line's text.
WindowControls BuildWindowControls(QWidget& client, const QString& caption);

// Paints a label's text in the window-text colour, red or blue.
void SetLabelColour(QLabel& label, Colour colour);

}  // namespace zemkari::ui
