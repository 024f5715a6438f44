#pragma once

#include <string_view>

// Every text the game writes, exactly as the player sees it.
namespace zemkari::texts {

// Money is shown as a whole number of 万円 followed by this unit.
inline constexpr std::string_view kManYen = "万円";

// Comment box at the start of a day: the rules of the game.
inline constexpr std::string_view kRules =
    "値幅上限２５０万円　値幅下限０円　Ｓ高引けの場合ボーナス+"
    "３００万円！Ｓ安の場合ペナルティー－３００万円・・・。追証に注意・・・！余力がゼロまたはマイナスになった時点で終了"
    "です。";

// Order status.
inline constexpr std::string_view kNoOrder = "発注無し";
inline constexpr std::string_view kFilledSuffix = "株約定";  // after the share count
inline constexpr std::string_view kLapsed = "失効";
inline constexpr std::string_view kMarginCall = "追証";

// Comment box when an order lapses or the funds run out.
inline constexpr std::string_view kFundsShort = "余力が足りません";
inline constexpr std::string_view kGameOver = "樹海逝き";

// Comment box after the closing settlement.
inline constexpr std::string_view kLimitUpClose =
    "Ｓ高ボーナス現在値＋３００万円！今日の取引はここまで。株式は売却されました。約定代金は翌営業日に余力に反映されま"
    "す";
inline constexpr std::string_view kLimitDownClose =
    "Ｓ安ペナルティー現在値-"
    "３００万円・・・。今日の取引はここまで。株式は売却されました。約定代金は翌営業日に余力に反映されます";
inline constexpr std::string_view kOrdinaryClose =
    "今日の取引はここまで。株式は売却されました。約定代金は翌営業日に余力に反映されます";

// Profit indicator after a closed trade.
inline constexpr std::string_view kProfitTaken = "利確";
inline constexpr std::string_view kLossCut = "損切り";

// Reported when the window system has no timer left for the market clock.
inline constexpr std::string_view kNoTimer = "タイマーを取得できません";
// Reported when the timer refuses even the fallback game speed.
inline constexpr std::string_view kNoTimerInterval = "タイマーの間隔を設定できません";

}  // namespace zemkari::texts
