#pragma once

#include <array>
#include <string>
#include <vector>

#include "zemkari/board.h"
#include "zemkari/board_record.h"

namespace zemkari {

// A Board without a window: it keeps what the game wrote, starts as the window does
// when it opens, and can be told to refuse the next timer start or interval change.
class HeadlessBoard final : public Board {
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

    // What a player does besides clicking.
    void Select(SelectorId selector, int index);
    // The next switch of the timer from off to on fails.
    void RefuseNextTimerStart() { refuseTimerStart_ = true; }
    // The next change of the interval fails.
    void RefuseNextIntervalChange() { refuseIntervalChange_ = true; }

    Colour ColourOf(LabelId label) const;
    bool TimerOn() const { return record_.timerOn; }
    int TimerInterval() const { return record_.timerInterval; }
    bool ChartEnabled() const { return record_.chart.SurfaceOn(); }
    // The points of the last chart drawing; empty before the first.
    const std::vector<ChartPoint>& ChartLine() const { return chartLine_; }
    int ChartDrawings() const { return chartDrawings_; }

    // Everything shown and chosen on the board.
    const BoardRecord& Record() const { return record_; }
    // Shows `record` as it is; the platform's pending refusals stay as they were.
    void Restore(const BoardRecord& record);

    // Whether the next timer start or interval change will be refused: the window
    // system's state, which outlives the game's board.
    bool RefusesTimerStart() const { return refuseTimerStart_; }
    bool RefusesIntervalChange() const { return refuseIntervalChange_; }

private:
    BoardRecord record_ = BoardRecord::Opening();
    bool refuseTimerStart_ = false;
    bool refuseIntervalChange_ = false;
    std::vector<ChartPoint> chartLine_;
    int chartDrawings_ = 0;
};

}  // namespace zemkari
