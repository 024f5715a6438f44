// Puts the real window in a scene of the documentation and captures the screen:
// `zemkari_screenshot SCRIPT OUTPUT.png` plays the replay script SCRIPT through the
// window, then captures it, under an X server with a window manager (tools/screenshots.sh
// runs it under Xvfb and openbox for each scene of tools/screenshots/scenes.txt).
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "ui_test_support.h"
#include "window_script.h"

namespace {

// The window's frame with a margin around it, in pixels of the screen at `ratio`
// device pixels per window pixel.
QString Crop(qreal ratio) {
    const QRect frame(263, 85, 660, 600);
    return QStringLiteral("%1x%2+%3+%4")
        .arg(qRound(frame.width() * ratio))
        .arg(qRound(frame.height() * ratio))
        .arg(qRound(frame.x() * ratio))
        .arg(qRound(frame.y() * ratio));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zemkari_screenshot SCRIPT OUTPUT.png\n");
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "zemkari_screenshot: cannot read %s\n", argv[1]);
        return 2;
    }
    int qtArgc = 1;
    zemkari::app::GameApplication application(qtArgc, argv);
    zemkari::FixedClock clock;
    zemkari::app::GameWindow window(clock);
    window.show();
    if (const auto unplayable = zemkari::testing::PlayScript(window, clock, script)) {
        std::fprintf(stderr, "zemkari_screenshot: no player can do \"%s\"\n", unplayable->c_str());
        return 2;
    }
    // The picture stands still while it is taken.
    window.Board().StopTimer();
    const QString output = QString::fromLocal8Bit(argv[2]);
    int status = 1;
    QTimer::singleShot(1500, [&] {
        status = QProcess::execute(QStringLiteral("import"),
                                   {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
                                    Crop(window.devicePixelRatioF()), QStringLiteral("+repage"), output});
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
