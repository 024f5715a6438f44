// Random sequences of player events against a model of the account written from the
// game's rules: after every event the core must agree with the model on the money,
// the position, the day's progress, the buttons and the timer, and keep every
// invariant. rapidcheck shrinks a failure to the shortest sequence that shows it.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>
#include <rapidcheck/state.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "zemkari/fuzz/events.h"
#include "zemkari/fuzz/session.h"
#include "zemkari/rules.h"
#include "zemkari/scenarios.h"

namespace zemkari::fuzz {
namespace {

using Kind = PlayerEvent::Kind;

struct Account {
    std::array<bool, kCountOf<ButtonId>> buttons{true, true, false, false};  // start, end, buy, sell
    bool timerOn = false;
    int interval = design::kDesignInterval;
    bool refuseTimer = false;
    bool refuseInterval = false;
    int shareItem = 0;
    int speedItem = 1;
    int row = 0;
    PricePath prices{};  // point k at [k - 1]
    std::int64_t tickCount = 0;
    std::int64_t realized = 0;
    std::int64_t entry = 0;
    std::int64_t unit = 0;
    std::int64_t qty = 0;

    std::int64_t Price(std::int64_t point) const {
        return prices[static_cast<std::size_t>(std::min<std::int64_t>(point, kPointsPerDay) - 1)];
    }
    void Flat() { buttons = {true, true, true, false}; }
    void Drop() {
        entry = 0;
        unit = 0;
        Flat();
    }

    void Start(int millisecond) {
        if (!timerOn && refuseTimer) {
            refuseTimer = false;  // no timer: the day does not begin
            return;
        }
        timerOn = true;
        buttons[2] = true;
        buttons[3] = false;
        unit = 0;
        entry = 0;
        tickCount = 0;
        row = DrawScenarioRow(static_cast<std::uint32_t>(millisecond));
        prices = ScenarioTable[static_cast<std::size_t>(row)];
    }

    void End() {
        timerOn = false;
        buttons[2] = false;
        buttons[3] = false;
        tickCount = 0;
        prices[0] = 0;
    }

    void Buy() {
        buttons = {false, false, false, true};
        if (shareItem >= 0 && shareItem < 7) {
            qty = design::ShareQuantities[static_cast<std::size_t>(shareItem)].value;
        } else if (qty == 0) {
            qty = 1;
        }
        if (tickCount > kPointsPerDay) {
            entry = 0;
            buttons = {true, true, false, false};
            return;
        }
        const std::int64_t price = tickCount == 0 ? 0 : tickCount == 1 ? kOpeningQuote : Price(tickCount - 1);
        if (price == 0) {
            entry = 0;
            Flat();
            return;
        }
        entry = price;
        unit = 0;
    }

    void Sell() {
        realized += unit * qty;
        entry = 0;
        Flat();
    }

    void Tick() {
        if (speedItem >= 0 && speedItem < 5) {
            const int wanted = design::GameSpeeds[static_cast<std::size_t>(speedItem)].value;
            if (wanted != interval) {
                interval = refuseInterval ? kFallbackInterval : wanted;
                refuseInterval = false;
            }
        }
        const std::int64_t funds = realized + kBaseCapital;
        if (funds < 1 || entry * qty > funds) Drop();
        if (tickCount == kPointsPerDay && entry > 0) {
            const std::int64_t close = Price(kPointsPerDay);
            unit = close - entry + (close == 250 ? 300 : close == 0 ? -300 : 0);
            realized += unit * qty;
            entry = 0;
            Flat();
        }
        if (entry > 0 && tickCount > 0) unit = Price(tickCount) - entry;
        ++tickCount;
    }
};

void ExpectAgreement(const Account& model, const Session& game) {
    const MarketState& s = game.State();
    RC_ASSERT(s.RealizedProfit == model.realized);
    RC_ASSERT(s.EntryPrice == model.entry);
    RC_ASSERT(s.UnitProfit == model.unit);
    RC_ASSERT(s.OrderQty == model.qty);
    RC_ASSERT(s.TickCount == model.tickCount);
    RC_ASSERT(s.ScenarioIndex == model.row);
    for (std::size_t b = 0; b < model.buttons.size(); ++b) {
        RC_ASSERT(game.Board().IsEnabled(static_cast<ButtonId>(b)) == model.buttons[b]);
    }
    RC_ASSERT(game.Board().TimerOn() == model.timerOn);
    RC_ASSERT(game.Board().TimerInterval() == model.interval);
}

using Command = rc::state::Command<Account, Session>;

// One player event: played on the model and the game, then compared.
struct Step : Command {
    virtual PlayerEvent ToEvent() const = 0;
    virtual void Play(Account& model) const = 0;

