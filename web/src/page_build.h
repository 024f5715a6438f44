#pragma once

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
namespace page_texts {
inline constexpr std::string_view kLoadFailed = "ゲームを読み込めませんでした。";
inline constexpr std::string_view kCoreStopped = "エラーでゲームが止まりました。";
inline constexpr std::string_view kRetry = "再試行";
inline constexpr std::string_view kNewVersion = "新しい版があります。再読み込みで更新されます。";
inline constexpr std::string_view kResumeDropped = "前回のゲームを再開できませんでした。";
}  // namespace page_texts

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
