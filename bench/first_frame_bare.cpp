// The yardstick for the game's start-up: a bare Qt window holding one Japanese
// label, quitting after its first frame.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "first_frame.h"

int main(int, char* argv[]) {
    zemkari::bench::Phases phases;
    int argc = 1;
    QApplication application(argc, argv);
    phases.Mark("application");
    QWidget window;
    auto* label = new QLabel(QStringLiteral("相場開始"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(label);
    phases.Mark("window");
    zemkari::bench::FirstFrame firstFrame(window, phases);
    window.show();
    phases.Mark("shown");
    return application.exec();
}
