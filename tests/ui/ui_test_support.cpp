#include "ui_test_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace zemkari::testing {

void Click(QWidget& window, ControlName name) {
    QWidget& control = Control<QWidget>(window, name);
    // Radio buttons take a click on their indicator, at the left of their box.
    const QPoint where =
        qobject_cast<QRadioButton*>(&control) ? QPoint(6, control.height() / 2) : control.rect().center();
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, where);
}

void Ticks(app::GameWindow& window, int count) {
    for (int i = 0; i < count; ++i) window.OnTick();
}

MessageBoxWatcher::MessageBoxWatcher() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts_ << box->text();
            box->accept();
        }
    });
    poll_.start(10);
}

}  // namespace zemkari::testing
