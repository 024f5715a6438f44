#include "zemkari/app/main_window.h"

#include <QDir>
#include <QIcon>

#include "zemkari/app/game_application.h"
#include "zemkari/ui/field_accessibility.h"
#include "zemkari/ui/keyboard_play.h"
#include "zemkari/ui/utf8.h"

namespace zemkari::app {
namespace {

QString Caption() { return QStringLiteral("Zemkari " ZEMKARI_VERSION); }

// One PNG per size, rendered from icons/zemkari.svg; Qt needs no SVG module to show them.
QIcon GameIcon() {
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString& file : icons.entryList()) icon.addFile(icons.filePath(file));
    return icon;
}

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
    setWindowIcon(GameIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(design::kClientWidth, design::kClientHeight);
    move(kWindowPosition);
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
