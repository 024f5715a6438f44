#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "zemkari/headless_game.h"

namespace zemkari::fuzz {

// Reads fuzzer bytes as events. Every byte string decodes to something, so that
// mutations never go to waste; a run of ticks takes one opcode to reach the close.
std::vector<PlayerEvent> DecodeEvents(std::span<const std::uint8_t> bytes);

std::string Describe(const PlayerEvent& event);

}  // namespace zemkari::fuzz
