#include "zemkari/headless_board.h"

namespace zemkari {

void HeadlessBoard::SetText(LabelId label, std::string_view text) { record_.texts[IndexOf(label)] = text; }

std::string HeadlessBoard::Text(LabelId label) const { return record_.texts[IndexOf(label)]; }

void HeadlessBoard::SetColour(LabelId label, Colour colour) { record_.colours[IndexOf(label)] = colour; }

Colour HeadlessBoard::ColourOf(LabelId label) const { return record_.colours[IndexOf(label)]; }

void HeadlessBoard::SetEnabled(ButtonId button, bool on) { record_.buttons[IndexOf(button)] = on; }

bool HeadlessBoard::IsEnabled(ButtonId button) const { return record_.buttons[IndexOf(button)]; }

int HeadlessBoard::SelectedIndex(SelectorId selector) const { return record_.selected[IndexOf(selector)]; }

void HeadlessBoard::Select(SelectorId selector, int index) { record_.selected[IndexOf(selector)] = index; }

void HeadlessBoard::DisableChart() { record_.chart.SwitchOff(); }

bool HeadlessBoard::SetTimerInterval(int milliseconds) {
    if (milliseconds == record_.timerInterval) return true;
    if (refuseIntervalChange_) {
        refuseIntervalChange_ = false;
        return false;
    }
    record_.timerInterval = milliseconds;
    return true;
}

bool HeadlessBoard::StartTimer() {
    if (record_.timerOn) return true;
    if (refuseTimerStart_) {
        refuseTimerStart_ = false;
        return false;
    }
    record_.timerOn = true;
    return true;
}

void HeadlessBoard::StopTimer() { record_.timerOn = false; }

void HeadlessBoard::DrawChart(std::span<const ChartPoint> line) {
    chartLine_.assign(line.begin(), line.end());
    ++chartDrawings_;
    if (const auto trace = TraceOf(line)) record_.chart.Draw(*trace);
}

void HeadlessBoard::Restore(const BoardRecord& record) {
    record_ = record;
    const std::vector<ChartTrace>& lines = record.chart.Lines();
    chartLine_ = lines.empty() ? std::vector<ChartPoint>{} : LineOf(lines.back());
}

}  // namespace zemkari
