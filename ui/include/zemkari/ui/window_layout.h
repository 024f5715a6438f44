#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "zemkari/board.h"
#include "zemkari/rules.h"

// The window's design: every control's place, caption, type and colour, as plain data free
// of Qt, so the window and the web page are laid out from the same tables.
namespace zemkari::ui {

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
enum class Container { Client, GroupBox2, GroupBox3, GroupBox4, GroupBox5, GroupBox1, GroupBox6, GroupBox7 };

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
    std::string_view name;
    int left, top, width, height;
    std::string_view title;
    Type type;
};

// In the order of the form, after Label13 and the two market buttons.
inline constexpr auto kGroups = std::to_array<GroupDesign>({
    {Container::GroupBox2, "GroupBox2", 8, 8, 105, 225, "【株価情報】", kBold15},
    {Container::GroupBox3, "GroupBox3", 8, 240, 105, 129, "【状態】", kBold15},
    {Container::GroupBox4, "GroupBox4", 232, 376, 193, 57, "【評価損益】", kBold15},
    {Container::GroupBox5, "GroupBox5", 128, 8, 489, 361, "【チャート】", kBold15},
    {Container::GroupBox1, "GroupBox1", 8, 440, 217, 65, "【注文】", kBold13},
    {Container::GroupBox6, "GroupBox6", 432, 376, 185, 57, "【余力】", kBold15},
    {Container::GroupBox7, "GroupBox7", 232, 440, 385, 65, "【コメント】", kBold15},
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
};

constexpr LabelDesign Heading(std::string_view name, Container container, std::string_view text, int left, int top,
                              int width, int height, Type type) {
    return {name,  container, std::nullopt, text,        left,         top,
            width, height,    type,         Align::Left, Growth::None, Colour::WindowText};
}

constexpr LabelDesign Value(LabelId field, std::string_view name, Container container, std::string_view text,
                            int rightEdge, int top, int height, Type type, Colour colour = Colour::WindowText) {
    return {name, container, field, text, rightEdge, top, 0, height, type, Align::Right, Growth::ToLeft, colour};
}

// The axis labels keep their centres, which line up with the chart's scale: the
// substitute fonts draw the digits and the full-width colon wider than MS P Gothic.
constexpr LabelDesign AxisLabel(std::string_view name, std::string_view text, int left, int top, int width, int height,
                                Type type) {
    return {name,          Container::GroupBox5, std::nullopt,      text, left, top, width, height, type,
            Align::Centre, Growth::Centred,      Colour::WindowText};
}

inline constexpr auto kLabelDesigns = std::to_array<LabelDesign>({
    Heading("Label13", Container::Client, "", 504, 520, 114, 11, kRegular11),
    // The quote board.
    Heading("Label5", Container::GroupBox2, "現在値", 24, 24, 54, 17, kBold17),
    Value(LabelId::Label1, "Label1", Container::GroupBox2, "", 65, 40, 17, kBold17),
    Heading("Label6", Container::GroupBox2, "始値", 32, 64, 36, 17, kBold17),
    Value(LabelId::Label2, "Label2", Container::GroupBox2, "", 65, 80, 17, kBold17),
    Heading("Label7", Container::GroupBox2, "高値", 32, 104, 36, 17, kBold17),
    Value(LabelId::Label3, "Label3", Container::GroupBox2, "", 65, 120, 17, kBold17, Colour::Red),
    Heading("Label8", Container::GroupBox2, "安値", 32, 144, 36, 17, kBold17),
    Value(LabelId::Label4, "Label4", Container::GroupBox2, "", 65, 160, 17, kBold17, Colour::Blue),
    Heading("Label9", Container::GroupBox2, "終値", 32, 184, 36, 17, kBold17),
    Value(LabelId::Label10, "Label10", Container::GroupBox2, "", 65, 200, 17, kBold17),
    // The status box.
    Heading("Label11", Container::GroupBox3, "発注状況", 16, 24, 64, 15, kBold15),
    {"Label12", Container::GroupBox3, LabelId::Label12, "発注無し", 32, 48, 0, 13, kRegular13, Align::Centre,
     Growth::ToRight, Colour::WindowText},
    Heading("Label15", Container::GroupBox3, "約定代金", 16, 72, 64, 15, kBold15),
    Value(LabelId::Label17, "Label17", Container::GroupBox3, "万円", 81, 96, 12, kRegular12),
    // Unrealised profit, buying power and the comment box.
    {"Label28", Container::GroupBox4, LabelId::Label28, "", 24, 26, 0, 15, kBold15, Align::Left, Growth::ToRight,
     Colour::WindowText},
    Value(LabelId::Label25, "Label25", Container::GroupBox4, "万円", 177, 26, 15, kBold15),
    Value(LabelId::Label26, "Label26", Container::GroupBox6, "300万円", 172, 26, 15, kBold15),
    {"Label27", Container::GroupBox7, LabelId::Label27, "", 8, 16, 369, 41, kRegular13, Align::Left, Growth::None,
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
    {ButtonId::Button1, "Button1", Container::Client, 8, 512, 105, 25, "相場開始", kRegular15, true},
    {ButtonId::Button2, "Button2", Container::Client, 120, 512, 105, 25, "相場終了", kRegular15, true},
    {ButtonId::Button3, "Button3", Container::GroupBox1, 8, 24, 97, 25, "買い注文", kRegular12, false},
    {ButtonId::Button4, "Button4", Container::GroupBox1, 112, 24, 97, 25, "売り注文", kRegular12, false},
});

struct SelectorDesign {
    std::string_view name;
    int left, top, width, height;
    std::string_view title;
    Type type;
    int columns;
    std::array<std::string_view, 7> items;
    int itemCount;
    int selected;
};

// RadioGroup1 lists the share counts in the order of zemkari::ShareQuantities,
// RadioGroup2 the game speeds in the order of zemkari::GameSpeeds.
inline constexpr SelectorDesign kShareSelector = {"RadioGroup1",
                                                  8,
                                                  376,
                                                  217,
                                                  57,
                                                  "【株数】",
                                                  kBold13,
                                                  3,
                                                  {"1株", "50株", "500株", "5株", "100株", "1000株", "10株"},
                                                  7,
                                                  0};
inline constexpr SelectorDesign kSpeedSelector = {
    "RadioGroup2", 232, 504, 265, 33, "Game Speed", kRegular12, 5, {"0.5秒", "1秒", "1.5秒", "2秒", "2.5秒"}, 5, 1};

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
        return kShareSelector.name == ControlOf(SelectorId::RadioGroup1).name &&
               kSpeedSelector.name == ControlOf(SelectorId::RadioGroup2).name;
    }(),
    "a design names a control as kLabelControls, kButtonControls and kSelectorControls do");

