#include "zemkari/snapshot.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "zemkari/design/selector_items.h"
#include "zemkari/rules.h"
#include "zemkari/scenarios.h"
#include "zemkari/utf8.h"

// The bytes, in order: "ZMKS", the version, then
//   the day: flags (1 a path is loaded, 2 its opening point was cleared by an end of the
//   market, 4 the base capital is paid), ScenarioIndex, OrderQty, RealizedProfit,
//   EntryPrice, UnitProfit, TickCount;
//   the board: each label's text (length, UTF-8), each label's colour, the buttons (one
//   bit each), each selector's item plus one (0: none), the timer's interval and whether
//   it runs, whether the chart's surface is on and its lines (count, then row and points);
//   and last the CRC-32 of all before it, least significant byte first.
// Numbers are LEB128 varints, signed ones zigzag-encoded; the flags, the buttons, rows
// and points are single bytes. Every game has one spelling, and only that one is read.
namespace zemkari {
namespace {

constexpr std::string_view kMagic = "ZMKS";
constexpr std::size_t kChecksumSize = 4;

// The day's flags.
constexpr std::uint8_t kLoaded = 1;
constexpr std::uint8_t kOpeningCleared = 2;
constexpr std::uint8_t kCapitalPaid = 4;

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
        table[n] = c;
    }
    return table;
}();

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : bytes) crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFU] ^ (crc >> 8U);
    return crc ^ 0xFFFFFFFFU;
}

