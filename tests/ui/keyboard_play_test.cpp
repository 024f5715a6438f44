#include "zemkari/ui/keyboard_play.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QShortcut>
#include <QSignalSpy>
#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "ui_test_support.h"
#include "zemkari/clock.h"
#include "zemkari/rules.h"
#include "zemkari/ui/field_accessibility.h"
#include "zemkari/ui/window_controls.h"

namespace zemkari {
namespace {

// A window shown and active, as the player has it.
class Window {
public:
    Window() : form_(clock_) {
        form_.show();
        QApplication::setActiveWindow(&form_);
        if (!QTest::qWaitForWindowActive(&form_)) qFatal("the window did not become active");
    }

    app::GameWindow& Form() { return form_; }

    QPushButton& Button(testing::ControlName name) { return testing::Control<QPushButton>(form_, name); }
    QRadioButton& ShareItem(int index) { return Item(SelectorId::ShareQuantity, index); }
    QRadioButton& SpeedItem(int index) { return Item(SelectorId::GameSpeed, index); }
    QLabel& Label(testing::ControlName name) { return testing::Control<QLabel>(form_, name); }

    int SelectedShares() { return form_.Board().SelectedIndex(SelectorId::ShareQuantity); }
    int SelectedSpeed() { return form_.Board().SelectedIndex(SelectorId::GameSpeed); }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&form_, key, modifiers); }

    // Presses `key`, lets it auto-repeat `repeats` times as a held key does, and
    // releases it. The repeats take the path of real ones: shortcuts first, then the
    // widget.
    void HoldKey(Qt::Key key, int repeats) {
        QTest::keyPress(&form_, key);
        for (int i = 0; i < repeats; ++i) {
            if (qt_sendShortcutOverrideEvent(&form_, static_cast<ulong>(i), key, Qt::NoModifier, QString(), true)) {
                continue;
            }
            QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(&form_, &repeat);
        }
        QTest::keyRelease(&form_, key);
    }

private:
    QRadioButton& Item(SelectorId selector, int index) {
        return testing::Control<QRadioButton>(form_, design::ItemName(selector, index));
    }

    FixedClock clock_;
    app::GameWindow form_;
};

}  // namespace

class KeyboardPlayTest : public QObject {
    Q_OBJECT

private slots:
    // Runs first: it needs the labels' interfaces made before the game's factory exists.
    void valueLabelsMadeAccessibleLateStillReadTheirText();

    void keysClickTheirButtonOnlyWhileItIsOn_data();
    void keysClickTheirButtonOnlyWhileItIsOn();
    void aHeldKeyActsOnce_data();
    void aHeldKeyActsOnce();
    void digitsPickShareQuantitiesFromFewestToMost_data();
    void digitsPickShareQuantitiesFromFewestToMost();
    void aDigitLeavesADisabledItemAlone();
    void minusAndPlusStepTheSpeedAndStopAtTheEnds();
    void aWholeDayPlaysFromTheKeyboard();
    void tooltipsListTheKeysAndCaptionsStay();
    void valueLabelsAreDescribedAndNamedByTheirText();
};

void KeyboardPlayTest::valueLabelsMadeAccessibleLateStillReadTheirText() {
    QWidget client;
    const ui::WindowControls controls = ui::BuildWindowControls(client, QString());
    ui::FieldLabel& current = controls.Field(LabelId::CurrentPrice);
    // With a screen reader listening, Qt makes a label's interface as soon as its text is
    // set; until the game's interface replaces it, an empty value reads as the group title.
    QCOMPARE(QAccessible::queryAccessibleInterface(&current)->text(QAccessible::Name), QStringLiteral("【株価情報】"));

    ui::MakeFieldsAccessible(controls);
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&current);
    QCOMPARE(made->text(QAccessible::Name), QString());
    QCOMPARE(made->text(QAccessible::Description), QStringLiteral("現在値"));
}

void KeyboardPlayTest::keysClickTheirButtonOnlyWhileItIsOn_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("button");
    QTest::newRow("F5 starts the market") << int(Qt::Key_F5) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("Shift+F5 ends the market") << int(Qt::Key_F5) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
    QTest::newRow("B buys") << int(Qt::Key_B) << Qt::KeyboardModifiers() << 2;
    QTest::newRow("S sells") << int(Qt::Key_S) << Qt::KeyboardModifiers() << 3;
}

void KeyboardPlayTest::keysClickTheirButtonOnlyWhileItIsOn() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, button);
    Window window;
    std::vector<std::unique_ptr<QSignalSpy>> clicks;
    for (const auto& control : design::kButtonControls) {
        window.Button(control.name).setEnabled(true);
        clicks.push_back(std::make_unique<QSignalSpy>(&window.Button(control.name), &QAbstractButton::clicked));
    }
    const std::string_view pressed = design::NameOf(static_cast<ButtonId>(button));

    // Off, the button ignores its key and no other button takes it.
    window.Button(pressed).setEnabled(false);
    const MarketState before = window.Form().State();
    window.Key(static_cast<Qt::Key>(key), modifiers);
    for (const auto& spy : clicks) QCOMPARE(spy->count(), 0);
    QVERIFY(window.Form().State() == before);

    window.Button(pressed).setEnabled(true);
    window.Key(static_cast<Qt::Key>(key), modifiers);
    for (std::size_t b = 0; b < clicks.size(); ++b) QCOMPARE(clicks[b]->count(), static_cast<int>(b) == button ? 1 : 0);
}

