#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

// What the page's two build programs (make_page, font_characters) share.
namespace zemkari::web {

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
