#include "page_board.h"

#include "page_imports.h"

namespace zemkari::web {
namespace {

constexpr int Index(auto id) { return static_cast<int>(id); }

}  // namespace

void PageBoard::SetText(LabelId label, std::string_view text) {
    texts_[static_cast<std::size_t>(label)] = text;
    zk_set_text(Index(label), text.data(), text.size());
}

std::string PageBoard::Text(LabelId label) const { return texts_[static_cast<std::size_t>(label)]; }

void PageBoard::SetColour(LabelId label, Colour colour) { zk_set_colour(Index(label), Index(colour)); }

void PageBoard::SetEnabled(ButtonId button, bool on) { zk_set_enabled(Index(button), on ? 1 : 0); }

bool PageBoard::IsEnabled(ButtonId button) const { return zk_is_enabled(Index(button)) != 0; }

int PageBoard::SelectedIndex(SelectorId selector) const { return zk_selected_index(Index(selector)); }

void PageBoard::DisableChart() { zk_disable_chart(); }

bool PageBoard::SetTimerInterval(int milliseconds) { return zk_set_timer_interval(milliseconds) != 0; }

bool PageBoard::StartTimer() { return zk_start_timer() != 0; }

void PageBoard::StopTimer() { zk_stop_timer(); }

void PageBoard::DrawChart(std::span<const ChartPoint> line) { zk_draw_chart(line.data(), line.size()); }

std::uint32_t PageClock::MillisecondOfUtcDay() const { return zk_millisecond_of_utc_day(); }

}  // namespace zemkari::web
