#include "zemkari/ui/field_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "zemkari/ui/utf8.h"

namespace zemkari::ui {
namespace {

// A value label as static text whose name is exactly its text. The text is read at
// every request, so the name follows each tick; QLabel itself announces the change.
class FieldAccessible final : public QAccessibleWidget {
public:
    explicit FieldAccessible(FieldLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* FieldInterface(const QString&, QObject* object) {
    auto* label = dynamic_cast<FieldLabel*>(object);
    return label != nullptr ? new FieldAccessible(label) : nullptr;
}

// Qt keeps the first interface it made for a widget, and with an assistive technology
// listening it makes them while the controls are still being built, before the
// factory could be asked; such an interface is dropped so the next request makes ours.
void ReplaceCachedInterface(FieldLabel& label) {
    QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(&label);
    if (cached != nullptr && dynamic_cast<FieldAccessible*>(cached) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
    }
}

}  // namespace

void MakeFieldsAccessible(const WindowControls& controls) {
    QAccessible::installFactory(FieldInterface);
    for (std::size_t i = 0; i < controls.fields.size(); ++i) {
        FieldLabel& label = *controls.fields[i];
        ReplaceCachedInterface(label);
        label.setAccessibleDescription(Utf8(design::Description(static_cast<LabelId>(i))));
    }
}

}  // namespace zemkari::ui
