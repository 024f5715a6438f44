// Whole trading days played with the mouse, with the clock chosen for a price path
// and the market clock's ticks fired directly.
#include <QSignalSpy>
#include <stdexcept>

#include "ui_test_support.h"
#include "zemkari/scenarios.h"

using zemkari::ButtonId;
using zemkari::LabelId;
using zemkari::ScenarioTable;
using zemkari::SelectorId;
using zemkari::app::GameWindow;
using zemkari::testing::Click;
using zemkari::testing::Control;
using zemkari::testing::ControlName;
using zemkari::testing::LabelText;
using zemkari::testing::MessageBoxWatcher;
using zemkari::testing::Ticks;

namespace {

// Rows of the price table with the closes the tests need.
constexpr int kOrdinaryCloseRow = 0;  // rises to 216 at point 14, closes at 75
constexpr int kLimitUpRow = 10;       // closes at 250
constexpr int kLimitDownRow = 6;      // closes at 0

// Ticks from a buy after the second tick to the one that reveals the close.
constexpr int kTicksToClose = 49;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QColor TextColour(QWidget& window, ControlName name) {
    return Control<QLabel>(window, name).palette().color(QPalette::WindowText);
}

bool Enabled(QWidget& window, ControlName name) { return Control<QPushButton>(window, name).isEnabled(); }

// The flat arrangement: start, end and buy usable, sell not.
bool ButtonsFlat(QWidget& window) {
    return Enabled(window, ButtonId::StartMarket) && Enabled(window, ButtonId::EndMarket) &&
           Enabled(window, ButtonId::Buy) && !Enabled(window, ButtonId::Sell);
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

class Thrower final : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("相場が壊れました");
        return QObject::event(event);
    }
};

}  // namespace

class TradingDayTest : public QObject {
    Q_OBJECT

    zemkari::FixedClock clock_;

    // Starts the market on `row` and lets two ticks pass, so that a buy takes the
    // first point of the day.
    void OpenDay(GameWindow& window, int row) {
        clock_.Set(zemkari::FirstMillisecondDrawing(row));
        Click(window, ButtonId::StartMarket);
        QCOMPARE(window.State().ScenarioIndex, row);
        Ticks(window, 2);
    }

private slots:
    void startingTheMarketShowsTheRulesAndRunsTheClock() {
        GameWindow window(clock_);
        Click(window, ButtonId::StartMarket);
        QVERIFY(LabelText(window, LabelId::Comment).startsWith(Utf8("値幅上限２５０万円")));
        QVERIFY(window.Board().Timer().isActive());
        QVERIFY(ButtonsFlat(window));
        Ticks(window, 1);
        QCOMPARE(LabelText(window, LabelId::CurrentPrice), QStringLiteral("100"));
        QCOMPARE(LabelText(window, LabelId::OpeningPrice), QStringLiteral("100"));
    }

    void buyThenSellAtAProfit() {
        GameWindow window(clock_);
        OpenDay(window, kOrdinaryCloseRow);
        Click(window, ButtonId::Buy);
        QVERIFY(!Enabled(window, ButtonId::StartMarket) && !Enabled(window, ButtonId::EndMarket) &&
                !Enabled(window, ButtonId::Buy));
        QVERIFY(Enabled(window, ButtonId::Sell));
        Ticks(window, 13);  // up to point 14, the day's high
        const int high = ScenarioTable[kOrdinaryCloseRow][13];
        QCOMPARE(LabelText(window, LabelId::CurrentPrice), QString::number(high));
        QCOMPARE(LabelText(window, LabelId::HighPrice), QString::number(high));
        QCOMPARE(LabelText(window, LabelId::OrderStatus), Utf8("1株約定"));
        QCOMPARE(LabelText(window, LabelId::AmountCommitted), Utf8("100万円"));
        QCOMPARE(LabelText(window, LabelId::BuyingPower), Utf8("200万円"));

        Click(window, ButtonId::Sell);
        QVERIFY(ButtonsFlat(window));
        QCOMPARE(LabelText(window, LabelId::AmountCommitted), QString());
        QCOMPARE(LabelText(window, LabelId::UnrealizedProfit), QString());
        QCOMPARE(LabelText(window, LabelId::BuyingPower), QString::number(300 + high - 100));
        Ticks(window, 1);
        QCOMPARE(LabelText(window, LabelId::ProfitIndicator), Utf8("利確"));
        QCOMPARE(TextColour(window, LabelId::ProfitIndicator), kRed);
        QCOMPARE(LabelText(window, LabelId::UnrealizedProfit), Utf8("%1万円").arg(high - 100));
        QCOMPARE(LabelText(window, LabelId::OrderStatus), Utf8("発注無し"));
    }