void KeyboardPlayTest::aHeldKeyActsOnce_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("speedAfter");
    QTest::addColumn<int>("startClicks");
    // The window opens at speed item 1 ("1秒").
    QTest::newRow("held - slows down one step") << int(Qt::Key_Minus) << 2 << 0;
    QTest::newRow("held + speeds up one step") << int(Qt::Key_Plus) << 0 << 0;
    // Start stays on during a flat day: a repeat would start the day over and over.
    QTest::newRow("held F5 starts the day once") << int(Qt::Key_F5) << 1 << 1;
}

void KeyboardPlayTest::aHeldKeyActsOnce() {
    QFETCH(int, key);
    QFETCH(int, speedAfter);
    QFETCH(int, startClicks);
    Window window;
    QSignalSpy starts(&window.Button(ButtonId::StartMarket), &QAbstractButton::clicked);
    // The held key is delivered so that a repeating shortcut does see every repeat.
    QShortcut repeating(QKeySequence(Qt::Key_F12), &window.Form());
    QSignalSpy repeats(&repeating, &QShortcut::activated);
    window.HoldKey(Qt::Key_F12, 3);
    QCOMPARE(repeats.count(), 4);

    window.HoldKey(static_cast<Qt::Key>(key), 3);

    QCOMPARE(window.SelectedSpeed(), speedAfter);
    QCOMPARE(starts.count(), startClicks);
}

void KeyboardPlayTest::digitsPickShareQuantitiesFromFewestToMost_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("main keys") << Qt::KeyboardModifiers();
    QTest::newRow("keypad") << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void KeyboardPlayTest::digitsPickShareQuantitiesFromFewestToMost() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Window window;
    auto* selector = window.ShareItem(0).group();
    QSignalSpy clicks(selector, &QButtonGroup::idClicked);
    constexpr std::array<Qt::Key, 7> digits = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                               Qt::Key_5, Qt::Key_6, Qt::Key_7};
    // From the most to the fewest and back, so each key moves the selection.
    std::vector<int> picked;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        window.Key(*digit, modifiers);
        picked.insert(picked.begin(), design::ShareQuantities[static_cast<std::size_t>(window.SelectedShares())].value);
    }

    std::vector<int> ascending;
    for (const design::SelectorItem& item : design::ShareQuantities) ascending.push_back(item.value);
    std::sort(ascending.begin(), ascending.end());
    QCOMPARE(picked, ascending);
    QCOMPARE(clicks.count(), 7);
}

void KeyboardPlayTest::aDigitLeavesADisabledItemAlone() {
    Window window;
    window.ShareItem(5).setEnabled(false);  // "1000株"

    window.Key(Qt::Key_7);

    QCOMPARE(window.SelectedShares(), 0);
}

void KeyboardPlayTest::minusAndPlusStepTheSpeedAndStopAtTheEnds() {
    Window window;
    QSignalSpy clicks(window.SpeedItem(0).group(), &QButtonGroup::idClicked);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int speedAfter;
    };
    // The window opens at item 1, "1秒"; item 0 is the fastest, item 4 the slowest.
    const std::array<Step, 11> steps = {{
        {Qt::Key_Minus, Qt::NoModifier, 2},
        {Qt::Key_Minus, Qt::KeypadModifier, 3},
        {Qt::Key_Minus, Qt::NoModifier, 4},
        {Qt::Key_Minus, Qt::NoModifier, 4},
        {Qt::Key_Plus, Qt::NoModifier, 3},
        {Qt::Key_Equal, Qt::NoModifier, 2},
        {Qt::Key_Plus, Qt::KeypadModifier, 1},
        {Qt::Key_Plus, Qt::NoModifier, 0},
        {Qt::Key_Plus, Qt::NoModifier, 0},
        {Qt::Key_Equal, Qt::NoModifier, 0},
        {Qt::Key_Minus, Qt::NoModifier, 1},
    }};
    for (const Step& step : steps) {
        window.Key(step.key, step.modifiers);
        QCOMPARE(window.SelectedSpeed(), step.speedAfter);
    }
    // A key at either end clicks nothing.
    QCOMPARE(clicks.count(), 8);
    // Slower means a longer interval.
    QVERIFY(std::is_sorted(design::GameSpeeds.begin(), design::GameSpeeds.end(),
                           [](const auto& a, const auto& b) { return a.value < b.value; }));
}

