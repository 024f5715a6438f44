#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "zemkari/design/selector_items.h"
#include "zemkari/design/texts.h"
#include "zemkari/market_state.h"

namespace zemkari {

// What the timer falls back to when it refuses a speed.
inline constexpr int kFallbackInterval = 1000;

using design::kBaseCapital;
inline constexpr Money kLimitCloseBonus = 300;  // per share, paid or charged at a limit close

// A mentor's comment on the funds after a sale: shown when lower < funds < upper.
struct Milestone {
    Money lower;
    Money upper;
    std::string_view message;
};
inline constexpr Money kNoUpperBound = std::numeric_limits<Money>::max();

// The bands leave gaps (999 and 1000, 1499 and 1500, ...) where nothing is said.
// NOLINTNEXTLINE(readability-identifier-naming): the rules' own name for the table
inline constexpr std::array<Milestone, 18> MilestoneComments = {{
    Milestone{500, 999, "５００万円突破じゃ～！売り買いは腹八分。謙虚な気持ちを大切にな"},
    Milestone{1000, 1499,
              "１０００万円突破じゃ～！お主なかなかやるの～。だがまだ300％ほどの利益じゃ。次は１５００万を目標に頑張り"
              "なされ"},
    Milestone{1500, 1999,
              "１５００万円突破じゃ～！だいぶ相場のトレンドというものを把握出来てきた様じゃな。次は２０００万じゃ！"},
    Milestone{2000, 2999,
              "２０００万円突破じゃ～！順調じゃの～。お主には相場を読みぬく才能があるやもしれん！次は３０００万じゃ！"},
    Milestone{3000, 3999,
              "３０００万円突破じゃ～！ちょうど資産１０倍達成じゃの～！いや～めでたい事じゃこれからも気を抜く出ないぞ！"
              "次は４０００万じゃ！"},
    Milestone{4000, 4999,
              "４０００万円突破じゃ～！もうかなり増やしたの～。ここまでくると目指すのは大台の５０００万じゃな！"},
    Milestone{5000, 5999,
              "５０００万円突破じゃ～！お主にはまいったの～。まさかここまですごいパフォーマンスを発揮するとは思ってなか"
              "ったぞ！次は６０００万じゃ！"},
    Milestone{6000, 6999,
              "６０００万円突破じゃ～！ちょうど２０倍達成じゃな！元本３００万円からスタートしてここまでくるとは恐れいっ"
              "たわい"},
    Milestone{7000, 7999, "７０００万円突破じゃ～！順調順調！！このまま８０００万達成じゃ～！！"},
    Milestone{8000, 8999, "８０００万円突破じゃ～！９０００万は目前じゃ！気を抜くでないぞ～！"},
    Milestone{9000, 9999, "９０００万円突破じゃ～！いよいよ１億円への挑戦じゃ！億トレーダー目指して頑張るのじゃ！"},
    Milestone{10000, 19999,
              "１億円突破じゃ～！お主も来るところまで来たの～。もう立派な投資家じゃよ。じゃがどんな世界にも上には上がい"
              "るものじゃ。次は２億円じゃ！"},
    Milestone{20000, 29999,
              "２億円突破じゃ～！ついにやったの～！もう一生働かなくても暮らせるぞい！今後は国債や外債を買って安定的に・"
              "・・。という前に３億円達成を目指してみてはどうじゃろう？お主なら出来そうじゃ！"},
    Milestone{30000, 99999,
              "３億円突破じゃ～！もう何も言う事は無いの～。お主は立派な相場師じゃよ！これからもガンガン資産を増やしてい"
              "け～い！"},
    Milestone{100000, 499999, "１０億円突破。１０億円の重さは約１００㎏！縦に積み重ねると１０ｍ！はぁ～１０億ほしー"},
    Milestone{500000, 999999,
              "５０億円突破。新幹線が買えるぞ～。自家用新幹線で日本を縦断！うまい棒が５億本買える！毎日１０本食べても５"
              "０００万年かかる！"},
    Milestone{1000000, 2999999,
              "１００億円突破！！神！目指せＱ・Ｘ・Ｚ！ちなみにＱＸＺはザンドル・クヴェルトマンの略称。彼は５０００万ド"
              "ルの追証を発生させ市場を撤退したらしい。そんな追証発生したら樹海逝きじゃ"},
    Milestone{3000000, kNoUpperBound,
              "３００億円突破！ついにここまできおったか。個人で持つには額が大きすぎるの～。どうじゃファンドを起こしてみ"
              "ては？"},
}};

// The comment for the funds after a sale, if their band has one.
constexpr std::optional<std::string_view> MilestoneComment(Money funds) {
    for (const Milestone& m : MilestoneComments) {
        if (funds > m.lower && funds < m.upper) return m.message;
    }
    return std::nullopt;
}

}  // namespace zemkari
