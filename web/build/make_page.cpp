// Writes the page's index.html, its style sheet and its web app manifest from the
// window's design tables, so the page and the window are laid out from one source, and
// with them every fact of the core and the design that the page's module and style
// need: zemkari.js and the page's style sheets restate none. Built for Node.js and run
// by the build:
//   make_page STYLE.css SCREENS.css VERSION SITE ICON_SIZE...
// writes SITE/index.html, SITE/zemkari.css and SITE/zemkari.webmanifest; STYLE.css is
// the window's look, SCREENS.css the page's arrangements for screens that do not hold
// the window; ICON_SIZE... the sizes of the app's icons in the site, as 192 512.
#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "page_build.h"
#include "page_texts.h"
#include "zemkari/design/keys.h"
#include "zemkari/design/window.h"

namespace zemkari::web {
namespace {

using design::Container;
using design::Type;

// The fields that announce their changes to a screen reader, politely: the comment,
// the order status and the profit indicator. The quote board changes every tick and
// would drown them.
constexpr std::array<LabelId, 3> kAnnouncedFields = {LabelId::Comment, LabelId::OrderStatus, LabelId::ProfitIndicator};

// The page loads only its own files, and no inline script or style (the style sheet
// places the controls); compiling the core's WebAssembly needs 'wasm-unsafe-eval'.
constexpr std::string_view kContentSecurityPolicy =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; object-src 'none'; base-uri 'none'; "
    "form-action 'none'";

// HTML-escaped text; the design texts hold no markup, but a caption may hold "&" one day.
std::string Escaped(std::string_view text) {
    constexpr std::array<std::pair<char, std::string_view>, 4> kEntities = {
        {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}}};
    std::string out;
    for (const char c : text) {
        const auto* entity = std::find_if(kEntities.begin(), kEntities.end(), [c](auto e) { return e.first == c; });
        if (entity == kEntities.end()) {
            out += c;
        } else {
            out += entity->second;
        }
    }
    return out;
}

// The page's margin around the window, in CSS pixels.
constexpr int kPageMargin = 8;

// Where the page is the window, control for control: a screen that holds the window
// and its margin, under a mouse or no pointer at all. Anywhere else (a phone, a tablet,
// a touch screen, a small browser window) the page's own arrangements apply
// (SCREENS.css), for a finger.
constexpr int kFitWidth = design::kClientWidth + 2 * kPageMargin;
constexpr int kFitHeight = design::kClientHeight + 2 * kPageMargin;
std::string WindowScreen() {
    return "(width >= " + std::to_string(kFitWidth) + "px) and (height >= " + std::to_string(kFitHeight) +
           "px) and (not (pointer: coarse))";
}
std::string OtherScreens() {
    return "(width < " + std::to_string(kFitWidth) + "px) or (height < " + std::to_string(kFitHeight) +
           "px) or (pointer: coarse)";
}

// What each control is, as the page's arrangements name it (data-part): they key on
// these names, never on the old form's names the elements carry as ids.
constexpr std::array<std::string_view, 8> kGroupParts = {"",      "quote", "status", "profit",
                                                         "chart", "order", "power",  "comment"};
constexpr std::array<std::string_view, kCountOf<LabelId>> kFieldParts = {
    "price",  "open",         "high",        "low",          "close",  "order-status",
    "amount", "profit-value", "power-value", "comment-text", "verdict"};
constexpr std::array<std::string_view, kCountOf<ButtonId>> kButtonParts = {"start", "end", "buy", "sell"};
constexpr std::array<std::string_view, kCountOf<SelectorId>> kSelectorParts = {"shares", "speed"};

std::string Part(std::string_view part) { return " data-part=\"" + std::string(part) + "\""; }

std::string TypeClass(Type type) { return (type.bold ? "b" : "r") + std::to_string(type.pixelSize); }

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

std::string Box(int left, int top, int width, int height) {
    return "left:" + Px(left) + ";top:" + Px(top) + ";width:" + Px(width) + ";height:" + Px(height);
}

// "#rrggbb", as the page's style writes a colour.
std::string Hex(design::Rgb rgb) {
    std::array<char, 8> hex{};
    std::snprintf(hex.data(), hex.size(), "#%02x%02x%02x", static_cast<unsigned>(rgb.red),
                  static_cast<unsigned>(rgb.green), static_cast<unsigned>(rgb.blue));
    return hex.data();
}

// The page's style from the design: each type the design uses, once, as a class, and
// the colours the design fixes as properties.
std::string DesignStyles() {
    std::set<std::pair<int, bool>> types = {{design::kVersionLine.type.pixelSize, design::kVersionLine.type.bold}};
    ForEachDesignText([&](std::string_view, Type type) { types.insert({type.pixelSize, type.bold}); });
    std::string css;
    for (const auto& [size, bold] : types) {
        // The line is as tall as the type, as in the window's labels. The frame of a
        // group box stands half a line of the window's font down, and that line is a
        // pixel taller than the type.
        css += "." + TypeClass({size, bold}) + "{font-size:" + Px(size) + ";line-height:" + Px(size) +
               ";font-weight:" + (bold ? "700" : "400") + ";--half:" + Px((size + 1) / 2) + "}\n";
    }
    // The colours the game writes, by the index of zemkari::Colour and named as the
    // replay tool names them. The window text is the page's own (page.css), as the
    // window takes the desktop's.
    css += ":root{";
    for (const Colour colour : design::kColours) {
        if (const auto rgb = design::RgbOf(colour))
            css += "--" + std::string(ColourName(colour)) + ":" + Hex(*rgb) + ";";
    }
    css += "--chart-line:" + Hex(design::kChartLineColour) + ";--face:" + Hex(design::kPageFace) + "}\n";
    for (const Colour colour : design::kColours) {
        css += "[data-colour=\"" + std::to_string(static_cast<int>(colour)) + "\"]{color:var(--" +
               std::string(ColourName(colour)) + ")}\n";
    }
    return css;
}

// `part` of `whole` in per cent, to a ten-thousandth of a per cent: well under a device
// pixel of any screen.
std::string Percent(int part, int whole) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.4f%%", 100.0 * part / whole);
    return text.data();
}

