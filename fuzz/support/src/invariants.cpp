#include "zemkari/fuzz/invariants.h"

#include <algorithm>
#include <charconv>

#include "zemkari/quoted.h"
#include "zemkari/rules.h"
#include "zemkari/scenarios.h"

namespace zemkari::fuzz {

using design::TextId;

namespace {

using Verdict = std::optional<std::string>;

std::string Field(const char* name, std::int64_t value) { return std::string(name) + " " + std::to_string(value); }

constexpr std::array kQuoteLabels = {LabelId::CurrentPrice, LabelId::OpeningPrice, LabelId::HighPrice,
                                     LabelId::LowPrice, LabelId::ClosingPrice};

bool IsShareQuantity(std::int64_t qty) { return design::StandsFor(design::ShareQuantities, qty); }

bool IsOrderStatus(std::string_view text) {
    if (text == TextOf(TextId::NoOrder) || text == TextOf(TextId::Lapsed) || text == TextOf(TextId::MarginCall))
        return true;
    if (!text.ends_with(TextOf(TextId::FilledSuffix))) return false;
    const auto qty = ParseWhole(text.substr(0, text.size() - TextOf(TextId::FilledSuffix).size()));
    return qty && IsShareQuantity(*qty);
}

// A field shows nothing, a number, or one of the game's texts for it, whole or after a
// number; the comment box shows the mentor's comments too. The page's font holds the
// characters of exactly these.
bool IsTextOfField(LabelId field, std::string_view text) {
    const std::string_view words = text.substr(std::min(text.find_first_not_of("0123456789-"), text.size()));
    if (words.empty()) return true;
    const auto shownHere = [&](const design::GameText& game) {
        return game.text == words && std::find(game.fields.begin(), game.fields.end(), field) != game.fields.end();
    };
    if (std::any_of(design::kTexts.begin(), design::kTexts.end(), shownHere)) return true;
    return field == LabelId::Comment && std::any_of(MilestoneComments.begin(), MilestoneComments.end(),
                                                    [&](const Milestone& m) { return m.message == text; });
}

// The price the tick that starts with TickCount = c shows as the current price.
std::int64_t PriceShownByTick(const MarketState& state, std::int64_t c) {
    if (c <= 0) return kOpeningQuote;
    return state.Prices[static_cast<int>(std::min<std::int64_t>(c, kPointsPerDay))];
}

std::int64_t SettledUnitProfit(const MarketState& before) {
    const int close = before.Prices[kPointsPerDay];
    const std::int64_t bonus = close == kLimitUpPrice     ? kLimitCloseBonus
                               : close == kLimitDownPrice ? -kLimitCloseBonus
                                                          : 0;
    return close - before.EntryPrice + bonus;
}

bool IsTick(const Applied& applied) { return !applied.skipped && applied.event.kind == PlayerEvent::Kind::Tick; }

}  // namespace

Observation Observation::Of(const MarketState& state, const HeadlessBoard& board) {
    Observation seen;
    seen.state = state;
    for (const auto& label : design::kLabelControls) seen.texts[IndexOf(label.id)] = board.Text(label.id);
    for (const auto& button : design::kButtonControls) seen.buttons[IndexOf(button.id)] = board.IsEnabled(button.id);
    return seen;
}

std::optional<std::int64_t> ParseWhole(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end) return std::nullopt;
    return value;
}

std::optional<std::int64_t> ParseMoney(std::string_view text) {
    if (!text.ends_with(TextOf(TextId::ManYen))) return std::nullopt;
    return ParseWhole(text.substr(0, text.size() - TextOf(TextId::ManYen).size()));
}

std::optional<std::string> InvariantChecker::Check(const Observation& before, const Applied& applied,
                                                   const Observation& after) {
    Verdict verdict = CheckButtons(after);
    if (!verdict) verdict = CheckFields(after);
    if (!verdict && !bought_ && !applied.skipped && applied.event.kind == PlayerEvent::Kind::Buy &&
        !IsShareQuantity(after.state.OrderQty)) {
        verdict = Field("the first buy leaves OrderQty", after.state.OrderQty) + ", not a share quantity";
    }
    if (!verdict) verdict = CheckProfitBooking(before, applied, after);
    if (!verdict && IsTick(applied) && !applied.failed) verdict = CheckTick(before, after);
    if (!verdict && IsTick(applied) && applied.failed && after.state.TickCount != before.state.TickCount) {
        verdict = "a failed tick advanced TickCount";
    }
    if (!verdict && !applied.skipped && applied.event.kind == PlayerEvent::Kind::Buy) verdict = CheckBuy(after);
    if (!verdict) verdict = CheckTexts(applied, after);
    if (!verdict && broke_ && AvailableFunds(after.state) >= 1) {
        verdict = Field("after a tick found the funds exhausted, the funds rose to", AvailableFunds(after.state));
    }
    Remember(applied, after);
    return verdict;
}

