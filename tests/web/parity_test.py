#!/usr/bin/python3
"""Plays the replay transcripts in the browser page in one engine (Chromium, Firefox ESR
or WebKitGTK), as a player would, and compares every step with the replay tool's
output: label texts and colours, button states and the market clock (whether it runs,
its interval and when each tick comes). At the end of each script every character shown
is checked to be in the page's font and the chart canvas is compared with the window's
chart after the same script. Every script is played with the mouse at a desktop's size,
three again from the keyboard, and every one on a phone's screen, tapped where the
engine's driver makes a touch screen, clicked where it does not; there the chart is
compared with the one the same engine drew at the desktop's size. Two scripts reload the
page mid-day: it resumes its game and plays on to the same end.

  PYTHONPATH=tools ZEMKARI_DESIGN_FACTS=build/dev/tests/web/design_facts.json
      parity_test.py --engine firefox --site build/web/site
      --transcripts tests/replay/transcripts --chart-reference build/dev/tests/web/web_chart_reference
(WebKitGTK under tools/with-xvfb.sh)"""

import io
import os
import pathlib
import subprocess
import sys
import tempfile
import time

from PIL import Image
from selenium.common.exceptions import TimeoutException, WebDriverException

from page_checks import Mismatch, arguments, colour_names, commands, transcript
from zemkari_tools import engines, page_driver
from zemkari_tools.page_driver import caption, design, time_of_day

DAY = 86_400_000
# What a player does between two clicks takes this long on the page's clock.
CLICK_PAUSE = 10
# The screens the scripts are played on: width and height in CSS pixels, density. On a
# phone fingers tap where the engine's driver makes a touch screen. WebKitGTK's driver
# sizes MiniBrowser's window, no narrower than its toolbar (447 CSS pixels), under a
# mouse: a phone turned on its side is the phone it can be.
DESKTOP = (1280, 800, 1)
PHONES = {"chromium": (*page_driver.PHONE, page_driver.PHONE_SCALE),
          "firefox": (*page_driver.PHONE, page_driver.PHONE_SCALE),
          "webkitgtk": (page_driver.PHONE[1], page_driver.PHONE[0], 2)}
# Three scripts again from the keyboard: every key (the speed keys in game_speed), and B
# while buying is off.
BY_KEYS = ("several_days", "game_speed", "refused_buys")
# The page is thrown away and loaded again in its tab after these steps, mid-day with
# shares held: on a first day, and on a third whose chart still shows the second's line.
RELOAD_AFTER = {"profitable_day": 40, "several_days": 150}


def keys(word):
    """The keys, as WebDriver names them, of the button `word` presses: "Shift+F5"."""
    return [{"Shift": engines.SHIFT, "F5": engines.F5}.get(key, key.lower())
            for key in design()["buttons"][word]["key"].split("+")]


def playable(words):
    """Whether a player can give the page the command: not the window system refusing a
    timer or an interval, not selecting no item, not a line that is no command."""
    items = len(design()["selectors"].get(words[0], {}).get("items", []))
    return words[0] in (*design()["buttons"], "tick") or words[1:] in ([str(i)] for i in range(items))


# The time a player takes to act (arguments[0] milliseconds) passes; returns the input
# the page has counted.
PAUSE = "window.__zemkariTest.passTime(arguments[0]); return { ...window.__zemkariTaps };"

# The time a player takes to act (arguments[0] milliseconds) passes; then a control of
# the game, found as page_driver.FIND_CONTROL finds it from the other arguments, is
# scrolled into view as a player would, no further than needed: its centre in the
# viewport, its state and the input the page has counted.
CONTROL = f"""
window.__zemkariTest.passTime(arguments[0]);
const element = (function () {{ {page_driver.FIND_CONTROL} }}).apply(null, [...arguments].slice(1));
element.scrollIntoView({{ block: 'nearest', inline: 'nearest' }});
const box = element.getBoundingClientRect();
return {{ x: box.x + box.width / 2, y: box.y + box.height / 2, button: element.tagName === 'BUTTON',
         enabled: !element.disabled, text: element.innerText.trim(), taps: {{ ...window.__zemkariTaps }} }};
"""

# The items of the selector captioned arguments[0]: their texts, and which is checked.
SELECTOR = f"""
const item = (function () {{ {page_driver.FIND_CONTROL} }}).call(null, arguments[0], 0);
const labels = [...item.parentElement.querySelectorAll(':scope > label')];
return {{ texts: labels.map((label) => label.innerText.trim()),
         checked: labels.findIndex((label) => label.querySelector('input').checked) }};
"""

