// Lists every character the page can show, each face of the game's font apart, for the
// font subset: the design's texts and every text the core can write. Built for Node.js
// and run by the build:
//   font_characters VERSION REGULAR.txt BOLD.txt
#include <array>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "page_build.h"
#include "zemkari/design/window.h"
#include "zemkari/headless_board.h"
#include "zemkari/headless_game.h"
#include "zemkari/rules.h"
#include "zemkari/scenarios.h"
#include "zemkari/texts.h"

namespace zemkari::web {
namespace {

// Every text the core can write: numbers are plain decimal with a leading "-".
constexpr std::array<std::string_view, 16> kCoreTexts = {
    "0123456789-",        texts::kManYen,       texts::kRules,          texts::kNoOrder,
    texts::kFilledSuffix, texts::kLapsed,       texts::kMarginCall,     texts::kFundsShort,
    texts::kGameOver,     texts::kLimitUpClose, texts::kLimitDownClose, texts::kOrdinaryClose,
    texts::kProfitTaken,  texts::kLossCut,      texts::kNoTimer,        texts::kNoTimerInterval,
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
    for (int row = 0; row < kScenarioCount; ++row) {
        for (const int buyAt : {2, 12, 30, 45}) {
            for (const int holdFor : {1, 5, 60}) {
                using Kind = PlayerEvent::Kind;
                HeadlessGame game;
                const auto play = [&](Kind kind, int times) {
                    for (int i = 0; i < times; ++i) game.Deliver({kind, 0}), record(game);
                };
                game.Deliver({Kind::Start, static_cast<int>(FirstMillisecondDrawing(row))});
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
    for (const auto& selector : design::kSelectorDesigns) {
        if (!selector.type.bold) continue;
        all += selector.title;
        for (int i = 0; i < selector.itemCount; ++i) all += selector.items[static_cast<std::size_t>(i)];
    }
    for (const std::string& text : BoldFieldTexts()) all += text;
    return all;
}

// Every character the page shows in the regular face: the design's texts, all the core
// can write and the page's own notices.
std::string Characters(std::string_view versionLine) {
    std::vector<std::string_view> texts(kCoreTexts.begin(), kCoreTexts.end());
    texts.push_back(versionLine);
    for (const auto& group : design::kGroups) texts.push_back(group.title);
    for (const auto& label : design::kLabelDesigns) texts.push_back(label.text);
    for (const auto& button : design::kButtonDesigns) texts.push_back(button.caption);
    for (const auto& selector : design::kSelectorDesigns) {
        texts.push_back(selector.title);
        for (int i = 0; i < selector.itemCount; ++i) texts.push_back(selector.items[static_cast<std::size_t>(i)]);
    }
    for (const auto& milestone : MilestoneComments) texts.push_back(milestone.message);
    for (const std::string_view text : {page_texts::kLoadFailed, page_texts::kCoreStopped, page_texts::kRetry,
                                        page_texts::kNewVersion, page_texts::kResumeDropped}) {
        texts.push_back(text);
    }
    std::string all;
    for (const std::string_view text : texts) all += text;
    return all;
}

}  // namespace
}  // namespace zemkari::web

int main(int argc, char** argv) {
    using namespace zemkari;
    if (argc != 4) {
        std::cerr << "usage: font_characters VERSION REGULAR.txt BOLD.txt\n";
        return 2;
    }
    const bool written = web::WriteFile(argv[2], web::Characters(design::VersionLine(argv[1])) + '\n') &&
                         web::WriteFile(argv[3], web::BoldCharacters() + '\n');
    if (!written) {
        std::cerr << "font_characters: cannot write the lists\n";
        return 1;
    }
    return 0;
}
