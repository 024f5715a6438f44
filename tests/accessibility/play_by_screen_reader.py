#!/usr/bin/python3
"""Plays a trading day of the real game through AT-SPI alone, as a screen reader would.

Run inside a private X server and session bus (tools/with-xvfb.sh ...).
The script starts the accessibility bus and the game, finds every control by its
role and name and every value label by its description, starts the market, buys one
share, sells it and ends the market, and checks what the board reads back at each
step. The price path depends on the UTC clock, so every expectation is derived from
what the board showed, never from a known path.
"""

import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time

# What each value label shows: its accessible description.
CURRENT, OPEN, HIGH, LOW, CLOSE = "現在値", "始値", "高値", "安値", "終値"
STATUS, COMMITTED, UNREALISED = "発注状況", "約定代金", "評価損益"
BUYING_POWER, COMMENT, VERDICT = "余力", "コメント", "損益判定"
FIELDS = [CURRENT, OPEN, HIGH, LOW, CLOSE, STATUS, COMMITTED, UNREALISED, BUYING_POWER, COMMENT, VERDICT]

START, END, BUY, SELL = "相場開始", "相場終了", "買い注文", "売り注文"
SHARES = ["1株", "50株", "500株", "5株", "100株", "1000株", "10株"]
SPEEDS = ["0.5秒", "1秒", "1.5秒", "2秒", "2.5秒"]

# Seconds. The window takes long to appear under AddressSanitizer.
APPEAR_TIMEOUT = 90
STEP_TIMEOUT = 20
POLL = 0.05


class Failure(Exception):
    pass


class Game:
    """The game process, its accessibility tree and the checks made on it."""

    def __init__(self, binary, log):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        env.pop("QT_SCALE_FACTOR", None)
        self.log = log
        self.process = subprocess.Popen([binary], env=env, stdout=log, stderr=subprocess.STDOUT)
        self.labels = {}
        self.buttons = {}
        self.items = {}
        self.name_events = {}

    # --- waiting ---------------------------------------------------------------

    def check_alive(self, doing):
        status = self.process.poll()
        if status is not None:
            raise Failure(f"the game exited with status {status} while {doing}; its output:\n{self.output()}")

    def output(self):
        self.log.flush()
        with open(self.log.name, encoding="utf-8", errors="replace") as f:
            return f.read()[-4000:]

    def wait_for(self, what, probe, timeout=STEP_TIMEOUT):
        """Polls `probe` until it returns a true value, which is returned."""
        deadline = time.monotonic() + timeout
        while True:
            pump_events()
            self.check_alive(f"waiting for {what}")
            try:
                value = probe()
            except Exception as error:  # the tree may be rebuilt under us
                value, last_error = None, error
            else:
                last_error = None
            if value:
                return value
            if time.monotonic() > deadline:
                detail = f" (last error: {last_error})" if last_error else ""
                raise Failure(f"timed out after {timeout} s waiting for {what}{detail}\n{self.describe_board()}")
            time.sleep(POLL)

    def pause(self, seconds):
        self.wait_for(f"{seconds} s to pass", deadline_probe(seconds), timeout=seconds + STEP_TIMEOUT)

    # --- finding the window ----------------------------------------------------

    def find_application(self):
        import pyatspi

        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == self.process.pid and app.childCount > 0:
                return app
        return None

    def collect_controls(self, app):
        import pyatspi

        labels, buttons, items = {}, {}, {}
        for node in walk(app):
            role = node.getRole()
            if role == pyatspi.ROLE_LABEL and node.description in FIELDS:
                if node.description in labels:
                    raise Failure(f"two labels are described as {node.description!r}")
                labels[node.description] = node
            elif role == pyatspi.ROLE_PUSH_BUTTON:
                buttons[node.name] = node
            elif role == pyatspi.ROLE_RADIO_BUTTON:
                items[node.name] = node
        missing = [f for f in FIELDS if f not in labels]
        missing += [b for b in (START, END, BUY, SELL) if b not in buttons]
        missing += [i for i in SHARES + SPEEDS if i not in items]
        if missing:
            return None
        self.labels, self.buttons, self.items = labels, buttons, items
        return True

    # --- reading the board -----------------------------------------------------

    def read(self, field):
        return self.labels[field].name

    def number(self, field, unit=""):
        text = self.read(field)
        digits = text[: -len(unit)] if unit and text.endswith(unit) else text
        try:
            return int(digits)
        except ValueError:
            raise Failure(f"{field} reads {text!r}, not a number{' of ' + unit if unit else ''}") from None

    def enabled(self, name):
        import pyatspi

        node = self.buttons.get(name) or self.items[name]
        return node.getState().contains(pyatspi.STATE_ENABLED)

    def checked(self, name):
        import pyatspi

        return self.items[name].getState().contains(pyatspi.STATE_CHECKED)

    def describe_board(self):
        try:
            lines = [f"  {field}: {self.read(field)!r}" for field in self.labels]
            lines += [f"  {name}: {'on' if self.enabled(name) else 'off'}" for name in self.buttons]
            return "The board reads:\n" + "\n".join(lines)
        except Exception as error:
            return f"(the board could not be read: {error})"

    def expect(self, field, text):
        if self.read(field) != text:
            raise Failure(f"{field} reads {self.read(field)!r}, expected {text!r}\n{self.describe_board()}")

    def expect_buttons(self, when, **states):
        names = {"start": START, "end": END, "buy": BUY, "sell": SELL}
        for key, on in states.items():
            if self.enabled(names[key]) != on:
                raise Failure(f"{when}: {names[key]} is {'off' if on else 'on'}\n{self.describe_board()}")

    # --- acting ----------------------------------------------------------------

    def press(self, name):
        """Runs the control's press or toggle action, as a screen reader does."""
        node = self.buttons.get(name) or self.items[name]
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        for i, action_name in enumerate(names):
            if action_name.lower() in ("press", "toggle", "click"):
                if not action.doAction(i):
                    raise Failure(f"the {action_name} action of {name} reported failure")
                return
        raise Failure(f"{name} offers no press action, only {names}")

    def offers_press(self, name):
        node = self.buttons.get(name) or self.items[name]
        action = node.queryAction()
        return any(action.getName(i).lower() in ("press", "toggle", "click") for i in range(action.nActions))

    def press_watching_prices(self, name, until, what):
        """Presses `name` and reads the current price until `until()` holds; returns
        every price the board showed meanwhile, one of which the order took."""
        seen = {self.number(CURRENT)}
        self.press(name)

        def probe():
            seen.add(self.number(CURRENT))
            return until()

        self.wait_for(what, probe)
        seen.add(self.number(CURRENT))
        return seen

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def deadline_probe(seconds):
    end = time.monotonic() + seconds
    return lambda: time.monotonic() >= end


