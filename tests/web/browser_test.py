#!/usr/bin/python3
"""Plays the replay transcripts in the browser page, as a player would, and compares
every step with the replay tool's output: label texts and colours, button states and
the market clock (whether it runs, its interval and when each tick comes). At the end
of each script the chart canvas is compared with the window's chart after the same
script. Three scripts are also played from the keyboard, and the page's accessibility is
checked against the window's: real buttons and radio buttons, each value's description,
polite announcements from the comment, order status and profit indicator only.

  PYTHONPATH=tools/browser browser_test.py --site build/web/site
      --transcripts tests/replay/transcripts --chart-reference build/dev/tests/web/web_chart_reference"""

import argparse
import functools
import io
import os
import json
import pathlib
import re
import subprocess
import sys
import tempfile

from PIL import Image
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import page_driver
from page_driver import BUTTONS, SHARE_CAPTION, SPEED_CAPTION, time_of_day

DAY = 86_400_000
# What a player does between two clicks takes this long on the page's clock.
CLICK_PAUSE = 10
# The commands a player can give the page: not the window system refusing a timer or
# an interval, not selecting no item (the selectors hold 7 and 5 items), not a line
# that is no command.
PLAYABLE = re.compile(r"(start \S+|end|buy|sell|tick( \d+)?|qty [0-6]|speed [0-4])")
SURFACE = (239, 239, 239)


class Mismatch(AssertionError):
    pass


def commands(script_path):
    """The commands of a script file, as lists of words."""
    return page_driver.commands(script_path.read_text(encoding="utf-8"))


def playable(script_path):
    return all(PLAYABLE.fullmatch(" ".join(words)) for words in commands(script_path))


class Player:
    """Plays one script on a freshly loaded page, by mouse or by keyboard, checking each
    step against the expected transcript."""

    def __init__(self, driver, url, expected, by_keys, colour_names):
        self.driver = driver
        self.colour_names = colour_names
        self.expected = expected
        self.by_keys = by_keys
        self.step = 0
        page_driver.open_page(driver, url)
        # When the market clock's next tick is due: one interval after the last tick,
        # or after the click that switched it on.
        self.anchor = None
        # (weight, text) of every value shown, for the font check.
        self.shown = set()
        self.check("(opening)")

    def js(self, call, *args):
        return self.driver.execute_script(f"return window.__zemkariTest.{call};", *args)

    def check(self, command):
        want = self.expected[self.step]
        got = page_driver.board_state(self.driver, self.colour_names)
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

    def click(self, element):
        self.js("passTime(arguments[0])", CLICK_PAUSE)
        element.click()

    def press(self, key):
        self.js("passTime(arguments[0])", CLICK_PAUSE)
        self.driver.find_element(By.TAG_NAME, "body").send_keys(key)

    def button(self, command):
        caption = BUTTONS[command]
        if not self.by_keys:
            self.click(page_driver.button_by_caption(self.driver, caption))
            return
        keys = {"start": Keys.F5, "end": Keys.SHIFT + Keys.F5, "buy": "b", "sell": "s"}
        self.press(keys[command])

    def select(self, caption, index):
        item = page_driver.selector_item(self.driver, caption, index)
        if not self.by_keys:
            self.click(item)
            return
        if caption == SHARE_CAPTION:
            # The digit keys pick the share counts fewest first.
            counts = [int(re.sub(r"\D", "", label.text)) for label in
                      page_driver.selector_item(self.driver, caption, 0).find_elements(By.XPATH, "../label")]
            self.press(str(sorted(counts).index(counts[index]) + 1))
            return
        # + and - step the speed faster and slower, one item a press: each press must
        # land on the next speed that way.
        labels = item.find_elements(By.XPATH, "../label")
        speeds = [float(re.sub(r"[^\d.]", "", label.text)) for label in labels]
        fastest_first = sorted(range(len(speeds)), key=lambda i: speeds[i])
        checked = lambda: [label.find_element(By.TAG_NAME, "input").is_selected() for label in labels].index(True)
        for _ in range(len(speeds)):
            current = checked()
            if current == index:
                return
            key, step = ("-", 1) if speeds[index] > speeds[current] else ("+", -1)
            want = fastest_first[fastest_first.index(current) + step]
            self.press(key)
            if checked() != want:
                raise Mismatch(f"{key} went from {labels[current].text} to {labels[checked()].text}, "
                               f"not {labels[want].text}")
        raise Mismatch(f"the speed keys never reached item {index}")

    def tick(self, command):
        timer_was = self.expected[self.step - 1]["timer"]
        before = self.js("timeOfDay()")
        fired = self.js("fireNext()")
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
            now = self.js("timeOfDay()")
            self.js("passTime(arguments[0])", (time_of_day(words[1]) - now - CLICK_PAUSE) % DAY)
            self.button(name)
        elif name in BUTTONS:
            self.button(name)
        elif name == "qty":
            self.select(SHARE_CAPTION, int(words[1]))
        elif name == "speed":
            self.select(SPEED_CAPTION, int(words[1]))
        else:
            raise Mismatch(f"unknown command {command}")
        if not timer_on and self.expected[self.step]["timer"]["on"]:
            self.anchor = self.js("timeOfDay()")
        self.check(command)


