// Writes the page's index.html from the window's design tables, so the page and the
// window are laid out from one source, and lists every character the page can show
// in the game's font, for the font subset. Built for Node.js and run by the build:
//   make_page STYLE.css VERSION INDEX.html REGULAR.txt BOLD.txt
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "page_handlers.h"
#include "zemkari/board.h"
#include "zemkari/design/keys.h"
#include "zemkari/design/window.h"
#include "zemkari/headless_board.h"
#include "zemkari/headless_game.h"
#include "zemkari/rules.h"
#include "zemkari/scenarios.h"
#include "zemkari/texts.h"

namespace zemkari::web {
namespace {

using design::Container;
using design::Type;

// The fields that announce their changes to a screen reader, politely: the comment,
// the order status and the profit indicator. The quote board changes every tick and
// would drown them.
constexpr std::array<LabelId, 3> kAnnouncedFields = {LabelId::Comment, LabelId::OrderStatus, LabelId::ProfitIndicator};

// Every text the core can write: numbers are plain decimal with a leading "-".
constexpr std::array<std::string_view, 16> kCoreTexts = {
    "0123456789-",        texts::kManYen,       texts::kRules,          texts::kNoOrder,
    texts::kFilledSuffix, texts::kLapsed,       texts::kMarginCall,     texts::kFundsShort,
    texts::kGameOver,     texts::kLimitUpClose, texts::kLimitDownClose, texts::kOrdinaryClose,
    texts::kProfitTaken,  texts::kLossCut,      texts::kNoTimer,        texts::kNoTimerInterval,
};

// HTML-escaped text; the design texts hold no markup, but a caption may hold "&" one day.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string TypeClass(Type type) { return (type.bold ? "b" : "r") + std::to_string(type.pixelSize); }

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

std::string Box(int left, int top, int width, int height) {
    return "left:" + Px(left) + ";top:" + Px(top) + ";width:" + Px(width) + ";height:" + Px(height);
}

// Each type the design uses, once, as a class of the page's style.
std::string TypeStyles() {
    std::set<std::pair<int, bool>> types;
    for (const auto& group : design::kGroups) types.insert({group.type.pixelSize, group.type.bold});
    types.insert({design::kVersionLine.type.pixelSize, design::kVersionLine.type.bold});
    for (const auto& label : design::kLabelDesigns) types.insert({label.type.pixelSize, label.type.bold});
    for (const auto& button : design::kButtonDesigns) types.insert({button.type.pixelSize, button.type.bold});
    for (const auto* selector : {&design::kShareSelector, &design::kSpeedSelector})
        types.insert({selector->type.pixelSize, selector->type.bold});
    std::string css;
    for (const auto& [size, bold] : types) {
        // The line is as tall as the type, as in the window's labels. The frame of a
        // group box stands half a line of the window's font down, and that line is a
        // pixel taller than the type.
        css += "." + TypeClass({size, bold}) + "{font-size:" + Px(size) + ";line-height:" + Px(size) +
               ";font-weight:" + (bold ? "700" : "400") + ";--half:" + Px((size + 1) / 2) + "}\n";
    }
    // The colours the game writes, by the index of zemkari::Colour.
    for (const Colour colour : {Colour::WindowText, Colour::Red, Colour::Blue}) {
        css += "[data-colour=\"" + std::to_string(static_cast<int>(colour)) + "\"]{color:var(--" +
               std::string(ColourName(colour)) + ")}\n";
    }
    return css;
}

class Page {
public:
    explicit Page(std::string_view caption) : caption_(caption) {}

