#include "zemkari/ui/field_label.h"

#include <QFontMetrics>

namespace zemkari::ui {

FieldLabel::FieldLabel(design::Growth growth, QWidget* parent) : QLabel(parent), growth_(growth) {}

void FieldLabel::ShowText(const QString& text) {
    setText(text);
    FitToText();
}

void FieldLabel::FitToText() {
    if (growth_ == design::Growth::None) return;
    const int width = QFontMetrics(font()).horizontalAdvance(text());
    const QRect old = geometry();
    int left = old.x();
    if (growth_ == design::Growth::ToLeft) left = old.x() + old.width() - width;
    if (growth_ == design::Growth::Centred) left = old.x() + (old.width() - width) / 2;
    setGeometry(left, old.y(), width, old.height());
}

}  // namespace zemkari::ui
