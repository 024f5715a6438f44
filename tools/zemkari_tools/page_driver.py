"""The browser page under a test's control: the site served from 127.0.0.1 on a port the
system picks, Debian's headless Chromium driven through chromedriver, and the page's
clock and timers replaced, before the page loads, by ones the caller sets and advances;
optionally the browser of a phone, tapped as a finger taps; and the words of the replay
scripts a player can give the page, with the captions of the controls they name. Shared
by the browser tests, the page's screenshots and its measurement."""

import contextlib
import functools
import http.server
import json
import os
import pathlib
import socket
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"


@functools.cache
def design():
    """What the window's design says the page shows, from the file the browser tests'
    build writes (tests/web/chart_reference.cpp) at ZEMKARI_DESIGN_FACTS: the buttons
    and selectors by the script words that press them ("start", "qty"), with their
    captions, keys and items; the title, the window's size, the fields' descriptions,
    the colours; the page's own notices."""
    return json.loads(pathlib.Path(os.environ["ZEMKARI_DESIGN_FACTS"]).read_text(encoding="utf-8"))


def caption(word):
    """The caption of the button or selector that the script word `word` presses."""
    return (design()["buttons"].get(word) or design()["selectors"][word])["caption"]


def commands(script):
    """The words of each command of a replay script's text, comments and blank lines
    dropped."""
    for line in script.splitlines():
        words = line.split("#", 1)[0].split()
        if words:
            yield words


def time_of_day(value):
    """The millisecond of the day a script's `start` names: HH:MM:SS.mmm or a number."""
    if ":" not in value:
        return int(value)
    hours, minutes, rest = value.split(":")
    seconds, millis = rest.split(".")
    return ((int(hours) * 60 + int(minutes)) * 60 + int(seconds)) * 1000 + int(millis)

