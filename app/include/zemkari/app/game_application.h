#pragma once

#include <QApplication>

namespace zemkari::app {

// The application object, in the Fusion style: the window's pixel layout wants the
// same compact controls on every desktop. An exception that escapes the delivery of an event is
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
