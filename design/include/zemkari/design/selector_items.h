#pragma once

#include <array>

// What the items of the two selectors stand for, in the order the items stand.
namespace zemkari {

// Shares bought per item of the share selector. Its seven items stand in three
// columns filled top to bottom, so the rows read 1, 5, 10 / 50, 100 / 500, 1000.
// NOLINTNEXTLINE(readability-identifier-naming): the rules' own name for the table
inline constexpr std::array<int, 7> ShareQuantities = {1, 50, 500, 5, 100, 1000, 10};

// Timer interval in milliseconds per item of the game-speed selector.
// NOLINTNEXTLINE(readability-identifier-naming): the rules' own name for the table
inline constexpr std::array<int, 5> GameSpeeds = {500, 1000, 1500, 2000, 2500};

// The timer's interval in milliseconds as the window opens, before a speed is applied.
inline constexpr int kDesignInterval = 500;

}  // namespace zemkari
