#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "zemkari/design/controls.h"
#include "zemkari/design/selector_items.h"

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

// Where a control stands: the client area or one of the group boxes, in the order
// the group boxes are built.
enum class Container { Client, QuoteBoard, Status, Profit, Chart, Order, BuyingPower, Comment };

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
    std::string_view name;  // the object name
    int left, top, width, height;
    std::string_view title;
    Type type;
};

// In the order of the form, after the version line and the two market buttons.
inline constexpr auto kGroups = std::to_array<GroupDesign>({
    {Container::QuoteBoard, "GroupBox2", 8, 8, 105, 225, "【株価情報】", kBold15},
    {Container::Status, "GroupBox3", 8, 240, 105, 129, "【状態】", kBold15},
    {Container::Profit, "GroupBox4", 232, 376, 193, 57, "【評価損益】", kBold15},
    {Container::Chart, "GroupBox5", 128, 8, 489, 361, "【チャート】", kBold15},
    {Container::Order, "GroupBox1", 8, 440, 217, 65, "【注文】", kBold13},
    {Container::BuyingPower, "GroupBox6", 432, 376, 185, 57, "【余力】", kBold15},
    {Container::Comment, "GroupBox7", 232, 440, 385, 65, "【コメント】", kBold15},
});

enum class Align { Left, Right, Centre };

struct LabelDesign {
    std::string_view name;
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
};

constexpr LabelDesign Heading(std::string_view name, Container container, std::string_view text, int left, int top,
                              int width, int height, Type type, std::optional<LabelId> heads = std::nullopt) {
    return {name,        container,    std::nullopt,       text, left, top, width, height, type,
            Align::Left, Growth::None, Colour::WindowText, heads};
}

constexpr LabelDesign Value(LabelId field, std::string_view name, Container container, std::string_view text,
                            int rightEdge, int top, int height, Type type, Colour colour = Colour::WindowText) {
    return {name, container, field, text, rightEdge, top, 0, height, type, Align::Right, Growth::ToLeft, colour};
}

// The axis labels keep their centres, which line up with the chart's scale: the
// substitute fonts draw the digits and the full-width colon wider than MS P Gothic.
constexpr LabelDesign AxisLabel(std::string_view name, std::string_view text, int left, int top, int width, int height,
                                Type type) {
    return {name,          Container::Chart, std::nullopt,      text, left, top, width, height, type,
            Align::Centre, Growth::Centred,  Colour::WindowText};
}

// The line with the game's name and version; each front end writes it.
inline constexpr LabelDesign kVersionLine = Heading("Label13", Container::Client, "", 504, 520, 114, 11, kRegular11);

inline constexpr auto kLabelDesigns = std::to_array<LabelDesign>({
    // The quote board.
    Heading("Label5", Container::QuoteBoard, "現在値", 24, 24, 54, 17, kBold17, LabelId::CurrentPrice),
    Value(LabelId::CurrentPrice, "Label1", Container::QuoteBoard, "", 65, 40, 17, kBold17),
    Heading("Label6", Container::QuoteBoard, "始値", 32, 64, 36, 17, kBold17, LabelId::OpeningPrice),
    Value(LabelId::OpeningPrice, "Label2", Container::QuoteBoard, "", 65, 80, 17, kBold17),
    Heading("Label7", Container::QuoteBoard, "高値", 32, 104, 36, 17, kBold17, LabelId::HighPrice),
    Value(LabelId::HighPrice, "Label3", Container::QuoteBoard, "", 65, 120, 17, kBold17, Colour::Red),
    Heading("Label8", Container::QuoteBoard, "安値", 32, 144, 36, 17, kBold17, LabelId::LowPrice),
    Value(LabelId::LowPrice, "Label4", Container::QuoteBoard, "", 65, 160, 17, kBold17, Colour::Blue),
    Heading("Label9", Container::QuoteBoard, "終値", 32, 184, 36, 17, kBold17, LabelId::ClosingPrice),
    Value(LabelId::ClosingPrice, "Label10", Container::QuoteBoard, "", 65, 200, 17, kBold17),
    // The status box.
    Heading("Label11", Container::Status, "発注状況", 16, 24, 64, 15, kBold15, LabelId::OrderStatus),
    {"Label12", Container::Status, LabelId::OrderStatus, "発注無し", 32, 48, 0, 13, kRegular13, Align::Centre,
     Growth::ToRight, Colour::WindowText},
    Heading("Label15", Container::Status, "約定代金", 16, 72, 64, 15, kBold15, LabelId::AmountCommitted),
    Value(LabelId::AmountCommitted, "Label17", Container::Status, "万円", 81, 96, 12, kRegular12),
    // Unrealised profit, buying power and the comment box.
    {"Label28", Container::Profit, LabelId::ProfitIndicator, "", 24, 26, 0, 15, kBold15, Align::Left, Growth::ToRight,
     Colour::WindowText},
    Value(LabelId::UnrealizedProfit, "Label25", Container::Profit, "万円", 177, 26, 15, kBold15),
    Value(LabelId::BuyingPower, "Label26", Container::BuyingPower, "300万円", 172, 26, 15, kBold15),
    {"Label27", Container::Comment, LabelId::Comment, "", 8, 16, 369, 41, kRegular13, Align::Left, Growth::None,
     Colour::WindowText},
    // The chart's axes: times below, prices to the left (24 pixels apart).
    AxisLabel("Label18", "9：00", 56, 336, 24, 12, kRegular12),
    AxisLabel("Label19", "10：30", 192, 336, 30, 12, kRegular12),
    AxisLabel("Label20", "13：30", 328, 336, 30, 12, kRegular12),
    AxisLabel("Label21", "15：00", 448, 336, 30, 12, kRegular12),
    AxisLabel("Label38", "250", 32, 66, 21, 13, kRegular13),
    AxisLabel("Label37", "225", 32, 90, 21, 13, kRegular13),
    AxisLabel("Label35", "200", 32, 114, 21, 13, kRegular13),
    AxisLabel("Label34", "175", 32, 138, 21, 13, kRegular13),
    AxisLabel("Label30", "150", 32, 162, 21, 13, kRegular13),
    AxisLabel("Label33", "125", 32, 186, 21, 13, kRegular13),
    AxisLabel("Label22", "100", 32, 210, 21, 13, kRegular13),
    AxisLabel("Label31", "75", 40, 234, 14, 13, kRegular13),
    AxisLabel("Label32", "50", 40, 258, 14, 13, kRegular13),
    AxisLabel("Label29", "25", 40, 282, 14, 13, kRegular13),
    AxisLabel("Label36", "0", 48, 306, 7, 13, kRegular13),
});

