#pragma once

#include <QApplication>

namespace zemkari::app {

// The application object, in the game's style (compact Fusion controls on every
// desktop, as the window's pixel layout wants). An exception that escapes the delivery of an event is
// shown to the player in a message box, and the event loop carries on: Qt itself
// would end the program.
class GameApplication final : public QApplication {
public:
    GameApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// What the player reads when something other than a standard exception escapes.
inline constexpr char kUnknownError[] = "予期しないエラーが発生しました";

// Shows `text` in the game's error box over `parent` and waits for the player.
void ShowError(QWidget* parent, const QString& text);

}  // namespace zemkari::app