// Where a container's top left corner lies in the client area.
constexpr Rect ContainerRect(Container container) {
    if (container == Container::Client) return {0, 0, kClientWidth, kClientHeight};
    const GroupDesign& group = kGroups[static_cast<std::size_t>(container) - 1];
    return {group.left, group.top, group.width, group.height};
}

// The chart surface, PaintBox1, in the chart's group box (409 x 321).
inline constexpr Container kChartContainer = Container::GroupBox5;
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

// The keys that play the game, for the window and the page alike.

// Each button's key, in the notation both Qt's key sequences and the page read. End
// market carries a modifier so a stray key cannot end the day.
struct ButtonKey {
    ButtonId button;
    std::string_view key;
};
inline constexpr std::array<ButtonKey, kCountOf<ButtonId>> kButtonKeys = {{
    {ButtonId::Button1, "F5"},
    {ButtonId::Button2, "Shift+F5"},
    {ButtonId::Button3, "B"},
    {ButtonId::Button4, "S"},
}};

// What the tooltips add to a selector's caption.
inline constexpr std::string_view kShareKeysHint = "1〜7 キー: 株数の少ない順";
inline constexpr std::string_view kSpeedKeysHint = "- キー: 遅く / + キー: 速く";

// The item indices of a selector table, ordered by their values, smallest first; equal
// values keep their index order.
template <std::size_t N>
constexpr std::array<int, N> IndicesByValue(const std::array<int, N>& values) {
    std::array<int, N> order{};
    for (std::size_t i = 0; i < N; ++i) order[i] = static_cast<int>(i);
    for (std::size_t i = 1; i < N; ++i) {
        for (std::size_t j = i; j > 0 && values[order[j - 1]] > values[order[j]]; --j)
            std::swap(order[j - 1], order[j]);
    }
    return order;
}

// The keys 1 to 7 pick the share selector's items in this order: fewest shares first.
inline constexpr auto kSharesByQuantity = IndicesByValue(ShareQuantities);
// The game-speed items from the fastest (shortest interval) to the slowest.
inline constexpr auto kSpeedsFastestFirst = IndicesByValue(GameSpeeds);

}  // namespace zemkari::ui
