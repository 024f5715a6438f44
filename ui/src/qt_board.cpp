#include "zemkari/ui/qt_board.h"

#include "zemkari/rules.h"
#include "zemkari/ui/utf8.h"

namespace zemkari::ui {

QtBoard::QtBoard(const WindowControls& controls) : controls_(controls) { timer_.setInterval(design::kDesignInterval); }

void QtBoard::SetText(LabelId label, std::string_view text) { controls_.Field(label).ShowText(Utf8(text)); }

std::string QtBoard::Text(LabelId label) const { return controls_.Field(label).text().toStdString(); }

void QtBoard::SetColour(LabelId label, Colour colour) { SetLabelColour(controls_.Field(label), colour); }

void QtBoard::SetEnabled(ButtonId button, bool on) { controls_.Button(button).setEnabled(on); }

bool QtBoard::IsEnabled(ButtonId button) const { return controls_.Button(button).isEnabled(); }

QButtonGroup& QtBoard::Selector(SelectorId selector) const {
    return selector == SelectorId::ShareQuantity ? *controls_.shareSelector : *controls_.speedSelector;
}

int QtBoard::SelectedIndex(SelectorId selector) const { return Selector(selector).checkedId(); }

void QtBoard::DisableChart() { controls_.chart->setEnabled(false); }

// Qt restarts a running timer on every setInterval, even to the same value: a speed
// applied again on every tick must not hold the next tick back.
bool QtBoard::SetTimerInterval(int milliseconds) {
    if (timer_.interval() != milliseconds) timer_.setInterval(milliseconds);
    return true;
}

bool QtBoard::StartTimer() {
    if (timer_.isActive()) return true;
    if (refuseNextTimerStart_) {
        refuseNextTimerStart_ = false;
        return false;
    }
    timer_.start();
    // Qt warns and leaves the timer off when the event dispatcher has none left.
    return timer_.isActive();
}

void QtBoard::StopTimer() { timer_.stop(); }

void QtBoard::DrawChart(std::span<const ChartPoint> line) { controls_.chart->Draw(line); }

}  // namespace zemkari::ui
