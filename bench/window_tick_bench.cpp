// One tick through the window: the game's tick on the Qt Board (labels, buttons and
// the chart image redrawn), then the window repainted, offscreen. Two ways:
//  - "tick": the repaint the tick causes, as the event loop does it (the changed
//    widgets, flushed to the window);
//  - "tick_full": the whole window repainted after every tick, the worst case.
// Each is timed per tick in wall time and in this thread's CPU time, over whole
// days with a position open for part of each day. Prints `key value` lines (median,
// 90th percentile, in microseconds) for tools/measure-performance.sh, and what the
// first window of the process and a second one cost to build and show.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "zemkari/app/main_window.h"

namespace {

double ThreadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double WallMicros() {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Percentile(std::vector<double> samples, double share) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1))];
}

void Report(const std::string& name, const std::vector<double>& wall, const std::vector<double>& cpu) {
    std::printf("%s_samples %zu\n", name.c_str(), wall.size());
    std::printf("%s_median_us %.1f\n", name.c_str(), Percentile(wall, 0.5));
    std::printf("%s_p90_us %.1f\n", name.c_str(), Percentile(wall, 0.9));
    std::printf("%s_cpu_median_us %.1f\n", name.c_str(), Percentile(cpu, 0.5));
    std::printf("%s_cpu_p90_us %.1f\n", name.c_str(), Percentile(cpu, 0.9));
}

// Plays `days` whole days, timing each tick followed by `repaint`.
void Measure(zemkari::app::GameWindow& window, int days, const std::function<void()>& repaint,
             const std::string& name) {
    constexpr int kTicksPerDay = 55;
    std::vector<double> wall, cpu;
    for (int day = 0; day < days; ++day) {
        window.OnStartMarket();
        // The market timer must not fire on its own while the loop runs: ticks
        // come only from here.
        window.Board().StopTimer();
        QApplication::processEvents();
        for (int tick = 0; tick < kTicksPerDay; ++tick) {
            const double wallBefore = WallMicros();
            const double cpuBefore = ThreadCpuMicros();
            window.OnTick();
            repaint();
            cpu.push_back(ThreadCpuMicros() - cpuBefore);
            wall.push_back(WallMicros() - wallBefore);
            if (tick == 5) window.OnBuy();
            if (tick == 30) window.OnSell();
            if (tick == 35) window.OnBuy();
            QApplication::processEvents();  // the clicks' own repaints are not a tick's cost
        }
    }
    Report(name, wall, cpu);
}

// Builds a window and shows its first frame, printing how long each took: the
// first window of the process pays for loading fonts and drawing glyphs, a later
// one finds them cached.
std::unique_ptr<zemkari::app::GameWindow> BuildAndShow(const zemkari::Clock& clock, const std::string& name) {
    const double begin = WallMicros();
    auto window = std::make_unique<zemkari::app::GameWindow>(clock);
    const double built = WallMicros();
    window->show();
    QApplication::processEvents();
    const double shown = WallMicros();
    std::printf("%s_window_build_ms %.2f\n", name.c_str(), (built - begin) / 1e3);
    std::printf("%s_window_first_paint_ms %.2f\n", name.c_str(), (shown - built) / 1e3);
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const zemkari::FixedClock noon(12 * 3'600'000);
    std::unique_ptr<zemkari::app::GameWindow> window = BuildAndShow(noon, "cold");

    constexpr int kDays = 30;
    Measure(
        *window, kDays, [] { QApplication::processEvents(); }, "tick");
    Measure(
        *window, kDays, [&] { window->repaint(); }, "tick_full");

    BuildAndShow(noon, "warm");
    return 0;
}
