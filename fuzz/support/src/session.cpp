#include "zemkari/fuzz/session.h"

namespace zemkari::fuzz {

Applied Session::Deliver(const PlayerEvent& event) {
    const Delivery delivery = game_.Deliver(event);
    return {.event = event, .skipped = delivery.ignored, .failed = delivery.failure.has_value()};
}

std::optional<std::string> Session::Apply(const PlayerEvent& event) {
    const Observation before = Observation::Of(game_.State(), game_.Board());
    // A reload leaves the game as it was, every field of the board included.
    const bool reload = event.kind == PlayerEvent::Kind::Reload;
    const std::string saved = reload ? game_.Snapshot() : std::string();
    const Applied applied = Deliver(event);
    if (reload && (applied.failed || game_.Snapshot() != saved)) {
        return applied.failed ? "the game's own snapshot was refused" : "the reload changed the game";
    }
    return checker_.Check(before, applied, Observation::Of(game_.State(), game_.Board()));
}

std::optional<std::string> Play(std::span<const PlayerEvent> events) {
    Session session;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (auto broken = session.Apply(events[i])) {
            std::string report = "event #" + std::to_string(i) + " (" + Describe(events[i]) + "): " + *broken;
            // The last events before the fault, oldest first.
            const std::size_t from = i > 12 ? i - 12 : 0;
            report += "\n  after:";
            for (std::size_t k = from; k < i; ++k) report.append(" ").append(Describe(events[k])).append(";");
            return report;
        }
    }
    return std::nullopt;
}

}  // namespace zemkari::fuzz