def window_colours(chart_reference):
    """Each colour the game writes, as the window shows it in CSS notation, to its name."""
    out = subprocess.run([chart_reference, "--colours"], capture_output=True, text=True, check=True,
                         env={**os.environ, "QT_QPA_PLATFORM": "offscreen"}).stdout
    shown = json.loads(out)
    names = {f"rgb({r}, {g}, {b})": name for name, (r, g, b) in shown.items()}
    if len(names) != len(shown):
        raise SystemExit(f"the window shows two colours alike, which the page could not tell apart: {shown}")
    return names


def green(pixel):
    red, grn, blue = pixel[:3]
    return grn > 200 and red < 128 and blue < 128


def green_mask(image):
    width, height = image.size
    data = image.convert("RGB").load()
    return {(x, y) for y in range(height) for x in range(width) if green(data[x, y])}


def near(point, mask):
    x, y = point
    return any((x + dx, y + dy) in mask for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def compare_charts(page_png, window_png, name):
    """Every green pixel of either chart lies within one pixel of a green pixel of the
    other: the canvas smooths the line's edges, the window does not."""
    page = Image.open(io.BytesIO(page_png))
    window = Image.open(window_png)
    if page.size != window.size:
        raise Mismatch(f"{name}: chart is {page.size}, the window's {window.size}")
    page_green, window_green = green_mask(page), green_mask(window)
    if bool(page_green) != bool(window_green):
        raise Mismatch(f"{name}: one chart has a line, the other none")
    for mask, other, what in ((window_green, page_green, "window"), (page_green, window_green, "page")):
        stray = [p for p in mask if not near(p, other)]
        if stray:
            raise Mismatch(f"{name}: {len(stray)} green pixels of the {what}'s chart have no match, e.g. {stray[:5]}")
    # Outside the line both show the surface: the first end of the market blanks it.
    data = page.convert("RGB").load()
    odd = [(x, y) for (x, y) in [(404, 2), (2, 318), (200, 5)] if (x, y) not in page_green and data[x, y] != SURFACE]
    if odd:
        raise Mismatch(f"{name}: the chart's surface is not the button face at {odd}")


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


def check_accessibility(driver, url):
    page_driver.open_page(driver, url)
    live = {el.get_attribute("id"): el.get_attribute("aria-live")
            for el in driver.find_elements(By.CSS_SELECTOR, "main [aria-live]")}
    polite = sorted(name for name, value in live.items() if value == "polite")
    if polite != ["Label12", "Label27", "Label28"]:
        raise Mismatch(f"polite announcements from {polite}")
    descriptions = {"Label1": "現在値", "Label2": "始値", "Label3": "高値", "Label4": "安値", "Label10": "終値",
                    "Label12": "発注状況", "Label17": "約定代金", "Label25": "評価損益", "Label26": "余力",
                    "Label27": "コメント", "Label28": "損益判定"}
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    described = {node["description"].get("value") for node in tree if "description" in node}
    missing = [text for text in descriptions.values() if text not in described]
    if missing:
        raise Mismatch(f"no control describes itself as {missing}")
    for caption in BUTTONS.values():
        button = page_driver.button_by_caption(driver, caption)
        if button.tag_name != "button" or button.accessible_name != caption:
            raise Mismatch(f"{caption}: a {button.tag_name} named {button.accessible_name!r}")
    for caption, count in ((SHARE_CAPTION, 7), (SPEED_CAPTION, 5)):
        for index in range(count):
            item = page_driver.selector_item(driver, caption, index)
            radio = item.find_element(By.TAG_NAME, "input")
            if radio.get_attribute("type") != "radio" or radio.accessible_name != item.text:
                raise Mismatch(f"{caption} item {index}: {radio.get_attribute('type')} {radio.accessible_name!r}")
    if driver.title != "Zemkari":
        raise Mismatch(f"title {driver.title!r}")


def check_held_key(driver, url):
    """A held key acts once: its repeats do nothing."""
    page_driver.open_page(driver, url)
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "rawKeyDown", "key": "F5", "code": "F5",
                                                      "windowsVirtualKeyCode": 116, "autoRepeat": True})
    if page_driver.board_state(driver)["labels"]["Label27"]:
        raise Mismatch("a repeated F5 started the market")


