#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "zemkari/board_record.h"
#include "zemkari/market_state.h"

// A running game as a few hundred bytes, so that a page the browser threw away can
// go on with the same game: the market, the account and the board.
namespace zemkari {

// The layout of the bytes. A build reads only its own, so a change of layout takes a
// new version; the page of a newer build must still read the one it replaces.
inline constexpr std::uint8_t kSnapshotVersion = 1;

// The largest profit or loss, and the most ticks of one day, a snapshot holds: far
// beyond any play, and far from where adding a trade or a tick would overflow.
inline constexpr std::int64_t kSnapshotLimit = std::int64_t{1} << 62;

// The longest label text a snapshot holds, in bytes; the game's longest is a fifth of it.
inline constexpr std::size_t kLongestSnapshotText = 1024;

struct SavedGame {
    MarketState state;
    BoardRecord board;
    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

// Why bytes were not taken for a game, in words for a developer.
struct SnapshotRefusal {
    std::string reason;
};

using ReadGame = std::variant<SavedGame, SnapshotRefusal>;

// The game as bytes. A selection of no item, or of one the selector does not have (a
// script may choose such), is kept as no item: the game treats both alike.
std::string TakeSnapshot(const MarketState& state, const BoardRecord& board);

// The game the bytes hold, or why they hold none: bytes cut short or altered, of
// another version, or of a game no play can reach. Nothing is taken from bytes it
// refuses.
ReadGame ReadSnapshot(std::string_view bytes);

// `body` followed by its checksum, as a snapshot ends: for bytes written by hand, so
// that a test or the fuzzer reaches past the checksum to what they hold.
std::string SealSnapshot(std::string_view body);

}  // namespace zemkari
