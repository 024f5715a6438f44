#include "phone_style.h"

#include <array>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "zemkari/design/keys.h"
#include "zemkari/design/phone.h"
#include "zemkari/design/window.h"

namespace zemkari::web {
namespace {

using design::Align;
using design::Container;

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

// A type size, its line as tall as the type, as in the window's labels.
std::string TypeSize(int pixels) {
    const std::string size = Px(pixels);
    return "font-size:" + size + ";line-height:" + size;
}

// `part` of `whole` in percent, to a ten-thousandth of a per cent: well under a device
// pixel of any screen.
std::string Percent(int part, int whole) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.4f%%", 100.0 * part / whole);
    return text.data();
}

std::string_view JustifySelf(std::optional<Align> align) {
    if (!align) return "stretch";
    switch (*align) {
        case Align::Right:
            return "end";
        case Align::Centre:
            return "center";
        case Align::Left:
            break;
    }
    return "start";
}

std::string Rule(const std::string& selector, const std::string& declarations) {
    return selector + "{" + declarations + "}\n";
}

std::string Grid(std::string_view name, const design::PhoneGrid& grid) {
    return Rule("#" + std::string(name), "grid-template-columns:" + std::string(grid.columns) +
                                             ";grid-template-areas:" + std::string(grid.areas));
}

std::string_view GroupName(Container container) {
    return design::kGroups[static_cast<std::size_t>(container) - 1].name;
}

// Every group box, selector and control in its cell.
std::string Cells() {
    std::string css;
    for (const design::PhoneCell& cell : design::kPhoneCells) {
        std::string declarations =
            "grid-area:" + std::string(cell.area) + ";justify-self:" + std::string(JustifySelf(cell.align));
        if (cell.pixelSize != 0) declarations += ";" + TypeSize(cell.pixelSize);
        if (cell.minHeight != 0) declarations += ";min-height:" + Px(cell.minHeight);
        css += Rule("#" + std::string(cell.name), declarations);
    }
    return css;
}

// The chart's box keeps the window's proportions at the width its cell gives it, and
// the surface and the axis labels keep their places in it, in per cent of the box: the
// labels stay level with the chart's scale.
std::string Chart() {
    const design::Rect box = design::ContainerRect(design::kChartContainer);
    const auto place = [&](std::string_view name, design::Rect r) {
        return Rule("#" + std::string(name), "position:absolute;left:" + Percent(r.left, box.width) +
                                                 "!important;top:" + Percent(r.top, box.height) +
                                                 "!important;width:" + Percent(r.width, box.width) +
                                                 "!important;height:" + Percent(r.height, box.height) + "!important");
    };
    std::string css =
        Rule("#" + std::string(GroupName(design::kChartContainer)),
             "display:block;padding:0;aspect-ratio:" + std::to_string(box.width) + "/" + std::to_string(box.height));
    css += place(design::kChartName, design::kChartRect);
    for (const design::LabelDesign& label : design::kLabelDesigns) {
        if (label.container == design::kChartContainer)
            css += place(label.name, {label.x, label.top, label.width, label.height});
    }
    return css;
}

static_assert(
    [] {
        for (const design::LabelDesign& label : design::kLabelDesigns) {
            if (label.container == design::kChartContainer && label.growth != design::Growth::Centred) return false;
        }
        return true;
    }(),
    "the chart's labels are placed by their left edge and width");

// Each selector's items in rows, smallest value first.
std::string Selectors() {
    std::string css;
    for (const design::PhoneSelector& selector : design::kPhoneSelectors) {
        const std::string name = "#" + std::string(design::DesignOf(selector.id).name);
        css += Rule(name, "grid-template-columns:repeat(" + std::to_string(selector.columns) + ",minmax(0,1fr))");
        css += Rule(name + " .item", TypeSize(selector.itemPixelSize));
        const std::span<const int> order = selector.id == SelectorId::ShareQuantity
                                               ? std::span<const int>(design::kSharesByQuantity)
                                               : std::span<const int>(design::kSpeedsFastestFirst);
        for (std::size_t rank = 0; rank < order.size(); ++rank)
            css += Rule(name + "Item" + std::to_string(order[rank]), "order:" + std::to_string(rank));
    }
    return css;
}

// What every phone arrangement shares. Every group and selector becomes a grid of what
// it holds, and labels and buttons flow in their cells: the window's pixel places (each
// element's own style) no longer apply. These rules outweigh the window's style sheet
// and yield to each control's rules, which name it by its id.
std::string Common() {
    const std::string gap = Px(design::kPhoneGap);
    const std::string tap = Px(design::kTapSize);
    const std::string unplaced = "left:auto!important;top:auto!important;width:auto!important;height:auto!important";
    return Rule("#" + std::string(design::kWindowName), unplaced + ";display:grid;gap:" + gap + ";overflow:visible") +
           Rule("main .group", "position:relative;" + unplaced + ";display:grid;gap:2px " + gap +
                                   ";align-items:center;align-content:start;"
                                   "padding:calc(2 * var(--half) + 2px) 8px 4px") +
           Rule("main .label,main button,main .item", "position:static;" + unplaced) +
           // An empty label keeps its line, so that nothing moves when the board fills.
           Rule("main .label", "min-height:1em") +
           Rule("main button,main .item", "min-width:" + tap + ";min-height:" + tap) +
           // The comment box grows rather than hide a line on a narrow screen.
           Rule("main .label.wrap", "overflow:visible");
}

}  // namespace

std::string PhoneStyle() {
    const std::string phone = "(width < " + Px(design::kFitWidth) + ") or (height < " + Px(design::kFitHeight) + ")";
    std::string css = Rule("body", "padding:" + Px(design::kPageMargin)) + "@media " + phone + "{\n" + Common();
    for (const design::PhoneGroupGrid& grid : design::kPhoneGroupGrids)
        css += Grid(GroupName(grid.container), grid.grid);
    css += Cells() + Selectors() + Chart() + "}\n";
    for (const design::PhoneArrangement& arrangement : design::kPhoneArrangements) {
        const bool portrait = arrangement.orientation == design::Orientation::Portrait;
        css += "@media (" + phone + ") and (orientation:" + (portrait ? "portrait" : "landscape") + "){\n" +
               Grid(design::kWindowName, arrangement.client) + "}\n";
    }
    return css;
}

}  // namespace zemkari::web