// The chart's surface and its axis labels, each where the window places it in the
// chart's group box.
std::vector<std::pair<std::string_view, design::Rect>> PlotContents() {
    std::vector<std::pair<std::string_view, design::Rect>> contents = {{design::kChartName, design::kChartRect}};
    for (const auto& label : design::kLabelDesigns) {
        if (label.container == design::kChartContainer)
            contents.emplace_back(label.name, design::Rect{label.x, label.top, label.width, label.height});
    }
    return contents;
}

// For the other screens: the plot is the box that just holds the surface and its axis
// labels, and keeps the window's proportions at whatever size their arrangement gives
// it (--plot-width and --plot-height); the surface and each label stand at their
// places in it in per cent, so the labels stay level with the chart's scale. The share
// counts stand fewest first wherever the items flow in a row.
std::string OtherScreensPlaces() {
    const auto contents = PlotContents();
    int left = design::kChartRect.left;
    int top = design::kChartRect.top;
    int right = left;
    int bottom = top;
    for (const auto& [name, r] : contents) {
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    }
    const int width = right - left;
    const int height = bottom - top;
    std::string css = "main{--plot-width:" + std::to_string(width) + ";--plot-height:" + std::to_string(height) + "}\n";
    for (const auto& [name, r] : contents) {
        css += "#" + std::string(name) + "{left:" + Percent(r.left - left, width) +
               ";top:" + Percent(r.top - top, height) + ";width:" + Percent(r.width, width) +
               ";height:" + Percent(r.height, height) + "}\n";
    }
    for (std::size_t rank = 0; rank < design::kSharesByQuantity.size(); ++rank) {
        css += "#" + design::ItemName(SelectorId::ShareQuantity, design::kSharesByQuantity[rank]) +
               "{order:" + std::to_string(rank) + "}\n";
    }
    return css;
}

class Page {
public:
    explicit Page(std::string_view caption) : caption_(caption) {}

    std::string Body() {
        out_.str({});
        places_.clear();
        Open(Container::Client);
        return out_.str();
    }

    // Where Body() put each control, as rules of the style sheet by the control's id.
    const std::string& Places() const { return places_; }

private:
    void Place(std::string_view id, std::string_view box) {
        places_ += "#" + std::string(id) + "{" + std::string(box) + "}\n";
    }

    // The controls of `container`, in the order of the form: the window's caption
    // line and market buttons, the group boxes with what they hold, the selectors.
    void Open(Container container) {
        if (container == Container::Client) Label(design::kVersionLine);
        // The chart's surface and its axes in a plot of their own, which the other
        // screens' arrangements scale as one.
        const bool chart = container == design::kChartContainer;
        if (chart) out_ << "<div class=\"plot\"" << Part("plot") << ">\n";
        for (const auto& label : design::kLabelDesigns) {
            if (label.container == container) Label(label);
        }
        for (const auto& button : design::kButtonDesigns) {
            if (button.container == container) Button(button);
        }
        if (chart) {
            Chart();
            out_ << "</div>\n";
        }
        if (container != Container::Client) return;
        for (const auto& group : design::kGroups) Group(group);
        for (const auto& selector : design::kSelectorDesigns) Selector(selector);
    }