# Holds the page's animation frames until the test lets them go: the page fetches its
# core only after its first frames, so until then the core is not there.
HOLD_FRAMES = r"""
(() => {
  const real = window.requestAnimationFrame.bind(window);
  const held = [];
  let holding = true;
  window.requestAnimationFrame = (callback) => holding ? held.push(callback) : real(callback);
  window.__releaseFrames = () => { holding = false; for (const callback of held.splice(0)) real(callback); };
})();
"""


def wait_for_mark(driver, name):
    driver.execute_async_script("""
        const name = arguments[0], done = arguments[arguments.length - 1];
        new PerformanceObserver((list, observer) => {
          if (list.getEntriesByName(name).length) { observer.disconnect(); done(true); }
        }).observe({ type: 'mark', buffered: true });""", name)


def check_click_before_core(driver, url, transcripts):
    """A click made while the core is still loading is delivered once it is there."""
    expected = [json.loads(line) for line in (transcripts / "profitable_day.jsonl").read_text().splitlines()]
    hold = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": HOLD_FRAMES})
    try:
        driver.get(url)
        marks = "return performance.getEntriesByName(arguments[0]).length > 0;"
        wait_for_mark(driver, "zemkari-ready")
        driver.execute_script("window.__zemkariTest.setTimeOfDay(arguments[0])", time_of_day("09:00:15.000"))
        page_driver.button_by_caption(driver, BUTTONS["start"]).click()
        if driver.execute_script(marks, "zemkari-core") or page_driver.board_state(driver)["labels"]["Label27"]:
            raise Mismatch("the core was there before the frames were let go")
        driver.execute_script("window.__releaseFrames()")
        wait_for_mark(driver, "zemkari-core")
        got = page_driver.board_state(driver)
        if got["labels"] != expected[1]["labels"] or got["buttons"] != expected[1]["buttons"]:
            raise Mismatch(f"the early start was not delivered: {got['labels']} {got['buttons']}")
    finally:
        driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": hold["identifier"]})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--transcripts", required=True)
    parser.add_argument("--chart-reference", required=True)
    args = parser.parse_args()

    scripts = sorted(pathlib.Path(args.transcripts).glob("*.script"))
    played = [s for s in scripts if playable(s)]
    skipped = [s.stem for s in scripts if s not in played]
    if not played:
        raise SystemExit("no transcript to play")
    failures = 0
    faces = FontFaces(args.site)
    colour_names = window_colours(args.chart_reference)
    with page_driver.served(args.site) as url, page_driver.chromium() as driver, \
            tempfile.TemporaryDirectory() as scratch:
        page_driver.fake_clock_and_timers(driver)
        # Three scripts again from the keyboard: every key (the speed keys in game_speed),
        # and B while buying is off.
        by_keys = [pathlib.Path(args.transcripts) / f"{name}.script"
                   for name in ("several_days", "game_speed", "refused_buys")]
        runs = [(s, False) for s in played] + [(s, True) for s in by_keys]
        for script, by_keys in runs:
            name = script.stem + (" (keys)" if by_keys else "")
            expected = [json.loads(line) for line in script.with_suffix(".jsonl").read_text().splitlines()]
            try:
                player = Player(driver, url, expected, by_keys, colour_names)
                for words in commands(script):
                    player.play(words)
                if player.step != len(expected):
                    raise Mismatch(f"played {player.step} steps of {len(expected)}")
                faces.check(player.shown | {tuple(t) for t in page_driver.page_texts(driver)}, name)
                window_png = pathlib.Path(scratch) / f"{script.stem}.png"
                subprocess.run([args.chart_reference, str(script), str(window_png)], check=True,
                               env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
                compare_charts(page_driver.canvas_png(driver), window_png, name)
                print(f"ok   {name}: {player.step} steps and the chart")
            except Mismatch as error:
                failures += 1
                print(f"FAIL {name}: {error}")
        early = functools.partial(check_click_before_core, transcripts=pathlib.Path(args.transcripts))
        early.__name__ = check_click_before_core.__name__
        for check in (check_accessibility, check_held_key, early):
            try:
                check(driver, url)
                print(f"ok   {check.__name__}")
            except Mismatch as error:
                failures += 1
                print(f"FAIL {check.__name__}: {error}")
    print(f"not played (no player can give their commands): {', '.join(skipped)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
