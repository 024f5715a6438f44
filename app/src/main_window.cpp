#include "zemkari/app/main_window.h"

#include <QIcon>
#include <exception>

#include "zemkari/app/game_application.h"
#include "zemkari/ui/field_accessibility.h"
#include "zemkari/ui/keyboard_play.h"

namespace zemkari::app {
namespace {

QString Caption() { return QStringLiteral("Zemkari " ZEMKARI_VERSION); }

// The PNGs are rendered from icons/zemkari.svg; Qt needs no SVG module to show them.
QIcon GameIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/zemkari-%1.png").arg(size));
    return icon;
}

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
    setWindowIcon(GameIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ui::kClientWidth, ui::kClientHeight);
    move(kWindowPosition);
}

void TForm1::ConnectHandlers() {
    using zemkari::ButtonId;
    connect(&controls_.Button(ButtonId::Button1), &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(&controls_.Button(ButtonId::Button2), &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(&controls_.Button(ButtonId::Button3), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(&controls_.Button(ButtonId::Button4), &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(&board_.Timer(), &QTimer::timeout, this, &TForm1::Timer1Timer);
}

template <typename Handler>
void TForm1::Guarded(Handler&& handler) {
    QString error;
    try {
        if (const Outcome failure = handler()) error = QString::fromStdString(failure->message);
    } catch (const std::exception& exception) {
        error = QString::fromUtf8(exception.what());
    } catch (...) {
        error = QString::fromUtf8(kUnknownError);
    }
    if (!error.isEmpty()) ShowError(this, error);
}

void TForm1::Button1Click() {
    Guarded([this] { return StartMarket(state_, board_, clock_); });
}

void TForm1::Button2Click() {
    Guarded([this] {
        EndMarket(state_, board_);
        return Outcome{};
    });
}

void TForm1::Button3Click() {
    Guarded([this] {
        Buy(state_, board_);
        return Outcome{};
    });
}

void TForm1::Button4Click() {
    Guarded([this] {
        Sell(state_, board_);
        return Outcome{};
    });
}

void TForm1::Timer1Timer() {
    Guarded([this] { return Tick(state_, board_); });
}

}  // namespace zemkari::app