# Waits until the page has counted, since `before`, as many clicks outside the game and
# key releases as asked.
INPUT_ARRIVED = """
const [before, outside, keys] = arguments, done = arguments[arguments.length - 1];
const taps = window.__zemkariTaps;
const arrived = () => taps.outside >= before.outside + outside && taps.keys >= before.keys + keys;
const wait = () => arrived() ? done(taps) : requestAnimationFrame(wait);
wait();
"""


class Player:
    """Plays one script on a freshly loaded page, by mouse, by keyboard or by touch,
    checking each step against the expected transcript."""

    def __init__(self, engine, url, expected, by_keys, by_taps=False):
        self.engine = engine
        self.expected = expected
        self.by_keys = by_keys
        self.by_taps = by_taps
        self.step = 0
        page_driver.open_page(engine, url)
        # When the market clock's next tick is due: one interval after the last tick,
        # or after the click that switched it on.
        self.anchor = None
        # (weight, text) of every value shown, for the font check.
        self.shown = set()
        self.check("(opening)")

    def check(self, command):
        want = self.expected[self.step]
        got = page_driver.board_state(self.engine, colour_names())
        self.shown |= {(got["weights"][name], text) for name, text in got["labels"].items()}
        where = f"step {self.step} ({command})"
        for kind in ("labels", "buttons"):
            if got[kind] != want[kind]:
                raise Mismatch(f"{where}: {kind}\n  page:   {got[kind]}\n  window: {want[kind]}")
        colours = {name: got["colours"][name] for name in want["colours"]}
        if colours != want["colours"]:
            raise Mismatch(f"{where}: colours\n  page:   {colours}\n  window: {want['colours']}")
        timers = got["timers"]
        if want["timer"]["on"]:
            if len(timers) != 1 or timers[0]["ms"] != want["timer"]["interval"]:
                raise Mismatch(f"{where}: the market clock should run every {want['timer']['interval']} ms: {timers}")
        elif timers:
            raise Mismatch(f"{where}: the market clock should be off: {timers}")
        self.step += 1

    def reload(self, url):
        """The browser loads the page again in the same tab: the day resumes as it was,
        the market clock's next tick one whole interval after the load."""
        self.engine.get(url)
        page_driver.wait_for_core(self.engine)
        self.step -= 1
        self.check("reload")
        self.anchor = page_driver.test_clock(self.engine, "timeOfDay()")

    def arrived(self, before, outside=1, keys=0):
        """Waits until the page has had, since `before`, the clicks or taps on its margin
        that close what was given, and the keys' releases: the browser delivers input in
        order, so by then the page has every event that came before, however late,
        whatever the driver waits for. Returns the clicks the game's controls got."""
        try:
            after = self.engine.execute_async_script(INPUT_ARRIVED, before, outside, keys)
        except TimeoutException:
            now = self.engine.execute_script("return window.__zemkariTaps;")
            raise Mismatch(f"step {self.step}: the page never got its input: {before}, then {now}") from None
        return after["controls"] - before["controls"]

    def click(self, caption, index=None):
        control = self.engine.execute_script(CONTROL, CLICK_PAUSE, caption, index)
        margin = (page_driver.MARGIN_POINT, page_driver.MARGIN_POINT)
        (self.engine.touch if self.by_taps else self.engine.click)((control["x"], control["y"]), margin)
        # One press, one click, and none on a disabled button: no second click from the
        # mouse events a browser makes up after a touch.
        wanted = 0 if control["button"] and not control["enabled"] else 1
        clicks = self.arrived(control["taps"])
        if clicks != wanted:
            raise Mismatch(f"step {self.step}: one {'tap' if self.by_taps else 'click'} on {control['text']!r} "
                           f"gave {clicks} clicks, not {wanted}")

    def press(self, *keys):
        before = self.engine.execute_script(PAUSE, CLICK_PAUSE)
        self.engine.press(*keys)
        self.arrived(before, outside=0, keys=len(keys))

    def button(self, command):
        if self.by_keys:
            self.press(*keys(command))
        else:
            self.click(caption(command))

    def select(self, word, index):
        if not self.by_keys:
            self.click(caption(word), index)
            return
        values = [item["value"] for item in design()["selectors"][word]["items"]]
        if word == "qty":
            # The digit keys pick the share counts fewest first.
            self.press(str(sorted(values).index(values[index]) + 1))
            return
        # The speed keys step the speed slower (+1) and faster (-1), one item a press:
        # each press must land on the next speed that way, the intervals shortest first.
        step_keys = {step: key for key, step in reversed(design()["speed_keys"].items())}  # each step's first
        texts = self.engine.execute_script(SELECTOR, caption(word))["texts"]
        fastest_first = sorted(range(len(values)), key=lambda i: values[i])
        for _ in range(len(values)):
            current = self.engine.execute_script(SELECTOR, caption(word))["checked"]
            if current == index:
                return
            step = 1 if values[index] > values[current] else -1
            want = fastest_first[fastest_first.index(current) + step]
            self.press(step_keys[step])
            checked = self.engine.execute_script(SELECTOR, caption(word))["checked"]
            if checked != want:
                raise Mismatch(f"{step_keys[step]} went from {texts[current]} to {texts[checked]}, not {texts[want]}")
        raise Mismatch(f"the speed keys never reached item {index}")

    def tick(self, command):
        timer_was = self.expected[self.step - 1]["timer"]
        before, fired = self.engine.execute_script(
            "const test = window.__zemkariTest, before = test.timeOfDay(); return [before, test.fireNext()];")
        if fired is None:
            raise Mismatch(f"step {self.step} ({command}): no timer to tick")
        due = max(self.anchor + timer_was["interval"], before)
        if fired != due:
            raise Mismatch(f"step {self.step} ({command}): the tick came at {fired} ms, due at {due} ms")
        self.anchor = fired
        self.check(command)

    def play(self, words):
        command = " ".join(words)
        name = words[0]
        timer_on = self.expected[self.step - 1]["timer"]["on"]
        if name == "tick":
            for _ in range(int(words[1]) if len(words) > 1 else 1):
                self.tick("tick")
            return
        if name == "start":
            # The clock moves on to the next time it reads that time of the day.
            now = page_driver.test_clock(self.engine, "timeOfDay()")
            page_driver.test_clock(self.engine, "passTime(arguments[0])",
                                   (time_of_day(words[1]) - now - CLICK_PAUSE) % DAY)
            self.button(name)
        elif name in design()["buttons"]:
            self.button(name)
        elif name in design()["selectors"]:
            self.select(name, int(words[1]))
        else:
            raise Mismatch(f"unknown command {command}")
        if not timer_on and self.expected[self.step]["timer"]["on"]:
            self.anchor = page_driver.test_clock(self.engine, "timeOfDay()")
        self.check(command)


