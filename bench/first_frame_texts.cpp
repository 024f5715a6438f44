// The floor for the game's start-up: a window showing what the game's first frame
// shows, and nothing else. Every caption, label and selector item stands where the
// window's design puts it, in the game's fonts and style, built from the design
// tables; there is no market, no chart, no keyboard play, no screen-reader support
// and no icon. What the game costs over this is what its logic costs before the
// first frame.
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <cstddef>

#include "first_frame.h"
#include "zemkari/design/window.h"
#include "zemkari/ui/field_label.h"
#include "zemkari/ui/fonts.h"
#include "zemkari/ui/game_style.h"
#include "zemkari/ui/utf8.h"
#include "zemkari/ui/window_controls.h"

namespace {

using namespace zemkari::design;
using zemkari::ui::FieldLabel;
using zemkari::ui::GameFont;
using zemkari::ui::SetLabelColour;
using zemkari::ui::Utf8;

Qt::Alignment AlignmentOf(Align align) {
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

QGroupBox* Group(std::string_view title, Type type, QRect rect, QWidget& parent) {
    auto* group = new QGroupBox(Utf8(title), &parent);
    group->setFont(GameFont(type.pixelSize, type.bold));
    group->setGeometry(rect);
    return group;
}

// The self-sizing labels measure their text as the game's do, which places them.
void Label(const LabelDesign& design, const QString& text, QWidget& parent) {
    auto* label = new FieldLabel(design.growth, &parent);
    label->setFont(GameFont(design.type.pixelSize, design.type.bold));
    label->setAlignment(AlignmentOf(design.align));
    label->setContentsMargins(0, 0, 0, 0);
    label->setAutoFillBackground(true);
    SetLabelColour(*label, design.colour);
    const bool fitsText = design.growth == Growth::ToLeft || design.growth == Growth::ToRight;
    const int width = fitsText ? 0 : design.width;
    label->setGeometry(design.growth == Growth::ToLeft ? design.x - width : design.x, design.top, width, design.height);
    label->ShowText(text);
}

void Selector(const SelectorDesign& design, QWidget& parent) {
    QGroupBox* box =
        Group(design.title, design.type, QRect(design.left, design.top, design.width, design.height), parent);
    for (int i = 0; i < static_cast<int>(design.items.size()); ++i) {
        auto* item = new QRadioButton(Utf8(design.items[static_cast<std::size_t>(i)].caption), box);
        const Rect rect = SelectorItemRect(design, i);
        item->setGeometry(rect.left, rect.top, rect.width, rect.height);
        item->setChecked(i == design.selected);
    }
}

// Builds the client area. The group boxes come first so that every control has its
// container; no two controls overlap, so the order of siblings changes no pixel, and
// the buttons still come before the selectors in the focus chain, as in the game.
void BuildTexts(QWidget& client) {
    client.setFont(GameFont(12));
    client.setFixedSize(kClientWidth, kClientHeight);
    std::array<QWidget*, kGroups.size() + 1> containers{};  // indexed by Container
    containers[0] = &client;
    for (const GroupDesign& design : kGroups) {
        containers[static_cast<std::size_t>(design.id)] =
            Group(design.title, design.type, QRect(design.left, design.top, design.width, design.height), client);
    }
    const auto container = [&](Container c) -> QWidget& { return *containers[static_cast<std::size_t>(c)]; };

    // The one line the game writes before it opens: its name and version.
    Label(kVersionLine, Utf8(VersionLine(ZEMKARI_VERSION)), client);
    for (const LabelDesign& design : kLabelDesigns) Label(design, Utf8(design.text), container(design.container));
    for (const ButtonDesign& design : kButtonDesigns) {
        auto* button = new QPushButton(Utf8(design.caption), &container(design.container));
        button->setFont(GameFont(design.type.pixelSize, design.type.bold));
        button->setGeometry(design.left, design.top, design.width, design.height);
        button->setEnabled(design.enabled);
        button->setAutoDefault(false);
    }
    for (const SelectorDesign& design : kSelectorDesigns) Selector(design, client);
}

}  // namespace

int main(int, char* argv[]) {
    zemkari::bench::Phases phases;
    int argc = 1;
    QApplication application(argc, argv);
    QApplication::setStyle(new zemkari::ui::GameStyle);
    phases.Mark("application");
    QWidget window;
    window.setWindowTitle(Utf8(kWindowTitle));
    BuildTexts(window);
    phases.Mark("window");
    zemkari::bench::FirstFrame firstFrame(window, phases);
    window.show();
    phases.Mark("shown");
    return application.exec();
}