struct ButtonDesign {
    ButtonId id;
    std::string_view name;
    Container container;
    int left, top, width, height;
    std::string_view caption;
    Type type;
    bool enabled;
};

// In tab order.
inline constexpr auto kButtonDesigns = std::to_array<ButtonDesign>({
    {ButtonId::StartMarket, "Button1", Container::Client, 8, 512, 105, 25, "相場開始", kRegular15, true},
    {ButtonId::EndMarket, "Button2", Container::Client, 120, 512, 105, 25, "相場終了", kRegular15, true},
    {ButtonId::Buy, "Button3", Container::Order, 8, 24, 97, 25, "買い注文", kRegular12, false},
    {ButtonId::Sell, "Button4", Container::Order, 112, 24, 97, 25, "売り注文", kRegular12, false},
});

struct SelectorDesign {
    SelectorId id;
    std::string_view name;
    int left, top, width, height;
    std::string_view title;
    Type type;
    int columns;
    std::array<std::string_view, 7> items;
    int itemCount;
    int selected;
};

// The share counts in the order of ShareQuantities, the game speeds in the order of
// GameSpeeds; in the order of SelectorId.
inline constexpr auto kSelectorDesigns = std::to_array<SelectorDesign>({
    {SelectorId::ShareQuantity,
     "RadioGroup1",
     8,
     376,
     217,
     57,
     "【株数】",
     kBold13,
     3,
     {"1株", "50株", "500株", "5株", "100株", "1000株", "10株"},
     7,
     0},
    {SelectorId::GameSpeed,
     "RadioGroup2",
     232,
     504,
     265,
     33,
     "Game Speed",
     kRegular12,
     5,
     {"0.5秒", "1秒", "1.5秒", "2秒", "2.5秒"},
     5,
     1},
});
inline constexpr const SelectorDesign& kShareSelector = kSelectorDesigns[IndexOf(SelectorId::ShareQuantity)];
inline constexpr const SelectorDesign& kSpeedSelector = kSelectorDesigns[IndexOf(SelectorId::GameSpeed)];

// The value a caption such as "1.5秒" or "50株" names, in thousandths when `thousandths`,
// and -1 unless it is a decimal followed by `unit`.
constexpr int CaptionValue(std::string_view caption, std::string_view unit, bool thousandths) {
    if (!caption.ends_with(unit)) return -1;
    caption.remove_suffix(unit.size());
    int whole = 0;
    int fraction = 0;
    int scale = thousandths ? 1000 : 1;
    bool afterPoint = false;
    for (const char c : caption) {
        if (c == '.' && thousandths && !afterPoint) {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (afterPoint) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return -1;
        }
    }
    return (thousandths ? whole * 1000 : whole) + fraction;
}

template <std::size_t N>
constexpr bool CaptionsName(const SelectorDesign& design, const std::array<int, N>& values, std::string_view unit,
                            bool thousandths) {
    if (design.itemCount != static_cast<int>(N)) return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (CaptionValue(design.items[i], unit, thousandths) != values[i]) return false;
    }
    return true;
}
static_assert(CaptionsName(kShareSelector, ShareQuantities, "株", false),
              "each share item's caption names its count of ShareQuantities");
static_assert(CaptionsName(kSpeedSelector, GameSpeeds, "秒", true),
              "each speed item's caption names its interval of GameSpeeds in seconds");

