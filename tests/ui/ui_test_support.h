#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <string_view>

#include "zemkari/app/game_application.h"
#include "zemkari/app/main_window.h"

namespace zemkari::testing {

// A control of the window by its name ("Label5", "Button1", "RadioGroup1Item3").
template <typename Widget>
Widget& Control(QWidget& window, std::string_view name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (!widget) qFatal("no control named %.*s", static_cast<int>(name.size()), name.data());
    return *widget;
}

inline QString LabelText(QWidget& window, std::string_view name) { return Control<QLabel>(window, name).text(); }

// Clicks a control with the mouse, in its middle.
void Click(QWidget& window, std::string_view name);

// Runs `count` ticks of the market clock, as the timer would.
void Ticks(app::GameWindow& window, int count);

// Closes every message box that opens while it lives, keeping what each said.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const QStringList& Texts() const { return texts_; }

private:
    QStringList texts_;
    QTimer poll_;
};

}  // namespace zemkari::testing

// A test program whose application object is the game's own, so that an exception
// escaping an event meets the same last-resort handler as in play.
#define ZEMKARI_UI_TEST_MAIN(TestClass)                        \
    int main(int argc, char** argv) {                          \
        zemkari::app::GameApplication application(argc, argv); \
        TestClass test;                                        \
        return QTest::qExec(&test, argc, argv);                \
    }
