// The window the browser page must match: `web_chart_reference SCRIPT OUT.png` plays a
// replay script through the real window (offscreen) and writes its chart, the picture
// the page's canvas must match; `web_chart_reference --facts OUT.json` writes what the
// browser tests expect of the page from the window's design, so that they keep no copies.
#include <QImage>
#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>

#include "page_texts.h"
#include "ui_test_support.h"
#include "window_script.h"
#include "zemkari/design/keys.h"
#include "zemkari/design/window.h"
#include "zemkari/replay/script.h"
#include "zemkari/ui/price_chart.h"

namespace {

namespace design = zemkari::design;
using design::ButtonId;
using design::LabelId;
using design::SelectorId;
using Json = nlohmann::ordered_json;  // keys in the order written

// The replay scripts' events that click the buttons and pick a selector's item.
using Kind = zemkari::PlayerEvent::Kind;
constexpr std::array<std::pair<ButtonId, Kind>, zemkari::kCountOf<ButtonId>> kButtonEvents = {
    {{ButtonId::StartMarket, Kind::Start},
     {ButtonId::EndMarket, Kind::End},
     {ButtonId::Buy, Kind::Buy},
     {ButtonId::Sell, Kind::Sell}}};
constexpr std::array<std::pair<SelectorId, Kind>, zemkari::kCountOf<SelectorId>> kSelectorEvents = {
    {{SelectorId::ShareQuantity, Kind::SelectShares}, {SelectorId::GameSpeed, Kind::SelectSpeed}}};

// The page's notices, by the names the browser tests give them.
constexpr std::array<std::pair<zemkari::web::PageTextId, const char*>, 4> kNoticeNames = {
    {{zemkari::web::PageTextId::LoadFailed, "load_failed"},
     {zemkari::web::PageTextId::CoreStopped, "core_stopped"},
     {zemkari::web::PageTextId::Retry, "retry"},
     {zemkari::web::PageTextId::NewVersion, "new_version"}}};

// The fields a screen reader reads out as they change: what the game tells of the order,
// the comment and the verdict on a trade; the prices and money it reads when asked.
constexpr std::array kAnnounced = {LabelId::OrderStatus, LabelId::Comment, LabelId::ProfitIndicator};

Json Facts(zemkari::app::GameWindow& window) {
    Json facts = {{"title", design::kWindowTitle}, {"client", {design::kClientWidth, design::kClientHeight}}};
    for (std::size_t i = 0; i < zemkari::kCountOf<LabelId>; ++i)
        facts["descriptions"].push_back(design::Description(static_cast<LabelId>(i)));
    for (const LabelId field : kAnnounced) facts["announced"].push_back(design::Description(field));
    for (const auto& [button, event] : kButtonEvents) {
        facts["buttons"][std::string(zemkari::replay::CommandWord(event))] = {
            {"caption", design::DesignOf(button).caption}, {"key", design::kButtonKeys[design::IndexOf(button)].key}};
    }
    for (const auto& [selector, event] : kSelectorEvents) {
        const std::string word(zemkari::replay::CommandWord(event));
        const design::SelectorDesign& layout = design::DesignOf(selector);
        facts["selectors"][word]["caption"] = layout.title;
        for (const design::SelectorItem& item : layout.items)
            facts["selectors"][word]["items"].push_back({{"value", item.value}, {"caption", item.caption}});
    }
    for (const auto& [notice, name] : kNoticeNames) facts["notices"][name] = zemkari::web::PageText(notice);
    for (const design::SpeedKey& key : design::kSpeedKeys) facts["speed_keys"][std::string(key.key)] = key.step;
    // The colour the window gives a label for each the game writes, by its replay name.
    constexpr LabelId kField = LabelId::Comment;
    const auto& label = zemkari::testing::Control<QLabel>(window, kField);
    for (const zemkari::Colour colour : design::kColours) {
        window.Board().SetColour(kField, colour);
        const QColor shown = label.palette().color(QPalette::WindowText);
        facts["colours"][std::string(design::ColourName(colour))] = {shown.red(), shown.green(), shown.blue()};
    }
    return facts;
}

}  // namespace

int main(int argc, char** argv) {
    const bool facts = argc == 3 && std::string_view(argv[1]) == "--facts";
    if (argc != 3) {
        std::fprintf(stderr, "usage: web_chart_reference SCRIPT OUT.png | --facts OUT.json\n");
        return 2;
    }
    int qtArgc = 1;
    zemkari::app::GameApplication application(qtArgc, argv);
    zemkari::FixedClock clock;
    zemkari::app::GameWindow window(clock);
    if (facts) {
        std::ofstream out(argv[2]);
        out << Facts(window).dump(2) << "\n";
        out.close();
        return out ? 0 : 1;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "web_chart_reference: cannot read %s\n", argv[1]);
        return 2;
    }
    if (const auto unplayable = zemkari::testing::PlayScript(window, clock, script)) {
        std::fprintf(stderr, "web_chart_reference: no player can do \"%s\"\n", unplayable->c_str());
        return 2;
    }
    const auto& chart = zemkari::testing::Control<zemkari::ui::PriceChart>(window, zemkari::design::kChartName);
    return chart.Picture().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
