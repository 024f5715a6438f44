#include "zemkari/ui/window_controls.h"

#include <QGroupBox>
#include <QRadioButton>
#include <optional>
#include <string_view>

#include "zemkari/ui/fonts.h"
#include "zemkari/ui/utf8.h"

namespace zemkari::ui {
namespace {

Qt::Alignment Alignment(design::Align align) {
    switch (align) {
        case design::Align::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case design::Align::Centre:
            return Qt::AlignHCenter | Qt::AlignTop;
        case design::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QColor ColourFor(Colour colour, const QPalette& palette) {
    if (const std::optional<design::Rgb> rgb = design::RgbOf(colour)) return QColor(rgb->red, rgb->green, rgb->blue);
    return palette.color(QPalette::WindowText);
}

FieldLabel* BuildLabel(const design::LabelDesign& layout, QWidget& parent) {
    auto* label = new FieldLabel(layout.growth, &parent);
    label->setObjectName(Utf8(layout.name));
    label->setFont(GameFont(layout.type.pixelSize, layout.type.bold));
    label->setAlignment(Alignment(layout.align));
    label->setContentsMargins(0, 0, 0, 0);
    // Every label paints its own background in the button-face colour.
    label->setAutoFillBackground(true);
    label->setWordWrap(layout.wraps);
    SetLabelColour(*label, layout.colour);
    const bool fitsText = layout.growth == design::Growth::ToLeft || layout.growth == design::Growth::ToRight;
    const int width = fitsText ? 0 : layout.width;
    const int left = layout.growth == design::Growth::ToLeft ? layout.x - width : layout.x;
    label->setGeometry(left, layout.top, width, layout.height);
    label->ShowText(Utf8(layout.text));
    return label;
}

QGroupBox* BuildGroup(std::string_view name, std::string_view title, design::Type type, QRect rect, QWidget& parent) {
    auto* group = new QGroupBox(Utf8(title), &parent);
    group->setObjectName(Utf8(name));
    group->setFont(GameFont(type.pixelSize, type.bold));
    group->setGeometry(rect);
    return group;
}

QPushButton* BuildButton(const design::ButtonDesign& layout, QWidget& parent) {
    auto* button = new QPushButton(Utf8(layout.caption), &parent);
    button->setObjectName(Utf8(layout.name));
    button->setFont(GameFont(layout.type.pixelSize, layout.type.bold));
    button->setGeometry(layout.left, layout.top, layout.width, layout.height);
    button->setEnabled(layout.enabled);
    button->setAutoDefault(false);
    return button;
}

QButtonGroup* BuildSelector(const design::SelectorDesign& layout, QWidget& parent) {
    QGroupBox* box = BuildGroup(layout.name, layout.title, layout.type,
                                QRect(layout.left, layout.top, layout.width, layout.height), parent);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    for (int i = 0; i < static_cast<int>(layout.items.size()); ++i) {
        auto* item = new QRadioButton(Utf8(layout.items[static_cast<std::size_t>(i)].caption), box);
        item->setObjectName(Utf8(design::ItemName(layout.id, i)));
        const design::Rect rect = design::SelectorItemRect(layout, i);
        item->setGeometry(rect.left, rect.top, rect.width, rect.height);
        item->setChecked(i == layout.selected);
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

// Builds in the order of the form: the version line, the controls of the client area,
// then each group box with what it holds, then the selectors; the tab order follows.
WindowControls BuildWindowControls(QWidget& client, const QString& caption) {
    client.setFont(GameFont(12));
    client.setFixedSize(design::kClientWidth, design::kClientHeight);
    WindowControls controls;

    BuildLabel(design::kVersionLine, client)->ShowText(caption);

    std::array<QWidget*, design::kGroups.size() + 1> containers{};  // indexed by design::Container
    containers[0] = &client;
    const auto container = [&](design::Container c) -> QWidget& { return *containers[static_cast<std::size_t>(c)]; };
    const auto buildButtonsIn = [&](design::Container c) {
        for (const design::ButtonDesign& layout : design::kButtonDesigns) {
            if (layout.container == c) controls.buttons[IndexOf(layout.id)] = BuildButton(layout, container(c));
        }
    };
    buildButtonsIn(design::Container::Client);

    for (std::size_t g = 0; g < design::kGroups.size(); ++g) {
        const design::GroupDesign& layout = design::kGroups[g];
        containers[g + 1] = BuildGroup(layout.name, layout.title, layout.type,
                                       QRect(layout.left, layout.top, layout.width, layout.height), client);
    }
    for (const design::LabelDesign& layout : design::kLabelDesigns) {
        FieldLabel* label = BuildLabel(layout, container(layout.container));
        if (layout.field) controls.fields[IndexOf(*layout.field)] = label;
    }
    buildButtonsIn(design::Container::Order);

    controls.chart = new PriceChart(&container(design::kChartContainer));
    controls.chart->setObjectName(Utf8(design::kChartName));
    const design::Rect chart = design::kChartRect;
    controls.chart->setGeometry(chart.left, chart.top, chart.width, chart.height);

    controls.shareSelector = BuildSelector(design::kShareSelector, client);
    controls.speedSelector = BuildSelector(design::kSpeedSelector, client);

    QWidget* previous = controls.buttons[0];
    const auto chain = [&](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (std::size_t b = 1; b < controls.buttons.size(); ++b) chain(controls.buttons[b]);
    for (QAbstractButton* item : controls.shareSelector->buttons()) chain(item);
    for (QAbstractButton* item : controls.speedSelector->buttons()) chain(item);
    return controls;
}

}  // namespace zemkari::ui