    void Label(const design::LabelDesign& layout) {
        // A label that fits its text keeps the edge it grows from; any other keeps its width.
        const bool toLeft = layout.growth == design::Growth::ToLeft;
        const bool fits = toLeft || layout.growth == design::Growth::ToRight;
        const std::string style = "top:" + Px(layout.top) + ";height:" + Px(layout.height) +
                                  (toLeft ? ";right:" + Px(design::ContainerRect(layout.container).width - layout.x)
                                          : ";left:" + Px(layout.x)) +
                                  (fits ? "" : ";width:" + Px(layout.width));
        std::string kind = fits ? " fit" : layout.growth == design::Growth::Centred ? " centred" : "";
        if (layout.wraps) kind += " wrap";
        const bool version = &layout == &design::kVersionLine;
        const std::string_view text = version ? caption_ : layout.text;
        const std::string_view part = layout.field   ? kFieldParts[IndexOf(*layout.field)]
                                      : layout.heads ? "heading"
                                      : layout.container == design::kChartContainer ? "axis"
                                      : version                                     ? "version"
                                                                                    : "";
        // A field is an output, which names what it shows and whether it announces it.
        const std::string colour = " data-colour=\"" + std::to_string(static_cast<int>(layout.colour)) + "\"";
        std::string attributes = colour + Part(part);
        if (layout.field) {
            const bool announced =
                std::find(kAnnouncedFields.begin(), kAnnouncedFields.end(), *layout.field) != kAnnouncedFields.end();
            attributes = " data-field=\"" + std::to_string(IndexOf(*layout.field)) + "\"" + colour +
                         " aria-description=\"" + Escaped(design::Description(*layout.field)) + "\" aria-live=\"" +
                         (announced ? "polite" : "off") + "\"" + Part(part);
        }
        const std::string_view tag = layout.field ? "output" : "span";
        Place(layout.name, style);
        out_ << "<" << tag << " id=\"" << layout.name << "\" class=\"label " << TypeClass(layout.type) << kind << "\""
             << attributes << ">" << Escaped(text) << "</" << tag << ">\n";
    }

    void Button(const design::ButtonDesign& layout) {
        const std::string_view key = design::kButtonKeys[IndexOf(layout.id)].key;
        Place(layout.name, Box(layout.left, layout.top, layout.width, layout.height));
        out_ << "<button id=\"" << layout.name << "\" class=\"" << TypeClass(layout.type) << "\""
             << Part(kButtonParts[IndexOf(layout.id)]) << " data-button=\"" << IndexOf(layout.id) << "\" data-key=\""
             << key << "\" aria-keyshortcuts=\"" << key << "\" title=\"" << Escaped(layout.caption) << " (" << key
             << ")\"" << (layout.enabled ? "" : " disabled") << ">" << Escaped(layout.caption) << "</button>\n";
    }

    // The chart with its pen and its hatch; the page's module draws it.
    void Chart() {
        const design::Rect r = design::kChartRect;
        Place(design::kChartName, Box(r.left, r.top, r.width, r.height));
        out_ << "<canvas id=\"" << design::kChartName << "\" width=\"" << r.width << "\" height=\"" << r.height
             << "\" data-line-width=\"" << design::kChartLineWidth << "\" data-hatch-period=\"" << design::kHatchPeriod
             << "\" data-hatch-row=\"" << design::kHatchRow << "\"" << Part("surface")
             << " aria-hidden=\"true\"></canvas>\n";
    }

    void Frame(std::string_view name, std::string_view part, std::string_view title, Type type, design::Rect rect,
               std::string_view role, std::string_view hint, std::string_view attributes = {}) {
        out_ << "<div id=\"" << name << "\" class=\"group " << TypeClass(type) << "\"" << Part(part) << " role=\""
             << role << "\" aria-labelledby=\"" << name << "Title\"";
        if (!hint.empty()) out_ << " title=\"" << Escaped(title) << " (" << Escaped(hint) << ")\"";
        Place(name, Box(rect.left, rect.top, rect.width, rect.height));
        out_ << attributes << "><span id=\"" << name << "Title\" class=\"title\">" << Escaped(title) << "</span>\n";
    }

