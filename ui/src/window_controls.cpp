#include "zemkari/ui/window_controls.h"

#include <QGroupBox>
#include <QRadioButton>
#include <optional>
#include <string_view>

#include "zemkari/ui/fonts.h"

namespace zemkari::ui {
namespace {

// Where a control stands: the client area or one of the group boxes, in the order
// the group boxes are built.
enum class Container { Client, GroupBox2, GroupBox3, GroupBox4, GroupBox5, GroupBox1, GroupBox6, GroupBox7 };

struct Type {
    int pixelSize;
    bool bold;
};
constexpr Type kRegular11{11, false};
constexpr Type kRegular12{12, false};
constexpr Type kRegular13{13, false};
constexpr Type kRegular15{15, false};
constexpr Type kBold13{13, true};
constexpr Type kBold15{15, true};
constexpr Type kBold17{17, true};

struct GroupDesign {
    std::string_view name;
    int left, top, width, height;
    std::string_view title;
    Type type;
};

// In the order of the form, after Label13 and the two market buttons.
constexpr auto kGroups = std::to_array<GroupDesign>({
    {"GroupBox2", 8, 8, 105, 225, "【株価情報】", kBold15},
    {"GroupBox3", 8, 240, 105, 129, "【状態】", kBold15},
    {"GroupBox4", 232, 376, 193, 57, "【評価損益】", kBold15},
    {"GroupBox5", 128, 8, 489, 361, "【チャート】", kBold15},
    {"GroupBox1", 8, 440, 217, 65, "【注文】", kBold13},
    {"GroupBox6", 432, 376, 185, 57, "【余力】", kBold15},
    {"GroupBox7", 232, 440, 385, 65, "【コメント】", kBold15},
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

constexpr auto kLabels = std::to_array<LabelDesign>({
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
constexpr auto kButtons = std::to_array<ButtonDesign>({
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
constexpr SelectorDesign kShareSelector = {"RadioGroup1",
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
constexpr SelectorDesign kSpeedSelector = {
    "RadioGroup2", 232, 504, 265, 33, "Game Speed", kRegular12, 5, {"0.5秒", "1秒", "1.5秒", "2秒", "2.5秒"}, 5, 1};

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

Qt::Alignment Alignment(Align align) {
    switch (align) {
        case Align::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case Align::Centre:
            return Qt::AlignHCenter | Qt::AlignTop;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QColor ColourFor(Colour colour, const QPalette& palette) {
    switch (colour) {
        case Colour::Red:
            return QColor(255, 0, 0);
        case Colour::Blue:
            return QColor(0, 0, 255);
        case Colour::WindowText:
            break;
    }
    return palette.color(QPalette::WindowText);
}

FieldLabel* BuildLabel(const LabelDesign& design, QWidget& parent) {
    auto* label = new FieldLabel(design.growth, &parent);
    label->setObjectName(Utf8(design.name));
    label->setFont(GameFont(design.type.pixelSize, design.type.bold));
    label->setAlignment(Alignment(design.align));
    label->setContentsMargins(0, 0, 0, 0);
    // Every label paints its own background in the button-face colour.
    label->setAutoFillBackground(true);
    // The comment box, the one written label of fixed size, wraps its text.
    label->setWordWrap(design.growth == Growth::None && design.field.has_value());
    SetLabelColour(*label, design.colour);
    const bool fitsText = design.growth == Growth::ToLeft || design.growth == Growth::ToRight;
    const int width = fitsText ? 0 : design.width;
    const int left = design.growth == Growth::ToLeft ? design.x - width : design.x;
    label->setGeometry(left, design.top, width, design.height);
    label->ShowText(Utf8(design.text));
    return label;
}

QGroupBox* BuildGroup(std::string_view name, std::string_view title, Type type, QRect rect, QWidget& parent) {
    auto* group = new QGroupBox(Utf8(title), &parent);
    group->setObjectName(Utf8(name));
    group->setFont(GameFont(type.pixelSize, type.bold));
    group->setGeometry(rect);
    return group;
}

// The items stand in columns filled top to bottom, sharing the group's width less
// 10 pixels from x = 8, and share the height below the caption line equally.
QButtonGroup* BuildSelector(const SelectorDesign& design, QWidget& parent) {
    QGroupBox* box = BuildGroup(design.name, design.title, design.type,
                                QRect(design.left, design.top, design.width, design.height), parent);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    const int captionHeight = design.type.pixelSize;
    const int perColumn = (design.itemCount + design.columns - 1) / design.columns;
    const int columnWidth = (design.width - 10) / design.columns;
    const int free = design.height - captionHeight - 5;
    const int rowHeight = free / perColumn;
    const int topMargin = captionHeight + 1 + (free % perColumn) / 2;
    for (int i = 0; i < design.itemCount; ++i) {
        auto* item = new QRadioButton(Utf8(design.items[static_cast<std::size_t>(i)]), box);
        item->setObjectName(QStringLiteral("%1Item%2").arg(Utf8(design.name)).arg(i));
        item->setGeometry(8 + (i / perColumn) * columnWidth, topMargin + (i % perColumn) * rowHeight, columnWidth,
                          rowHeight);
        item->setChecked(i == design.selected);
        group->addButton(item, i);
    }
    return group;
}

}  // namespace

void SetLabelColour(QLabel& label, Colour colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ColourFor(colour, label.parentWidget()->palette()));
    label.setPalette(palette);
}

WindowControls BuildWindowControls(QWidget& client, const QString& caption) {
    client.setFont(GameFont(12));
    client.setFixedSize(kClientWidth, kClientHeight);
    WindowControls controls;

    std::array<QWidget*, 8> containers{};
    containers[0] = &client;
    FieldLabel* captionLabel = BuildLabel(kLabels[0], client);
    captionLabel->ShowText(caption);

    std::array<QPushButton*, 4> buttons{};
    auto buildButton = [&](const ButtonDesign& design, QWidget& parent) {
        auto* button = new QPushButton(Utf8(design.caption), &parent);
        button->setObjectName(Utf8(design.name));
        button->setFont(GameFont(design.type.pixelSize, design.type.bold));
        button->setGeometry(design.left, design.top, design.width, design.height);
        button->setEnabled(design.enabled);
        button->setAutoDefault(false);
        buttons[static_cast<std::size_t>(design.id)] = button;
    };
    buildButton(kButtons[0], client);
    buildButton(kButtons[1], client);

    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const GroupDesign& design = kGroups[g];
        containers[g + 1] = BuildGroup(design.name, design.title, design.type,
                                       QRect(design.left, design.top, design.width, design.height), client);
    }
    const auto container = [&](Container c) -> QWidget& { return *containers[static_cast<std::size_t>(c)]; };

    for (std::size_t i = 1; i < kLabels.size(); ++i) {
        const LabelDesign& design = kLabels[i];
        FieldLabel* label = BuildLabel(design, container(design.container));
        if (design.field) controls.fields[static_cast<std::size_t>(*design.field)] = label;
    }
    buildButton(kButtons[2], container(Container::GroupBox1));
    buildButton(kButtons[3], container(Container::GroupBox1));
    controls.buttons = buttons;

    controls.chart = new PriceChart(&container(Container::GroupBox5));
    controls.chart->setObjectName(QStringLiteral("PaintBox1"));
    controls.chart->setGeometry(64, 16, PriceChart::kWidth, PriceChart::kHeight);

    controls.shareSelector = BuildSelector(kShareSelector, client);
    controls.speedSelector = BuildSelector(kSpeedSelector, client);

    QWidget* previous = buttons[0];
    const auto chain = [&](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (std::size_t b = 1; b < buttons.size(); ++b) chain(buttons[b]);
    for (QAbstractButton* item : controls.shareSelector->buttons()) chain(item);
    for (QAbstractButton* item : controls.speedSelector->buttons()) chain(item);
    return controls;
}

}  // namespace zemkari::ui
