// Lists every character the page can show, each face of the game's font apart, for the
// font subset. Whatever the page shows is a text of one of the text tables (the design's,
// the game's, the mentor's comments, the page's own notices), a number of digits and
// "-", or such a number followed by a text of the game; so the lists are those tables'
// characters. Built for Node.js and run by the build:
//   font_characters VERSION REGULAR.txt BOLD.txt
#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>

#include "page_build.h"
#include "page_texts.h"
#include "zemkari/design/texts.h"
#include "zemkari/design/window.h"
#include "zemkari/rules.h"

namespace zemkari::web {
namespace {

constexpr std::string_view kNumbers = "0123456789-";

// The characters the page shows in the bold face: the design's bold texts, numbers, and
// the texts of the game that show in a bold field.
std::string BoldCharacters() {
    std::string all(kNumbers);
    ForEachDesignText([&](std::string_view text, design::Type type) {
        if (type.bold) all += text;
    });
    const auto bold = [](LabelId field) { return design::DesignOf(field).type.bold; };
    for (const design::GameText& text : design::kTexts) {
        if (std::any_of(text.fields.begin(), text.fields.end(), bold)) all += text.text;
    }
    // The mentor's comments show in the comment box.
    if (bold(LabelId::Comment)) {
        for (const Milestone& milestone : MilestoneComments) all += milestone.message;
    }
    return all;
}

// Every character the page shows in the regular face: those of every text table, the
// version line and numbers.
std::string Characters(std::string_view versionLine) {
    std::string all(kNumbers);
    all += versionLine;
    ForEachDesignText([&](std::string_view text, design::Type) { all += text; });
    for (const design::GameText& text : design::kTexts) all += text.text;
    for (const Milestone& milestone : MilestoneComments) all += milestone.message;
    for (const std::string_view text : kPageTexts) all += text;
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
