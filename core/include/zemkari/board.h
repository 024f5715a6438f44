#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zemkari {

// The display fields the game writes, named after the window control that shows each.
// `Count` is not a control: it sizes the tables indexed by these ids.
enum class LabelId {
    Label1,
    Label2,
    Label3,
    Label4,
    Label10,
    Label12,
    Label17,
    Label25,
    Label26,
    Label27,
    Label28,
    Count
};

enum class ButtonId { Button1, Button2, Button3, Button4, Count };

enum class SelectorId { RadioGroup1, RadioGroup2, Count };

template <typename Id>
inline constexpr std::size_t kCountOf = static_cast<std::size_t>(Id::Count);

template <typename Id>
constexpr std::size_t IndexOf(Id id) {
    return static_cast<std::size_t>(id);
}

// A control the game addresses: its id, its name in the window, what it shows and, for
// the value labels, the description a screen reader gives it.
template <typename Id>
struct Control {
    Id id;
    std::string_view name;
    std::string_view shows;
    std::string_view description = {};
};

inline constexpr std::array<Control<LabelId>, kCountOf<LabelId>> kLabelControls = {{
    {LabelId::Label1, "Label1", "current price", "現在値"},
    {LabelId::Label2, "Label2", "opening price", "始値"},
    {LabelId::Label3, "Label3", "day's high, read back while the quote board is rebuilt", "高値"},
    {LabelId::Label4, "Label4", "day's low, read back while the quote board is rebuilt", "安値"},
    {LabelId::Label10, "Label10", "closing price", "終値"},
    {LabelId::Label12, "Label12", "order status", "発注状況"},
    {LabelId::Label17, "Label17", "amount committed", "約定代金"},
    {LabelId::Label25, "Label25", "unrealised profit", "評価損益"},
    {LabelId::Label26, "Label26", "buying power", "余力"},
    {LabelId::Label27, "Label27", "comment box", "コメント"},
    {LabelId::Label28, "Label28", "profit indicator", "損益判定"},
}};

inline constexpr std::array<Control<ButtonId>, kCountOf<ButtonId>> kButtonControls = {{
    {ButtonId::Button1, "Button1", "start market"},
    {ButtonId::Button2, "Button2", "end market"},
    {ButtonId::Button3, "Button3", "buy"},
    {ButtonId::Button4, "Button4", "sell"},
}};

inline constexpr std::array<Control<SelectorId>, kCountOf<SelectorId>> kSelectorControls = {{
    {SelectorId::RadioGroup1, "RadioGroup1", "share quantity"},
    {SelectorId::RadioGroup2, "RadioGroup2", "game speed"},
}};

// Each table lists its controls in the order of their ids, so an id indexes its entry.
template <typename Id, std::size_t N>
constexpr bool InIdOrder(const std::array<Control<Id>, N>& table) {
    for (std::size_t i = 0; i < N; ++i) {
        if (IndexOf(table[i].id) != i) return false;
    }
    return true;
}
static_assert(InIdOrder(kLabelControls) && InIdOrder(kButtonControls) && InIdOrder(kSelectorControls));

constexpr const Control<LabelId>& ControlOf(LabelId id) { return kLabelControls[IndexOf(id)]; }
constexpr const Control<ButtonId>& ControlOf(ButtonId id) { return kButtonControls[IndexOf(id)]; }
constexpr const Control<SelectorId>& ControlOf(SelectorId id) { return kSelectorControls[IndexOf(id)]; }

enum class Colour { WindowText, Red, Blue };

// The colour's name in the replay tool's output and the page's style sheet.
constexpr std::string_view ColourName(Colour colour) {
    switch (colour) {
        case Colour::Red:
            return "red";
        case Colour::Blue:
            return "blue";
        case Colour::WindowText:
            break;
    }
    return "windowtext";
}

// One point of the chart line, in pixels of the 409 x 321 chart surface.
struct ChartPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(ChartPoint, ChartPoint) = default;
};

// Everything the game logic can see of the window. The window implements it with
// Qt widgets; tests, the replay tool and benchmarks use HeadlessBoard.
class Board {
public:
    virtual ~Board() = default;

    virtual void SetText(LabelId label, std::string_view text) = 0;
    virtual std::string Text(LabelId label) const = 0;
    virtual void SetColour(LabelId label, Colour colour) = 0;

    virtual void SetEnabled(ButtonId button, bool on) = 0;
    virtual bool IsEnabled(ButtonId button) const = 0;

    // -1 while no item is selected.
    virtual int SelectedIndex(SelectorId selector) const = 0;

    // Switches the chart surface off; nothing switches it on again.
    virtual void DisableChart() = 0;

    // Assigning the interval the timer already has must leave it undisturbed.
    // Returns false when the platform refuses the new interval.
    virtual bool SetTimerInterval(int milliseconds) = 0;
    // Returns false when the platform has no timer left. A running timer stays as it is.
    virtual bool StartTimer() = 0;
    virtual void StopTimer() = 0;

    // Redraws the chart: hatch over the surface, then a green line from the opening
    // point through `line` (the opening point comes first; it may be the only one).
    virtual void DrawChart(std::span<const ChartPoint> line) = 0;
};

}  // namespace zemkari