# Runs before any script of the page: Date and performance.now read a clock the test
# sets, and setInterval (the market clock) fires only when the test advances that clock
# to it. One-shot timeouts stay real: the page sets none, and the ones chromedriver's own
# scripts set in some versions must neither wait for the test nor pass for a tick.
FAKE_CLOCK_AND_TIMERS = r"""
(() => {
  const RealDate = Date;
  const origin = RealDate.UTC(2026, 0, 5);
  let now = origin;
  const timers = new Map();
  let nextId = 1;
  class FakeDate extends RealDate {
    constructor(...args) { if (args.length === 0) super(now); else super(...args); }
    static now() { return now; }
  }
  window.Date = FakeDate;
  performance.now = () => now - origin;
  window.setInterval = (callback, delay = 0, ...args) => {
    const ms = Math.max(0, Number(delay) || 0);
    const id = nextId++;
    timers.set(id, { callback, args, ms, due: now + ms });
    return id;
  };
  window.clearInterval = (id) => { timers.delete(id); };
  window.__zemkariTest = {
    // Sets the clock to a millisecond of the UTC day (same day).
    setTimeOfDay(ms) { now = origin + ms; },
    passTime(ms) { now += ms; },
    timeOfDay() { return now - origin; },
    repeating() {
      return [...timers.values()].map((t) => ({ ms: t.ms, due: t.due - origin }));
    },
    // Fires the interval due first, with the clock at its due time; returns that time.
    fireNext() {
      let first = null;
      for (const t of timers.values()) if (!first || t.due < first.due) first = t;
      if (!first) return null;
      now = Math.max(now, first.due);
      first.due = now + first.ms;
      first.callback(...first.args);
      return now - origin;
    },
  };
})();
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    # Keeps connections open, as any production server does.
    protocol_version = "HTTP/1.1"
    # And sends each response at once, as production servers do: with Nagle's algorithm
    # on, a body written after its headers waits for the browser's delayed
    # acknowledgement of them, some 40 ms on a kept-alive connection.
    disable_nagle_algorithm = True
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".js": "text/javascript", ".woff2": "font/woff2",
                      ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class _ClosingServer(http.server.ThreadingHTTPServer):
    """Keeps its open connections, so that stopping it ends the kept-alive ones too."""

    def __init__(self, *args):
        super().__init__(*args)
        self._lock = threading.Lock()
        self._connections = set()

    def process_request(self, request, client_address):
        with self._lock:
            self._connections.add(request)
        super().process_request(request, client_address)

    def shutdown_request(self, request):
        with self._lock:
            self._connections.discard(request)
        super().shutdown_request(request)

    def close_connections(self):
        with self._lock:
            for connection in self._connections:
                with contextlib.suppress(OSError):
                    connection.shutdown(socket.SHUT_RDWR)


class Server:
    """Serves `site` on 127.0.0.1 at a port the system picks, at `url`, until stopped."""

    def __init__(self, site, handler=QuietHandler):
        self._server = _ClosingServer(("127.0.0.1", 0), functools.partial(handler, directory=site))
        self.url = f"http://127.0.0.1:{self._server.server_address[1]}/"
        threading.Thread(target=self._server.serve_forever, daemon=True).start()

    def stop(self):
        """Stops listening and ends every open connection: nothing answers at `url` then."""
        if self._server:
            self._server.shutdown()
            self._server.server_close()
            self._server.close_connections()
            self._server = None


# The script the test's copy of the page loads ahead of its own: the test's clock and
# timers and the log of taps and keys. Served from the page's origin, the page's
# Content-Security-Policy lets it run in every engine, none of whose drivers need a way
# to run script before a page's.
TEST_SCRIPT = "zemkari-test.js"


class _TestPageHandler(QuietHandler):
    """The site with the test's script in its page. Without its service worker: the
    worker keeps the files of its build, checked against their digests, which the
    test's page fails, so that it would fetch the whole site again at every load; the
    page plays as from a host that offers no worker."""

    def __init__(self, *args, page, **kwargs):
        self._page = page
        super().__init__(*args, **kwargs)

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        answers = {"/": (self._page, "text/html; charset=utf-8"), "/index.html": (self._page, "text/html; charset=utf-8"),
                   f"/{TEST_SCRIPT}": ((FAKE_CLOCK_AND_TIMERS + TAP_LOG).encode(), "text/javascript")}
        if path == "/service_worker.js":
            self.send_error(404)
        elif path in answers:
            body, kind = answers[path]
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        else:
            super().do_GET()


def test_page(site):
    """The site's page with the test's script ahead of the page's module, whatever else
    the module's tag says (its fetch priority)."""
    page = (pathlib.Path(site) / "index.html").read_text(encoding="utf-8")
    module = '<script type="module" src="zemkari.js"'
    if module not in page:
        raise RuntimeError(f"{site}/index.html loads no {module}>")
    return page.replace(module, f'<script src="{TEST_SCRIPT}"></script>\n{module}', 1).encode()


@contextlib.contextmanager
def served(site, with_test_script=False):
    """Serves `site` on 127.0.0.1 at a port the system picks; yields the base URL. With
    `with_test_script`, the page has the test's clock, timers and input log, in any
    engine."""
    server = Server(site, functools.partial(_TestPageHandler, page=test_page(site)) if with_test_script else QuietHandler)
    try:
        yield server.url
    finally:
        server.stop()


def listening_port(process, timeout=30):
    """The TCP port that `process` (a driver started with port 0) listens on for
    127.0.0.1, once it does: the system picked it, so no other program can hold it."""
    deadline = time.monotonic() + timeout
    while True:
        if process.poll() is not None:
            raise RuntimeError(f"{process.args[0]} exited with status {process.returncode} before it listened")
        sockets = set()
        for fd in pathlib.Path(f"/proc/{process.pid}/fd").iterdir():
            with contextlib.suppress(OSError):
                target = os.readlink(fd)
                if target.startswith("socket:["):
                    sockets.add(target[8:-1])
        # Columns: sl, local address (hex IPv4:port), remote, state (0A: listening), ..., inode.
        for row in [line.split() for line in pathlib.Path("/proc/net/tcp").read_text().splitlines()[1:]]:
            if row[3] == "0A" and row[9] in sockets and row[1].startswith("0100007F:"):
                return int(row[1].split(":")[1], 16)
        if time.monotonic() > deadline:
            raise RuntimeError(f"{process.args[0]} listens on no port of 127.0.0.1")
        time.sleep(0.05)


