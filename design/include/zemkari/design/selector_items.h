#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The items of the two selectors, in the order the items stand: what each stands for
// and its caption.
namespace zemkari::design {

struct SelectorItem {
    int value;
    std::string_view caption;
};

// Shares bought per item of the share selector. Its seven items stand in three
// columns filled top to bottom, so the rows read 1, 5, 10 / 50, 100 / 500, 1000.
// NOLINTNEXTLINE(readability-identifier-naming): the rules' own name for the table
inline constexpr auto ShareQuantities = std::to_array<SelectorItem>({
    {1, "1株"},
    {50, "50株"},
    {500, "500株"},
    {5, "5株"},
    {100, "100株"},
    {1000, "1000株"},
    {10, "10株"},
});

// Timer interval in milliseconds per item of the game-speed selector.
// NOLINTNEXTLINE(readability-identifier-naming): the rules' own name for the table
inline constexpr auto GameSpeeds = std::to_array<SelectorItem>({
    {500, "0.5秒"},
    {1000, "1秒"},
    {1500, "1.5秒"},
    {2000, "2秒"},
    {2500, "2.5秒"},
});

// Whether an item of `items` stands for `value`.
constexpr bool StandsFor(std::span<const SelectorItem> items, std::int64_t value) {
    for (const SelectorItem& item : items) {
        if (item.value == value) return true;
    }
    return false;
}

// The timer's interval in milliseconds as the window opens, before a speed is applied.
inline constexpr int kDesignInterval = 500;

}  // namespace zemkari::design
