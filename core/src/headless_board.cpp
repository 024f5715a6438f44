#include "zemkari/headless_board.h"

#include "zemkari/texts.h"

namespace zemkari {
namespace {

std::size_t Slot(LabelId label) { return static_cast<std::size_t>(label); }
std::size_t Slot(ButtonId button) { return static_cast<std::size_t>(button); }

}  // namespace

HeadlessBoard::HeadlessBoard() {
    // The window's design texts.
    texts_[Slot(LabelId::Label12)] = texts::kNoOrder;
    texts_[Slot(LabelId::Label17)] = texts::kManYen;
    texts_[Slot(LabelId::Label25)] = texts::kManYen;
    texts_[Slot(LabelId::Label26)] = "300万円";
    colours_[Slot(LabelId::Label3)] = Colour::Red;
    colours_[Slot(LabelId::Label4)] = Colour::Blue;
}

void HeadlessBoard::SetText(LabelId label, std::string_view text) { texts_[Slot(label)] = text; }

std::string HeadlessBoard::Text(LabelId label) const { return texts_[Slot(label)]; }

void HeadlessBoard::SetColour(LabelId label, Colour colour) { colours_[Slot(label)] = colour; }

Colour HeadlessBoard::ColourOf(LabelId label) const { return colours_[Slot(label)]; }

void HeadlessBoard::SetEnabled(ButtonId button, bool on) { buttons_[Slot(button)] = on; }

bool HeadlessBoard::IsEnabled(ButtonId button) const { return buttons_[Slot(button)]; }

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
