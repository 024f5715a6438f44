#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Every control of the window by what it is, and the one table of their object names.
// Code names each control by its id; the tables keep the object name it has always had
// (the old form's "Label1"), which the stored replay scripts and transcripts use as
// their key, the window as its Qt object name and the page as its element id.
namespace zemkari::design {

// The display fields the game writes. `Count` is not a control: it sizes the tables
// indexed by these ids. The order is the order of the transcripts' keys.
enum class LabelId {
    CurrentPrice,
    OpeningPrice,
    HighPrice,
    LowPrice,
    ClosingPrice,
    OrderStatus,
    AmountCommitted,
    UnrealizedProfit,
    BuyingPower,
    Comment,
    ProfitIndicator,
    Count
};

enum class ButtonId { StartMarket, EndMarket, Buy, Sell, Count };

enum class SelectorId { ShareQuantity, GameSpeed, Count };

// Where a control stands: the window's client area or one of the group boxes, in the
// order the group boxes are built.
enum class Container { Client, QuoteBoard, Status, Profit, Chart, Order, BuyingPower, Comment, Count };

// The labels of the chart's scale, by what each marks: the times below the chart, the
// prices to its left.
enum class AxisLabelId {
    At900,
    At1030,
    At1330,
    At1500,
    Price250,
    Price225,
    Price200,
    Price175,
    Price150,
    Price125,
    Price100,
    Price75,
    Price50,
    Price25,
    Price0,
    Count
};

template <typename Id>
inline constexpr std::size_t kCountOf = static_cast<std::size_t>(Id::Count);

template <typename Id>
constexpr std::size_t IndexOf(Id id) {
    return static_cast<std::size_t>(id);
}

// Where the first entry of `table` that `matches` stands, or -1. An index rather than a
// pointer: GCC with AddressSanitizer cannot compare pointers into a table at compile time.
template <typename Table, typename Match>
constexpr int IndexWhere(const Table& table, Match matches) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (matches(table[i])) return static_cast<int>(i);
    }
    return -1;
}

// A control and its object name.
template <typename Id>
struct Control {
    Id id;
    std::string_view name;
};

inline constexpr std::array<Control<LabelId>, kCountOf<LabelId>> kLabelControls = {{
    {LabelId::CurrentPrice, "Label1"},
    {LabelId::OpeningPrice, "Label2"},
    {LabelId::HighPrice, "Label3"},
    {LabelId::LowPrice, "Label4"},
    {LabelId::ClosingPrice, "Label10"},
    {LabelId::OrderStatus, "Label12"},
    {LabelId::AmountCommitted, "Label17"},
    {LabelId::UnrealizedProfit, "Label25"},
    {LabelId::BuyingPower, "Label26"},
    {LabelId::Comment, "Label27"},
    {LabelId::ProfitIndicator, "Label28"},
}};

// The headings, each by the field it stands over.
inline constexpr auto kHeadingControls = std::to_array<Control<LabelId>>({
    {LabelId::CurrentPrice, "Label5"},
    {LabelId::OpeningPrice, "Label6"},
    {LabelId::HighPrice, "Label7"},
    {LabelId::LowPrice, "Label8"},
    {LabelId::ClosingPrice, "Label9"},
    {LabelId::OrderStatus, "Label11"},
    {LabelId::AmountCommitted, "Label15"},
});

inline constexpr std::array<Control<ButtonId>, kCountOf<ButtonId>> kButtonControls = {{
    {ButtonId::StartMarket, "Button1"},
    {ButtonId::EndMarket, "Button2"},
    {ButtonId::Buy, "Button3"},
    {ButtonId::Sell, "Button4"},
}};

inline constexpr std::array<Control<SelectorId>, kCountOf<SelectorId>> kSelectorControls = {{
    {SelectorId::ShareQuantity, "RadioGroup1"},
    {SelectorId::GameSpeed, "RadioGroup2"},
}};