    std::string Body() {
        out_.str({});
        Open(Container::Client);
        return out_.str();
    }

private:
    // The controls of `container`, in the order of the form: the window's caption
    // line and market buttons, the group boxes with what they hold, the selectors.
    void Open(Container container) {
        if (container == Container::Client) Label(design::kVersionLine);
        for (const auto& label : design::kLabelDesigns) {
            if (label.container == container) Label(label);
        }
        for (const auto& button : design::kButtonDesigns) {
            if (button.container == container) Button(button);
        }
        if (container == design::kChartContainer) Chart();
        if (container != Container::Client) return;
        for (const auto& group : design::kGroups) Group(group);
        Selector(design::kShareSelector, SelectorId::ShareQuantity);
        Selector(design::kSpeedSelector, SelectorId::GameSpeed);
    }

    void Label(const design::LabelDesign& layout) {
        const int containerWidth = design::ContainerRect(layout.container).width;
        std::string style = "top:" + Px(layout.top) + ";height:" + Px(layout.height);
        std::string kind;
        switch (layout.growth) {
            case design::Growth::ToLeft:
                style += ";right:" + Px(containerWidth - layout.x);
                kind = " fit";
                break;
            case design::Growth::ToRight:
                style += ";left:" + Px(layout.x);
                kind = " fit";
                break;
            case design::Growth::Centred:
                style += ";left:" + Px(layout.x) + ";width:" + Px(layout.width);
                kind = " centred";
                break;
            case design::Growth::None:
                style += ";left:" + Px(layout.x) + ";width:" + Px(layout.width);
                // A fixed label with more than one line's height wraps its text.
                if (layout.field) kind = " wrap";
                break;
        }
        const std::string_view text = &layout == &design::kVersionLine ? caption_ : layout.text;
        std::string attributes;
        if (layout.field) {
            const auto& control = ControlOf(*layout.field);
            const bool announced =
                std::find(kAnnouncedFields.begin(), kAnnouncedFields.end(), *layout.field) != kAnnouncedFields.end();
            attributes = " data-field=\"" + std::to_string(IndexOf(*layout.field)) + "\" data-colour=\"" +
                         std::to_string(static_cast<int>(layout.colour)) + "\" aria-description=\"" +
                         Escaped(control.description) + "\" aria-live=\"" + (announced ? "polite" : "off") + "\"";
            out_ << "<output id=\"" << layout.name << "\" class=\"label " << TypeClass(layout.type) << kind << "\""
                 << attributes << " style=\"" << style << "\">" << Escaped(text) << "</output>\n";
            return;
        }
        out_ << "<span id=\"" << layout.name << "\" class=\"label " << TypeClass(layout.type) << kind
             << "\" data-colour=\"" << static_cast<int>(layout.colour) << "\" style=\"" << style << "\">"
             << Escaped(text) << "</span>\n";
    }

    void Button(const design::ButtonDesign& layout) {
        const std::string_view key = design::kButtonKeys[IndexOf(layout.id)].key;
        out_ << "<button id=\"" << layout.name << "\" class=\"" << TypeClass(layout.type) << "\" data-button=\""
             << IndexOf(layout.id) << "\" data-key=\"" << key << "\" aria-keyshortcuts=\"" << key << "\" title=\""
             << Escaped(layout.caption) << " (" << key << ")\" style=\""
             << Box(layout.left, layout.top, layout.width, layout.height) << "\"" << (layout.enabled ? "" : " disabled")
             << ">" << Escaped(layout.caption) << "</button>\n";
    }

    void Chart() {
        const design::Rect r = design::kChartRect;
        out_ << "<canvas id=\"" << design::kChartName << "\" width=\"" << r.width << "\" height=\"" << r.height
             << "\" style=\"" << Box(r.left, r.top, r.width, r.height) << "\" aria-hidden=\"true\"></canvas>\n";
    }

    void Frame(std::string_view name, std::string_view title, Type type, design::Rect rect, std::string_view role,
               std::string_view hint) {
        out_ << "<div id=\"" << name << "\" class=\"group " << TypeClass(type) << "\" role=\"" << role
             << "\" aria-labelledby=\"" << name << "Title\"";
        if (!hint.empty()) out_ << " title=\"" << Escaped(title) << " (" << Escaped(hint) << ")\"";
        out_ << " style=\"" << Box(rect.left, rect.top, rect.width, rect.height) << "\"><span id=\"" << name
             << "Title\" class=\"title\">" << Escaped(title) << "</span>\n";
    }