void KeyboardPlayTest::aWholeDayPlaysFromTheKeyboard() {
    Window window;
    app::GameWindow& form = window.Form();

    window.Key(Qt::Key_F5);
    QVERIFY(form.Board().Timer().isActive());
    testing::Ticks(form, 3);
    window.Key(Qt::Key_4);  // 50 shares
    window.Key(Qt::Key_1);  // 1 share
    window.Key(Qt::Key_B);
    QCOMPARE(form.State().OrderQty, 1);
    QCOMPARE(form.State().EntryPrice, Money{form.State().Prices[2]});
    QVERIFY(window.Button(ButtonId::Sell).isEnabled());

    // With a position open only the sell key acts.
    window.Key(Qt::Key_F5);
    window.Key(Qt::Key_F5, Qt::ShiftModifier);
    window.Key(Qt::Key_B);
    QCOMPARE(form.State().TickCount, 3);
    QVERIFY(form.Board().Timer().isActive());
    QCOMPARE(form.State().EntryPrice, Money{form.State().Prices[2]});

    testing::Ticks(form, 2);
    const Money profit = form.State().UnitProfit;
    window.Key(Qt::Key_S);
    QCOMPARE(form.State().EntryPrice, Money{0});
    QCOMPARE(form.State().RealizedProfit, profit);
    QVERIFY(window.Button(ButtonId::Buy).isEnabled());

    window.Key(Qt::Key_F5, Qt::ShiftModifier);
    QVERIFY(!form.Board().Timer().isActive());
    QVERIFY(!window.Button(ButtonId::Buy).isEnabled());
    QCOMPARE(window.Label(LabelId::CurrentPrice).text(), QString());
}

void KeyboardPlayTest::tooltipsListTheKeysAndCaptionsStay() {
    Window window;
    const std::array<std::pair<ButtonId, QString>, 4> buttons = {{
        {ButtonId::StartMarket, QStringLiteral("相場開始 (F5)")},
        {ButtonId::EndMarket, QStringLiteral("相場終了 (Shift+F5)")},
        {ButtonId::Buy, QStringLiteral("買い注文 (B)")},
        {ButtonId::Sell, QStringLiteral("売り注文 (S)")},
    }};
    for (const auto& [name, tip] : buttons) {
        QCOMPARE(window.Button(name).toolTip(), tip);
        QVERIFY(tip.startsWith(window.Button(name).text() + QStringLiteral(" (")));
    }
    QCOMPARE(window.Button(ButtonId::Buy).text(), QStringLiteral("買い注文"));

    const std::array<QString, 7> shares = {
        QStringLiteral("1株 (1)"),  QStringLiteral("50株 (4)"),  QStringLiteral("500株 (6)"),
        QStringLiteral("5株 (2)"),  QStringLiteral("100株 (5)"), QStringLiteral("1000株 (7)"),
        QStringLiteral("10株 (3)"),
    };
    for (int i = 0; i < 7; ++i) QCOMPARE(window.ShareItem(i).toolTip(), shares[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 5; ++i) {
        const QString tip = window.SpeedItem(i).toolTip();
        QVERIFY2(tip.startsWith(window.SpeedItem(i).text() + QStringLiteral(" (")) &&
                     tip.contains(QStringLiteral("- キー")) && tip.contains(QStringLiteral("+ キー")),
                 qPrintable(tip));
    }
    const auto* shareBox = qobject_cast<QGroupBox*>(window.ShareItem(0).parentWidget());
    const auto* speedBox = qobject_cast<QGroupBox*>(window.SpeedItem(0).parentWidget());
    QVERIFY(shareBox->toolTip().contains(QStringLiteral("1〜7")));
    QVERIFY(speedBox->toolTip().contains(QStringLiteral("+ キー")));
}

void KeyboardPlayTest::valueLabelsAreDescribedAndNamedByTheirText() {
    Window window;
    // What a screen reader says each value label shows, in the order of the label ids.
    const std::array<QString, kCountOf<LabelId>> descriptions = {
        QStringLiteral("現在値"), QStringLiteral("始値"),     QStringLiteral("高値"),     QStringLiteral("安値"),
        QStringLiteral("終値"),   QStringLiteral("発注状況"), QStringLiteral("約定代金"), QStringLiteral("評価損益"),
        QStringLiteral("余力"),   QStringLiteral("コメント"), QStringLiteral("損益判定"),
    };
    for (const auto& field : design::kLabelControls) {
        QLabel& label = window.Label(field.name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&label);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->role(), QAccessible::StaticText);
        QCOMPARE(accessible->text(QAccessible::Description), descriptions[IndexOf(field.id)]);
        QCOMPARE(accessible->text(QAccessible::Name), label.text());

        window.Form().Board().SetText(field.id, "-123万円");
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("-123万円"));
        // An empty value is read as empty, not as the title of the box around it.
        window.Form().Board().SetText(field.id, "");
        QCOMPARE(accessible->text(QAccessible::Name), QString());
    }

    // A tick writes the board; the names read what it wrote.
    window.Key(Qt::Key_F5);
    window.Form().OnTick();
    for (const auto& field : design::kLabelControls) {
        QLabel& label = window.Label(field.name);
        QCOMPARE(QAccessible::queryAccessibleInterface(&label)->text(QAccessible::Name), label.text());
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(&window.Label(LabelId::BuyingPower))->text(QAccessible::Name),
             QStringLiteral("300万円"));
}

}  // namespace zemkari

ZEMKARI_UI_TEST_MAIN(zemkari::KeyboardPlayTest)
#include "keyboard_play_test.moc"