def on_port_zero(service_class):
    """`service_class`, a Selenium driver service, started on a port its driver picks
    itself (port 0) rather than one Selenium found free and let go, which another program
    could take in between."""

    class OnPortZero(service_class):
        def command_line_args(self):
            self.port = 0
            return super().command_line_args()

        def start(self):
            self._start_process(self.path)
            self.port = listening_port(self.process)

    return OnPortZero


@contextlib.contextmanager
def chromium(width=800, height=760, scale=1):
    """A fresh headless Chromium of its own profile, closed afterwards."""
    with tempfile.TemporaryDirectory(prefix="zemkari-chromium-") as profile:
        options = Options()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync",
                         "--no-first-run", "--no-default-browser-check", "--disable-extensions",
                         "--hide-scrollbars", "--font-render-hinting=none", f"--user-data-dir={profile}",
                         f"--window-size={width},{height}", f"--force-device-scale-factor={scale}"):
            options.add_argument(argument)
        driver = webdriver.Chrome(service=on_port_zero(Service)(CHROMEDRIVER), options=options)
        try:
            yield driver
        finally:
            driver.quit()


def fake_clock_and_timers(driver):
    """From the next navigation on, every page gets the test's clock and timers."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FAKE_CLOCK_AND_TIMERS})


def test_clock(driver, call, *args):
    """What `call` of the test's clock and timers returns, e.g. "fireNext()"."""
    return driver.execute_script(f"return window.__zemkariTest.{call};", *args)


def open_page(driver, url):
    """Loads the page with a new game and waits until the game's core is bound and its
    fonts are in. A game the tab kept from an earlier load, which the page resumes, is
    dropped and the page loaded again."""
    driver.get(url)
    wait_for_core(driver)
    if driver.execute_script("return sessionStorage.length > 0;"):
        driver.execute_script("sessionStorage.clear();")
        driver.get(url)
        wait_for_core(driver)


def wait_for_core(driver):
    """Waits until the page's core is bound and its fonts are in."""
    driver.set_script_timeout(30)
    driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        const ready = () => performance.getEntriesByName('zemkari-core').length > 0;
        const wait = () => ready() ? document.fonts.ready.then(() => done(true)) : requestAnimationFrame(wait);
        wait();""")


# The phone the page is played on: its screen in CSS pixels, upright, and its density.
PHONE = (390, 844)
PHONE_SCALE = 3

# Counts, before the page sees them, the clicks that reach a button or a selector item
# of the game and those that reach the page outside the game; a selector item's click
# on its radio button follows from the item's and is not counted again. And the keys
# released, each after the page has had its press.
TAP_LOG = r"""
(() => {
  window.__zemkariTaps = { controls: 0, outside: 0, keys: 0 };
  document.addEventListener('click', (event) => {
    if (event.target.matches('main button, main label')) ++window.__zemkariTaps.controls;
    else if (!event.target.closest('main')) ++window.__zemkariTaps.outside;
  }, true);
  document.addEventListener('keyup', () => ++window.__zemkariTaps.keys, true);
})();
"""


def log_taps(driver):
    """From the next navigation on, every page logs the clicks that taps give it."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": TAP_LOG})