static_assert(
    [] {
        for (std::size_t g = 0; g < kGroups.size(); ++g) {
            if (kGroups[g].id != static_cast<Container>(g + 1)) return false;
        }
        return true;
    }(),
    "kGroups lists the group boxes in the order of Container");

// The controls the game addresses carry the names their tables give them.
static_assert(
    [] {
        for (const LabelDesign& design : kLabelDesigns) {
            if (design.field && design.name != ControlOf(*design.field).name) return false;
        }
        for (const ButtonDesign& design : kButtonDesigns) {
            if (design.name != ControlOf(design.id).name) return false;
        }
        for (std::size_t i = 0; i < kSelectorDesigns.size(); ++i) {
            const SelectorDesign& design = kSelectorDesigns[i];
            if (IndexOf(design.id) != i || design.name != ControlOf(design.id).name) return false;
        }
        return true;
    }(),
    "a design names a control as kLabelControls, kButtonControls and kSelectorControls do");

// A heading and the screen reader's description of the field it names say the same.
static_assert(
    [] {
        for (const LabelDesign& design : kLabelDesigns) {
            if (design.heads && design.text != ControlOf(*design.heads).description) return false;
        }
        return true;
    }(),
    "a field's description is its heading's caption");

// Where a container's top left corner lies in the client area.
constexpr Rect ContainerRect(Container container) {
    if (container == Container::Client) return {0, 0, kClientWidth, kClientHeight};
    const GroupDesign& group = kGroups[static_cast<std::size_t>(container) - 1];
    return {group.left, group.top, group.width, group.height};
}

// The chart surface in the chart's group box (409 x 321).
inline constexpr std::string_view kChartName = "PaintBox1";  // its object name
inline constexpr Container kChartContainer = Container::Chart;
inline constexpr Rect kChartRect = {64, 16, 409, 321};

// The items stand in columns filled top to bottom, sharing the group's width less
// 10 pixels from x = 8, and share the height below the caption line equally. The
// rectangle is in the selector's own coordinates.
constexpr Rect SelectorItemRect(const SelectorDesign& design, int item) {
    const int captionHeight = design.type.pixelSize;
    const int perColumn = (design.itemCount + design.columns - 1) / design.columns;
    const int columnWidth = (design.width - 10) / design.columns;
    const int free = design.height - captionHeight - 5;
    const int rowHeight = free / perColumn;
    const int topMargin = captionHeight + 1 + (free % perColumn) / 2;
    return {8 + (item / perColumn) * columnWidth, topMargin + (item % perColumn) * rowHeight, columnWidth, rowHeight};
}

// The window itself: its object name and the page's element id (the old form's name).
inline constexpr std::string_view kWindowName = "Form1";
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

// The chart's line: bright green, 3 pixels wide, with round caps and joins.
inline constexpr Rgb kChartLineColour{0, 255, 0};
inline constexpr int kChartLineWidth = 3;
// The hatch over the chart paints one pixel row in every eight, the fifth.
inline constexpr int kHatchPeriod = 8;
inline constexpr int kHatchRow = 4;

// ---- The state of every control as the window opens ----

// Where a control's design stands in its table, or -1. Indices rather than pointers:
// GCC with AddressSanitizer cannot compare pointers into a table at compile time.
constexpr int DesignIndex(LabelId field) {
    for (std::size_t i = 0; i < kLabelDesigns.size(); ++i) {
        if (kLabelDesigns[i].field == field) return static_cast<int>(i);
    }
    return -1;
}
constexpr int DesignIndex(ButtonId button) {
    for (std::size_t i = 0; i < kButtonDesigns.size(); ++i) {
        if (kButtonDesigns[i].id == button) return static_cast<int>(i);
    }
    return -1;
}
static_assert(
    [] {
        for (std::size_t i = 0; i < kCountOf<LabelId>; ++i) {
            if (DesignIndex(static_cast<LabelId>(i)) < 0) return false;
        }
        for (std::size_t i = 0; i < kCountOf<ButtonId>; ++i) {
            if (DesignIndex(static_cast<ButtonId>(i)) < 0) return false;
        }
        return true;
    }(),
    "every field and every button has a design");

constexpr const LabelDesign& DesignOf(LabelId field) {
    return kLabelDesigns[static_cast<std::size_t>(DesignIndex(field))];
}
constexpr const ButtonDesign& DesignOf(ButtonId button) {
    return kButtonDesigns[static_cast<std::size_t>(DesignIndex(button))];
}
constexpr std::string_view OpeningText(LabelId field) { return DesignOf(field).text; }
constexpr Colour OpeningColour(LabelId field) { return DesignOf(field).colour; }
constexpr bool OpensEnabled(ButtonId button) { return DesignOf(button).enabled; }

constexpr const SelectorDesign& DesignOf(SelectorId selector) { return kSelectorDesigns[IndexOf(selector)]; }
constexpr int OpeningSelection(SelectorId selector) { return DesignOf(selector).selected; }

}  // namespace zemkari::design
