// Plays a replay script through the real window (offscreen) and writes its chart, the
// picture the browser page's canvas must match: `web_chart_reference SCRIPT OUT.png`.
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>
#include <variant>

#include "ui_test_support.h"
#include "zemkari/replay/script.h"
#include "zemkari/ui/price_chart.h"

namespace {

using zemkari::PlayerEvent;
using zemkari::replay::Command;

// Does what the event asks, as the player and the timer would; false for what no player
// can do in a window.
bool Play(zemkari::app::GameWindow& window, zemkari::FixedClock& clock, const PlayerEvent& event) {
    using zemkari::testing::Click;
    const std::string item = std::to_string(event.value);
    switch (event.kind) {
        case PlayerEvent::Kind::Start:
            clock.Set(static_cast<std::uint32_t>(event.value));
            Click(window, zemkari::ButtonId::StartMarket);
            return true;
        case PlayerEvent::Kind::End:
            Click(window, zemkari::ButtonId::EndMarket);
            return true;
        case PlayerEvent::Kind::Buy:
            Click(window, zemkari::ButtonId::Buy);
            return true;
        case PlayerEvent::Kind::Sell:
            Click(window, zemkari::ButtonId::Sell);
            return true;
        case PlayerEvent::Kind::Tick:
            if (window.Board().Timer().isActive()) window.OnTick();
            return true;
        case PlayerEvent::Kind::SelectShares:
            Click(window, ("RadioGroup1Item" + item).c_str());
            return true;
        case PlayerEvent::Kind::SelectSpeed:
            Click(window, ("RadioGroup2Item" + item).c_str());
            return true;
        case PlayerEvent::Kind::RefuseTimer:
        case PlayerEvent::Kind::RefuseInterval:
            break;
    }
    return false;
}

}  // namespace

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
    std::string line;
    while (std::getline(script, line)) {
        const auto parsed = zemkari::replay::ParseLine(line);
        const auto* command = std::get_if<Command>(&parsed);
        bool played = !std::holds_alternative<zemkari::replay::ScriptError>(parsed);
        for (int i = 0; command != nullptr && played && i < command->times; ++i) {
            played = Play(window, clock, command->event);
        }
        if (!played) {
            std::fprintf(stderr, "web_chart_reference: no player can do \"%s\"\n", line.c_str());
            return 2;
        }
    }
    const auto& chart = zemkari::testing::Control<zemkari::ui::PriceChart>(window, zemkari::design::kChartName);
    return chart.Picture().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
