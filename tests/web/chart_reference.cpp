// Plays a replay script through the real window (offscreen) and writes its chart, the
// picture the browser page's canvas must match: `web_chart_reference SCRIPT OUT.png`.
// `web_chart_reference --colours` prints the colour the window gives a label for each
// colour the game writes, by its name in the replay tool's output, as JSON
// ({"red": [255, 0, 0], ...}): what the page's labels must show.
#include <QImage>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "ui_test_support.h"
#include "window_script.h"
#include "zemkari/ui/price_chart.h"

namespace {

void PrintColours(zemkari::app::GameWindow& window) {
    constexpr zemkari::LabelId kField = zemkari::LabelId::Comment;
    const auto& label = zemkari::testing::Control<QLabel>(window, kField);
    nlohmann::json colours = nlohmann::json::object();
    for (const zemkari::Colour colour : zemkari::design::kColours) {
        window.Board().SetColour(kField, colour);
        const QColor shown = label.palette().color(QPalette::WindowText);
        colours[std::string(zemkari::design::ColourName(colour))] = {shown.red(), shown.green(), shown.blue()};
    }
    std::printf("%s\n", colours.dump().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const bool colours = argc == 2 && std::string_view(argv[1]) == "--colours";
    if (argc != 3 && !colours) {
        std::fprintf(stderr, "usage: web_chart_reference SCRIPT OUT.png | --colours\n");
        return 2;
    }
    int qtArgc = 1;
    zemkari::app::GameApplication application(qtArgc, argv);
    zemkari::FixedClock clock;
    zemkari::app::GameWindow window(clock);
    if (colours) {
        PrintColours(window);
        return 0;
    }
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
