#include "zemkari/ui/window_controls.h"

#include <QGroupBox>
#include <QRadioButton>
#include <optional>
#include <string_view>

#include "zemkari/ui/fonts.h"
#include "zemkari/ui/utf8.h"

namespace zemkari::ui {
namespace {

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

QButtonGroup* BuildSelector(const SelectorDesign& design, QWidget& parent) {
    QGroupBox* box = BuildGroup(design.name, design.title, design.type,
                                QRect(design.left, design.top, design.width, design.height), parent);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    for (int i = 0; i < design.itemCount; ++i) {
        auto* item = new QRadioButton(Utf8(design.items[static_cast<std::size_t>(i)]), box);
        item->setObjectName(QStringLiteral("%1Item%2").arg(Utf8(design.name)).arg(i));
        const Rect rect = SelectorItemRect(design, i);
        item->setGeometry(rect.left, rect.top, rect.width, rect.height);
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

    std::array<QWidget*, kGroups.size() + 1> containers{};  // indexed by Container
    containers[0] = &client;
    FieldLabel* captionLabel = BuildLabel(kLabelDesigns[0], client);
    captionLabel->ShowText(caption);

    std::array<QPushButton*, kCountOf<ButtonId>> buttons{};
    auto buildButton = [&](const ButtonDesign& design, QWidget& parent) {
        auto* button = new QPushButton(Utf8(design.caption), &parent);
        button->setObjectName(Utf8(design.name));
        button->setFont(GameFont(design.type.pixelSize, design.type.bold));
        button->setGeometry(design.left, design.top, design.width, design.height);
        button->setEnabled(design.enabled);
        button->setAutoDefault(false);
        buttons[IndexOf(design.id)] = button;
    };
    buildButton(kButtonDesigns[0], client);
    buildButton(kButtonDesigns[1], client);

    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const GroupDesign& design = kGroups[g];
        containers[g + 1] = BuildGroup(design.name, design.title, design.type,
                                       QRect(design.left, design.top, design.width, design.height), client);
    }
    const auto container = [&](Container c) -> QWidget& { return *containers[static_cast<std::size_t>(c)]; };

    for (std::size_t i = 1; i < kLabelDesigns.size(); ++i) {
        const LabelDesign& design = kLabelDesigns[i];
        FieldLabel* label = BuildLabel(design, container(design.container));
        if (design.field) controls.fields[IndexOf(*design.field)] = label;
    }
    buildButton(kButtonDesigns[2], container(Container::GroupBox1));
    buildButton(kButtonDesigns[3], container(Container::GroupBox1));
    controls.buttons = buttons;

    controls.chart = new PriceChart(&container(kChartContainer));
    controls.chart->setObjectName(QStringLiteral("PaintBox1"));
    controls.chart->setGeometry(kChartRect.left, kChartRect.top, kChartRect.width, kChartRect.height);

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
