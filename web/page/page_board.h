#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "zemkari/board.h"
#include "zemkari/board_record.h"

namespace zemkari::web {

// The game's Board on the browser page. Every operation goes to the page's module
// (zemkari.js), which owns the controls, the market clock and the chart canvas. What the
// game wrote is also kept here, so that reading the high and the low back costs no trip
// to the page and a snapshot of the board costs none but for the selectors, which the
// player sets. The chart is painted from its record at every drawing, so that the same
// record always gives the same pixels: a resumed page shows the chart it had.
class PageBoard final : public Board {
public:
    void SetText(LabelId label, std::string_view text) override;
    std::string Text(LabelId label) const override;
    void SetColour(LabelId label, Colour colour) override;
    void SetEnabled(ButtonId button, bool on) override;
    bool IsEnabled(ButtonId button) const override;
    int SelectedIndex(SelectorId selector) const override;
    void DisableChart() override;
    bool SetTimerInterval(int milliseconds) override;
    bool StartTimer() override;
    void StopTimer() override;
    void DrawChart(std::span<const ChartPoint> line) override;

    // The board as it stands, the selectors as the player left them.
    BoardRecord Record() const;
    // Shows `record` on the page: every control, the chart and the clock as it says.
    void Restore(const BoardRecord& record);

private:
    void PaintChart();

    BoardRecord record_ = BoardRecord::Opening();
    // The lines before the last whose picture the page keeps, if it keeps one.
    std::optional<std::vector<ChartTrace>> paintedBase_;
};

}  // namespace zemkari::web