    void orderBeyondTheBuyingPowerLapses() {
        GameWindow window(clock_);
        Click(window, zemkari::design::ItemName(SelectorId::ShareQuantity, 3));  // 5 shares at 100: 500 > 300
        OpenDay(window, kOrdinaryCloseRow);
        Click(window, ButtonId::Buy);
        Ticks(window, 1);
        QCOMPARE(LabelText(window, LabelId::OrderStatus), Utf8("失効"));
        QCOMPARE(LabelText(window, LabelId::Comment), Utf8("余力が足りません"));
        QCOMPARE(LabelText(window, LabelId::AmountCommitted), QString());
        QCOMPARE(LabelText(window, LabelId::BuyingPower), Utf8("300万円"));
        QVERIFY(ButtonsFlat(window));
    }

    // Five shares at 100 exceed the opening 300, but not the 750 after a limit-up close.
    void shareSelectorChoosesTheQuantityBought() {
        GameWindow window(clock_);
        OpenDay(window, kLimitUpRow);
        Click(window, ButtonId::Buy);
        Ticks(window, kTicksToClose);
        Click(window, zemkari::design::ItemName(SelectorId::ShareQuantity, 3));
        QVERIFY(Control<QRadioButton>(window, zemkari::design::ItemName(SelectorId::ShareQuantity, 3)).isChecked());
        QVERIFY(!Control<QRadioButton>(window, zemkari::design::ItemName(SelectorId::ShareQuantity, 0)).isChecked());
        OpenDay(window, kOrdinaryCloseRow);
        Click(window, ButtonId::Buy);
        Ticks(window, 1);
        QCOMPARE(LabelText(window, LabelId::OrderStatus), Utf8("5株約定"));
        QCOMPARE(LabelText(window, LabelId::AmountCommitted), Utf8("100万円"));
        QCOMPARE(LabelText(window, LabelId::BuyingPower), Utf8("250万円"));  // 750 less 5 x 100
    }

    void limitUpClosePaysTheBonus() {
        GameWindow window(clock_);
        OpenDay(window, kLimitUpRow);
        Click(window, ButtonId::Buy);
        Ticks(window, kTicksToClose);
        QCOMPARE(LabelText(window, LabelId::BuyingPower), Utf8("750万円"));  // 300 + (250 - 100 + 300)
        QVERIFY(LabelText(window, LabelId::Comment).startsWith(Utf8("Ｓ高ボーナス")));
        QCOMPARE(TextColour(window, LabelId::Comment), kRed);
        QCOMPARE(LabelText(window, LabelId::ProfitIndicator), Utf8("利確"));
        QCOMPARE(LabelText(window, LabelId::UnrealizedProfit), Utf8("450万円"));
        QVERIFY(ButtonsFlat(window));
        Ticks(window, 1);
        QCOMPARE(LabelText(window, LabelId::ClosingPrice), QStringLiteral("250"));
    }

    void limitDownCloseChargesThePenaltyAndEndsInAMarginCall() {
        GameWindow window(clock_);
        OpenDay(window, kLimitDownRow);
        Click(window, ButtonId::Buy);
        Ticks(window, kTicksToClose);
        QCOMPARE(LabelText(window, LabelId::BuyingPower), Utf8("-100万円"));  // 300 + (0 - 100 - 300)
        QVERIFY(LabelText(window, LabelId::Comment).startsWith(Utf8("Ｓ安ペナルティー")));
        QCOMPARE(TextColour(window, LabelId::Comment), kBlue);
        QCOMPARE(LabelText(window, LabelId::ProfitIndicator), Utf8("損切り"));
        QCOMPARE(TextColour(window, LabelId::ProfitIndicator), kBlue);
        Ticks(window, 1);
        QCOMPARE(LabelText(window, LabelId::OrderStatus), Utf8("追証"));
        QCOMPARE(TextColour(window, LabelId::OrderStatus), kRed);
        QCOMPARE(LabelText(window, LabelId::Comment), Utf8("樹海逝き"));
        QCOMPARE(TextColour(window, LabelId::Comment), kBlue);

        // The funds stay exhausted: the next day calls the margin again.
        Click(window, ButtonId::EndMarket);
        OpenDay(window, kLimitUpRow);
        QCOMPARE(LabelText(window, LabelId::OrderStatus), Utf8("追証"));
    }