def green(pixel):
    red, grn, blue = pixel[:3]
    return grn > 200 and red < 128 and blue < 128


def green_mask(image):
    width, height = image.size
    data = image.convert("RGB").load()
    return {(x, y) for y in range(height) for x in range(width) if green(data[x, y])}


def near(point, mask, reach=1):
    x, y = point
    steps = range(-reach, reach + 1)
    return any((x + dx, y + dy) in mask for dx in steps for dy in steps)


def compare_charts(page_png, reference_png, name, scaled=False):
    """Every green pixel of either chart lies within one pixel of a green pixel of the
    other: the canvas smooths the line's edges, the window does not. A `scaled` chart,
    drawn at a phone's size and density, keeps the reference's proportions and is taken
    at the reference's size without resampling, which would blur a line's edges into
    pixels of neither colour: a pixel there is green where a device pixel centred in it
    is. Its pixels lie within two of the reference's: the hatch's rows, one pixel high,
    fall on the device's pixels as the size has them, and the slivers of line between
    them, one pixel high in the reference, come out thinner or thicker."""
    page = Image.open(io.BytesIO(page_png)).convert("RGB")
    reference = Image.open(reference_png)
    ratio_x, ratio_y = page.width / reference.width, page.height / reference.height
    if page.size != reference.size if not scaled else abs(page.height - round(reference.height * ratio_x)) > 1:
        raise Mismatch(f"{name}: chart is {page.size}, the reference's {reference.size}")
    page_green = {(int((x + 0.5) / ratio_x), int((y + 0.5) / ratio_y)) for x, y in green_mask(page)}
    reference_green = green_mask(reference)
    if bool(page_green) != bool(reference_green):
        raise Mismatch(f"{name}: one chart has a line, the other none")
    for mask, other, what in ((reference_green, page_green, "reference"), (page_green, reference_green, "page")):
        stray = [p for p in mask if not near(p, other, 2 if scaled else 1)]
        if stray:
            raise Mismatch(f"{name}: {len(stray)} green pixels of the {what}'s chart have no match, e.g. {stray[:5]}")
    # Outside the line both show the surface, the reference's commonest colour: the
    # first end of the market blanks it.
    data, surface = page.load(), max(reference.convert("RGB").getcolors(reference.width * reference.height))[1]
    odd = [(x, y) for (x, y) in [(404, 2), (2, 318), (200, 5)]
           if (x, y) not in page_green and data[int((x + 0.5) * ratio_x), int((y + 0.5) * ratio_y)] != surface]
    if odd:
        raise Mismatch(f"{name}: the chart's surface is not the reference's {surface} at {odd}")


