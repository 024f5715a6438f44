#include "window_script.h"

#include <variant>

#include "ui_test_support.h"
#include "zemkari/design/controls.h"
#include "zemkari/replay/script.h"

namespace zemkari::testing {
namespace {

// Does what the event asks; false for what no player can do in a window.
bool Play(app::GameWindow& window, FixedClock& clock, const PlayerEvent& event) {
    switch (event.kind) {
        case PlayerEvent::Kind::Start:
            clock.Set(static_cast<std::uint32_t>(event.value));
            Click(window, ButtonId::StartMarket);
            return true;
        case PlayerEvent::Kind::End:
            Click(window, ButtonId::EndMarket);
            return true;
        case PlayerEvent::Kind::Buy:
            Click(window, ButtonId::Buy);
            return true;
        case PlayerEvent::Kind::Sell:
            Click(window, ButtonId::Sell);
            return true;
        case PlayerEvent::Kind::Tick:
            if (window.Board().Timer().isActive()) window.OnTick();
            return true;
        case PlayerEvent::Kind::SelectShares:
            Click(window, design::ItemName(SelectorId::ShareQuantity, event.value));
            return true;
        case PlayerEvent::Kind::SelectSpeed:
            Click(window, design::ItemName(SelectorId::GameSpeed, event.value));
            return true;
        case PlayerEvent::Kind::RefuseTimer:
        case PlayerEvent::Kind::RefuseInterval:
        case PlayerEvent::Kind::Reload:
            break;
    }
    return false;
}

}  // namespace

std::optional<std::string> PlayScript(app::GameWindow& window, FixedClock& clock, std::istream& script) {
    std::string line;
    while (std::getline(script, line)) {
        const replay::ParsedLine parsed = replay::ParseLine(line);
        const auto* command = std::get_if<replay::Command>(&parsed);
        bool played = !std::holds_alternative<replay::ScriptError>(parsed);
        for (int i = 0; command != nullptr && played && i < command->times; ++i) {
            played = Play(window, clock, command->event);
        }
        if (!played) return line;
    }
    return std::nullopt;
}

}  // namespace zemkari::testing