    void apply(Account& model) const override { Play(model); }
    void run(const Account& before, Session& game) const override {
        Account model = before;
        Play(model);
        if (const auto broken = game.Apply(ToEvent())) RC_FAIL(*broken);
        ExpectAgreement(model, game);
    }
    void show(std::ostream& out) const override { out << Describe(ToEvent()); }
};

rc::Gen<int> SelectorItems(int count) {
    return rc::gen::weightedOneOf<int>(
        {{8, rc::gen::inRange(0, count)}, {1, rc::gen::element(-1, count, count + 1)}, {1, rc::gen::arbitrary<int>()}});
}

struct StartAt : Step {
    int millisecond = *rc::gen::oneOf(rc::gen::inRange(0, kMillisecondsPerDay),
                                      rc::gen::map(rc::gen::inRange(0, kScenarioCount), [](int row) {
                                          return static_cast<int>(FirstMillisecondDrawing(row));
                                      }));
    void checkPreconditions(const Account& m) const override { RC_PRE(m.buttons[0]); }
    PlayerEvent ToEvent() const override { return {Kind::Start, millisecond}; }
    void Play(Account& m) const override { m.Start(millisecond); }
};

struct EndDay : Step {
    void checkPreconditions(const Account& m) const override { RC_PRE(m.buttons[1]); }
    PlayerEvent ToEvent() const override { return {Kind::End}; }
    void Play(Account& m) const override { m.End(); }
};

struct BuyOrder : Step {
    void checkPreconditions(const Account& m) const override { RC_PRE(m.buttons[2]); }
    PlayerEvent ToEvent() const override { return {Kind::Buy}; }
    void Play(Account& m) const override { m.Buy(); }
};

struct SellOrder : Step {
    void checkPreconditions(const Account& m) const override { RC_PRE(m.buttons[3]); }
    PlayerEvent ToEvent() const override { return {Kind::Sell}; }
    void Play(Account& m) const override { m.Sell(); }
};

struct TimerTick : Step {
    void checkPreconditions(const Account& m) const override { RC_PRE(m.timerOn); }
    PlayerEvent ToEvent() const override { return {Kind::Tick}; }
    void Play(Account& m) const override { m.Tick(); }
};

struct ChooseShares : Step {
    int item = *SelectorItems(static_cast<int>(design::ShareQuantities.size()));
    PlayerEvent ToEvent() const override { return {Kind::SelectShares, item}; }
    void Play(Account& m) const override { m.shareItem = item; }
};

struct ChooseSpeed : Step {
    int item = *SelectorItems(static_cast<int>(design::GameSpeeds.size()));
    PlayerEvent ToEvent() const override { return {Kind::SelectSpeed, item}; }
    void Play(Account& m) const override { m.speedItem = item; }
};

struct NoTimerLeft : Step {
    PlayerEvent ToEvent() const override { return {Kind::RefuseTimer}; }
    void Play(Account& m) const override { m.refuseTimer = true; }
};

struct IntervalRefused : Step {
    PlayerEvent ToEvent() const override { return {Kind::RefuseInterval}; }
    void Play(Account& m) const override { m.refuseInterval = true; }
};

// The browser reclaims the page and it resumes from its snapshot: the account goes on as
// it was.
struct Reload : Step {
    PlayerEvent ToEvent() const override { return {Kind::Reload}; }
    void Play(Account&) const override {}
};

// Enough ticks in one command to reach the close, which single ticks rarely do.
struct TickRun : Command {
    int ticks = *rc::gen::inRange(2, 60);
    void checkPreconditions(const Account& m) const override { RC_PRE(m.timerOn); }
    void apply(Account& m) const override {
        for (int i = 0; i < ticks; ++i) m.Tick();
    }
    void run(const Account& before, Session& game) const override {
        Account model = before;
        for (int i = 0; i < ticks; ++i) {
            model.Tick();
            if (const auto broken = game.Apply({Kind::Tick})) RC_FAIL(*broken);
            ExpectAgreement(model, game);
        }
    }
    void show(std::ostream& out) const override { out << ticks << " ticks"; }
};

RC_GTEST_PROP(AccountModel, EverySequenceOfEventsAgreesWithTheModel, ()) {
    Session game;
    rc::state::check(
        Account{}, game,
        rc::state::gen::execOneOfWithArgs<StartAt, EndDay, BuyOrder, BuyOrder, SellOrder, TimerTick, TimerTick, TickRun,
                                          ChooseShares, ChooseSpeed, NoTimerLeft, IntervalRefused, Reload>());
}

// The fuzzer's own decoding, fed by rapidcheck: any bytes keep every invariant.
RC_GTEST_PROP(FuzzInputs, AnyBytesKeepEveryInvariant, (const std::vector<std::uint8_t>& bytes)) {
    if (const auto broken = Play(DecodeEvents(bytes))) RC_FAIL(*broken);
}

}  // namespace
}  // namespace zemkari::fuzz
