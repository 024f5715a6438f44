#pragma once

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "zemkari/design/window.h"

// What the page's two build programs (make_page, font_characters) share.
namespace zemkari::web {

// The page's own texts, beside the game's: the core failing to load or stopping, a
// newer version of the site waiting for the next load, and a saved game that could not
// be resumed (shown in the comment box).
enum class PageTextId { LoadFailed, CoreStopped, Retry, NewVersion, ResumeDropped, Count };
// In the order of PageTextId.
inline constexpr std::array<std::string_view, design::kCountOf<PageTextId>> kPageTexts = {
    "ゲームを読み込めませんでした。",
    "エラーでゲームが止まりました。",
    "再試行",
    "新しい版があります。再読み込みで更新されます。",
    "前回のゲームを再開できませんでした。",
};
constexpr std::string_view PageText(PageTextId id) { return kPageTexts[IndexOf(id)]; }

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
