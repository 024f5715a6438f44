#pragma once

#include <QLabel>

#include "zemkari/design/window.h"

namespace zemkari::ui {

// A label the game writes. Self-sizing labels take the measured width of each new
// text, so a longer number grows away from the anchored edge.
class FieldLabel final : public QLabel {
public:
    FieldLabel(design::Growth growth, QWidget* parent);

    void ShowText(const QString& text);

private:
    void FitToText();

    design::Growth growth_;
};

}  // namespace zemkari::ui
