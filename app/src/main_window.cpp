#include "zemkari/app/main_window.h"

#include "zemkari/app/game_application.h"
#include "zemkari/app/game_icon.h"
#include "zemkari/ui/field_accessibility.h"
#include "zemkari/ui/keyboard_play.h"
#include "zemkari/ui/utf8.h"

namespace zemkari::app {
namespace {

QString Caption() { return ui::Utf8(design::VersionLine(ZEMKARI_VERSION)); }

}  // namespace

GameWindow::GameWindow(const Clock& clock, QWidget* parent)
    : QWidget(parent), clock_(clock), controls_(ui::BuildWindowControls(*this, Caption())), board_(controls_) {
    setObjectName(ui::Utf8(design::kWindowName));
    ConnectHandlers();
    ui::InstallKeyboardPlay(*this, controls_);
    ui::MakeFieldsAccessible(controls_);
    FixFrame();
}

// The window keeps its design size: no maximise button and no sizing, on every
// window system (minimum and maximum size are the same).
void GameWindow::FixFrame() {
    setWindowTitle(ui::Utf8(design::kWindowTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(design::kClientWidth, design::kClientHeight);
    move(kWindowPosition);
}

// The icon waits for the first frame: decoding its PNGs and handing every size to the
// window system would hold that frame up by a few milliseconds, and the first frame
// does not draw it. Queued, so it follows the paint pass and its flush.
void GameWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (iconPending_) {
        iconPending_ = false;
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(GameIcon()); }, Qt::QueuedConnection);
    }
}

void GameWindow::ConnectHandlers() {
    using zemkari::ButtonId;
    connect(&controls_.Button(ButtonId::StartMarket), &QPushButton::clicked, this, &GameWindow::OnStartMarket);
    connect(&controls_.Button(ButtonId::EndMarket), &QPushButton::clicked, this, &GameWindow::OnEndMarket);
    connect(&controls_.Button(ButtonId::Buy), &QPushButton::clicked, this, &GameWindow::OnBuy);
    connect(&controls_.Button(ButtonId::Sell), &QPushButton::clicked, this, &GameWindow::OnSell);
    connect(&board_.Timer(), &QTimer::timeout, this, &GameWindow::OnTick);
}

void GameWindow::ShowFailure(const Outcome& outcome) {
    if (outcome) ShowError(this, QString::fromStdString(outcome->message));
}

void GameWindow::OnStartMarket() { ShowFailure(StartMarket(state_, board_, clock_)); }

void GameWindow::OnEndMarket() { EndMarket(state_, board_); }

void GameWindow::OnBuy() { Buy(state_, board_); }

void GameWindow::OnSell() { Sell(state_, board_); }

void GameWindow::OnTick() { ShowFailure(Tick(state_, board_)); }

}  // namespace zemkari::app
