#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "zemkari/design/controls.h"
#include "zemkari/design/window.h"

// How the page arranges the window's controls on a screen too small for the window at
// full size, such as a phone's: the same groups and controls, keyed by the window
// design's containers and object names, placed in grids for a finger rather than at the
// window's pixels. The page writes its phone style sheet from these tables.
namespace zemkari::design {

// The page's margin around the window, in CSS pixels. A viewport narrower than the
// window plus two margins, or lower, gets a phone arrangement.
inline constexpr int kPageMargin = 8;
inline constexpr int kFitWidth = kClientWidth + 2 * kPageMargin;
inline constexpr int kFitHeight = kClientHeight + 2 * kPageMargin;

// The smallest box a finger hits reliably, either side, in CSS pixels; every button
// and selector item is at least this large.
inline constexpr int kTapSize = 44;
// The smallest type on the phone: the window's 11-pixel version line is raised to it.
inline constexpr int kSmallestPhoneType = 12;
// The space between the cells of every grid, in CSS pixels.
inline constexpr int kPhoneGap = 4;

enum class Orientation { Portrait, Landscape };

// A grid: its columns (CSS grid-template-columns) and its areas, one quoted string a
// row (CSS grid-template-areas); "." is an empty cell.
struct PhoneGrid {
    std::string_view columns;
    std::string_view areas;
};

// The whole page, one grid per orientation. Portrait: the quote board and the chart
// across the screen, then the position, the profit and the buying power, the comment,
// and at the bottom, under the thumb, the order buttons, the share count and the
// speed. Landscape: the chart on the left, the board and the controls beside it.
struct PhoneArrangement {
    Orientation orientation{};
    PhoneGrid client;
};
inline constexpr std::array<PhoneArrangement, 2> kPhoneArrangements = {{
    {Orientation::Portrait,
     {"minmax(0, 1fr) minmax(0, 1fr)",
      R"("quote quote" "chart chart" "status profit" "status power" "comment comment" "order order" )"
      R"("shares shares" "speed speed" "start end" ". version")"}},
    {Orientation::Landscape,
     {"minmax(0, 55fr) minmax(0, 22fr) minmax(0, 23fr)",
      R"("chart quote quote" "chart status profit" "chart status power" "chart order order" )"
      R"("chart shares shares" "comment speed speed" "comment start end" "comment . version")"}},
}};

// The grid inside each group box but the chart, which keeps the window's proportions
// and scales with its width.
struct PhoneGroupGrid {
    Container container;
    PhoneGrid grid;
};
inline constexpr auto kPhoneGroupGrids = std::to_array<PhoneGroupGrid>({
    // Each heading over its value: current, opening, high, low and closing price.
    {Container::QuoteBoard,
     {"repeat(5, minmax(0, 1fr))", R"("now open high low close" "now-v open-v high-v low-v close-v")"}},
    {Container::Status, {"minmax(0, 1fr)", R"("status" "status-v" "amount" "amount-v")"}},
    {Container::Profit, {"auto minmax(0, 1fr)", R"("verdict value")"}},
    {Container::Order, {"minmax(0, 1fr) minmax(0, 1fr)", R"("buy sell")"}},
    {Container::BuyingPower, {"minmax(0, 1fr)", R"("value")"}},
    {Container::Comment, {"minmax(0, 1fr)", R"("text")"}},
});

// Where a group, selector or control stands in its container's grid: its object name,
// its area, its alignment there (none: it fills the area), and where the phone differs
// from the window, its type size (never its weight: the fonts hold each weight's
// characters only) and its least height.
struct PhoneCell {
    std::string_view name;
    std::string_view area;
    std::optional<Align> align = std::nullopt;
    int pixelSize = 0;  // 0: the window's
    int minHeight = 0;  // 0: as tall as its content, or kTapSize for what is tapped
};

// The comment box keeps room for four lines, 14 pixels apart as the page sets them, so
// that the buttons below stay put whichever comment shows on a narrow screen; the order
// buttons are larger than the least a finger needs; what a finger taps reads in the
// market buttons' type.
inline constexpr int kCommentHeight = 4 * 14;
inline constexpr int kOrderButtonHeight = 56;
inline constexpr int kTapType = DesignOf(ButtonId::StartMarket).type.pixelSize;

inline constexpr auto kPhoneCells = std::to_array<PhoneCell>({
    // The page: the group boxes, the selectors, the market buttons and the version line.
    {"GroupBox2", "quote"},
    {"GroupBox3", "status"},
    {"GroupBox4", "profit"},
    {"GroupBox5", "chart"},
    {"GroupBox1", "order"},
    {"GroupBox6", "power"},
    {"GroupBox7", "comment"},
    {"RadioGroup1", "shares"},
    {"RadioGroup2", "speed"},
    {"Button1", "start"},
    {"Button2", "end"},
    {"Label13", "version", Align::Right, kSmallestPhoneType},
    // The quote board.
    {"Label5", "now", Align::Centre},
    {"Label1", "now-v", Align::Centre},
    {"Label6", "open", Align::Centre},
    {"Label2", "open-v", Align::Centre},
    {"Label7", "high", Align::Centre},
    {"Label3", "high-v", Align::Centre},
    {"Label8", "low", Align::Centre},
    {"Label4", "low-v", Align::Centre},
    {"Label9", "close", Align::Centre},
    {"Label10", "close-v", Align::Centre},
    // The status box, the profit, the buying power, the comment and the order buttons.
    {"Label11", "status"},
    {"Label12", "status-v", Align::Right},
    {"Label15", "amount"},
    {"Label17", "amount-v", Align::Right},
    {"Label28", "verdict"},
    {"Label25", "value", Align::Right},
    {"Label26", "value", Align::Right},
    {"Label27", "text", std::nullopt, 0, kCommentHeight},
    {"Button3", "buy", std::nullopt, kTapType, kOrderButtonHeight},
    {"Button4", "sell", std::nullopt, kTapType, kOrderButtonHeight},
});

// The selectors' items stand in rows of `columns`, smallest value first, in their own
// type size.
struct PhoneSelector {
    SelectorId id;
    int columns;
    int itemPixelSize;
};
inline constexpr std::array<PhoneSelector, kCountOf<SelectorId>> kPhoneSelectors = {{
    {SelectorId::ShareQuantity, 4, kTapType},
    {SelectorId::GameSpeed, 5, kTapType},
}};

// ---- What the tables must hold ----

// Where an entry stands in its table, or -1. Indices rather than pointers: GCC with
// AddressSanitizer cannot compare pointers into a table at compile time.
constexpr int PhoneCellIndex(std::string_view name) {
    for (std::size_t i = 0; i < kPhoneCells.size(); ++i) {
        if (kPhoneCells[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

constexpr int PhoneGridIndex(Container container) {
    for (std::size_t i = 0; i < kPhoneGroupGrids.size(); ++i) {
        if (kPhoneGroupGrids[i].container == container) return static_cast<int>(i);
    }
    return -1;
}

// Whether `areas` names `area` as a whole word.
constexpr bool NamesArea(std::string_view areas, std::string_view area) {
    const auto isNameCharacter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    };
    for (std::size_t at = areas.find(area); at != std::string_view::npos; at = areas.find(area, at + 1)) {
        const std::size_t end = at + area.size();
        if ((at == 0 || !isNameCharacter(areas[at - 1])) && (end == areas.size() || !isNameCharacter(areas[end])))
            return true;
    }
    return false;
}

// A control's cell lies in a grid of its container: the page's in both orientations, or
// its group box's.
constexpr bool CellInGrid(std::string_view name, Container container) {
    const int cell = PhoneCellIndex(name);
    if (cell < 0) return false;
    const std::string_view area = kPhoneCells[static_cast<std::size_t>(cell)].area;
    if (container == Container::Client) {
        for (const PhoneArrangement& arrangement : kPhoneArrangements) {
            if (!NamesArea(arrangement.client.areas, area)) return false;
        }
        return true;
    }
    const int grid = PhoneGridIndex(container);
    return grid >= 0 && NamesArea(kPhoneGroupGrids[static_cast<std::size_t>(grid)].grid.areas, area);
}

static_assert(
    [] {
        for (const GroupDesign& group : kGroups) {
            if (!CellInGrid(group.name, Container::Client)) return false;
            if (group.id != kChartContainer && PhoneGridIndex(group.id) < 0) return false;
        }
        for (const SelectorDesign& selector : kSelectorDesigns) {
            if (!CellInGrid(selector.name, Container::Client)) return false;
        }
        if (!CellInGrid(kVersionLine.name, kVersionLine.container)) return false;
        for (const LabelDesign& label : kLabelDesigns) {
            if (label.container != kChartContainer && !CellInGrid(label.name, label.container)) return false;
        }
        for (const ButtonDesign& button : kButtonDesigns) {
            if (!CellInGrid(button.name, button.container)) return false;
        }
        return true;
    }(),
    "every group, selector and control but the chart's has a cell in a grid of its container");

static_assert(
    [] {
        for (std::size_t i = 0; i < kPhoneSelectors.size(); ++i) {
            if (IndexOf(kPhoneSelectors[i].id) != i) return false;
        }
        const auto phoneSize = [](std::string_view name, Type type) {
            const int cell = PhoneCellIndex(name);
            const int size = cell < 0 ? 0 : kPhoneCells[static_cast<std::size_t>(cell)].pixelSize;
            return size != 0 ? size : type.pixelSize;
        };
        if (phoneSize(kVersionLine.name, kVersionLine.type) < kSmallestPhoneType) return false;
        for (const LabelDesign& label : kLabelDesigns) {
            if (phoneSize(label.name, label.type) < kSmallestPhoneType) return false;
        }
        for (const ButtonDesign& button : kButtonDesigns) {
            if (phoneSize(button.name, button.type) < kSmallestPhoneType) return false;
        }
        for (const GroupDesign& group : kGroups) {
            if (group.type.pixelSize < kSmallestPhoneType) return false;
        }
        for (const SelectorDesign& selector : kSelectorDesigns) {
            if (selector.type.pixelSize < kSmallestPhoneType) return false;
        }
        for (const PhoneSelector& selector : kPhoneSelectors) {
            if (selector.itemPixelSize < kSmallestPhoneType) return false;
        }
        return true;
    }(),
    "the phone's selectors stand in the order of SelectorId, and no type of it is below its smallest");

}  // namespace zemkari::design