void AppendChecksum(std::string& bytes) {
    const std::uint32_t crc = Crc32(bytes);
    for (unsigned shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>(static_cast<std::uint8_t>(crc >> shift));
}

class Writer {
public:
    void Byte(std::uint8_t value) { out_ += static_cast<char>(value); }
    void Unsigned(std::uint64_t value) {
        while (value >= 0x80U) {
            Byte(static_cast<std::uint8_t>(value | 0x80U));
            value >>= 7U;
        }
        Byte(static_cast<std::uint8_t>(value));
    }
    void Signed(std::int64_t value) {
        const auto bits = static_cast<std::uint64_t>(value);
        Unsigned((bits << 1U) ^ (value < 0 ? ~std::uint64_t{0} : 0));
    }
    void Text(std::string_view text) {
        Unsigned(text.size());
        out_ += text;
    }
    std::string Sealed() {
        AppendChecksum(out_);
        return std::move(out_);
    }

private:
    std::string out_;
};

// Reads what Writer writes, refusing any other spelling. After the first refusal every
// read gives nothing more and the first reason stands.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool Failed() const { return !reason_.empty(); }
    const std::string& Reason() const { return reason_; }
    bool AtEnd() const { return rest_.empty(); }

    void Refuse(std::string reason) {
        if (!Failed()) reason_ = std::move(reason);
        rest_ = {};
    }

    std::uint8_t Byte() {
        if (rest_.empty()) {
            Refuse("cut short");
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }
    std::uint64_t Unsigned() {
        std::uint64_t value = 0;
        for (unsigned shift = 0; shift < 64; shift += 7) {
            const std::uint8_t byte = Byte();
            if (Failed()) return 0;
            // The tenth byte holds the 64th bit alone.
            if (shift == 63 && byte > 1) {
                Refuse("a number past 64 bits");
                return 0;
            }
            value |= std::uint64_t{byte & 0x7FU} << shift;
            if ((byte & 0x80U) == 0) {
                if (byte == 0 && shift > 0) Refuse("a number spelt with a needless byte");
                return value;
            }
        }
        return value;
    }
    std::int64_t Signed() {
        const std::uint64_t zigzag = Unsigned();
        return static_cast<std::int64_t>((zigzag >> 1U) ^ (~(zigzag & 1U) + 1U));
    }
    // A number from `low` to `high`; `what` names it in the refusal.
    std::int64_t Within(std::int64_t low, std::int64_t high, std::string_view what, bool isSigned) {
        const std::int64_t value = isSigned ? Signed()
                                            : static_cast<std::int64_t>(std::min<std::uint64_t>(
                                                  Unsigned(), static_cast<std::uint64_t>(kSnapshotLimit) + 1));
        if (!Failed() && (value < low || value > high)) Refuse(std::string(what) + " out of range");
        // After a refusal nothing is read any more: the smallest value keeps what follows small.
        return Failed() ? low : value;
    }
    bool Flag(std::string_view what) { return Within(0, 1, what, false) == 1; }
    std::string Text() {
        const auto size = static_cast<std::size_t>(Within(0, kLongestSnapshotText, "a text's length", false));
        if (Failed()) return {};
        if (size > rest_.size()) {
            Refuse("cut short");
            return {};
        }
        std::string text(rest_.substr(0, size));
        rest_.remove_prefix(size);
        if (!IsValidUtf8(text)) Refuse("a text that is not UTF-8");
        return text;
    }

private:
    std::string_view rest_;
    std::string reason_;
};

using design::GameSpeeds;
using design::SelectorItem;
using design::ShareQuantities;

constexpr int Largest(std::span<const SelectorItem> items) {
    int largest = items.front().value;
    for (const SelectorItem& item : items) largest = std::max(largest, item.value);
    return largest;
}

constexpr int kMostShares = Largest(ShareQuantities);
constexpr int kLongestInterval = std::max(Largest(GameSpeeds), kFallbackInterval);

bool IsShareQuantity(std::int64_t qty) { return design::StandsFor(ShareQuantities, qty); }

bool IsInterval(std::int64_t ms) {
    return ms == design::kDesignInterval || ms == kFallbackInterval || design::StandsFor(GameSpeeds, ms);
}

constexpr std::array<int, kCountOf<SelectorId>> kItemCounts = {static_cast<int>(ShareQuantities.size()),
                                                               static_cast<int>(GameSpeeds.size())};

// A market that was never started holds nothing but zeros; a started one holds the row
// it loaded, its opening point cleared by an end of the market.
bool DayLoaded(const MarketState& state) { return state.ChartX[1] != 0; }

void WriteState(Writer& out, const MarketState& state) {
    const bool loaded = DayLoaded(state);
    out.Byte(static_cast<std::uint8_t>((loaded ? kLoaded : 0) | (loaded && state.Prices[1] == 0 ? kOpeningCleared : 0) |
                                       (state.BaseCapital == kBaseCapital ? kCapitalPaid : 0)));
    out.Unsigned(static_cast<std::uint64_t>(state.ScenarioIndex));
    out.Unsigned(static_cast<std::uint64_t>(state.OrderQty));
    out.Signed(state.RealizedProfit);
    out.Unsigned(static_cast<std::uint64_t>(state.EntryPrice));
    out.Signed(state.UnitProfit);
    out.Unsigned(static_cast<std::uint64_t>(state.TickCount));
}

void WriteBoard(Writer& out, const BoardRecord& board) {
    for (const std::string& text : board.texts) out.Text(text);
    for (const Colour colour : board.colours) out.Unsigned(static_cast<std::uint64_t>(colour));
    std::uint8_t buttons = 0;
    for (std::size_t i = 0; i < board.buttons.size(); ++i) buttons |= board.buttons[i] ? 1U << i : 0U;
    out.Byte(buttons);
    for (std::size_t i = 0; i < board.selected.size(); ++i) {
        const int item = board.selected[i];
        out.Unsigned(static_cast<std::uint64_t>(item >= 0 && item < kItemCounts[i] ? item + 1 : 0));
    }
    out.Unsigned(static_cast<std::uint64_t>(board.timerInterval));
    out.Unsigned(board.timerOn ? 1 : 0);
    out.Unsigned(board.chart.SurfaceOn() ? 1 : 0);
    out.Unsigned(board.chart.Lines().size());
    for (const ChartTrace& line : board.chart.Lines()) {
        out.Byte(static_cast<std::uint8_t>(line.row));
        out.Byte(static_cast<std::uint8_t>(line.points));
    }
}

MarketState ReadState(Reader& in) {
    MarketState state;
    const std::uint8_t flags = in.Byte();
    if ((flags & ~(kLoaded | kOpeningCleared | kCapitalPaid) & 0xFFU) != 0) in.Refuse("unknown flags of the day");
    const bool loaded = (flags & kLoaded) != 0;
    state.ScenarioIndex = static_cast<int>(in.Within(0, kScenarioCount - 1, "ScenarioIndex", false));
    state.BaseCapital = (flags & kCapitalPaid) != 0 ? kBaseCapital : 0;
    state.OrderQty = static_cast<int>(in.Within(0, kMostShares, "OrderQty", false));
    state.RealizedProfit = in.Within(-kSnapshotLimit, kSnapshotLimit, "RealizedProfit", true);
    state.EntryPrice = in.Within(0, kLimitUpPrice, "EntryPrice", false);
    state.UnitProfit =
        in.Within(-kLimitUpPrice - kLimitCloseBonus, kLimitUpPrice + kLimitCloseBonus, "UnitProfit", true);
    state.TickCount = in.Within(0, kSnapshotLimit, "TickCount", false);
    if (in.Failed()) return state;
    if (state.OrderQty != 0 && !IsShareQuantity(state.OrderQty)) in.Refuse("OrderQty is no share quantity");
    if (loaded) {
        LoadScenario(state, state.ScenarioIndex);
        if ((flags & kOpeningCleared) != 0) state.Prices[1] = 0;
    } else if (flags != 0 || state != MarketState{}) {
        in.Refuse("a market never started that holds more than zeros");
    }
    // An end of the market clears the opening point and the tick count together.
    if ((flags & kOpeningCleared) != 0 && state.TickCount != 0) in.Refuse("ticks counted after the end of the market");
    // A position is bought between the first tick of a day and its close.
    if (state.EntryPrice > 0 && (state.OrderQty == 0 || state.TickCount < 1 || state.TickCount > kPointsPerDay)) {
        in.Refuse("a position no buy could open");
    }
    return state;
}

BoardRecord ReadBoard(Reader& in) {
    BoardRecord board;
    for (std::string& text : board.texts) text = in.Text();
    for (Colour& colour : board.colours) {
        colour = static_cast<Colour>(
            in.Within(0, static_cast<std::int64_t>(design::kColours.size()) - 1, "a colour", false));
    }
    const std::uint8_t buttons = in.Byte();
    if (buttons >= 1U << board.buttons.size()) in.Refuse("unknown buttons");
    for (std::size_t i = 0; i < board.buttons.size(); ++i) board.buttons[i] = ((buttons >> i) & 1U) != 0;
    for (std::size_t i = 0; i < board.selected.size(); ++i) {
        board.selected[i] = static_cast<int>(in.Within(0, kItemCounts[i], "a selector's item", false)) - 1;
    }
    board.timerInterval = static_cast<int>(in.Within(0, kLongestInterval, "the timer's interval", false));
    if (!in.Failed() && !IsInterval(board.timerInterval)) in.Refuse("an interval the timer never takes");
    board.timerOn = in.Flag("whether the timer runs");
    const bool surfaceOn = in.Flag("whether the chart is on");
    std::vector<ChartTrace> lines(
        static_cast<std::size_t>(in.Within(0, kScenarioCount + 1, "the chart's count of lines", false)));
    for (ChartTrace& line : lines) {
        line.row = in.Byte();
        line.points = in.Byte();
    }
    if (in.Failed()) return board;
    if (auto chart = ChartRecord::Of(surfaceOn, std::move(lines))) {
        board.chart = std::move(*chart);
    } else {
        in.Refuse("chart lines no day draws");
    }
    return board;
}

// What ties the board to the day: the sell button is on exactly while a position is
// open, and the market buttons exactly while it is not; only a started market ticks.
void CheckTogether(Reader& in, const MarketState& state, const BoardRecord& board) {
    const bool open = state.EntryPrice > 0;
    const bool sell = board.buttons[IndexOf(ButtonId::Sell)];
    const bool market = board.buttons[IndexOf(ButtonId::StartMarket)];
    if (sell != open || market == open || board.buttons[IndexOf(ButtonId::EndMarket)] == open) {
        in.Refuse("buttons at odds with the position");
    }
    if (!DayLoaded(state) && (board.timerOn || !board.chart.Lines().empty())) in.Refuse("a clock or chart of no day");
}

}  // namespace

