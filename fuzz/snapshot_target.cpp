// Every input is the bytes of a snapshot, as the page finds them in its storage. They
// are read as they are, and again with the checksum they lack, so that the fuzzer gets
// past it to the game. Bytes that are read must be exactly the snapshot of the game
// they hold, and that game must play on; the sanitizers catch the rest.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "zemkari/headless_game.h"
#include "zemkari/scenarios.h"

namespace {

[[noreturn]] void Broken(const char* what, std::string_view bytes) {
    std::fprintf(stderr, "zemkari snapshot invariant broken: %s (%zu bytes)\n", what, bytes.size());
    std::abort();
}

// A few days of every kind of event on the restored game.
void PlayOn(zemkari::HeadlessGame& game) {
    using Kind = zemkari::PlayerEvent::Kind;
    for (int day = 0; day < 2; ++day) {
        for (const Kind kind : {Kind::Tick, Kind::Buy, Kind::Tick, Kind::Sell, Kind::Reload, Kind::Tick}) {
            game.Deliver({kind, 0});
        }
        for (int i = 0; i < 52; ++i) game.Deliver({Kind::Tick, 0});
        game.Deliver({Kind::Buy, 0});
        game.Deliver({Kind::End, 0});
        game.Deliver({Kind::Start, static_cast<int>(zemkari::FirstMillisecondDrawing(day))});
    }
}

void Check(std::string_view bytes) {
    const zemkari::ReadGame read = zemkari::ReadSnapshot(bytes);
    const auto* saved = std::get_if<zemkari::SavedGame>(&read);
    if (saved == nullptr) {
        if (std::get<zemkari::SnapshotRefusal>(read).reason.empty()) Broken("refused without a reason", bytes);
        return;
    }
    zemkari::HeadlessGame game;
    game.Resume(*saved);
    if (game.Snapshot() != bytes) Broken("accepted bytes that are not the snapshot of their game", bytes);
    PlayOn(game);
}

// The bytes with the last four replaced by the checksum of the rest, as a snapshot ends.
std::string Sealed(std::string_view bytes) {
    constexpr std::size_t kChecksum = 4;
    if (bytes.size() < kChecksum) return std::string(bytes);
    return zemkari::SealSnapshot(bytes.substr(0, bytes.size() - kChecksum));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    Check(Sealed(bytes));
    return 0;
}