    void Group(const design::GroupDesign& layout) {
        Frame(layout.name, layout.title, layout.type, design::ContainerRect(layout.id), "group", {});
        Open(layout.id);
        out_ << "</div>\n";
    }

    // The key of each item: the digits pick the share counts fewest first; + and -
    // step the speeds, so each speed item carries its rank from the fastest.
    static std::vector<int> Ranks(std::span<const int> order) {
        std::vector<int> rank(order.size());
        for (std::size_t r = 0; r < order.size(); ++r) rank[static_cast<std::size_t>(order[r])] = static_cast<int>(r);
        return rank;
    }

    void Selector(const design::SelectorDesign& layout, SelectorId id) {
        const bool shares = id == SelectorId::ShareQuantity;
        Frame(layout.name, layout.title, layout.type, {layout.left, layout.top, layout.width, layout.height},
              "radiogroup", shares ? design::kShareKeysHint : design::kSpeedKeysHint);
        const std::vector<int> ranks = shares ? Ranks(design::kSharesByQuantity) : Ranks(design::kSpeedsFastestFirst);
        for (int i = 0; i < layout.itemCount; ++i) {
            const design::Rect r = design::SelectorItemRect(layout, i);
            const std::string_view text = layout.items[static_cast<std::size_t>(i)];
            const int rank = ranks[static_cast<std::size_t>(i)];
            out_ << "<label id=\"" << layout.name << "Item" << i << "\" class=\"item\" style=\""
                 << Box(r.left, r.top, r.width, r.height) << "\"><input type=\"radio\" name=\"" << layout.name
                 << "\" value=\"" << i << "\" data-selector=\"" << IndexOf(id) << "\"";
            if (shares) {
                out_ << " data-key=\"" << rank + 1 << "\" aria-keyshortcuts=\"" << rank + 1 << "\"";
            } else {
                out_ << " data-rank=\"" << rank << "\"";
            }
            out_ << (i == layout.selected ? " checked" : "") << ">" << Escaped(text) << "</label>\n";
        }
        out_ << "</div>\n";
    }

