#pragma once

#include <QLabel>

#include "zemkari/ui/window_layout.h"

namespace zemkari::ui {

// A label the game writes. Self-sizing labels take the measured width of each new
// text, so a longer number grows away from the anchored edge.
class FieldLabel final : public QLabel {
public:
    FieldLabel(Growth growth, QWidget* parent);

    void ShowText(const QString& text);

private:
    void FitToText();

    Growth growth_;
};

}  // namespace zemkari::ui
