#include "zemkari/fuzz/events.h"

#include <array>
#include <limits>

#include "zemkari/scenarios.h"

namespace zemkari::fuzz {
namespace {

using Kind = PlayerEvent::Kind;

// Reads the bytes one at a time; past the end it reads zeros, so a truncated
// operand still decodes.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return next_ >= bytes_.size(); }
    std::uint8_t Next() { return AtEnd() ? 0 : bytes_[next_++]; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t next_ = 0;
};

// A selector index: small values near the valid range, and the extremes of int.
int SelectorIndex(std::uint8_t byte) {
    if (byte == 0x7F) return std::numeric_limits<int>::max();
    if (byte == 0x80) return std::numeric_limits<int>::min();
    return static_cast<std::int8_t>(byte);
}

int MillisecondOfDay(ByteReader& in) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8U) | in.Next();
    return static_cast<int>(value % static_cast<std::uint32_t>(kMillisecondsPerDay));
}

}  // namespace

std::vector<PlayerEvent> DecodeEvents(std::span<const std::uint8_t> bytes) {
    constexpr int kOpcodes = 16;
    constexpr int kLongestTickRun = 64;  // more than a whole day of 51 ticks
    std::vector<PlayerEvent> events;
    ByteReader in(bytes);
    while (!in.AtEnd()) {
        switch (in.Next() % kOpcodes) {
            case 0:
                events.push_back({Kind::Start, MillisecondOfDay(in)});
                break;
            case 1:
                events.push_back({Kind::Start, static_cast<int>(FirstMillisecondDrawing(in.Next() % kScenarioCount))});
                break;
            case 2:
                events.push_back({Kind::End});
                break;
            case 3:
            case 4:
                events.push_back({Kind::Buy});
                break;
            case 5:
            case 6:
                events.push_back({Kind::Sell});
                break;
            case 7:
            case 8:
            case 9:
                events.push_back({Kind::Tick});
                break;
            case 10:
                events.insert(events.end(), in.Next() % kLongestTickRun + 1, PlayerEvent{Kind::Tick});
                break;
            case 11:
                events.push_back({Kind::SelectShares, SelectorIndex(in.Next())});
                break;
            case 12:
                events.push_back({Kind::SelectSpeed, SelectorIndex(in.Next())});
                break;
            case 13:
                events.push_back({Kind::RefuseTimer});
                break;
            case 14:
                events.push_back({Kind::RefuseInterval});
                break;
            default:
                events.push_back({Kind::Reload});
                break;
        }
    }
    return events;
}

std::string Describe(const PlayerEvent& event) {
    switch (event.kind) {
        case Kind::Start:
            return "start at ms " + std::to_string(event.value);
        case Kind::End:
            return "end";
        case Kind::Buy:
            return "buy";
        case Kind::Sell:
            return "sell";
        case Kind::Tick:
            return "tick";
        case Kind::SelectShares:
            return "shares item " + std::to_string(event.value);
        case Kind::SelectSpeed:
            return "speed item " + std::to_string(event.value);
        case Kind::RefuseTimer:
            return "refuse timer";
        case Kind::RefuseInterval:
            return "refuse interval";
        case Kind::Reload:
            return "reload";
    }
    return "unknown event";
}

}  // namespace zemkari::fuzz
