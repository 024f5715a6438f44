#include "zemkari/headless_board.h"

#include "zemkari/design/window.h"

namespace zemkari {
// Every control as the window opens.
HeadlessBoard::HeadlessBoard() {
    for (std::size_t i = 0; i < kCountOf<LabelId>; ++i) {
        texts_[i] = design::OpeningText(static_cast<LabelId>(i));
        colours_[i] = design::OpeningColour(static_cast<LabelId>(i));
    }
    for (std::size_t i = 0; i < kCountOf<ButtonId>; ++i) buttons_[i] = design::OpensEnabled(static_cast<ButtonId>(i));
    for (std::size_t i = 0; i < kCountOf<SelectorId>; ++i) {
        selected_[i] = design::OpeningSelection(static_cast<SelectorId>(i));
    }
}

void HeadlessBoard::SetText(LabelId label, std::string_view text) { texts_[IndexOf(label)] = text; }

std::string HeadlessBoard::Text(LabelId label) const { return texts_[IndexOf(label)]; }

void HeadlessBoard::SetColour(LabelId label, Colour colour) { colours_[IndexOf(label)] = colour; }

Colour HeadlessBoard::ColourOf(LabelId label) const { return colours_[IndexOf(label)]; }

void HeadlessBoard::SetEnabled(ButtonId button, bool on) { buttons_[IndexOf(button)] = on; }

bool HeadlessBoard::IsEnabled(ButtonId button) const { return buttons_[IndexOf(button)]; }

int HeadlessBoard::SelectedIndex(SelectorId selector) const { return selected_[IndexOf(selector)]; }

void HeadlessBoard::Select(SelectorId selector, int index) { selected_[IndexOf(selector)] = index; }

void HeadlessBoard::DisableChart() { chartEnabled_ = false; }

bool HeadlessBoard::SetTimerInterval(int milliseconds) {
    if (milliseconds == timerInterval_) return true;
    if (refuseIntervalChange_) {
        refuseIntervalChange_ = false;
        return false;
    }
    timerInterval_ = milliseconds;
    return true;
}

bool HeadlessBoard::StartTimer() {
    if (timerOn_) return true;
    if (refuseTimerStart_) {
        refuseTimerStart_ = false;
        return false;
    }
    timerOn_ = true;
    return true;
}

void HeadlessBoard::StopTimer() { timerOn_ = false; }

void HeadlessBoard::DrawChart(std::span<const ChartPoint> line) {
    chartLine_.assign(line.begin(), line.end());
    ++chartDrawings_;
}

}  // namespace zemkari
