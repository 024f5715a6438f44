#include "zemkari/headless_board.h"

#include "zemkari/texts.h"

namespace zemkari {
HeadlessBoard::HeadlessBoard() {
    // The window's design texts.
    texts_[IndexOf(LabelId::Label12)] = texts::kNoOrder;
    texts_[IndexOf(LabelId::Label17)] = texts::kManYen;
    texts_[IndexOf(LabelId::Label25)] = texts::kManYen;
    texts_[IndexOf(LabelId::Label26)] = "300万円";
    colours_[IndexOf(LabelId::Label3)] = Colour::Red;
    colours_[IndexOf(LabelId::Label4)] = Colour::Blue;
}

void HeadlessBoard::SetText(LabelId label, std::string_view text) { texts_[IndexOf(label)] = text; }

std::string HeadlessBoard::Text(LabelId label) const { return texts_[IndexOf(label)]; }

void HeadlessBoard::SetColour(LabelId label, Colour colour) { colours_[IndexOf(label)] = colour; }

Colour HeadlessBoard::ColourOf(LabelId label) const { return colours_[IndexOf(label)]; }

void HeadlessBoard::SetEnabled(ButtonId button, bool on) { buttons_[IndexOf(button)] = on; }

bool HeadlessBoard::IsEnabled(ButtonId button) const { return buttons_[IndexOf(button)]; }

int HeadlessBoard::SelectedIndex(SelectorId selector) const {
    return selector == SelectorId::RadioGroup1 ? shareIndex_ : speedIndex_;
}

void HeadlessBoard::Select(SelectorId selector, int index) {
    (selector == SelectorId::RadioGroup1 ? shareIndex_ : speedIndex_) = index;
}

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
