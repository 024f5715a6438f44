#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The controls the game addresses, the one table per kind of control. Code names each
// control by what it is; the table keeps the object name it has always had, which the
// stored replay scripts and transcripts use as their key, the window as its Qt object
// name and the page as its element id.
namespace zemkari {

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

template <typename Id>
inline constexpr std::size_t kCountOf = static_cast<std::size_t>(Id::Count);

template <typename Id>
constexpr std::size_t IndexOf(Id id) {
    return static_cast<std::size_t>(id);
}

// A control the game addresses: its id, its object name (the old form's "Label1",
// kept because stored scripts and transcripts key on it), what it shows and, for the
// value labels, the description a screen reader gives it.
template <typename Id>
struct Control {
    Id id;
    std::string_view name;
    std::string_view shows;
    std::string_view description = {};
};

inline constexpr std::array<Control<LabelId>, kCountOf<LabelId>> kLabelControls = {{
    {LabelId::CurrentPrice, "Label1", "current price", "現在値"},
    {LabelId::OpeningPrice, "Label2", "opening price", "始値"},
    {LabelId::HighPrice, "Label3", "day's high, read back while the quote board is rebuilt", "高値"},
    {LabelId::LowPrice, "Label4", "day's low, read back while the quote board is rebuilt", "安値"},
    {LabelId::ClosingPrice, "Label10", "closing price", "終値"},
    {LabelId::OrderStatus, "Label12", "order status", "発注状況"},
    {LabelId::AmountCommitted, "Label17", "amount committed", "約定代金"},
    {LabelId::UnrealizedProfit, "Label25", "unrealised profit", "評価損益"},
    {LabelId::BuyingPower, "Label26", "buying power", "余力"},
    {LabelId::Comment, "Label27", "comment box", "コメント"},
    {LabelId::ProfitIndicator, "Label28", "profit indicator", "損益判定"},
}};

inline constexpr std::array<Control<ButtonId>, kCountOf<ButtonId>> kButtonControls = {{
    {ButtonId::StartMarket, "Button1", "start market"},
    {ButtonId::EndMarket, "Button2", "end market"},
    {ButtonId::Buy, "Button3", "buy"},
    {ButtonId::Sell, "Button4", "sell"},
}};

inline constexpr std::array<Control<SelectorId>, kCountOf<SelectorId>> kSelectorControls = {{
    {SelectorId::ShareQuantity, "RadioGroup1", "share quantity"},
    {SelectorId::GameSpeed, "RadioGroup2", "game speed"},
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

}  // namespace zemkari
