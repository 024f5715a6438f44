#include "zemkari/app/main_window.h"

#include "zemkari/app/game_application.h"
#include "zemkari/app/game_icon.h"
#include "zemkari/ui/field_accessibility.h"
#include "zemkari/ui/keyboard_play.h"

namespace zemkari::app {
namespace {

QString Caption() { return QStringLiteral("Zemkari " ZEMKARI_VERSION); }

}  // namespace

TForm1::TForm1(const Clock& clock, QWidget* parent)
    : QWidget(parent), clock_(clock), controls_(ui::BuildWindowControls(*this, Caption())), board_(controls_) {
    setObjectName(QStringLiteral("Form1"));
    ConnectHandlers();
    ui::InstallKeyboardPlay(*this, controls_);
    ui::MakeFieldsAccessible(controls_);
    FormCreate();
}

// The window keeps its design size: no maximise button and no sizing, on every
// window system (minimum and maximum size are the same).
void TForm1::FormCreate() {
    setWindowTitle(QStringLiteral("Zemkari"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ui::kClientWidth, ui::kClientHeight);
    move(kWindowPosition);
}

// The icon waits for the first frame: decoding its PNGs and handing every size to the
// window system would hold that frame up by a few milliseconds, and the first frame
// does not draw it. Queued, so it follows the paint pass and its flush.
void TForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (iconPending_) {
        iconPending_ = false;
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(GameIcon()); }, Qt::QueuedConnection);
    }
}

void TForm1::ConnectHandlers() {
    using zemkari::ButtonId;
    connect(&controls_.Button(ButtonId::Button1), &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(&controls_.Button(ButtonId::Button2), &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(&controls_.Button(ButtonId::Button3), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(&controls_.Button(ButtonId::Button4), &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(&board_.Timer(), &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::ShowFailure(const Outcome& outcome) {
    if (outcome) ShowError(this, QString::fromStdString(outcome->message));
}

void TForm1::Button1Click() { ShowFailure(StartMarket(state_, board_, clock_)); }

void TForm1::Button2Click() { EndMarket(state_, board_); }

void TForm1::Button3Click() { Buy(state_, board_); }

void TForm1::Button4Click() { Sell(state_, board_); }

void TForm1::Timer1Timer() { ShowFailure(Tick(state_, board_)); }

}  // namespace zemkari::app