def emulate_phone(driver, width, height, scale=PHONE_SCALE, mobile=True):
    """From now on the browser is a phone's: a touch screen of `width` x `height` CSS
    pixels at `scale` device pixels each, laying pages out by their viewport meta; or,
    not `mobile`, a touch laptop's, which lays them out at the screen's width."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})


def touch(driver, x, y):
    """A finger put down at (x, y) of the viewport, in CSS pixels, and lifted."""
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


# Scrolls the element into view as a player would, no further than needed, and returns
# its centre in the viewport.
TAP_POINT = """
const element = arguments[0];
element.scrollIntoView({ block: 'nearest', inline: 'nearest' });
const box = element.getBoundingClientRect();
return [box.x + box.width / 2, box.y + box.height / 2];
"""

# Waits for the page to count the given number of clicks outside the game.
OUTSIDE_CLICKS = """
const want = arguments[0], done = arguments[arguments.length - 1];
const wait = () => window.__zemkariTaps.outside >= want ? done(window.__zemkariTaps) : requestAnimationFrame(wait);
wait();
"""


def tap(driver, element):
    """Taps `element` at its centre, as a finger does, and returns how many clicks the
    game's controls got from it. A second tap, on the page's margin, closes the first:
    the browser delivers taps in order, so once the page has the second tap's click it
    has every event the first gave, however late."""
    x, y = driver.execute_script(TAP_POINT, element)
    before = driver.execute_script("return window.__zemkariTaps;")
    touch(driver, x, y)
    touch(driver, MARGIN_POINT, MARGIN_POINT)
    after = driver.execute_async_script(OUTSIDE_CLICKS, before["outside"] + 1)
    return after["controls"] - before["controls"]


# A point of the viewport in the page's margin, outside the game whatever the scroll.
MARGIN_POINT = 2


BOARD_STATE = """
const form = document.querySelector('main');
const colourName = arguments[0];
const labels = {}, colours = {}, buttons = {}, weights = {};
for (const el of form.querySelectorAll('[data-field]')) {
  labels[el.id] = el.textContent;
  weights[el.id] = getComputedStyle(el).fontWeight;
  colours[el.id] = colourName[getComputedStyle(el).color] || getComputedStyle(el).color;
}
for (const el of form.querySelectorAll('button')) buttons[el.id] = !el.disabled;
return { labels, colours, buttons, weights, timers: window.__zemkariTest.repeating() };
"""


def board_state(driver, colour_names=None):
    """The board as the transcripts give it: label texts, colours by the names of
    `colour_names` (a CSS colour such as "rgb(255, 0, 0)" to its name; any other colour
    as the browser writes it), button states; with the weights and the running timers."""
    return driver.execute_script(BOARD_STATE, colour_names or {})


# The game's button captioned arguments[0] or, with an index arguments[1], that item of
# the selector captioned arguments[0], in the order the window lists them.
FIND_CONTROL = r"""
const [caption, index] = arguments;
const text = (element) => element.textContent.replace(/[ \t\r\n]+/g, ' ').trim();
const main = document.querySelector('main');
if (index === null || index === undefined) return [...main.querySelectorAll('button')].find((b) => text(b) === caption);
const group = [...main.querySelectorAll('[role=radiogroup]')].find((g) => [...g.children].some((c) => text(c) === caption));
return group.querySelectorAll('label')[index];
"""


def control(driver, word, index=None):
    """The button the script word `word` presses or, with an index, that item of the
    selector it names, in the order the window lists them; found by its caption."""
    return driver.execute_script(FIND_CONTROL, caption(word), index)


def play(driver, words, press=lambda element: element.click()):
    """Gives the page one command of a replay script as a player would, pressing each
    control with `press`, the market clock ticking on demand."""
    name = words[0]
    if name == "tick":
        for _ in range(int(words[1]) if len(words) > 1 else 1):
            if test_clock(driver, "fireNext()") is None:
                raise AssertionError("no market clock to tick")
        return
    if name == "start":
        test_clock(driver, "setTimeOfDay(arguments[0])", time_of_day(words[1]))
    if name not in design()["buttons"] and name not in design()["selectors"]:
        raise AssertionError(f"no player can do {' '.join(words)!r}")
    press(control(driver, name, int(words[1]) if name in design()["selectors"] else None))


def canvas_png(driver):
    """The chart canvas as PNG bytes, in its own pixels."""
    import base64
    data = driver.execute_script("return document.querySelector('main canvas').toDataURL('image/png');")
    return base64.b64decode(data.split(",", 1)[1])


# Every text on the page with the weight it is drawn in.
PAGE_TEXTS = """
const texts = [];
const walker = document.createTreeWalker(document.querySelector('main'), NodeFilter.SHOW_TEXT);
for (let node = walker.nextNode(); node; node = walker.nextNode()) {
  texts.push([getComputedStyle(node.parentElement).fontWeight, node.textContent]);
}
return texts;
"""


def page_texts(driver):
    return driver.execute_script(PAGE_TEXTS)