    void Group(const design::GroupDesign& layout) {
        Frame(layout.name, kGroupParts[static_cast<std::size_t>(layout.id)], layout.title, layout.type,
              design::ContainerRect(layout.id), "group", {});
        Open(layout.id);
        out_ << "</div>\n";
    }

    // The speed items one step faster (+) and slower (-) from speed item `item`, or from
    // none selected (-1), as the window steps them.
    static std::string SpeedSteps(int item) {
        return " data-faster=\"" + std::to_string(design::SteppedSpeed(item, -1)) + "\" data-slower=\"" +
               std::to_string(design::SteppedSpeed(item, +1)) + "\"";
    }

    // The keys that step the speed, each direction's apart.
    static std::string SpeedKeys() {
        std::string faster;
        std::string slower;
        for (const design::SpeedKey& binding : design::kSpeedKeys) {
            std::string& keys = binding.step < 0 ? faster : slower;
            keys += (keys.empty() ? "" : " ") + Escaped(binding.key);
        }
        return " data-faster-keys=\"" + faster + "\" data-slower-keys=\"" + slower + "\"";
    }

    // The key of each item: the digits pick the share counts fewest first; + and -
    // step the speeds, so each speed item, and the speed selector for none selected,
    // names the item each leads to.
    void Selector(const design::SelectorDesign& layout) {
        const bool shares = layout.id == SelectorId::ShareQuantity;
        const std::string selector = " data-selector=\"" + std::to_string(IndexOf(layout.id)) + "\"";
        Frame(layout.name, kSelectorParts[IndexOf(layout.id)], layout.title, layout.type,
              {layout.left, layout.top, layout.width, layout.height}, "radiogroup",
              shares ? design::kShareKeysHint : design::kSpeedKeysHint,
              shares ? selector : selector + SpeedSteps(-1) + SpeedKeys());
        for (int i = 0; i < static_cast<int>(layout.items.size()); ++i) {
            const design::Rect r = design::SelectorItemRect(layout, i);
            const std::string_view text = layout.items[static_cast<std::size_t>(i)].caption;
            const std::string item = design::ItemName(layout.id, i);
            Place(item, Box(r.left, r.top, r.width, r.height));
            out_ << "<label id=\"" << item << "\" class=\"item\"><input type=\"radio\" name=\"" << layout.name
                 << "\" value=\"" << i << "\"" << selector;
            if (shares) {
                const auto* rank = std::find(design::kSharesByQuantity.begin(), design::kSharesByQuantity.end(), i);
                const auto key = std::to_string(rank - design::kSharesByQuantity.begin() + 1);
                out_ << " data-key=\"" << key << "\" aria-keyshortcuts=\"" << key << "\"";
            } else {
                out_ << SpeedSteps(i);
            }
            out_ << (i == layout.selected ? " checked" : "") << ">" << Escaped(text) << "</label>\n";
        }
        out_ << "</div>\n";
    }

    std::string_view caption_;
    std::ostringstream out_;
    std::string places_;
};

// The web app manifest. Its addresses are relative to the manifest, so the site installs
// from whatever folder of a host serves it. The id is resolved against the origin alone,
// so it names the game: one installed Zemkari per origin, across versions.
std::string Manifest(const std::vector<std::string>& iconSizes) {
    std::ostringstream icons;
    for (const std::string_view purpose : {"any", "maskable"}) {
        for (const std::string& size : iconSizes) {
            icons << (icons.tellp() > 0 ? ",\n" : "") << "    {\"src\": \"zemkari-"
                  << (purpose == "any" ? "" : "maskable-") << size << ".png\", \"sizes\": \"" << size << "x" << size
                  << "\", \"type\": \"image/png\", \"purpose\": \"" << purpose << "\"}";
        }
    }
    const std::string name(design::kWindowTitle);
    const std::string face = Hex(design::kPageFace);
    return "{\n  \"name\": \"" + name + "\",\n  \"short_name\": \"" + name +
           "\",\n  \"id\": \"zemkari\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n  \"lang\": \"ja\",\n  \"theme_color\": \"" +
           face + "\",\n  \"background_color\": \"" + face + "\",\n  \"icons\": [\n" + icons.str() + "\n  ]\n}\n";
}

