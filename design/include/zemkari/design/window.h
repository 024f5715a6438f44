#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "zemkari/design/controls.h"
#include "zemkari/design/selector_items.h"
#include "zemkari/design/texts.h"

// The window's design: every control's place, caption, type, colour and opening state,
// as plain data free of Qt, so the window, the page and the headless board all start
// from the same tables.
namespace zemkari::design {

// The client area of the window, in pixels: every control lies within x 8 to 618 and
// y 8 to 537.
inline constexpr int kClientWidth = 626;
inline constexpr int kClientHeight = 545;

// Which edge of a label stays put when its text changes.
enum class Growth {
    None,     // fixed size, whatever the text
    ToRight,  // sizes itself to the text, left edge fixed
    ToLeft,   // sizes itself to the text, right edge fixed
    Centred,  // sizes itself to the text about a fixed centre
};

struct Rect {
    int left, top, width, height;
    friend bool operator==(Rect, Rect) = default;
};

struct Type {
    int pixelSize;
    bool bold;
};
inline constexpr Type kRegular11{11, false};
inline constexpr Type kRegular12{12, false};
inline constexpr Type kRegular13{13, false};
inline constexpr Type kRegular15{15, false};
inline constexpr Type kBold13{13, true};
inline constexpr Type kBold15{15, true};
inline constexpr Type kBold17{17, true};

struct GroupDesign {
    Container id;
    int left, top, width, height;
    std::string_view title;
    Type type;
    std::string_view name = NameOf(id);  // the object name
};

// In the order of the form, after the version line and the two market buttons.
inline constexpr auto kGroups = std::to_array<GroupDesign>({
    {Container::QuoteBoard, 8, 8, 105, 225, "【株価情報】", kBold15},
    {Container::Status, 8, 240, 105, 129, "【状態】", kBold15},
    {Container::Profit, 232, 376, 193, 57, "【評価損益】", kBold15},
    {Container::Chart, 128, 8, 489, 361, "【チャート】", kBold15},
    {Container::Order, 8, 440, 217, 65, "【注文】", kBold13},
    {Container::BuyingPower, 432, 376, 185, 57, "【余力】", kBold15},
    {Container::Comment, 232, 440, 385, 65, "【コメント】", kBold15},
});
static_assert(
    [] {
        for (std::size_t g = 0; g < kGroups.size(); ++g) {
            if (IndexOf(kGroups[g].id) != g + 1) return false;
        }
        return kGroups.size() + 1 == kCountOf<Container>;
    }(),
    "kGroups lists the group boxes in the order of Container");

constexpr const GroupDesign& GroupOf(Container container) { return kGroups[IndexOf(container) - 1]; }

enum class Align { Left, Right, Centre };

struct LabelDesign {
    std::string_view name;  // the object name, from the control tables
    Container container;
    std::optional<LabelId> field;  // set when the game writes it
    std::string_view text;         // the text when the window opens
    int x;                         // left edge, or the right edge of a label that grows to the left
    int top;
    int width;  // unused by labels that size themselves
    int height;
    Type type;
    Align align;
    Growth growth;
    Colour colour;
    std::optional<LabelId> heads = std::nullopt;  // the field a heading names
    bool wraps = false;                           // the text wraps within the label's fixed box
    // What a screen reader says the field shows, where neither a heading nor its group
    // box's title names it (see Description).
    std::string_view description = {};
};

// A label the game never writes, of fixed size.
constexpr LabelDesign FixedLabel(std::string_view name, Container container, std::string_view text, int left, int top,
                                 int width, int height, Type type) {
    return {name,  container, std::nullopt, text,        left,         top,
            width, height,    type,         Align::Left, Growth::None, Colour::WindowText};
}

constexpr LabelDesign Heading(LabelId heads, Container container, std::string_view text, int left, int top, int width,
                              int height, Type type) {
    LabelDesign heading = FixedLabel(HeadingName(heads), container, text, left, top, width, height, type);
    heading.heads = heads;
    return heading;
}

constexpr LabelDesign Field(LabelId field, Container container, std::string_view text, int x, int top, int width,
                            int height, Type type, Align align, Growth growth, Colour colour = Colour::WindowText) {
    return {NameOf(field), container, field, text, x, top, width, height, type, align, growth, colour};
}

// A value that keeps its right edge.
constexpr LabelDesign Value(LabelId field, Container container, std::string_view text, int rightEdge, int top,
                            int height, Type type, Colour colour = Colour::WindowText) {
    return Field(field, container, text, rightEdge, top, 0, height, type, Align::Right, Growth::ToLeft, colour);
}

constexpr LabelDesign Wrapping(LabelDesign label) {
    label.wraps = true;
    return label;
}

constexpr LabelDesign DescribedAs(std::string_view description, LabelDesign label) {
    label.description = description;
    return label;
}

// The axis labels keep their centres, which line up with the chart's scale: the
// substitute fonts draw the digits and the full-width colon wider than MS P Gothic.
constexpr LabelDesign AxisLabel(AxisLabelId id, std::string_view text, int left, int top, int width, int height,
                                Type type) {
    return {NameOf(id),    Container::Chart, std::nullopt,      text, left, top, width, height, type,
            Align::Centre, Growth::Centred,  Colour::WindowText};
}

// The line with the game's name and version; each front end writes it.
inline constexpr LabelDesign kVersionLine =
    FixedLabel(kVersionLineName, Container::Client, "", 504, 520, 114, 11, kRegular11);

inline constexpr auto kLabelDesigns = std::to_array<LabelDesign>({
    // The quote board.
    Heading(LabelId::CurrentPrice, Container::QuoteBoard, "現在値", 24, 24, 54, 17, kBold17),
    Value(LabelId::CurrentPrice, Container::QuoteBoard, "", 65, 40, 17, kBold17),
    Heading(LabelId::OpeningPrice, Container::QuoteBoard, "始値", 32, 64, 36, 17, kBold17),
    Value(LabelId::OpeningPrice, Container::QuoteBoard, "", 65, 80, 17, kBold17),
    Heading(LabelId::HighPrice, Container::QuoteBoard, "高値", 32, 104, 36, 17, kBold17),
    Value(LabelId::HighPrice, Container::QuoteBoard, "", 65, 120, 17, kBold17, Colour::Red),
    Heading(LabelId::LowPrice, Container::QuoteBoard, "安値", 32, 144, 36, 17, kBold17),
    Value(LabelId::LowPrice, Container::QuoteBoard, "", 65, 160, 17, kBold17, Colour::Blue),
    Heading(LabelId::ClosingPrice, Container::QuoteBoard, "終値", 32, 184, 36, 17, kBold17),
    Value(LabelId::ClosingPrice, Container::QuoteBoard, "", 65, 200, 17, kBold17),
    // The status box.
    Heading(LabelId::OrderStatus, Container::Status, "発注状況", 16, 24, 64, 15, kBold15),
    Field(LabelId::OrderStatus, Container::Status, TextOf(TextId::NoOrder), 32, 48, 0, 13, kRegular13, Align::Centre,
          Growth::ToRight),
    Heading(LabelId::AmountCommitted, Container::Status, "約定代金", 16, 72, 64, 15, kBold15),
    Value(LabelId::AmountCommitted, Container::Status, TextOf(TextId::ManYen), 81, 96, 12, kRegular12),
    // Unrealised profit, buying power and the comment box.
    DescribedAs("損益判定", Field(LabelId::ProfitIndicator, Container::Profit, "", 24, 26, 0, 15, kBold15, Align::Left,
                                  Growth::ToRight)),
    Value(LabelId::UnrealizedProfit, Container::Profit, TextOf(TextId::ManYen), 177, 26, 15, kBold15),
    Value(LabelId::BuyingPower, Container::BuyingPower, kBaseCapitalText, 172, 26, 15, kBold15),
    Wrapping(Field(LabelId::Comment, Container::Comment, "", 8, 16, 369, 41, kRegular13, Align::Left, Growth::None)),
    // The chart's axes: times below, prices to the left (24 pixels apart).
    AxisLabel(AxisLabelId::At900, "9：00", 56, 336, 24, 12, kRegular12),
    AxisLabel(AxisLabelId::At1030, "10：30", 192, 336, 30, 12, kRegular12),
    AxisLabel(AxisLabelId::At1330, "13：30", 328, 336, 30, 12, kRegular12),
    AxisLabel(AxisLabelId::At1500, "15：00", 448, 336, 30, 12, kRegular12),
    AxisLabel(AxisLabelId::Price250, "250", 32, 66, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price225, "225", 32, 90, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price200, "200", 32, 114, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price175, "175", 32, 138, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price150, "150", 32, 162, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price125, "125", 32, 186, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price100, "100", 32, 210, 21, 13, kRegular13),
    AxisLabel(AxisLabelId::Price75, "75", 40, 234, 14, 13, kRegular13),
    AxisLabel(AxisLabelId::Price50, "50", 40, 258, 14, 13, kRegular13),
    AxisLabel(AxisLabelId::Price25, "25", 40, 282, 14, 13, kRegular13),
    AxisLabel(AxisLabelId::Price0, "0", 48, 306, 7, 13, kRegular13),
});

struct ButtonDesign {
    ButtonId id;
    Container container;
    int left, top, width, height;
    std::string_view caption;
    Type type;
    bool enabled;
    std::string_view name = NameOf(id);  // the object name
};

// In tab order, which is the order of ButtonId.
inline constexpr std::array<ButtonDesign, kCountOf<ButtonId>> kButtonDesigns = {{
    {ButtonId::StartMarket, Container::Client, 8, 512, 105, 25, "相場開始", kRegular15, true},
    {ButtonId::EndMarket, Container::Client, 120, 512, 105, 25, "相場終了", kRegular15, true},
    {ButtonId::Buy, Container::Order, 8, 24, 97, 25, "買い注文", kRegular12, false},
    {ButtonId::Sell, Container::Order, 112, 24, 97, 25, "売り注文", kRegular12, false},
}};

struct SelectorDesign {
    SelectorId id;
    int left, top, width, height;
    std::string_view title;
    Type type;
    int columns;
    std::span<const SelectorItem> items;
    int selected;
    std::string_view name = NameOf(id);  // the object name
};

// In the order of SelectorId.
inline constexpr std::array<SelectorDesign, kCountOf<SelectorId>> kSelectorDesigns = {{
    {SelectorId::ShareQuantity, 8, 376, 217, 57, "【株数】", kBold13, 3, ShareQuantities, 0},
    {SelectorId::GameSpeed, 232, 504, 265, 33, "Game Speed", kRegular12, 5, GameSpeeds, 1},
}};
inline constexpr const SelectorDesign& kShareSelector = kSelectorDesigns[IndexOf(SelectorId::ShareQuantity)];
inline constexpr const SelectorDesign& kSpeedSelector = kSelectorDesigns[IndexOf(SelectorId::GameSpeed)];

static_assert(
    [] {
        for (std::size_t i = 0; i < kButtonDesigns.size(); ++i) {
            if (IndexOf(kButtonDesigns[i].id) != i) return false;
        }
        for (std::size_t i = 0; i < kSelectorDesigns.size(); ++i) {
            if (IndexOf(kSelectorDesigns[i].id) != i) return false;
        }
        return true;
    }(),
    "kButtonDesigns and kSelectorDesigns list their controls in the order of their ids");

// Where a container's top left corner lies in the client area.
constexpr Rect ContainerRect(Container container) {
    if (container == Container::Client) return {0, 0, kClientWidth, kClientHeight};
    const GroupDesign& group = GroupOf(container);
    return {group.left, group.top, group.width, group.height};
}

// The chart surface in the chart's group box (409 x 321).
inline constexpr Container kChartContainer = Container::Chart;
inline constexpr Rect kChartRect = {64, 16, 409, 321};

// The items stand in columns filled top to bottom, sharing the group's width less
// 10 pixels from x = 8, and share the height below the caption line equally. The
// rectangle is in the selector's own coordinates.
constexpr Rect SelectorItemRect(const SelectorDesign& design, int item) {
    const int captionHeight = design.type.pixelSize;
    const int perColumn = (static_cast<int>(design.items.size()) + design.columns - 1) / design.columns;
    const int columnWidth = (design.width - 10) / design.columns;
    const int free = design.height - captionHeight - 5;
    const int rowHeight = free / perColumn;
    const int topMargin = captionHeight + 1 + (free % perColumn) / 2;
    return {8 + (item / perColumn) * columnWidth, topMargin + (item % perColumn) * rowHeight, columnWidth, rowHeight};
}

// The window itself: its object name and the page's element id, and its title.
inline constexpr std::string_view kWindowName = NameOf(Container::Client);
inline constexpr std::string_view kWindowTitle = "Zemkari";

// What the version line says: the game's name and its version.
inline std::string VersionLine(std::string_view version) {
    std::string line(kWindowTitle);
    line.append(1, ' ').append(version);
    return line;
}

// A colour the design fixes, 0 to 255 a channel. The window text takes the desktop's
// own colour instead.
struct Rgb {
    int red, green, blue;
    friend bool operator==(Rgb, Rgb) = default;
};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
constexpr std::optional<Rgb> RgbOf(Colour colour) {
    switch (colour) {
        case Colour::Red:
            return kRed;
        case Colour::Blue:
            return kBlue;
        case Colour::WindowText:
            break;
    }
    return std::nullopt;
}

// The page's button face, where the window takes the desktop's: the page's ground, and
// the installed app's title bar and splash screen.
inline constexpr Rgb kPageFace{239, 239, 239};

// The chart's line: bright green, 3 pixels wide, with round caps and joins.
inline constexpr Rgb kChartLineColour{0, 255, 0};
inline constexpr int kChartLineWidth = 3;
// The hatch over the chart paints one pixel row in every eight, the fifth.
inline constexpr int kHatchPeriod = 8;
inline constexpr int kHatchRow = 4;

// ---- The state of every control as the window opens ----

constexpr const LabelDesign& DesignOf(LabelId field) {
    const int at = IndexWhere(kLabelDesigns, [field](const LabelDesign& label) { return label.field == field; });
    return kLabelDesigns.at(static_cast<std::size_t>(at));
}
constexpr const ButtonDesign& DesignOf(ButtonId button) { return kButtonDesigns[IndexOf(button)]; }
constexpr const SelectorDesign& DesignOf(SelectorId selector) { return kSelectorDesigns[IndexOf(selector)]; }
constexpr std::string_view OpeningText(LabelId field) { return DesignOf(field).text; }
constexpr Colour OpeningColour(LabelId field) { return DesignOf(field).colour; }
constexpr bool OpensEnabled(ButtonId button) { return DesignOf(button).enabled; }
constexpr int OpeningSelection(SelectorId selector) { return DesignOf(selector).selected; }

// ---- What a screen reader says each field shows ----

// "余力" of "【余力】".
constexpr std::string_view Unbracketed(std::string_view title) {
    constexpr std::string_view kOpen = "【";
    constexpr std::string_view kClose = "】";
    if (title.starts_with(kOpen) && title.ends_with(kClose)) {
        title.remove_prefix(kOpen.size());
        title.remove_suffix(kClose.size());
    }
    return title;
}

// The heading over the field, or where none stands over it, the title of its group box,
// unless its design names it.
constexpr std::string_view Description(LabelId field) {
    const LabelDesign& design = DesignOf(field);
    if (!design.description.empty()) return design.description;
    const int heading = IndexWhere(kLabelDesigns, [field](const LabelDesign& label) { return label.heads == field; });
    if (heading >= 0) return kLabelDesigns[static_cast<std::size_t>(heading)].text;
    return Unbracketed(GroupOf(design.container).title);
}
static_assert(
    [] {
        for (std::size_t i = 0; i < kCountOf<LabelId>; ++i) {
            const std::string_view description = Description(static_cast<LabelId>(i));
            if (description.empty()) return false;
            for (std::size_t j = 0; j < i; ++j) {
                if (Description(static_cast<LabelId>(j)) == description) return false;
            }
        }
        return true;
    }(),
    "each field has a description of its own");

}  // namespace zemkari::design
