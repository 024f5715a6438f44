// Writes what the browser tests expect of the page, as the window's design says it, to
// a JSON file: `web_design_facts OUT.json`. The tests read it rather than keep copies.
#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <utility>

#include "zemkari/design/keys.h"
#include "zemkari/design/window.h"

namespace {

namespace design = zemkari::design;
using design::ButtonId;
using design::LabelId;
using design::SelectorId;
using Json = nlohmann::ordered_json;  // keys in the order written

// The words of the replay scripts that click the buttons and pick a selector's item.
constexpr std::array<std::pair<ButtonId, const char*>, zemkari::kCountOf<ButtonId>> kButtonWords = {{
    {ButtonId::StartMarket, "start"},
    {ButtonId::EndMarket, "end"},
    {ButtonId::Buy, "buy"},
    {ButtonId::Sell, "sell"},
}};
constexpr std::array<std::pair<SelectorId, const char*>, zemkari::kCountOf<SelectorId>> kSelectorWords = {{
    {SelectorId::ShareQuantity, "qty"},
    {SelectorId::GameSpeed, "speed"},
}};

// The fields a screen reader reads out as they change: what the game tells of the order,
// the comment and the verdict on a trade; the prices and money it reads when asked.
constexpr std::array kAnnounced = {LabelId::OrderStatus, LabelId::Comment, LabelId::ProfitIndicator};

Json Items(std::span<const design::SelectorItem> items) {
    Json out = Json::array();
    for (const design::SelectorItem& item : items) out.push_back({{"value", item.value}, {"caption", item.caption}});
    return out;
}

Json Facts() {
    Json facts = {{"title", design::kWindowTitle},
                  {"client", {design::kClientWidth, design::kClientHeight}},
                  {"descriptions", Json::array()},
                  {"announced", Json::array()},
                  {"speed_keys", Json::object()}};
    for (std::size_t i = 0; i < zemkari::kCountOf<LabelId>; ++i)
        facts["descriptions"].push_back(design::Description(static_cast<LabelId>(i)));
    for (const LabelId field : kAnnounced) facts["announced"].push_back(design::Description(field));
    for (const auto& [button, word] : kButtonWords) {
        facts["buttons"][word] = {{"caption", design::DesignOf(button).caption},
                                  {"key", design::kButtonKeys[design::IndexOf(button)].key}};
    }
    for (const auto& [selector, word] : kSelectorWords) {
        const design::SelectorDesign& layout = design::DesignOf(selector);
        facts["selectors"][word] = {{"caption", layout.title}, {"items", Items(layout.items)}};
    }
    for (const design::SpeedKey& key : design::kSpeedKeys) facts["speed_keys"][std::string(key.key)] = key.step;
    return facts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: web_design_facts OUT.json\n");
        return 2;
    }
    std::ofstream out(argv[1]);
    out << Facts().dump(2) << "\n";
    out.close();
    return out ? 0 : 1;
}