// Outside the board: what the player sees when the core cannot load or stops, with a
// button to try again, and the word that a newer version waits for the next load.
std::string Notices() {
    const auto text = [](PageTextId id) { return std::string(PageText(id)); };
    return "<div id=\"CoreFailure\" class=\"notice failure\" role=\"alert\" hidden>\n<p data-failure=\"load\">" +
           text(PageTextId::LoadFailed) + "</p>\n<p data-failure=\"run\">" + text(PageTextId::CoreStopped) +
           "</p>\n<button type=\"button\">" + text(PageTextId::Retry) + "</button>\n</div>\n" +
           "<p id=\"UpdateNotice\" class=\"notice update\" role=\"status\" hidden>" + text(PageTextId::NewVersion) +
           "</p>\n";
}

// The whole page: the form with every control `body` holds, and the notices. The form
// carries the facts of the game that the page's module needs: the timer's interval as
// the window opens, and the notice that a saved game could not be resumed with the field
// it shows in. The style is the style sheet's alone. The module binds the controls the
// first picture waits for, so it is fetched as early as the fonts and the style, not
// last as a deferred script would be. The manifest is not linked here: the module links
// it once the board is drawn, so that its fetch stays out of the first picture's way.
std::string Html(std::string_view body, std::string_view touchIconSize) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta http-equiv=\"Content-Security-Policy\" content=\"" << kContentSecurityPolicy << "\">\n"
         << "<title>" << design::kWindowTitle << "</title>\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1, viewport-fit=cover\">\n"
         << "<meta name=\"theme-color\" content=\"" << Hex(design::kPageFace) << "\">\n"
         << "<link rel=\"icon\" type=\"image/png\" href=\"zemkari.png\">\n"
         << "<link rel=\"apple-touch-icon\" href=\"zemkari-maskable-" << touchIconSize << ".png\">\n"
         << "<link rel=\"preload\" href=\"zemkari-regular.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
         << "<link rel=\"preload\" href=\"zemkari-bold.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
         << "<link rel=\"stylesheet\" href=\"zemkari.css\">\n"
         << "<script type=\"module\" src=\"zemkari.js\" fetchpriority=\"high\"></script>\n</head>\n<body>\n"
         << "<main id=\"" << design::kWindowName << "\" aria-label=\"" << design::kWindowTitle
         << "\" aria-busy=\"true\" data-interval=\"" << design::kDesignInterval << "\" data-resume-dropped=\""
         << PageText(PageTextId::ResumeDropped) << "\" data-notice-field=\"" << IndexOf(LabelId::Comment) << "\">\n"
         << body << "</main>\n"
         << Notices() << "</body>\n</html>\n";
    return html.str();
}

// The page's style sheet: `style` with the design's styles; where the window fits, the
// page's margin and every control's place in the window; elsewhere `screens`, the
// page's own arrangements, with the plot's places.
std::string Sheet(std::string_view style, std::string_view screens, std::string_view places) {
    return std::string(style) + DesignStyles() + "@media " + WindowScreen() + "{\nbody{padding:" + Px(kPageMargin) +
           "}\n#" + std::string(design::kWindowName) + "{width:" + Px(design::kClientWidth) +
           ";height:" + Px(design::kClientHeight) + "}\n" + std::string(places) + "}\n@media " + OtherScreens() +
           "{\n" + OtherScreensPlaces() + std::string(screens) + "}\n";
}

}  // namespace
}  // namespace zemkari::web

int main(int argc, char** argv) {
    using namespace zemkari;
    const std::vector<std::string> iconSizes(argv + std::min(argc, 5), argv + argc);
    const auto notSize = [](const std::string& size) {
        return size.empty() || size.find_first_not_of("0123456789") != std::string::npos;
    };
    if (argc < 6 || std::any_of(iconSizes.begin(), iconSizes.end(), notSize)) {
        std::cerr << "usage: make_page STYLE.css SCREENS.css VERSION SITE ICON_SIZE...\n";
        return 2;
    }
    const std::optional<std::string> style = web::ReadFile(argv[1]);
    const std::optional<std::string> screens = web::ReadFile(argv[2]);
    if (!style || !screens) {
        std::cerr << "make_page: cannot read " << argv[style ? 2 : 1] << "\n";
        return 1;
    }
    const std::string versionLine = design::VersionLine(argv[3]);
    web::Page page(versionLine);
    const std::string body = page.Body();
    const std::string site = argv[4];
    const std::pair<std::string, std::string> files[] = {
        {site + "/index.html", web::Html(body, iconSizes.front())},
        {site + "/zemkari.css", web::Sheet(*style, *screens, page.Places())},
        {site + "/zemkari.webmanifest", web::Manifest(iconSizes)},
    };
    for (const auto& [path, text] : files) {
        if (!web::WriteFile(path.c_str(), text)) {
            std::cerr << "make_page: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