std::string TakeSnapshot(const MarketState& state, const BoardRecord& board) {
    Writer out;
    for (const char c : kMagic) out.Byte(static_cast<std::uint8_t>(c));
    out.Byte(kSnapshotVersion);
    WriteState(out, state);
    WriteBoard(out, board);
    return out.Sealed();
}

std::string SealSnapshot(std::string_view body) {
    std::string bytes(body);
    AppendChecksum(bytes);
    return bytes;
}

ReadGame ReadSnapshot(std::string_view bytes) {
    if (!bytes.starts_with(kMagic)) return SnapshotRefusal{"not a snapshot"};
    if (bytes.size() < kMagic.size() + 1 + kChecksumSize) return SnapshotRefusal{"cut short"};
    const auto version = static_cast<std::uint8_t>(bytes[kMagic.size()]);
    if (version != kSnapshotVersion) {
        return SnapshotRefusal{"format version " + std::to_string(version) + ", not " +
                               std::to_string(kSnapshotVersion)};
    }
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    std::uint32_t checksum = 0;
    for (std::size_t i = 0; i < kChecksumSize; ++i) {
        checksum |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[body.size() + i])) << (8 * i);
    }
    if (checksum != Crc32(body)) return SnapshotRefusal{"cut short or altered: the checksum does not match"};

    Reader in(body.substr(kMagic.size() + 1));
    SavedGame game{.state = ReadState(in), .board = {}};
    game.board = ReadBoard(in);
    if (!in.Failed() && !in.AtEnd()) in.Refuse("bytes after the game");
    if (!in.Failed()) CheckTogether(in, game.state, game.board);
    if (in.Failed()) return SnapshotRefusal{in.Reason()};
    return game;
}

}  // namespace zemkari
