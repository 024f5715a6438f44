#pragma once

#include <cstddef>
#include <cstdint>

#include "zemkari/board.h"

// What the page's module (zemkari.js) gives the WebAssembly module: the controls by
// their index in the core's enums, texts as UTF-8 bytes in the module's memory.
extern "C" {
void zk_set_text(int label, const char* utf8, std::size_t size);
void zk_set_colour(int label, int colour);
void zk_set_enabled(int button, int on);
int zk_is_enabled(int button);
int zk_selected_index(int selector);
void zk_disable_chart();
int zk_set_timer_interval(int milliseconds);
int zk_start_timer();
void zk_stop_timer();
// `count` points of {x, y}, each two 32-bit integers.
void zk_draw_chart(const zemkari::ChartPoint* points, std::size_t count);
// Milliseconds since midnight UTC of the page's clock.
std::uint32_t zk_millisecond_of_utc_day();
// Shows a failure of a handler to the player.
void zk_show_error(const char* utf8, std::size_t size);
}