    std::string_view caption_;
    std::ostringstream out_;
};

// The texts the core writes into the bold value fields (the quote board, the profit and
// the buying power, the profit indicator), as it plays every day: one share bought at a
// few points of it, then sold at a profit, at a loss or held to the close.
std::set<std::string> BoldFieldTexts() {
    std::vector<LabelId> bold;
    for (const auto& label : design::kLabelDesigns) {
        if (label.field && label.type.bold) bold.push_back(*label.field);
    }
    std::set<std::string> seen;
    const auto record = [&](const HeadlessGame& game) {
        for (const LabelId label : bold) seen.insert(game.Board().Text(label));
    };
    std::array<std::uint32_t, kScenarioCount> clockForRow{};
    std::array<bool, kScenarioCount> found{};
    for (std::uint32_t ms = 0, left = kScenarioCount; left > 0; ++ms) {
        const auto row = static_cast<std::size_t>(DrawScenarioRow(ms));
        if (!found[row]) found[row] = true, clockForRow[row] = ms, --left;
    }
    for (const std::uint32_t clock : clockForRow) {
        for (const int buyAt : {2, 12, 30, 45}) {
            for (const int holdFor : {1, 5, 60}) {
                using Kind = PlayerEvent::Kind;
                HeadlessGame game;
                const auto play = [&](Kind kind, int times) {
                    for (int i = 0; i < times; ++i) game.Deliver({kind, 0}), record(game);
                };
                game.Deliver({Kind::Start, static_cast<int>(clock)});
                play(Kind::Tick, buyAt);
                game.Deliver({Kind::Buy, 0});
                play(Kind::Tick, holdFor);
                game.Deliver({Kind::Sell, 0});
                play(Kind::Tick, 3);
            }
        }
    }
    return seen;
}

// The characters the page shows in the bold face: the bold captions and headings, what
// the core writes into the bold fields, and any number.
std::string BoldCharacters() {
    std::string all = "0123456789-";
    for (const auto& group : design::kGroups) {
        if (group.type.bold) all += group.title;
    }
    for (const auto& label : design::kLabelDesigns) {
        if (label.type.bold) all += label.text;
    }
    for (const auto& button : design::kButtonDesigns) {
        if (button.type.bold) all += button.caption;
    }
    for (const auto* selector : {&design::kShareSelector, &design::kSpeedSelector}) {
        if (!selector->type.bold) continue;
        all += selector->title;
        for (int i = 0; i < selector->itemCount; ++i) all += selector->items[static_cast<std::size_t>(i)];
    }
    for (const std::string& text : BoldFieldTexts()) all += text;
    return all;
}

// Every character the page shows in the regular face: the design's texts and all the
// core can write.
std::string Characters(std::string_view caption) {
    std::vector<std::string_view> texts(kCoreTexts.begin(), kCoreTexts.end());
    texts.push_back(caption);
    for (const auto& group : design::kGroups) texts.push_back(group.title);
    for (const auto& label : design::kLabelDesigns) texts.push_back(label.text);
    for (const auto& button : design::kButtonDesigns) texts.push_back(button.caption);
    for (const auto* selector : {&design::kShareSelector, &design::kSpeedSelector}) {
        texts.push_back(selector->title);
        for (int i = 0; i < selector->itemCount; ++i) texts.push_back(selector->items[static_cast<std::size_t>(i)]);
    }
    for (const auto& milestone : MilestoneComments) texts.push_back(milestone.message);
    std::string all;
    for (const std::string_view text : texts) all += text;
    return all;
}

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace
}  // namespace zemkari::web

int main(int argc, char** argv) {
    using namespace zemkari;
    if (argc != 6) {
        std::cerr << "usage: make_page STYLE.css VERSION INDEX.html REGULAR.txt BOLD.txt\n";
        return 2;
    }
    const std::string style = web::ReadFile(argv[1]);
    const std::string caption = std::string("Zemkari ") + argv[2];
    web::Page page(caption);
    std::ofstream html(argv[3], std::ios::binary);
    html << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>Zemkari</title>\n"
         << "<meta name=\"viewport\" content=\"width=" << design::kClientWidth + 16 << "\">\n"
         << "<link rel=\"icon\" type=\"image/png\" href=\"zemkari.png\">\n"
         << "<link rel=\"preload\" href=\"zemkari-regular.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
         << "<link rel=\"preload\" href=\"zemkari-bold.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
         << "<script type=\"module\" src=\"zemkari.js\"></script>\n<style>\n"
         << style << web::TypeStyles() << "</style>\n</head>\n<body>\n"
         << "<main id=\"" << design::kWindowName << "\" aria-label=\"Zemkari\" data-interval=\"" << kDesignInterval
         << "\" data-on-click=\"" << ZEMKARI_EXPORT_NAME(OnClick) << "\" data-on-tick=\"" << ZEMKARI_EXPORT_NAME(OnTick)
         << "\" style=\"width:" << web::Px(design::kClientWidth) << ";height:" << web::Px(design::kClientHeight)
         << "\">\n"
         << page.Body() << "</main>\n</body>\n</html>\n";
    std::ofstream regular(argv[4], std::ios::binary);
    regular << web::Characters(caption) << '\n';
    std::ofstream bold(argv[5], std::ios::binary);
    bold << web::BoldCharacters() << '\n';
    if (!html || !regular || !bold) {
        std::cerr << "make_page: cannot write the page\n";
        return 1;
    }
    return 0;
}
