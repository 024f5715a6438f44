#pragma once

#include <cstddef>

#include "zemkari/board.h"

// What the page's module (zemkari.js) gives the WebAssembly module: the controls by
// their index in the core's enums, texts as UTF-8 bytes in the module's memory. The
// linker takes each name from web/build/page_imports.js, and zemkari.js checks that it
// gives the module exactly what the module imports.
extern "C" {
void PageSetText(int label, const char* utf8, std::size_t size);
void PageSetColour(int label, int colour);
void PageSetEnabled(int button, int on);
int PageIsEnabled(int button);
int PageSelectedIndex(int selector);
// Selects item `index` of the selector, or none for -1.
void PageSelect(int selector, int index);
// Paints the whole chart surface in its own colour.
void PageBlankChart();
// Keeps the chart's pixels as they are now; puts the kept pixels back, 0 when none are
// kept (none yet, or the canvas has changed its size since).
void PageKeepChartBase();
int PageRestoreChartBase();
int PageSetTimerInterval(int milliseconds);
int PageStartTimer();
void PageStopTimer();
// Hatches the chart surface and draws a line through `count` points of {x, y}, each two
// 32-bit integers.
void PageDrawChart(const zemkari::ChartPoint* points, std::size_t count);
// Shows a failure of a handler to the player.
void PageShowError(const char* utf8, std::size_t size);
}
