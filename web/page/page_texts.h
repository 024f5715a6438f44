#pragma once

#include <array>
#include <string_view>

#include "zemkari/design/controls.h"

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
constexpr std::string_view PageText(PageTextId id) { return kPageTexts[design::IndexOf(id)]; }

}  // namespace zemkari::web
