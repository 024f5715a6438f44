#pragma once

#include <array>
#include <string>
#include <vector>

#include "zemkari/board.h"
#include "zemkari/design/selector_items.h"

namespace zemkari {

// A Board without a window: it keeps what the game wrote, starts as the window does
// when it opens, and can be told to refuse the next timer start or interval change.
class HeadlessBoard final : public Board {
public:
    HeadlessBoard();

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
    bool TimerOn() const { return timerOn_; }
    int TimerInterval() const { return timerInterval_; }
    bool ChartEnabled() const { return chartEnabled_; }
    // The points of the last chart drawing; empty before the first.
    const std::vector<ChartPoint>& ChartLine() const { return chartLine_; }
    int ChartDrawings() const { return chartDrawings_; }

private:
    std::array<std::string, kCountOf<LabelId>> texts_;
    std::array<Colour, kCountOf<LabelId>> colours_{};
    std::array<bool, kCountOf<ButtonId>> buttons_{};
    std::array<int, kCountOf<SelectorId>> selected_{};
    bool timerOn_ = false;
    int timerInterval_ = design::kDesignInterval;
    bool refuseTimerStart_ = false;
    bool refuseIntervalChange_ = false;
    bool chartEnabled_ = true;
    std::vector<ChartPoint> chartLine_;
    int chartDrawings_ = 0;
};

}  // namespace zemkari
