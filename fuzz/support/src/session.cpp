#include "zemkari/fuzz/session.h"

#include "zemkari/market.h"

namespace zemkari::fuzz {

Applied Session::Deliver(const Event& event) {
    Applied applied{event};
    const auto click = [&](ButtonId button, auto handler) {
        if (!board_.IsEnabled(button)) {
            applied.skipped = true;
            return;
        }
        handler();
    };
    switch (event.kind) {
        case EventKind::StartAt:
            click(ButtonId::Button1, [&] {
                clock_.Set(static_cast<std::uint32_t>(event.value));
                applied.failed = StartMarket(state_, board_, clock_).has_value();
            });
            break;
        case EventKind::End:
            click(ButtonId::Button2, [&] { EndMarket(state_, board_); });
            break;
        case EventKind::Buy:
            click(ButtonId::Button3, [&] { Buy(state_, board_); });
            break;
        case EventKind::Sell:
            click(ButtonId::Button4, [&] { Sell(state_, board_); });
            break;
        case EventKind::Tick:
            if (board_.TimerOn()) {
                applied.failed = Tick(state_, board_).has_value();
            } else {
                applied.skipped = true;
            }
            break;
        case EventKind::SelectShares:
            board_.Select(SelectorId::RadioGroup1, event.value);
            break;
        case EventKind::SelectSpeed:
            board_.Select(SelectorId::RadioGroup2, event.value);
            break;
        case EventKind::RefuseTimer:
            board_.RefuseNextTimerStart();
            break;
        case EventKind::RefuseInterval:
            board_.RefuseNextIntervalChange();
            break;
    }
    return applied;
}

std::optional<std::string> Session::Apply(const Event& event) {
    const Observation before = Observation::Of(state_, board_);
    const Applied applied = Deliver(event);
    return checker_.Check(before, applied, Observation::Of(state_, board_));
}

std::optional<std::string> Play(std::span<const Event> events) {
    Session session;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (auto broken = session.Apply(events[i])) {
            std::string report = "event #" + std::to_string(i) + " (" + Describe(events[i]) + "): " + *broken;
            // The last events before the fault, oldest first.
            const std::size_t from = i > 12 ? i - 12 : 0;
            report += "\n  after:";
            for (std::size_t k = from; k < i; ++k) report += " " + Describe(events[k]) + ";";
            return report;
        }
    }
    return std::nullopt;
}

}  // namespace zemkari::fuzz
