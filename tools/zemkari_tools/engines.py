"""The browser engines a test plays the page in, each behind one small driver: Debian's
Chromium (Selenium and chromedriver), Firefox ESR (WebDriver BiDi, Firefox's own protocol
over a websocket) and WebKitGTK (Selenium and WebKitWebDriver driving MiniBrowser, on an
X display: run it under tools/with-xvfb.sh).

Each driver answers as Selenium's does where the helpers of page_driver ask (get,
execute_script, execute_async_script with its callback last, set_script_timeout), and
adds what a player does: a click or a finger's tap at a point of the viewport, keys
pressed, and the viewport's size. Every driver it starts listens on a port its program
picked itself."""

import asyncio
import contextlib
import glob
import json
import math
import os
import pathlib
import subprocess
import tempfile
import threading
import time

import websockets
from selenium import webdriver
from selenium.common.exceptions import JavascriptException, TimeoutException, WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions
from selenium.webdriver.webkitgtk.service import Service as WebKitService

from . import page_driver

FIREFOX = "/usr/bin/firefox-esr"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
# Debian keeps MiniBrowser in the library folder of the machine's architecture.
MINIBROWSER = next(iter(sorted(glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser"))), "MiniBrowser")
NAMES = ("chromium", "firefox", "webkitgtk")

# The W3C WebDriver values of the keys a player presses besides letters and digits.
SHIFT, F5 = "\ue008", "\ue035"


class SeleniumEngine:
    """An engine Selenium drives: its session's script calls, and a player's input as
    W3C actions at points of the viewport. Engines that make a touch screen say so
    (`touches`) and tap (`touch`)."""

    touches = False

    def __init__(self, driver):
        self.driver = driver

    def get(self, url):
        self.driver.get(url)

    def execute_script(self, script, *args):
        return self.driver.execute_script(script, *args)

    def execute_async_script(self, script, *args):
        return self.driver.execute_async_script(script, *args)

    def set_script_timeout(self, seconds):
        self.driver.set_script_timeout(seconds)

    def click(self, *points):
        """Clicks the mouse at each (x, y) of the viewport in turn, moved there at once."""
        actions = ActionBuilder(self.driver, duration=0)
        for x, y in points:
            actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def press(self, *keys):
        chain = ActionChains(self.driver, duration=0)
        for key in keys:
            chain.key_down(key)
        for key in reversed(keys):
            chain.key_up(key)
        chain.perform()

    def viewport(self):
        return self.driver.execute_script("return [innerWidth, innerHeight, devicePixelRatio];")


class Chromium(SeleniumEngine):
    """Chromium, whose DevTools protocol emulates a phone's screen and its touch."""

    name = "chromium"
    touches = True

    def touch(self, *points):
        """Taps a finger at each (x, y) of the viewport in turn."""
        for x, y in points:
            page_driver.touch(self.driver, x, y)

    def set_viewport(self, width, height, scale=1, phone=False):
        if phone:
            page_driver.emulate_phone(self.driver, width, height, scale)
        else:
            self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                        {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": False})


class WebKitGTK(SeleniumEngine):
    """MiniBrowser, whose window WebKitWebDriver sizes: the viewport is what the window
    leaves inside it, under a mouse, at the density GTK draws the window at (GDK_SCALE,
    from MiniBrowser's start)."""

    name = "webkitgtk"

    def set_viewport(self, width, height):
        rect = self.driver.get_window_rect()
        for _ in range(3):
            got_width, got_height, _ = self.viewport()
            if (got_width, got_height) == (width, height):
                return True
            rect = self.driver.set_window_rect(width=rect["width"] + width - got_width,
                                               height=rect["height"] + height - got_height)
        return False


@contextlib.contextmanager
def _chromium(width, height, scale, phone):
    with page_driver.chromium(width, height) as driver:
        engine = Chromium(driver)
        engine.set_viewport(width, height, scale, phone)
        yield engine


@contextlib.contextmanager
def _webkitgtk(width, height, scale, phone):
    options = WebKitOptions()
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    # Scroll bars that take no room, as a phone's and as headless Chromium's.
    options.overlay_scrollbars_enabled = True
    # MiniBrowser, started by the driver, has the driver's environment.
    service = page_driver.on_port_zero(WebKitService)(WEBKIT_DRIVER, env={**os.environ, "GDK_SCALE": str(scale)})
    service.start()
    try:
        driver = webdriver.Remote(command_executor=f"http://127.0.0.1:{service.port}", options=options)
        try:
            engine = WebKitGTK(driver)
            if not engine.set_viewport(width, height):
                raise WebDriverException(f"MiniBrowser's viewport is {engine.viewport()}, not {width} x {height}")
            yield engine
        finally:
            driver.quit()
    finally:
        service.stop()


class BiDiError(WebDriverException):
    pass


def _local_value(value):
    """A Python value as a BiDi script argument."""
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [_local_value(item) for item in value]}
    if isinstance(value, dict):
        return {"type": "object", "value": [[str(key), _local_value(item)] for key, item in value.items()]}
    raise TypeError(f"no script argument for {value!r}")


_NUMBERS = {"NaN": math.nan, "-0": -0.0, "Infinity": math.inf, "-Infinity": -math.inf}


def _python_value(remote):
    """A BiDi script result as a Python value, as Selenium gives JSON."""
    kind, value = remote["type"], remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind == "number":
        return _NUMBERS.get(value, value) if isinstance(value, str) else value
    if kind in ("string", "boolean"):
        return value
    if kind in ("array", "set"):
        return [_python_value(item) for item in value]
    if kind in ("object", "map"):
        return {key if isinstance(key, str) else _python_value(key): _python_value(item) for key, item in value}
    raise BiDiError(f"a script returned a {kind}, which a test cannot hold")


class BiDi:
    """A WebDriver BiDi session over its websocket: commands sent, each answer waited
    for, from a thread of its own that reads the socket."""

    def __init__(self, url, timeout=60):
        self._timeout = timeout
        self._loop = asyncio.new_event_loop()
        self._thread = threading.Thread(target=self._loop.run_forever, daemon=True)
        self._thread.start()
        self._pending = {}
        self._next_id = 0

        async def connect():
            socket = await websockets.connect(url, max_size=None, ping_interval=None)
            self._reader = asyncio.ensure_future(self._read(socket))
            return socket

        self._socket = self._call(connect(), timeout)

    def _call(self, coroutine, timeout):
        future = asyncio.run_coroutine_threadsafe(coroutine, self._loop)
        try:
            return future.result(timeout)
        except TimeoutError:
            future.cancel()
            raise TimeoutException(f"no answer from Firefox in {timeout} s") from None

    async def _read(self, socket):
        try:
            async for message in socket:
                answer = json.loads(message)
                future = self._pending.pop(answer.get("id"), None)
                if future and not future.done():
                    future.set_result(answer)
        except websockets.ConnectionClosed:
            pass
        finally:
            # Whatever ended the reading fails every command still waiting for its answer.
            for future in self._pending.values():
                if not future.done():
                    future.set_exception(BiDiError("Firefox's WebDriver BiDi connection ended"))

    async def _send(self, method, params):
        self._next_id += 1
        future = self._loop.create_future()
        self._pending[self._next_id] = future
        await self._socket.send(json.dumps({"id": self._next_id, "method": method, "params": params}))
        return await future

    def command(self, method, params, timeout=None):
        answer = self._call(self._send(method, params), timeout or self._timeout)
        if answer.get("type") == "error":
            raise BiDiError(f"{method}: {answer['error']}: {answer.get('message')}")
        return answer["result"]

    def close(self):
        with contextlib.suppress(Exception):
            self._call(self._socket.close(), 10)
        self._loop.call_soon_threadsafe(self._loop.stop)
        self._thread.join(10)


class Firefox:
    """Firefox over WebDriver BiDi, in its first tab."""

    name = "firefox"
    touches = True

    def __init__(self, bidi):
        self.bidi = bidi
        self.context = bidi.command("browsingContext.getTree", {})["contexts"][0]["context"]
        self._script_timeout = 30

    def get(self, url):
        self.bidi.command("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})

    def _call(self, declaration, args, wait, timeout=None):
        result = self.bidi.command("script.callFunction", {
            "functionDeclaration": declaration, "arguments": [_local_value(arg) for arg in args],
            "target": {"context": self.context}, "awaitPromise": wait, "resultOwnership": "none"}, timeout)
        if result["type"] == "exception":
            details = result["exceptionDetails"]
            raise JavascriptException(f"{details['text']} (line {details['lineNumber']})")
        return _python_value(result["result"])

    def execute_script(self, script, *args):
        return self._call(f"function () {{\n{script}\n}}", args, False)

    def execute_async_script(self, script, *args):
        # Selenium's calling convention: the script's last argument is its callback.
        declaration = (f"function (...args) {{ return new Promise((done, fail) => {{ try {{ (function () {{\n{script}\n}})"
                       ".apply(this, [...args, done]); } catch (error) { fail(error); } }); }")
        return self._call(declaration, args, True, self._script_timeout)

    def set_script_timeout(self, seconds):
        self._script_timeout = seconds

    def _perform(self, source):
        self.bidi.command("input.performActions", {"context": self.context, "actions": [source]})

    def _pointer(self, kind, points):
        actions = []
        for x, y in points:
            actions += [{"type": "pointerMove", "x": int(x), "y": int(y)}, {"type": "pointerDown", "button": 0},
                        {"type": "pointerUp", "button": 0}]
        self._perform({"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": actions})

    def click(self, *points):
        self._pointer("mouse", points)

    def touch(self, *points):
        self._pointer("touch", points)

    def press(self, *keys):
        self._perform({"type": "key", "id": "keyboard", "actions": [{"type": "keyDown", "value": key} for key in keys] +
                       [{"type": "keyUp", "value": key} for key in reversed(keys)]})

    def viewport(self):
        return self.execute_script("return [innerWidth, innerHeight, devicePixelRatio];")

    def set_viewport(self, width, height, scale=1):
        self.bidi.command("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": width, "height": height}, "devicePixelRatio": scale})


# Firefox as a test wants it: nothing asked of the network but the test's own server,
# no first-run pages.
FIREFOX_PREFERENCES = {
    "app.update.disabledForTesting": True,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "services.settings.server": "data:,",
    "network.connectivity-service.enabled": False,
    "network.captive-portal-service.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "extensions.update.enabled": False,
    # A touch held longer than this is no tap and gives no click. The driver puts the
    # finger down and lifts it in two steps, which a busy machine can set this far apart.
    "apz.max_tap_time": 3_600_000,
}
# A touch screen's pointer, for the media queries (pointer: coarse) and (hover: none).
COARSE_POINTER = {"ui.primaryPointerCapabilities": 1, "ui.allPointerCapabilities": 1}


@contextlib.contextmanager
def _firefox(width, height, scale, phone, timeout=60):
    preferences = {**FIREFOX_PREFERENCES, **(COARSE_POINTER if phone else {})}
    with tempfile.TemporaryDirectory(prefix="zemkari-firefox-") as profile:
        profile = pathlib.Path(profile)
        (profile / "user.js").write_text("".join(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n"
                                                 for name, value in preferences.items()))
        log = open(profile / "firefox.log", "wb")
        # Port 0: Firefox picks the port and writes it to the profile once it listens.
        process = subprocess.Popen([FIREFOX, "--headless", "--no-remote", "--profile", str(profile),
                                    "--remote-debugging-port=0", "about:blank"], stdout=log, stderr=log,
                                   stdin=subprocess.DEVNULL)
        bidi = None
        try:
            server = profile / "WebDriverBiDiServer.json"
            deadline = time.monotonic() + timeout
            while True:
                with contextlib.suppress(FileNotFoundError, json.JSONDecodeError, KeyError):
                    address = json.loads(server.read_text())
                    url = f"ws://{address['ws_host']}:{address['ws_port']}/session"
                    break
                if process.poll() is not None or time.monotonic() > deadline:
                    raise WebDriverException(f"Firefox offers no WebDriver BiDi: "
                                             f"{(profile / 'firefox.log').read_text(errors='replace')[-2000:]}")
                time.sleep(0.05)
            bidi = BiDi(url, timeout)
            bidi.command("session.new", {"capabilities": {}})
            engine = Firefox(bidi)
            engine.set_viewport(width, height, scale)
            yield engine
        finally:
            if bidi:
                with contextlib.suppress(WebDriverException):
                    bidi.command("browser.close", {}, 10)
                bidi.close()
            try:
                process.wait(20)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            log.close()


@contextlib.contextmanager
def launch(name, width, height, scale=1, phone=False):
    """A fresh browser of engine `name` of its own profile, its viewport `width` x
    `height` CSS pixels of `scale` device pixels each, closed afterwards. As a `phone`'s
    where the engine can be: Chromium emulates a phone, its touch screen and its
    browser's ways; Firefox tells pages its pointer is a touch screen's, from its start
    on; MiniBrowser has a mouse."""
    with {"chromium": _chromium, "firefox": _firefox, "webkitgtk": _webkitgtk}[name](width, height, scale, phone) as engine:
        yield engine
