#pragma once

#include <span>
#include <string>
#include <string_view>

#include "zemkari/design/controls.h"

namespace zemkari {

// One point of the chart line, in pixels of the 409 x 321 chart surface.
struct ChartPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(ChartPoint, ChartPoint) = default;
};

// Everything the game logic can see of the window. The window implements it with
// Qt widgets; tests, the replay tool and benchmarks use HeadlessBoard.
class Board {
public:
    virtual ~Board() = default;

    virtual void SetText(LabelId label, std::string_view text) = 0;
    virtual std::string Text(LabelId label) const = 0;
    virtual void SetColour(LabelId label, Colour colour) = 0;

    virtual void SetEnabled(ButtonId button, bool on) = 0;
    virtual bool IsEnabled(ButtonId button) const = 0;

    // -1 while no item is selected.
    virtual int SelectedIndex(SelectorId selector) const = 0;

    // Switches the chart surface off; nothing switches it on again.
    virtual void DisableChart() = 0;

    // Assigning the interval the timer already has must leave it undisturbed.
    // Returns false when the platform refuses the new interval.
    virtual bool SetTimerInterval(int milliseconds) = 0;
    // Returns false when the platform has no timer left. A running timer stays as it is.
    virtual bool StartTimer() = 0;
    virtual void StopTimer() = 0;

    // Redraws the chart: hatch over the surface, then a green line from the opening
    // point through `line` (the opening point comes first; it may be the only one).
    virtual void DrawChart(std::span<const ChartPoint> line) = 0;
};

}  // namespace zemkari