class FontFaces:
    """The characters each face of the page's font holds, by CSS weight."""

    def __init__(self, site):
        from fontTools.ttLib import TTFont
        self.cmaps = {weight: set(TTFont(pathlib.Path(site) / f"zemkari-{name}.woff2").getBestCmap())
                      for weight, name in (("400", "regular"), ("700", "bold"))}

    def check(self, shown, where):
        missing = {(weight, ch) for weight, text in shown for ch in text
                   if not ch.isspace() and ord(ch) not in self.cmaps[weight]}
        if missing:
            raise Mismatch(f"{where}: characters missing from the font: {sorted(missing)}")


def play_script(engine, url, script, how, faces, chart):
    """Plays one transcript's script by "mouse", "keys" or "taps" (on a phone: "taps" or
    "phone", clicked) and checks every step,
    the fonts and the chart: against the window's (a PNG file), or against the page's
    chart at the desktop's size (PNG bytes; None where it failed), scaled. Returns the page's chart as PNG
    bytes, None on a failure."""
    name = script.stem + ("" if how == "mouse" else f" ({how})")
    expected = transcript(script.parent, script.stem)
    started = time.monotonic()
    try:
        player = Player(engine, url, expected, how == "keys", by_taps=how == "taps")
        reload_after = RELOAD_AFTER.get(script.stem)
        for words in commands(script):
            player.play(words)
            if reload_after is not None and player.step > reload_after:
                player.reload(url)
                reload_after = None
        if player.step != len(expected):
            raise Mismatch(f"played {player.step} steps of {len(expected)}")
        faces.check(player.shown | {tuple(t) for t in page_driver.page_texts(engine)}, name)
        drawn = page_driver.canvas_png(engine)
        if chart is None:
            raise Mismatch(f"{name}: no chart at the desktop's size to compare the chart with")
        scaled = isinstance(chart, bytes)
        compare_charts(drawn, io.BytesIO(chart) if scaled else chart, name, scaled)
        print(f"ok   {name}: {player.step} steps and the chart in {time.monotonic() - started:.1f} s")
        return drawn
    except (Mismatch, WebDriverException) as error:
        print(f"FAIL {name}: {error}")
        return None


def check_screen(engine, url, screen):
    """Whether the page has a viewport of `screen` (width, height, density)."""
    page_driver.open_page(engine, url)
    got = engine.viewport()
    if got != list(screen):
        print(f"FAIL {engine.name}'s viewport is {got}, not {list(screen)}")
        return False
    print(f"     {engine.name} at {screen[0]} x {screen[1]}, {screen[2]} device pixels each")
    return True


def main():
    args = arguments("--engine", "--transcripts", "--chart-reference")
    transcripts = pathlib.Path(args.transcripts)
    scripts = sorted(transcripts.glob("*.script"))
    played = [s for s in scripts if all(playable(words) for words in commands(s))]
    if not played:
        raise SystemExit("no transcript to play")
    faces = FontFaces(args.site)
    by_keys = [transcripts / f"{name}.script" for name in BY_KEYS]
    phone = PHONES[args.engine]
    started = time.monotonic()
    failures = 0
    with tempfile.TemporaryDirectory() as scratch, page_driver.served(args.site, with_test_script=True) as url:
        window_pngs = {}
        for script in played:
            window_pngs[script] = pathlib.Path(scratch) / f"{script.stem}.png"
            subprocess.run([args.chart_reference, str(script), str(window_pngs[script])], check=True,
                           env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})

        def play(engine, script, how, chart):
            nonlocal failures
            drawn = play_script(engine, url, script, how, faces, chart)
            failures += drawn is None
            return drawn

        with engines.launch(args.engine, *DESKTOP) as engine:
            failures += not check_screen(engine, url, DESKTOP)
            desktop_pngs = {script: play(engine, script, "mouse", window_pngs[script]) for script in played}
            for script in by_keys:
                play(engine, script, "keys", window_pngs[script])
        # At the desktop's size each chart is the window's. On a phone, drawn at the
        # phone's size and density, it is the same engine's chart at the desktop's size,
        # scaled. Against the window's unsmoothed pen, the smoothed edges of a line drawn
        # at whatever size the engine lays the chart out at would pass by chance.
        with engines.launch(args.engine, *phone, phone=True) as engine:
            failures += not check_screen(engine, url, phone)
            for script in played:
                play(engine, script, "taps" if engine.touches else "phone", desktop_pngs[script])
    print(f"not played (no player can give their commands): {', '.join(s.stem for s in scripts if s not in played)}")
    print(f"{args.engine}: {2 * len(played) + len(by_keys)} runs in {time.monotonic() - started:.0f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
