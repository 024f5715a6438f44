#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "zemkari/design/window.h"

// What the page's two build programs (make_page, font_characters) share.
namespace zemkari::web {

// Every text of the design but the version line, each with its type.
template <typename Add>
void ForEachDesignText(Add add) {
    for (const auto& group : design::kGroups) add(group.title, group.type);
    for (const auto& label : design::kLabelDesigns) add(label.text, label.type);
    for (const auto& button : design::kButtonDesigns) add(button.caption, button.type);
    for (const auto& selector : design::kSelectorDesigns) {
        add(selector.title, selector.type);
        for (const auto& item : selector.items) add(item.caption, selector.type);
    }
}

// The whole file, or nothing when it cannot be opened: a page without its style must
// not pass for a page.
inline std::optional<std::string> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes `text` as the whole file; false unless all of it reached the file, the last
// buffer's flush included.
inline bool WriteFile(const char* path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

}  // namespace zemkari::web
