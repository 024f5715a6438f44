// Plays a replay script through the real window (offscreen) and writes its chart, the
// picture the browser page's canvas must match: `web_chart_reference SCRIPT OUT.png`.
#include <QImage>
#include <cstdio>
#include <fstream>

#include "ui_test_support.h"
#include "window_script.h"
#include "zemkari/ui/price_chart.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: web_chart_reference SCRIPT OUT.png\n");
        return 2;
    }
    int qtArgc = 1;
    zemkari::app::GameApplication application(qtArgc, argv);
    zemkari::FixedClock clock;
    zemkari::app::GameWindow window(clock);
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "web_chart_reference: cannot read %s\n", argv[1]);
        return 2;
    }
    if (const auto unplayable = zemkari::testing::PlayScript(window, clock, script)) {
        std::fprintf(stderr, "web_chart_reference: no player can do \"%s\"\n", unplayable->c_str());
        return 2;
    }
    const auto& chart = zemkari::testing::Control<zemkari::ui::PriceChart>(window, zemkari::design::kChartName);
    return chart.Picture().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
