// Puts the real window in one of the scenes of the documentation and captures the
// screen: `zemkari_screenshot SCENE OUTPUT.png` under an X server with a window
// manager (tools/screenshots.sh runs it under Xvfb and openbox).
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "ui_test_support.h"
#include "zemkari/scenarios.h"

using zemkari::app::GameWindow;
using zemkari::testing::Click;
using zemkari::testing::Ticks;

namespace {

// Starts a day on `row`, buys one share at the first point and runs `ticks` more.
void TradeDay(GameWindow& window, zemkari::FixedClock& clock, int row, int ticks) {
    clock.Set(zemkari::FirstMillisecondDrawing(row));
    Click(window, "Button1");
    Ticks(window, 2);
    Click(window, "Button3");
    Ticks(window, ticks);
}

const std::map<std::string, std::function<void(GameWindow&, zemkari::FixedClock&)>> kScenes = {
    {"start", [](GameWindow&, zemkari::FixedClock&) {}},
    {"midday", [](GameWindow& w, zemkari::FixedClock& c) { TradeDay(w, c, 0, 20); }},
    {"limit-up", [](GameWindow& w, zemkari::FixedClock& c) { TradeDay(w, c, 10, 50); }},
    {"margin-call", [](GameWindow& w, zemkari::FixedClock& c) { TradeDay(w, c, 6, 50); }},
};

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
    if (argc != 3 || !kScenes.contains(argv[1])) {
        std::fprintf(stderr, "usage: zemkari_screenshot start|midday|limit-up|margin-call OUTPUT.png\n");
        return 2;
    }
    int qtArgc = 1;
    zemkari::app::GameApplication application(qtArgc, argv);
    zemkari::FixedClock clock;
    GameWindow window(clock);
    window.show();
    kScenes.at(argv[1])(window, clock);
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
