#include "zemkari/app/game_application.h"

#include <QMessageBox>
#include <exception>

#include "zemkari/ui/game_style.h"

namespace zemkari::app {

GameApplication::GameApplication(int& argc, char** argv) : QApplication(argc, argv) { setStyle(new ui::GameStyle); }

bool GameApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(activeWindow(), QString::fromUtf8(error.what()));
    } catch (...) {
        ShowError(activeWindow(), QString::fromUtf8(kUnknownError));
    }
    return false;
}

void ShowError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zemkari"), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace zemkari::app
