#include "zemkari/board_record.h"

#include <algorithm>

#include "zemkari/design/window.h"
#include "zemkari/scenarios.h"

namespace zemkari {
namespace {

constexpr ChartPoint kOpeningPoint{0, ChartYOf(kOpeningQuote)};

constexpr ChartPoint PointOf(int row, int point) {
    return {8 * point, ChartYOf(ScenarioTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(point - 1)])};
}

bool RowsAgree(int first, int second, int points) {
    const PricePath& a = ScenarioTable[static_cast<std::size_t>(first)];
    const PricePath& b = ScenarioTable[static_cast<std::size_t>(second)];
    return std::equal(a.begin(), a.begin() + points, b.begin());
}

bool Traces(std::span<const ChartPoint> line, int row) {
    for (std::size_t k = 1; k < line.size(); ++k) {
        if (line[k] != PointOf(row, static_cast<int>(k))) return false;
    }
    return true;
}

bool IsTrace(ChartTrace trace) {
    return trace.row >= 0 && trace.row < kScenarioCount && trace.points >= 0 && trace.points <= kPointsPerDay;
}

// The lowest row with the same path as far as the trace goes.
int NamingRow(ChartTrace trace) {
    int row = 0;
    while (!RowsAgree(row, trace.row, trace.points)) ++row;
    return row;
}

}  // namespace

std::optional<ChartTrace> TraceOf(std::span<const ChartPoint> line) {
    if (line.empty() || line.size() > kPointsPerDay + 1 || line.front() != kOpeningPoint) return std::nullopt;
    for (int row = 0; row < kScenarioCount; ++row) {
        if (Traces(line, row)) return ChartTrace{row, static_cast<int>(line.size()) - 1};
    }
    return std::nullopt;
}

std::vector<ChartPoint> LineOf(ChartTrace trace) {
    std::vector<ChartPoint> line{kOpeningPoint};
    for (int k = 1; k <= trace.points; ++k) line.push_back(PointOf(trace.row, k));
    return line;
}

bool Covers(ChartTrace longer, ChartTrace shorter) {
    return shorter.points <= longer.points && RowsAgree(longer.row, shorter.row, shorter.points);
}

void ChartRecord::Draw(ChartTrace trace) {
    // A day's line grows by a point a tick and then repeats: the drawing replaces it.
    if (!lines_.empty() && Covers(trace, lines_.back())) {
        lines_.back() = trace;
    } else {
        lines_.push_back(trace);
    }
    for (std::size_t i = 0; i + 1 < lines_.size();) {
        const bool covered = std::any_of(lines_.begin(), lines_.end(), [&](const ChartTrace& other) {
            return &other != &lines_[i] && Covers(other, lines_[i]);
        });
        if (covered) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void ChartRecord::SwitchOff() {
    if (!surfaceOn_) return;
    surfaceOn_ = false;
    lines_.clear();
}

std::optional<ChartRecord> ChartRecord::Of(bool surfaceOn, std::vector<ChartTrace> lines) {
    // One line per row at most, and the one drawn last.
    if (lines.size() > kScenarioCount + 1) return std::nullopt;
    for (const ChartTrace& line : lines) {
        if (!IsTrace(line) || NamingRow(line) != line.row) return std::nullopt;
    }
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        for (std::size_t j = 0; j < lines.size(); ++j) {
            if (j != i && Covers(lines[j], lines[i])) return std::nullopt;
        }
    }
    ChartRecord record;
    record.surfaceOn_ = surfaceOn;
    record.lines_ = std::move(lines);
    return record;
}

BoardRecord BoardRecord::Opening() {
    BoardRecord board;
    for (std::size_t i = 0; i < kCountOf<LabelId>; ++i) {
        board.texts[i] = design::OpeningText(static_cast<LabelId>(i));
        board.colours[i] = design::OpeningColour(static_cast<LabelId>(i));
    }
    for (std::size_t i = 0; i < kCountOf<ButtonId>; ++i)
        board.buttons[i] = design::OpensEnabled(static_cast<ButtonId>(i));
    for (std::size_t i = 0; i < kCountOf<SelectorId>; ++i) {
        board.selected[i] = design::OpeningSelection(static_cast<SelectorId>(i));
    }
    return board;
}

}  // namespace zemkari