def pump_events():
    from gi.repository import GLib

    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for_accessibility_bus(launcher):
    from gi.repository import Gio, GLib

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    deadline = time.monotonic() + STEP_TIMEOUT
    while True:
        if launcher.poll() is not None:
            raise Failure(f"the accessibility bus launcher exited with status {launcher.returncode}")
        try:
            reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                  GLib.VariantType("(s)"), Gio.DBusCallFlags.NO_AUTO_START, 1000, None)
            if reply.unpack()[0]:
                return
        except GLib.Error:
            pass
        if time.monotonic() > deadline:
            raise Failure(f"the accessibility bus did not come up within {STEP_TIMEOUT} s")
        time.sleep(0.1)


def play(game):
    import pyatspi

    app = game.wait_for("the game's window on the accessibility bus", game.find_application, APPEAR_TIMEOUT)
    game.wait_for("every control and value label in the accessibility tree",
                  lambda: game.collect_controls(app), APPEAR_TIMEOUT)

    # A screen reader hears of every change to a value label's text.
    def on_name_change(event):
        description = event.source.description if event.source is not None else None
        game.name_events[description] = game.name_events.get(description, 0) + 1

    pyatspi.Registry.registerEventListener(on_name_change, "object:property-change:accessible-name")

    # The window as it opens.
    game.expect_buttons("when the window opens", start=True, end=True, buy=False, sell=False)
    for item in SHARES + SPEEDS:
        if not game.enabled(item):
            raise Failure(f"the selector item {item} is off")
    if not (game.checked("1株") and game.checked("1秒")):
        raise Failure("the window does not open with 1株 and 1秒 selected")
    for field, text in ((CURRENT, ""), (OPEN, ""), (COMMENT, ""), (STATUS, "発注無し"), (COMMITTED, "万円"),
                        (UNREALISED, "万円"), (BUYING_POWER, "300万円")):
        game.expect(field, text)
    if game.offers_press(BUY):
        game.press(BUY)
        game.pause(0.5)
    game.expect_buttons("after pressing the disabled buy button", buy=False, sell=False, start=True)

    # The selectors answer a press like a click: the pressed item is the one selected.
    game.press("5株")
    game.wait_for("5株 to be selected", lambda: game.checked("5株") and not game.checked("1株"))
    game.press("1株")
    game.wait_for("1株 to be selected again", lambda: game.checked("1株") and not game.checked("5株"))

    # Start the market and wait for its first tick.
    game.press(START)
    game.wait_for("the buy button after the start", lambda: game.enabled(BUY))
    game.expect_buttons("after the start", start=True, end=True, buy=True, sell=False)
    game.wait_for("the first tick to show a current price", lambda: game.read(CURRENT))
    first_tick = game.name_events.get(BUYING_POWER, 0)
    game.expect(OPEN, "100")
    game.expect(CLOSE, "")
    if not game.read(COMMENT):
        raise Failure("the comment box shows no rules after the start")

    # Until the second tick the board shows only the opening quote, and a buy then finds
    # no price. Either the price moves, or the buying power has been written afresh
    # ("300", then "300万円") twice more: the first tick's own writes may count here.
    game.wait_for("the second tick of the day",
                  lambda: game.read(CURRENT) != "100" or game.name_events.get(BUYING_POWER, 0) - first_tick >= 4)
    low, current, high = game.number(LOW), game.number(CURRENT), game.number(HIGH)
    if not low <= min(current, 100) <= max(current, 100) <= high:
        raise Failure(f"the quote board is inconsistent\n{game.describe_board()}")

    # Buy one share at the price on display.
    shown_at_buy = game.press_watching_prices(BUY, lambda: game.enabled(SELL) and not game.enabled(BUY),
                                              "the buy to switch the buttons")
    game.expect_buttons("with a position open", start=False, end=False, buy=False, sell=True)
    game.wait_for("the order status of the bought share", lambda: game.read(STATUS) == "1株約定")
    # The same tick shows the entry price as the amount committed per share.
    entry = game.number(COMMITTED, "万円")
    if entry == 0:
        raise Failure(f"the buy filled at no price\n{game.describe_board()}")
    if entry not in shown_at_buy:
        raise Failure(f"the share was bought at {entry}, but the board showed {sorted(shown_at_buy)} around the buy")
    game.wait_for(f"the buying power to show 300 - {entry}",
                  lambda: game.read(BUYING_POWER) == f"{300 - entry}万円")

    # Sell it at the price on display.
    shown_at_sale = game.press_watching_prices(SELL, lambda: game.enabled(BUY) and not game.enabled(SELL),
                                               "the sale to switch the buttons")
    game.expect_buttons("after the sale", start=True, end=True, buy=True, sell=False)
    funds = game.number(BUYING_POWER, "万円")
    profit = funds - 300
    if entry + profit not in shown_at_sale:
        raise Failure(f"the sale realised {profit} on a share bought at {entry}, but the board showed "
                      f"{sorted(shown_at_sale)} around the sale")

    # The next tick reports the closed trade.
    verdict = "利確" if profit > 0 else "損切り" if profit < 0 else ""
    game.wait_for(f"the verdict {verdict!r} of the closed trade",
                  lambda: game.read(BUYING_POWER) == f"{funds}万円" and game.read(VERDICT) == verdict)
    if profit != 0:
        game.expect(UNREALISED, f"{profit}万円")
        game.expect(STATUS, "発注無し")

    # End the market: the quote board goes blank and the order buttons off.
    game.press(END)
    game.wait_for("the quote board to clear", lambda: game.read(CURRENT) == "" and not game.enabled(BUY))
    for field in (OPEN, HIGH, LOW, CLOSE):
        game.expect(field, "")
    game.expect_buttons("after the end", start=True, end=True, buy=False, sell=False)
    game.expect(BUYING_POWER, f"{funds}万円")

    pump_events()
    for field in (CURRENT, BUYING_POWER, STATUS):
        if not game.name_events.get(field):
            raise Failure(f"no name change of {field} reached the accessibility bus")
    print(f"played a day: bought at {entry}, sold at {entry + profit}, buying power {funds}万円")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--game", required=True, help="the game's executable")
    parser.add_argument("--bus-launcher", required=True, help="at-spi-bus-launcher")
    args = parser.parse_args()

    for program in (args.game, args.bus_launcher):
        if not os.access(program, os.X_OK):
            print(f"FAIL: {program} is not an executable program", file=sys.stderr)
            return 1
    if not os.environ.get("DISPLAY") or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("FAIL: run under tools/with-xvfb.sh", file=sys.stderr)
        return 1
    # Qt's bridge does not appear when the bus address is forced on it.
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    launcher = subprocess.Popen([args.bus_launcher, "--launch-immediately"], stdout=subprocess.DEVNULL)
    game = None
    with tempfile.NamedTemporaryFile("w+", prefix="zemkari-a11y-", suffix=".log") as log:
        try:
            wait_for_accessibility_bus(launcher)
            game = Game(args.game, log)
            play(game)
        except Failure as failure:
            print(f"FAIL: {failure}", file=sys.stderr)
            return 1
        finally:
            if game is not None:
                game.stop()
            launcher.terminate()
            launcher.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
