#include "page_board.h"

#include "page_imports.h"

namespace zemkari::web {
namespace {

constexpr int Index(auto id) { return static_cast<int>(id); }

}  // namespace

void PageBoard::SetText(LabelId label, std::string_view text) {
    texts_[static_cast<std::size_t>(label)] = text;
    PageSetText(Index(label), text.data(), text.size());
}

std::string PageBoard::Text(LabelId label) const { return texts_[static_cast<std::size_t>(label)]; }

void PageBoard::SetColour(LabelId label, Colour colour) { PageSetColour(Index(label), Index(colour)); }

void PageBoard::SetEnabled(ButtonId button, bool on) { PageSetEnabled(Index(button), on ? 1 : 0); }

bool PageBoard::IsEnabled(ButtonId button) const { return PageIsEnabled(Index(button)) != 0; }

int PageBoard::SelectedIndex(SelectorId selector) const { return PageSelectedIndex(Index(selector)); }

void PageBoard::DisableChart() { PageDisableChart(); }

bool PageBoard::SetTimerInterval(int milliseconds) { return PageSetTimerInterval(milliseconds) != 0; }

bool PageBoard::StartTimer() { return PageStartTimer() != 0; }

void PageBoard::StopTimer() { PageStopTimer(); }

void PageBoard::DrawChart(std::span<const ChartPoint> line) { PageDrawChart(line.data(), line.size()); }

std::uint32_t PageClock::MillisecondOfUtcDay() const { return PageMillisecondOfUtcDay(); }

}  // namespace zemkari::web