// The window itself, then the group boxes.
inline constexpr std::array<Control<Container>, kCountOf<Container>> kContainerControls = {{
    {Container::Client, "Form1"},
    {Container::QuoteBoard, "GroupBox2"},
    {Container::Status, "GroupBox3"},
    {Container::Profit, "GroupBox4"},
    {Container::Chart, "GroupBox5"},
    {Container::Order, "GroupBox1"},
    {Container::BuyingPower, "GroupBox6"},
    {Container::Comment, "GroupBox7"},
}};

inline constexpr std::array<Control<AxisLabelId>, kCountOf<AxisLabelId>> kAxisLabelControls = {{
    {AxisLabelId::At900, "Label18"},
    {AxisLabelId::At1030, "Label19"},
    {AxisLabelId::At1330, "Label20"},
    {AxisLabelId::At1500, "Label21"},
    {AxisLabelId::Price250, "Label38"},
    {AxisLabelId::Price225, "Label37"},
    {AxisLabelId::Price200, "Label35"},
    {AxisLabelId::Price175, "Label34"},
    {AxisLabelId::Price150, "Label30"},
    {AxisLabelId::Price125, "Label33"},
    {AxisLabelId::Price100, "Label22"},
    {AxisLabelId::Price75, "Label31"},
    {AxisLabelId::Price50, "Label32"},
    {AxisLabelId::Price25, "Label29"},
    {AxisLabelId::Price0, "Label36"},
}};

// The line with the game's name and version, and the chart's surface.
inline constexpr std::string_view kVersionLineName = "Label13";
inline constexpr std::string_view kChartName = "PaintBox1";

// Each table indexed by an id lists its controls in the order of their ids.
template <typename Id, std::size_t N>
constexpr bool InIdOrder(const std::array<Control<Id>, N>& table) {
    for (std::size_t i = 0; i < N; ++i) {
        if (IndexOf(table[i].id) != i) return false;
    }
    return true;
}
static_assert(InIdOrder(kLabelControls) && InIdOrder(kButtonControls) && InIdOrder(kSelectorControls) &&
              InIdOrder(kContainerControls) && InIdOrder(kAxisLabelControls));

constexpr std::string_view NameOf(LabelId id) { return kLabelControls[IndexOf(id)].name; }
constexpr std::string_view NameOf(ButtonId id) { return kButtonControls[IndexOf(id)].name; }
constexpr std::string_view NameOf(SelectorId id) { return kSelectorControls[IndexOf(id)].name; }
constexpr std::string_view NameOf(Container id) { return kContainerControls[IndexOf(id)].name; }
constexpr std::string_view NameOf(AxisLabelId id) { return kAxisLabelControls[IndexOf(id)].name; }

// The heading over `field`; a field without one has no name here, and asking for it
// fails to compile where the answer is needed at compile time.
constexpr std::string_view HeadingName(LabelId field) {
    const int at = IndexWhere(kHeadingControls, [field](const Control<LabelId>& c) { return c.id == field; });
    return kHeadingControls.at(static_cast<std::size_t>(at)).name;
}

// Item `item` of a selector: its own radio button.
inline std::string ItemName(SelectorId selector, int item) {
    return std::string(NameOf(selector)) + "Item" + std::to_string(item);
}

enum class Colour { WindowText, Red, Blue };
// Every colour, in the order of their values.
inline constexpr std::array kColours = {Colour::WindowText, Colour::Red, Colour::Blue};
static_assert(
    [] {
        for (std::size_t i = 0; i < kColours.size(); ++i) {
            if (static_cast<std::size_t>(kColours[i]) != i) return false;
        }
        return true;
    }(),
    "kColours lists the colours in the order of their values");

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

}  // namespace zemkari::design

// The core's Board speaks of the same controls and colours.
namespace zemkari {
using design::ButtonId;
using design::Colour;
using design::IndexOf;
using design::kCountOf;
using design::LabelId;
using design::SelectorId;
}  // namespace zemkari
