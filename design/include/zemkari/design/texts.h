#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "zemkari/design/controls.h"

// Every text the game writes, exactly as the player sees it, and the fields that show
// it: the core writes them, the window and the page open with some of them, and the
// page's font holds every character of them.
namespace zemkari::design {

enum class TextId {
    ManYen,
    Rules,
    NoOrder,
    FilledSuffix,
    Lapsed,
    MarginCall,
    FundsShort,
    GameOver,
    LimitUpClose,
    LimitDownClose,
    OrdinaryClose,
    ProfitTaken,
    LossCut,
    NoTimer,
    NoTimerInterval,
    Count
};

// Where a text shows. A field shows numbers (digits and "-") and its texts, whole or
// after a number; a text of no field shows in a message box.
inline constexpr std::array kInMoneyFields = {LabelId::AmountCommitted, LabelId::UnrealizedProfit,
                                              LabelId::BuyingPower};
inline constexpr std::array kInOrderStatus = {LabelId::OrderStatus};
inline constexpr std::array kInComment = {LabelId::Comment};
inline constexpr std::array kInProfitIndicator = {LabelId::ProfitIndicator};
inline constexpr std::span<const LabelId> kInMessageBox = {};

struct GameText {
    TextId id;
    std::string_view text;
    std::span<const LabelId> fields;
};

inline constexpr std::array<GameText, kCountOf<TextId>> kTexts = {{
    // Money is shown as a whole number of 万円 followed by this unit.
    {TextId::ManYen, "万円", kInMoneyFields},
    // Comment box at the start of a day: the rules of the game.
    {TextId::Rules,
     "値幅上限２５０万円　値幅下限０円　Ｓ高引けの場合ボーナス+"
     "３００万円！Ｓ安の場合ペナルティー－３００万円・・・。追証に注意・・・！余力がゼロまたはマイナスになった時点で終"
     "了です。",
     kInComment},
    // Order status.
    {TextId::NoOrder, "発注無し", kInOrderStatus},
    {TextId::FilledSuffix, "株約定", kInOrderStatus},  // after the share count
    {TextId::Lapsed, "失効", kInOrderStatus},
    {TextId::MarginCall, "追証", kInOrderStatus},
    // Comment box when an order lapses or the funds run out.
    {TextId::FundsShort, "余力が足りません", kInComment},
    {TextId::GameOver, "樹海逝き", kInComment},
    // Comment box after the closing settlement.
    {TextId::LimitUpClose,
     "Ｓ高ボーナス現在値＋３００万円！今日の取引はここまで。株式は売却されました。約定代金は翌営業日に余力に反映されま"
     "す",
     kInComment},
    {TextId::LimitDownClose,
     "Ｓ安ペナルティー現在値-"
     "３００万円・・・。今日の取引はここまで。株式は売却されました。約定代金は翌営業日に余力に反映されます",
     kInComment},
    {TextId::OrdinaryClose, "今日の取引はここまで。株式は売却されました。約定代金は翌営業日に余力に反映されます",
     kInComment},
    // Profit indicator after a closed trade.
    {TextId::ProfitTaken, "利確", kInProfitIndicator},
    {TextId::LossCut, "損切り", kInProfitIndicator},
    // Reported when the window system has no timer left for the market clock.
    {TextId::NoTimer, "タイマーを取得できません", kInMessageBox},
    // Reported when the timer refuses even the fallback game speed.
    {TextId::NoTimerInterval, "タイマーの間隔を設定できません", kInMessageBox},
}};
static_assert(
    [] {
        for (std::size_t i = 0; i < kTexts.size(); ++i) {
            if (IndexOf(kTexts[i].id) != i || kTexts[i].text.empty()) return false;
        }
        return true;
    }(),
    "kTexts lists every text in the order of TextId");

consteval std::string_view TextOf(TextId id) { return kTexts[IndexOf(id)].text; }

// The funds every game starts with, in 万円.
inline constexpr int kBaseCapital = 300;

// kBaseCapital as the game writes money, "300万円": the buying power as the window opens.
inline constexpr auto kBaseCapitalCharacters = [] {
    constexpr std::string_view kUnit = TextOf(TextId::ManYen);
    constexpr std::size_t kDigits = [] {
        std::size_t count = 1;
        for (int rest = kBaseCapital; rest >= 10; rest /= 10) ++count;
        return count;
    }();
    std::array<char, kDigits + kUnit.size()> text{};
    int rest = kBaseCapital;
    for (std::size_t i = kDigits; i-- > 0; rest /= 10) text[i] = static_cast<char>('0' + rest % 10);
    for (std::size_t i = 0; i < kUnit.size(); ++i) text[kDigits + i] = kUnit[i];
    return text;
}();
inline constexpr std::string_view kBaseCapitalText(kBaseCapitalCharacters.data(), kBaseCapitalCharacters.size());

}  // namespace zemkari::design
