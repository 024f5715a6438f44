#pragma once

#include <QWidget>

#include "zemkari/clock.h"
#include "zemkari/market.h"
#include "zemkari/market_state.h"
#include "zemkari/ui/qt_board.h"
#include "zemkari/ui/window_controls.h"

namespace zemkari::app {

// The game's one window. It owns the market state and the Board on its controls, and
// forwards each event to the game's step for it.
class GameWindow final : public QWidget {
    Q_OBJECT

public:
    // `clock` seeds the scenario draw at every start of the market; it must outlive
    // the window.
    explicit GameWindow(const Clock& clock, QWidget* parent = nullptr);

    const MarketState& State() const { return state_; }
    ui::QtBoard& Board() { return board_; }

public slots:
    void OnStartMarket();
    void OnEndMarket();
    void OnBuy();
    void OnSell();
    void OnTick();  // the market clock's tick

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FixFrame();
    void ConnectHandlers();
    // Shows a failure a handler reported; an exception that escapes a handler is
    // shown by GameApplication::notify. Either way the game goes on.
    void ShowFailure(const Outcome& outcome);

    const Clock& clock_;
    MarketState state_{};
    ui::WindowControls controls_;
    ui::QtBoard board_;
    bool iconPending_ = true;  // until the first frame is out
};

// Where the window opens: the top-left corner of its frame on the screen.
inline constexpr QPoint kWindowPosition{273, 95};

}  // namespace zemkari::app