std::optional<std::string> InvariantChecker::CheckButtons(const Observation& after) const {
    const bool sell = after.On(ButtonId::Sell);
    if (sell != (after.state.EntryPrice > 0)) {
        return std::string("sell button ") + (sell ? "on" : "off") + " while " +
               Field("EntryPrice", after.state.EntryPrice);
    }
    if (after.On(ButtonId::StartMarket) == sell || after.On(ButtonId::EndMarket) == sell) {
        return std::string("start/end buttons ") + (after.On(ButtonId::StartMarket) ? "on" : "off") + "/" +
               (after.On(ButtonId::EndMarket) ? "on" : "off") + " while sell is " + (sell ? "on" : "off");
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckFields(const Observation& after) const {
    const MarketState& s = after.state;
    if (s.EntryPrice != 0) {
        if (s.EntryPrice < 1 || s.EntryPrice > kLimitUpPrice) return Field("EntryPrice out of range:", s.EntryPrice);
        if (!shownToday_.test(static_cast<std::size_t>(s.EntryPrice))) {
            return Field("EntryPrice", s.EntryPrice) + " is no price the day has shown";
        }
    }
    if (s.ScenarioIndex < 0 || s.ScenarioIndex >= kScenarioCount) return Field("ScenarioIndex", s.ScenarioIndex);
    if (bought_ && !IsShareQuantity(s.OrderQty)) return Field("OrderQty is no share quantity:", s.OrderQty);
    if (!bought_ && s.OrderQty != 0 && !IsShareQuantity(s.OrderQty)) return Field("OrderQty", s.OrderQty);
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckProfitBooking(const Observation& before, const Applied& applied,
                                                                const Observation& after) const {
    const std::int64_t delta = after.state.RealizedProfit - before.state.RealizedProfit;
    const bool sale = !applied.skipped && applied.event.kind == PlayerEvent::Kind::Sell;
    if (sale) {
        const std::int64_t expected = before.state.UnitProfit * before.state.OrderQty;
        if (delta != expected) {
            return Field("a sale booked", delta) + " instead of UnitProfit x OrderQty = " + std::to_string(expected);
        }
        return std::nullopt;
    }
    const bool closingTick = IsTick(applied) && !applied.failed && before.state.TickCount == kPointsPerDay;
    const bool held = before.state.EntryPrice > 0;
    if (closingTick && held) {
        if (after.state.EntryPrice != 0) return "a position survived the closing tick";
        const std::int64_t unit = after.state.UnitProfit;
        if (unit != 0 && unit != SettledUnitProfit(before.state)) {
            return Field("the close settled UnitProfit", unit) + " instead of " +
                   std::to_string(SettledUnitProfit(before.state));
        }
        if (delta != unit * after.state.OrderQty) {
            return Field("the close booked", delta) +
                   " instead of UnitProfit x OrderQty = " + std::to_string(unit * after.state.OrderQty);
        }
        return std::nullopt;
    }
    if (delta != 0) return Field("RealizedProfit changed outside a sale or the close by", delta);
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckTick(const Observation& before, const Observation& after) const {
    const std::int64_t c = before.state.TickCount;
    if (after.state.TickCount != c + 1)
        return Field("a tick moved TickCount from", c) + " to " + std::to_string(after.state.TickCount);
    if (after.Text(LabelId::OpeningPrice) != "100") return "open is " + Quoted(after.Text(LabelId::OpeningPrice));
    const auto current = ParseWhole(after.Text(LabelId::CurrentPrice));
    const auto high = ParseWhole(after.Text(LabelId::HighPrice));
    const auto low = ParseWhole(after.Text(LabelId::LowPrice));
    if (!current || !high || !low) {
        return "quote board unreadable: current " + Quoted(after.Text(LabelId::CurrentPrice)) + ", high " +
               Quoted(after.Text(LabelId::HighPrice)) + ", low " + Quoted(after.Text(LabelId::LowPrice));
    }
    if (!(*low <= *current && *current <= *high && *low <= kOpeningQuote && kOpeningQuote <= *high)) {
        return "quote board out of order: low " + std::to_string(*low) + ", current " + std::to_string(*current) +
               ", high " + std::to_string(*high);
    }
    if (*current != PriceShownByTick(after.state, c)) {
        return Field("current price", *current) + " is not the latest revealed point " +
               std::to_string(PriceShownByTick(after.state, c));
    }
    const std::string& close = after.Text(LabelId::ClosingPrice);
    const std::string last = std::to_string(after.state.Prices[kPointsPerDay]);
    if (!close.empty() && close != last) return "close " + Quoted(close) + " is not the day's last price " + last;
    if (close.empty() == (c > kPointsPerDay)) return "close " + Quoted(close) + " on the tick with " + Field("c", c);
    if (after.state.EntryPrice > 0) {
        if (AmountCommitted(after.state) > AvailableFunds(after.state)) {
            return Field("a tick kept a position committing", AmountCommitted(after.state)) + " beyond funds " +
                   std::to_string(AvailableFunds(after.state));
        }
        if (after.state.UnitProfit != *current - after.state.EntryPrice) {
            return Field("UnitProfit", after.state.UnitProfit) + " does not match the price on display " +
                   std::to_string(*current);
        }
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckBuy(const Observation& after) const {
    // A buy leaves the quote board alone: the current price still shows the price of the click.
    if (after.state.EntryPrice == 0) return std::nullopt;
    const auto shown = ParseWhole(after.Text(LabelId::CurrentPrice));
    if (!shown || *shown != after.state.EntryPrice) {
        return Field("a buy filled at", after.state.EntryPrice) + " while the board showed " +
               Quoted(after.Text(LabelId::CurrentPrice));
    }
    return std::nullopt;
}

std::optional<std::string> InvariantChecker::CheckTexts(const Applied& applied, const Observation& after) const {
    for (std::size_t i = 0; i < after.texts.size(); ++i) {
        if (!IsValidUtf8(after.texts[i])) return std::string(design::kLabelControls[i].name) + " is not valid UTF-8";
    }
    for (LabelId label : kQuoteLabels) {
        const std::string& text = after.Text(label);
        if (text.empty()) continue;
        const auto price = ParseWhole(text);
        if (!price || *price < kLimitDownPrice || *price > kLimitUpPrice) {
            return std::string(design::NameOf(label)) + " shows " + Quoted(text) + ", no price";
        }
    }
    const bool tick = IsTick(applied) && !applied.failed;
    const bool sale = !applied.skipped && applied.event.kind == PlayerEvent::Kind::Sell;
    const std::string& power = after.Text(LabelId::BuyingPower);
    if (tick && !ParseMoney(power)) return "buying power " + Quoted(power) + " after a tick is no money text";
    if (sale) {
        if (ParseWhole(power) != AvailableFunds(after.state)) {
            return "buying power " + Quoted(power) + " after a sale, funds " +
                   std::to_string(AvailableFunds(after.state));
        }
    } else if (!ParseMoney(power) && !ParseWhole(power)) {
        return "buying power " + Quoted(power) + " is no number";
    }
    for (LabelId label : {LabelId::AmountCommitted, LabelId::UnrealizedProfit}) {
        const std::string& text = after.Text(label);
        const bool designText = !ticked_ && !tick && text == TextOf(TextId::ManYen);
        if (!text.empty() && !designText && !ParseMoney(text)) {
            return std::string(design::NameOf(label)) + " shows " + Quoted(text) + ", no money text";
        }
    }
    if (!IsOrderStatus(after.Text(LabelId::OrderStatus))) {
        return "order status " + Quoted(after.Text(LabelId::OrderStatus)) + " is none the game writes";
    }
    const std::string& verdict = after.Text(LabelId::ProfitIndicator);
    if (!verdict.empty() && verdict != TextOf(TextId::ProfitTaken) && verdict != TextOf(TextId::LossCut)) {
        return "profit indicator shows " + Quoted(verdict);
    }
    for (const auto& field : design::kLabelControls) {
        if (!IsTextOfField(field.id, after.Text(field.id))) {
            return std::string(field.name) + " shows " + Quoted(after.Text(field.id)) + ", none of its texts";
        }
    }
    return std::nullopt;
}

void InvariantChecker::Remember(const Applied& applied, const Observation& after) {
    if (applied.skipped) return;
    switch (applied.event.kind) {
        case PlayerEvent::Kind::Start:
            if (!applied.failed) shownToday_.reset();
            break;
        case PlayerEvent::Kind::Buy:
            bought_ = true;
            break;
        case PlayerEvent::Kind::Tick:
            if (applied.failed) break;
            ticked_ = true;
            if (const auto price = ParseWhole(after.Text(LabelId::CurrentPrice));
                price && *price >= 0 && *price < 256) {
                shownToday_.set(static_cast<std::size_t>(*price));
            }
            if (AvailableFunds(after.state) < 1) broke_ = true;
            break;
        default:
            break;
    }
}

}  // namespace zemkari::fuzz
