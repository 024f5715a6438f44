// CPU used by the window while a whole trading day runs at 0.5-second ticks: the
// speed item "0.5秒" and start market clicked, a buy and a sale clicked during the
// day, until the close is on the board. Prints the process's CPU time over the
// wall time of the day, as a share of one core, as `key value` lines.
#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "zemkari/app/main_window.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

template <typename Widget>
Widget* Find(QWidget& window, const QString& text) {
    for (Widget* widget : window.findChildren<Widget*>()) {
        if (widget->text() == text) return widget;
    }
    std::fprintf(stderr, "no control \"%s\"\n", text.toUtf8().constData());
    std::exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const zemkari::FixedClock noon(12 * 3'600'000);
    zemkari::app::GameWindow window(noon);
    window.show();
    QApplication::processEvents();

    constexpr int kTicks = 52;  // the 52nd tick of a day puts the close on the board
    Find<QRadioButton>(window, QStringLiteral("0.5秒"))->click();
    QPushButton* start = Find<QPushButton>(window, QStringLiteral("相場開始"));
    QPushButton* buy = Find<QPushButton>(window, QStringLiteral("買い注文"));
    QPushButton* sell = Find<QPushButton>(window, QStringLiteral("売り注文"));

    // Runs after the window's own tick handler, which was connected first.
    QObject::connect(&window.Board().Timer(), &QTimer::timeout, &window, [&] {
        const auto ticks = window.State().TickCount;
        if (ticks == 5) buy->click();
        if (ticks == 30) sell->click();
        if (ticks >= kTicks) QCoreApplication::quit();
    });

    const double cpuBefore = CpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    start->click();
    QApplication::exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();

    std::printf("day_ticks %lld\n", static_cast<long long>(window.State().TickCount));
    std::printf("day_wall_s %.2f\n", wall);
    std::printf("day_cpu_ms %.1f\n", cpu * 1000.0);
    std::printf("day_cpu_share_percent %.3f\n", 100.0 * cpu / wall);
    return 0;
}
