#include "zemkari/ui/keyboard_play.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QList>
#include <QShortcut>
#include <algorithm>
#include <utility>

#include "zemkari/design/keys.h"
#include "zemkari/ui/utf8.h"

namespace zemkari::ui {
namespace {

constexpr std::array<Qt::Key, 7> kDigitKeys = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                               Qt::Key_5, Qt::Key_6, Qt::Key_7};
static_assert(kDigitKeys.size() == design::ShareQuantities.size(), "one digit per share quantity");

QString Hinted(const QString& caption, const QString& hint) { return QStringLiteral("%1 (%2)").arg(caption, hint); }

QString KeyText(const QKeySequence& key) { return key.toString(QKeySequence::NativeText); }

QKeySequence KeyOf(std::string_view key) { return QKeySequence::fromString(Utf8(key), QKeySequence::PortableText); }

// The key on the main block and the same key on the keypad.
QList<QKeySequence> MainAndKeypad(Qt::Key key) {
    return {QKeySequence(key), QKeySequence(QKeyCombination(Qt::KeypadModifier, key))};
}

// A key acts once however long it is held: auto-repeat would otherwise step the speed
// to its end or fire a second order the moment the button comes back on.
template <typename Action>
void Bind(QWidget& window, const QList<QKeySequence>& keys, Action&& action) {
    auto* shortcut = new QShortcut(&window);
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    QObject::connect(shortcut, &QShortcut::activated, &window, std::forward<Action>(action));
}

// click() and not animateClick(): an order must fill at the price the player saw when
// pressing, not at whatever a tick shows a moment later. click() ignores a disabled
// button.
void Click(QAbstractButton* control) {
    if (control != nullptr) control->click();
}

QWidget* Box(const QButtonGroup& selector) {
    const QList<QAbstractButton*> items = selector.buttons();
    return items.isEmpty() ? nullptr : items.front()->parentWidget();
}

void HintBox(const QButtonGroup& selector, const QString& hint) {
    if (auto* box = qobject_cast<QGroupBox*>(Box(selector))) box->setToolTip(Hinted(box->title(), hint));
}

void BindButtons(QWidget& window, const WindowControls& controls) {
    for (const design::ButtonKey& binding : design::kButtonKeys) {
        QPushButton* button = &controls.Button(binding.button);
        const QKeySequence key = KeyOf(binding.key);
        button->setToolTip(Hinted(button->text(), KeyText(key)));
        Bind(window, {key}, [button] { Click(button); });
    }
}

void BindShareKeys(QWidget& window, QButtonGroup& shares) {
    HintBox(shares, Utf8(design::kShareKeysHint));
    for (std::size_t rank = 0; rank < design::kSharesByQuantity.size(); ++rank) {
        const int index = design::kSharesByQuantity[rank];
        QAbstractButton* item = shares.button(index);
        if (item == nullptr) continue;
        item->setToolTip(Hinted(item->text(), KeyText(QKeySequence(kDigitKeys[rank]))));
        Bind(window, MainAndKeypad(kDigitKeys[rank]), [item] { Click(item); });
    }
}

// Moves the speed selector one item faster (step -1) or slower (step +1).
void StepSpeed(QButtonGroup& speeds, int step) {
    const int target = design::SteppedSpeed(speeds.checkedId(), step);
    if (target != speeds.checkedId()) Click(speeds.button(target));
}

void BindSpeedKeys(QWidget& window, QButtonGroup& speeds) {
    const QString hint = Utf8(design::kSpeedKeysHint);
    HintBox(speeds, hint);
    for (QAbstractButton* item : speeds.buttons()) item->setToolTip(Hinted(item->text(), hint));
    for (const design::SpeedKey& binding : design::kSpeedKeys) {
        Bind(window, MainAndKeypad(KeyOf(binding.key)[0].key()),
             [&speeds, step = binding.step] { StepSpeed(speeds, step); });
    }
}

}  // namespace

void InstallKeyboardPlay(QWidget& window, const WindowControls& controls) {
    BindButtons(window, controls);
    BindShareKeys(window, *controls.shareSelector);
    BindSpeedKeys(window, *controls.speedSelector);
}

}  // namespace zemkari::ui
