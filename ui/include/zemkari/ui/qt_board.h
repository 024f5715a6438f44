#pragma once

#include <QTimer>

#include "zemkari/board.h"
#include "zemkari/ui/window_controls.h"

namespace zemkari::ui {

// The game's Board on the window's widgets. It owns the market clock: a Qt
// timer on the user-interface thread, off, with its design interval of 500 ms.
class QtBoard final : public Board {
public:
    explicit QtBoard(const WindowControls& controls);

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

    // The market clock; the window connects its tick handler to it.
    QTimer& Timer() { return timer_; }
    // The next switch of the timer from off to on fails, as when the window system
    // has no timer left.
    void RefuseNextTimerStart() { refuseNextTimerStart_ = true; }

private:
    QButtonGroup& Selector(SelectorId selector) const;

    WindowControls controls_;
    QTimer timer_;
    bool refuseNextTimerStart_ = false;
};

}  // namespace zemkari::ui
