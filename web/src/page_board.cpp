#include "page_board.h"

#include "page_imports.h"

namespace zemkari::web {
namespace {

// The index the page's module gives a control or a colour: the index of its enum.
int PageIndex(auto id) { return static_cast<int>(IndexOf(id)); }

}  // namespace

void PageBoard::SetText(LabelId label, std::string_view text) {
    texts_[IndexOf(label)] = text;
    PageSetText(PageIndex(label), text.data(), text.size());
}

std::string PageBoard::Text(LabelId label) const { return texts_[IndexOf(label)]; }

void PageBoard::SetColour(LabelId label, Colour colour) { PageSetColour(PageIndex(label), PageIndex(colour)); }

void PageBoard::SetEnabled(ButtonId button, bool on) { PageSetEnabled(PageIndex(button), on ? 1 : 0); }

bool PageBoard::IsEnabled(ButtonId button) const { return PageIsEnabled(PageIndex(button)) != 0; }

int PageBoard::SelectedIndex(SelectorId selector) const { return PageSelectedIndex(PageIndex(selector)); }

void PageBoard::DisableChart() { PageDisableChart(); }

bool PageBoard::SetTimerInterval(int milliseconds) { return PageSetTimerInterval(milliseconds) != 0; }

bool PageBoard::StartTimer() { return PageStartTimer() != 0; }

void PageBoard::StopTimer() { PageStopTimer(); }

void PageBoard::DrawChart(std::span<const ChartPoint> line) { PageDrawChart(line.data(), line.size()); }

std::uint32_t PageClock::MillisecondOfUtcDay() const { return PageMillisecondOfUtcDay(); }

}  // namespace zemkari::web
