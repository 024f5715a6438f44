#pragma once

#include <QLabel>

namespace zemkari::ui {

// Which edge of a label stays put when its text changes.
enum class Growth {
    None,     // fixed size, whatever the text
    ToRight,  // sizes itself to the text, left edge fixed
    ToLeft,   // sizes itself to the text, right edge fixed
    Centred,  // sizes itself to the text about a fixed centre
};

// A label the game writes. Self-sizing labels take the measured width of each new
// text, so a longer number grows away from the anchored edge.
class FieldLabel final : public QLabel {
public:
    FieldLabel(Growth growth, QWidget* parent);

    void ShowText(const QString& text);
    Growth growth() const { return growth_; }

private:
    void FitToText();

    Growth growth_;
};

}  // namespace zemkari::ui
