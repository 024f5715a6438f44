#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "zemkari/board.h"
#include "zemkari/design/selector_items.h"

namespace zemkari {

// One line the chart shows: the opening point joined to points 1 to `points` of row
// `row` of the scenario table, as the tick draws a day of that row. Of the rows that
// share that stretch of path, the lowest names it.
struct ChartTrace {
    int row = 0;
    int points = 0;
    friend bool operator==(ChartTrace, ChartTrace) = default;
};

// The trace that `line` draws; empty for a line no day draws (the zeroed arrays of a
// day never loaded).
std::optional<ChartTrace> TraceOf(std::span<const ChartPoint> line);

// The points of the trace, the opening point first.
std::vector<ChartPoint> LineOf(ChartTrace trace);

// Whether every point of `shorter` lies on `longer` in the same place: the pixels of
// `shorter` are all among those of `longer`.
bool Covers(ChartTrace longer, ChartTrace shorter);

// What the chart shows, as the lines drawn on it since the surface was last blanked.
// Each drawing hatches the surface and draws its line, so the last line shows whole and
// the earlier ones show through, cut by the hatch. A line that another one covers adds
// nothing to the picture and is not kept, so a chart holds at most one line per row.
class ChartRecord {
public:
    // A drawing of `trace` over what the surface shows.
    void Draw(ChartTrace trace);
    // Switching the surface off blanks it, the first time only.
    void SwitchOff();

    bool SurfaceOn() const { return surfaceOn_; }
    // Oldest first; the last is the line drawn last. Empty while the surface is blank.
    const std::vector<ChartTrace>& Lines() const { return lines_; }

    // A record of these lines, or nothing when no drawing could leave them: a line of
    // no row, one longer than a day, one the rows name otherwise, or one another covers.
    static std::optional<ChartRecord> Of(bool surfaceOn, std::vector<ChartTrace> lines);

    friend bool operator==(const ChartRecord&, const ChartRecord&) = default;

private:
    bool surfaceOn_ = true;
    std::vector<ChartTrace> lines_;
};

// Everything the game has written on the board and the player has chosen there: what
// a board must show again to go on with the same game.
struct BoardRecord {
    std::array<std::string, kCountOf<LabelId>> texts;
    std::array<Colour, kCountOf<LabelId>> colours{};
    std::array<bool, kCountOf<ButtonId>> buttons{};
    std::array<int, kCountOf<SelectorId>> selected{};  // -1: no item
    int timerInterval = design::kDesignInterval;
    bool timerOn = false;
    ChartRecord chart;

    // The board as the window opens.
    static BoardRecord Opening();

    friend bool operator==(const BoardRecord&, const BoardRecord&) = default;
};

}  // namespace zemkari
