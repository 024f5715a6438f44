#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <string>
#include <string_view>

#include "zemkari/app/game_application.h"
#include "zemkari/app/main_window.h"

namespace zemkari::testing {

// A control's object name: given as it stands (design::kChartName, a selector's
// ItemName) or by the control's id (ButtonId::Buy).
struct ControlName {
    ControlName(std::string_view name) : text(name) {}  // NOLINT(google-explicit-constructor)
    ControlName(const char* name) : text(name) {}       // NOLINT(google-explicit-constructor)
    // For a name built in the call; the view lives as long as the call's temporaries.
    ControlName(const std::string& name) : text(name) {}  // NOLINT(google-explicit-constructor)
    template <typename Id>
    requires requires(Id id) { design::NameOf(id); }
    ControlName(Id id) : text(design::NameOf(id)) {}  // NOLINT(google-explicit-constructor)
    std::string_view text;
};

template <typename Widget>
Widget& Control(QWidget& window, ControlName name) {
    const std::string_view text = name.text;
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    if (!widget) qFatal("no control named %.*s", static_cast<int>(text.size()), text.data());
    return *widget;
}

inline QString LabelText(QWidget& window, ControlName name) { return Control<QLabel>(window, name).text(); }

// Clicks a control with the mouse, in its middle.
void Click(QWidget& window, ControlName name);

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
