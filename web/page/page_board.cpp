#include "page_board.h"

#include "page_imports.h"

namespace zemkari::web {
namespace {

// The index the page's module gives a control or a colour: the index of its enum.
int PageIndex(auto id) { return static_cast<int>(IndexOf(id)); }

}  // namespace

void PageBoard::SetText(LabelId label, std::string_view text) {
    record_.texts[IndexOf(label)] = text;
    PageSetText(PageIndex(label), text.data(), text.size());
}

std::string PageBoard::Text(LabelId label) const { return record_.texts[IndexOf(label)]; }

void PageBoard::SetColour(LabelId label, Colour colour) {
    record_.colours[IndexOf(label)] = colour;
    PageSetColour(PageIndex(label), PageIndex(colour));
}

void PageBoard::SetEnabled(ButtonId button, bool on) {
    record_.buttons[IndexOf(button)] = on;
    PageSetEnabled(PageIndex(button), on ? 1 : 0);
}

bool PageBoard::IsEnabled(ButtonId button) const { return PageIsEnabled(PageIndex(button)) != 0; }

int PageBoard::SelectedIndex(SelectorId selector) const { return PageSelectedIndex(PageIndex(selector)); }

void PageBoard::DisableChart() {
    record_.chart.SwitchOff();
    PaintChart();
}

bool PageBoard::SetTimerInterval(int milliseconds) {
    if (PageSetTimerInterval(milliseconds) == 0) return false;
    record_.timerInterval = milliseconds;
    return true;
}

bool PageBoard::StartTimer() {
    if (PageStartTimer() == 0) return false;
    record_.timerOn = true;
    return true;
}

void PageBoard::StopTimer() {
    record_.timerOn = false;
    PageStopTimer();
}

void PageBoard::DrawChart(std::span<const ChartPoint> line) {
    const std::optional<ChartTrace> trace = TraceOf(line);
    if (!trace) {
        // No day's path (a market never started): drawn as it is, and not kept.
        PageDrawChart(line.data(), line.size());
        return;
    }
    record_.chart.Draw(*trace);
    PaintChart();
}

// Blank, then each line over the ones before it, each drawing hatching the surface
// first: the picture that the drawings since the last blank left. A tick changes the
// last line only, so the picture of those before it is kept and put back.
void PageBoard::PaintChart() {
    const std::vector<ChartTrace>& lines = record_.chart.Lines();
    const auto draw = [](ChartTrace trace) {
        const std::vector<ChartPoint> line = LineOf(trace);
        PageDrawChart(line.data(), line.size());
    };
    const std::vector<ChartTrace> before(lines.begin(), lines.end() - (lines.empty() ? 0 : 1));
    if (before.empty() || paintedBase_ != before || PageRestoreChartBase() == 0) {
        PageBlankChart();
        for (const ChartTrace& trace : before) draw(trace);
        if (!before.empty()) PageKeepChartBase();
        paintedBase_ = before;
    }
    if (!lines.empty()) draw(lines.back());
}

BoardRecord PageBoard::Record() const {
    BoardRecord record = record_;
    for (std::size_t i = 0; i < kCountOf<SelectorId>; ++i) record.selected[i] = PageSelectedIndex(static_cast<int>(i));
    return record;
}

// The page shows what this board wrote, the design's board before any: only what
// differs is written again.
void PageBoard::Restore(const BoardRecord& record) {
    for (std::size_t i = 0; i < kCountOf<LabelId>; ++i) {
        if (record.texts[i] != record_.texts[i]) {
            PageSetText(static_cast<int>(i), record.texts[i].data(), record.texts[i].size());
        }
        PageSetColour(static_cast<int>(i), PageIndex(record.colours[i]));
    }
    record_ = record;
    for (std::size_t i = 0; i < kCountOf<ButtonId>; ++i) PageSetEnabled(static_cast<int>(i), record.buttons[i] ? 1 : 0);
    for (std::size_t i = 0; i < kCountOf<SelectorId>; ++i) PageSelect(static_cast<int>(i), record.selected[i]);
    PageSetTimerInterval(record.timerInterval);
    if (record.timerOn) {
        PageStartTimer();
    } else {
        PageStopTimer();
    }
    PaintChart();
}

}  // namespace zemkari::web