    void ordinaryCloseSellsAtTheClosingPrice() {
        GameWindow window(clock_);
        OpenDay(window, kOrdinaryCloseRow);
        Click(window, ButtonId::Buy);
        Ticks(window, kTicksToClose);
        // A loss of 25 booked; the field shows the funds plus the entry price.
        QCOMPARE(LabelText(window, LabelId::BuyingPower), Utf8("375万円"));
        QVERIFY(LabelText(window, LabelId::Comment).startsWith(Utf8("今日の取引はここまで")));
        QCOMPARE(TextColour(window, LabelId::Comment), window.palette().color(QPalette::WindowText));
        QCOMPARE(LabelText(window, LabelId::ProfitIndicator), Utf8("損切り"));
        QCOMPARE(window.State().RealizedProfit, -25);
        QVERIFY(ButtonsFlat(window));
    }

    void endingTheMarketStopsTheClockAndClearsTheQuotes() {
        GameWindow window(clock_);
        OpenDay(window, kOrdinaryCloseRow);
        Click(window, ButtonId::EndMarket);
        QVERIFY(!window.Board().Timer().isActive());
        for (const LabelId quote : {LabelId::CurrentPrice, LabelId::OpeningPrice, LabelId::HighPrice, LabelId::LowPrice,
                                    LabelId::ClosingPrice}) {
            QCOMPARE(LabelText(window, quote), QString());
        }
        QVERIFY(!Enabled(window, ButtonId::Buy) && !Enabled(window, ButtonId::Sell));
        QVERIFY(!Control<QWidget>(window, zemkari::design::kChartName).isEnabled());
    }

    void speedSelectorSetsTheTickInterval() {
        GameWindow window(clock_);
        OpenDay(window, kOrdinaryCloseRow);
        QCOMPARE(window.Board().Timer().interval(), 1000);
        const int speeds[] = {500, 1000, 1500, 2000, 2500};
        for (int item = 0; item < 5; ++item) {
            Click(window, zemkari::design::ItemName(SelectorId::GameSpeed, item));
            Ticks(window, 1);
            QCOMPARE(window.Board().Timer().interval(), speeds[item]);
        }
    }

    // The first start waits the design interval; starting a running clock again
    // leaves its countdown alone.
    void startingTheClockWaitsItsIntervalOnce() {
        GameWindow window(clock_);
        QTimer& timer = window.Board().Timer();
        Click(window, ButtonId::StartMarket);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 500);
        QTest::qWait(200);
        const int left = timer.remainingTime();
        QVERIFY(window.Board().StartTimer());
        QVERIFY(timer.remainingTime() <= left);
    }

    // Qt restarts a timer given its own interval again; a speed applied on every
    // tick must not hold the clock back.
    void reapplyingTheSameSpeedDoesNotHoldTheClockBack() {
        GameWindow window(clock_);
        auto& board = window.Board();
        QSignalSpy ticks(&board.Timer(), &QTimer::timeout);
        QVERIFY(board.StartTimer());
        QTimer meddler;
        QObject::connect(&meddler, &QTimer::timeout, [&board] { board.SetTimerInterval(board.Timer().interval()); });
        meddler.start(100);
        QTest::qWait(1300);
        QVERIFY(ticks.count() >= 1);
    }

    void refusedClockIsReportedAndTheGameGoesOn() {
        GameWindow window(clock_);
        window.Board().RefuseNextTimerStart();
        MessageBoxWatcher watcher;
        Click(window, ButtonId::StartMarket);
        QCOMPARE(watcher.Texts(), QStringList{Utf8("タイマーを取得できません")});
        QVERIFY(!window.Board().Timer().isActive());
        QVERIFY(Enabled(window, ButtonId::StartMarket));
        QVERIFY(!Enabled(window, ButtonId::Buy));

        Click(window, ButtonId::StartMarket);
        QCOMPARE(watcher.Texts().size(), 1);
        QVERIFY(window.Board().Timer().isActive());
        QVERIFY(Enabled(window, ButtonId::Buy));
    }

    void exceptionEscapingAnEventIsShownAndTheLoopGoesOn() {
        GameWindow window(clock_);
        MessageBoxWatcher watcher;
        Thrower thrower;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &event));
        QCOMPARE(watcher.Texts(), QStringList{Utf8("相場が壊れました")});
        Click(window, ButtonId::StartMarket);
        QVERIFY(window.Board().Timer().isActive());
    }
};

ZEMKARI_UI_TEST_MAIN(TradingDayTest)
#include "trading_day_test.moc"
