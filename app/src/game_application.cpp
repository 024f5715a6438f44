#include "zemkari/app/game_application.h"

#include <QMessageBox>
#include <exception>

#include "zemkari/design/window.h"
#include "zemkari/ui/game_style.h"
#include "zemkari/ui/utf8.h"

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
    QMessageBox box(QMessageBox::Critical, ui::Utf8(design::kWindowTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace zemkari::app
