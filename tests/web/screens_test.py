#!/usr/bin/python3
"""The browser page on the screens players hold, in headless Chromium: phones upright and
turned, a small phone, tablets and a touch laptop under a coarse pointer, each with the
safe-area insets of such a device where it has them; and a desktop screen under a mouse.
On each touch screen a day is played by taps, and the rendered page is checked: the
whole day on the first screen (or, on the smallest, the price with buy and sell), no
sideways scroll, every button and selector item at least 44 x 44 CSS pixels and acting
on a tap at once, nothing under a safe-area inset, no type below 12 pixels, the chart's
canvas at the screen's density, a tap moving nothing and focus visible for keyboard
play. On the desktop screen the page is the window, control for control.

  PYTHONPATH=tools ZEMKARI_DESIGN_FACTS=build/dev/tests/web/design_facts.json screens_test.py --site build/web/site"""

import io
import re
import sys

from PIL import Image
from selenium.webdriver.common.keys import Keys

from page_checks import Mismatch, arguments, run_in_chromium
from parity_test import compare_charts
from zemkari_tools import page_driver

# What a day needs in view: the quote board, the chart, the position, the selectors and
# the buttons; and where the whole day must fit, the comment and the version line too.
DAY = ["quote", "plot", "order-status", "amount", "profit", "power", "shares", "speed", "start", "end", "buy", "sell"]
WHOLE = DAY + ["comment", "version"]
# On the smallest phone: the price, buy and sell.
SMALL = ["price", "buy", "sell"]

# Safe-area insets (top, right, bottom, left) of phones and a tablet with a notch or a
# home indicator, installed and running full-screen.
NOTCH_UPRIGHT = (47, 0, 34, 0)
NOTCH_TURNED = (0, 47, 21, 47)
HOME_INDICATOR = (24, 0, 20, 0)

# (width, height, device pixels a CSS pixel, device kind, insets, what must be in view)
SCREENS = [
    (360, 640, 3, "phone", None, DAY),
    (375, 667, 2, "phone", None, WHOLE),
    (390, 844, 3, "phone", NOTCH_UPRIGHT, WHOLE),
    (430, 932, 3, "phone", NOTCH_UPRIGHT, WHOLE),
    (640, 360, 3, "phone", None, DAY),
    (667, 375, 2, "phone", None, WHOLE),
    (844, 390, 3, "phone", NOTCH_TURNED, WHOLE),
    (932, 430, 3, "phone", NOTCH_TURNED, WHOLE),
    (768, 1024, 2, "tablet", HOME_INDICATOR, WHOLE),
    (1024, 768, 2, "tablet", HOME_INDICATOR, WHOLE),
    (1280, 800, 1, "touch laptop", None, WHOLE),
    (320, 568, 2, "phone", None, SMALL),
]

# The rendered page: its size and scroll, and the box of every control and part.
SCREEN = """
const box = (element) => {
  const b = element.getBoundingClientRect();
  return { left: b.left, top: b.top, right: b.right, bottom: b.bottom, width: b.width, height: b.height };
};
const parts = {};
for (const element of document.querySelectorAll('main [data-part]')) (parts[element.dataset.part] ??= []).push(box(element));
const texts = [];
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
for (let node = walker.nextNode(); node; node = walker.nextNode()) {
  const element = node.parentElement, range = document.createRange();
  range.selectNodeContents(node);
  if (node.textContent.trim() && element.getClientRects().length)
    texts.push({ text: node.textContent, size: parseFloat(getComputedStyle(element).fontSize), ...box(range),
                 frame: element.closest('main .group') && box(element.closest('main .group')) });
}
const chart = document.querySelector('main canvas'), comment = document.querySelector('[data-part="comment-text"]');
return {
  width: innerWidth, height: innerHeight, scroll: [scrollX, scrollY],
  scrollWidth: document.scrollingElement.scrollWidth, scrollHeight: document.scrollingElement.scrollHeight,
  viewport: document.querySelector('meta[name=viewport]').content,
  parts, texts,
  blocks: [...document.querySelectorAll('main > .group, main > button')].map(
    (element) => ({ name: element.dataset.part, ...box(element) })),
  targets: [...document.querySelectorAll('main button, main .item')].map(
    (element) => ({ name: element.textContent, ...box(element), touchAction: getComputedStyle(element).touchAction })),
  chart: { pixels: [chart.width, chart.height], shown: [box(chart).width, box(chart).height], ratio: devicePixelRatio },
  comment: [comment.textContent, comment.scrollHeight, comment.clientHeight],
};
"""

# Where every control and group stands on the page, and the page's scroll.
PLACES = """
return { scroll: [scrollX, scrollY], places: [...document.querySelectorAll('main button, main .item, main .group, main canvas')]
  .map((element) => { const b = element.getBoundingClientRect();
                      return [element.textContent.slice(0, 8), b.left + scrollX, b.top + scrollY, b.width, b.height]; }) };
"""


def emulate(driver, width, height, scale, kind, insets):
    """The browser as the device of `kind`: a touch screen of `width` x `height` CSS
    pixels, its safe-area insets (top, right, bottom, left) or none."""
    page_driver.emulate_phone(driver, width, height, scale, mobile=kind != "touch laptop")
    top, right, bottom, left = insets or (0, 0, 0, 0)
    driver.execute_cdp_cmd("Emulation.setSafeAreaInsetsOverride",
                           {"insets": {"top": top, "right": right, "bottom": bottom, "left": left}})


def outside(box, area):
    left, top, right, bottom = area
    return box["left"] < left - 0.5 or box["top"] < top - 0.5 or box["right"] > right + 0.5 or box["bottom"] > bottom + 0.5


def screen_faults(got, insets, wanted):
    """What is wrong with the page as SCREEN measured it, with a position open."""
    faults = []
    if "width=device-width" not in got["viewport"] or "viewport-fit=cover" not in got["viewport"] or \
            re.search(r"maximum-scale|user-scalable", got["viewport"]):
        faults.append(f"the viewport is {got['viewport']!r}")
    width, height = got["width"], got["height"]
    if got["scrollWidth"] > width:
        faults.append(f"the page is {got['scrollWidth']} pixels wide on a screen {width} wide")
    top, right, bottom, left = insets or (0, 0, 0, 0)
    safe = (left, top, width - right, height - bottom)
    faults += [f"the page has no {part}" for part in wanted if not got["parts"].get(part)]
    if wanted is SMALL:
        # The player scrolls to the buttons; the price stays in view.
        faults += [f"{part} is not in view with the page scrolled down: {box}" for part in wanted
                   for box in got["parts"].get(part, []) if outside(box, safe)]
    else:
        if got["scroll"] != [0, 0]:
            faults.append(f"the page has scrolled to {got['scroll']} during the day")
        if wanted is WHOLE and got["scrollHeight"] > height:
            faults.append(f"the page is {got['scrollHeight']} pixels high on a screen {height} high")
        faults += [f"{part} lies outside the safe area of the first screen {safe}: {box}" for part in wanted
                   for box in got["parts"].get(part, []) if outside(box, safe)]
        faults += [f"{t['name']} lies outside the safe area of the first screen {safe}" for t in got["targets"]
                   if outside(t, safe)]
        faults += [f"{t['text'][:12]!r} is cut off by the safe area of the first screen {safe}: {t}"
                   for t in got["texts"] if wanted is WHOLE and outside(t, safe)]
        blocks = got["blocks"]
        faults += [f"{a['name']} and {b['name']} overlap" for i, a in enumerate(blocks) for b in blocks[i + 1:]
                   if min(a["right"], b["right"]) - max(a["left"], b["left"]) > 0.5 and
                   min(a["bottom"], b["bottom"]) - max(a["top"], b["top"]) > 0.5]
    faults += [f"{t['name']} is {t['width']:.0f} x {t['height']:.0f}" for t in got["targets"]
               if t["width"] < 43.99 or t["height"] < 43.99]
    faults += [f"{t['name']} waits for a second tap ({t['touchAction']})" for t in got["targets"]
               if t["touchAction"] != "manipulation"]
    faults += [f"{t['text']!r} is {t['size']:.1f} pixels" for t in got["texts"] if t["size"] < 11.99]
    faults += [f"{t['text'][:12]!r} runs out of its frame" for t in got["texts"]
               if t["frame"] and outside(t, [t["frame"][side] for side in ("left", "top", "right", "bottom")])]
    chart = got["chart"]
    if any(abs(pixels - shown * chart["ratio"]) > 1 for pixels, shown in zip(chart["pixels"], chart["shown"])):
        faults.append(f"the chart has {chart['pixels']} pixels for {chart['shown']} shown at {chart['ratio']}")
    return faults


class Day:
    """A day played by taps on a freshly loaded page, each tap checked to move nothing:
    not the page's scroll, not any control or group."""

    def __init__(self, driver, url):
        self.driver = driver
        self.faults = []
        page_driver.open_page(driver, url)
        page_driver.test_clock(driver, "setTimeOfDay(0)")

    def tap(self, element, what):
        # In view first, as the player would scroll it there where the page scrolls.
        self.driver.execute_script("arguments[0].scrollIntoView({ block: 'nearest', inline: 'nearest' });", element)
        before = self.driver.execute_script(PLACES)
        page_driver.tap(self.driver, element)
        after = self.driver.execute_script(PLACES)
        if after["scroll"] != before["scroll"]:
            self.faults.append(f"a tap on {what} scrolled the page from {before['scroll']} to {after['scroll']}")
        moved = [f"{a[0]!r} from {a[1:]} to {b[1:]}" for a, b in zip(before["places"], after["places"])
                 if any(abs(x - y) > 0.5 for x, y in zip(a[1:], b[1:]))]
        if moved:
            self.faults.append(f"a tap on {what} moved {'; '.join(moved[:3])}")

    def button(self, command):
        self.tap(page_driver.control(self.driver, command), page_driver.caption(command))

    def every_item(self, word, last):
        for index in [*range(len(page_driver.design()["selectors"][word]["items"])), last]:
            item = page_driver.control(self.driver, word, index)
            self.tap(item, item.text)

    def ticks(self, count):
        page_driver.play(self.driver, ["tick", str(count)])


def check_screen(driver, url, width, height, scale, kind, insets, wanted):
    """One screen of SCREENS: a day tapped through, the page measured with a position open
    and the rules in the comment box."""
    emulate(driver, width, height, scale, kind, insets)
    day = Day(driver, url)
    day.button("start")
    rules = driver.execute_script(SCREEN)["comment"]
    day.ticks(2)
    day.every_item("qty", 0)
    day.every_item("speed", 1)
    day.button("buy")
    day.ticks(3)
    if wanted is SMALL:
        driver.execute_script("window.scrollTo(0, document.scrollingElement.scrollHeight)")
    got = driver.execute_script(SCREEN)
    day.button("sell")
    day.ticks(1)
    day.button("end")
    faults = screen_faults(got, insets, wanted) + day.faults
    text, content, shown = rules
    if wanted is WHOLE and content > shown + 1:
        faults.append(f"the comment box shows {shown} of the {content} pixels of {text[:12]}…")
    if faults:
        raise Mismatch("; ".join(f"{width} x {height}: {fault}" for fault in faults))
    tap = min(got["targets"], key=lambda t: min(t["width"], t["height"]))
    plot = got["parts"]["plot"][0]
    print(f"     {width} x {height} {kind}{' with insets ' + str(insets) if insets else ''}: page "
          f"{got['scrollHeight']} high, chart {plot['width']:.0f} x {plot['height']:.0f}, smallest target "
          f"{tap['width']:.0f} x {tap['height']:.0f}")


# The events a page could act on besides a click, and act twice on one tap.
PRESS_EVENTS = {"touchstart", "touchend", "pointerdown", "pointerup", "mousedown", "mouseup", "dblclick"}


def press_listeners(driver):
    """The types of every listener for PRESS_EVENTS on the window, the document or any
    element of it."""
    found = []
    for target in ("window", "document"):
        handle = driver.execute_cdp_cmd("Runtime.evaluate", {"expression": target})["result"]["objectId"]
        listeners = driver.execute_cdp_cmd("DOMDebugger.getEventListeners",
                                           {"objectId": handle, "depth": -1, "pierce": True})["listeners"]
        found += [listener["type"] for listener in listeners if listener["type"] in PRESS_EVENTS]
    return found


# The chart's size in the window's design: the canvas's size in the HTML the page was
# served, before the page fitted it to the screen.
DESIGN_CHART = """
const done = arguments[arguments.length - 1];
fetch(location.href).then((response) => response.text()).then((html) => {
  const canvas = new DOMParser().parseFromString(html, 'text/html').querySelector('main canvas');
  done([canvas.width, canvas.height]);
});
"""


def chart_at_window_size(driver):
    """The chart as PNG bytes, scaled to the size the window's design gives it."""
    size = driver.execute_async_script(DESIGN_CHART)
    image = Image.open(io.BytesIO(page_driver.canvas_png(driver))).convert("RGB").resize(size, Image.NEAREST)
    out = io.BytesIO()
    image.save(out, "PNG")
    return out.getvalue()


def check_turn(driver, url):
    """A phone turned in the middle of a day keeps its chart as it was drawn; the page
    acts on clicks alone, whatever the finger does."""
    width, height = page_driver.PHONE
    emulate(driver, width, height, page_driver.PHONE_SCALE, "phone", None)
    day = Day(driver, url)
    day.button("start")
    day.ticks(2)
    day.button("buy")
    day.ticks(3)
    drawn = chart_at_window_size(driver)
    # The page has handled the turn in the frame of the window's resize event: its
    # layout and the size it tells. The frame after it comes after all that.
    driver.execute_script("window.__turned = new Promise((resolve) => addEventListener('resize', resolve));")
    emulate(driver, height, width, page_driver.PHONE_SCALE, "phone", None)
    driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        window.__turned.then(() => requestAnimationFrame(() => requestAnimationFrame(() => done(true))));""")
    compare_charts(chart_at_window_size(driver), io.BytesIO(drawn), "the chart after the turn")
    listening = press_listeners(driver)
    if listening:
        raise Mismatch(f"the page listens to {listening}")


# The outline around the control that has the keyboard's focus.
FOCUS_RING = """
const control = document.activeElement.closest('main button, main .item');
const style = control && getComputedStyle(control);
return control && [control.textContent, style.outlineStyle, parseFloat(style.outlineWidth)];
"""


def check_keyboard_focus(driver, url):
    """On a tablet played from a keyboard, the control that has the focus shows it: the
    two market buttons, the share count and the speed (the order buttons are off)."""
    emulate(driver, 1024, 768, 2, "tablet", None)
    page_driver.open_page(driver, url)
    body = driver.find_element("tag name", "body")
    seen = []
    for _ in range(4):
        body.send_keys(Keys.TAB)
        ring = driver.execute_script(FOCUS_RING)
        if not ring or ring[1] == "none" or ring[2] <= 0:
            raise Mismatch(f"after {len(seen) + 1} presses of Tab the focus shows no outline: {ring}")
        seen.append(ring[0])
    print(f"     focus shown on {', '.join(seen)}")


# Where the window's design places each element: the style sheet's rules by element id,
# in CSS pixels of its group or of the window.
DESIGN_PLACES = """
const places = {};
const read = (rules) => {
  for (const rule of rules) {
    if (rule instanceof CSSMediaRule) read(rule.cssRules);
    if (!(rule instanceof CSSStyleRule) || !/^#[A-Za-z0-9]+$/.test(rule.selectorText)) continue;
    for (const side of ['left', 'top', 'right', 'width', 'height']) {
      if (rule.style[side].endsWith('px')) (places[rule.selectorText.slice(1)] ??= {})[side] = parseFloat(rule.style[side]);
    }
  }
};
for (const sheet of document.styleSheets) read(sheet.cssRules);
"""

# Each element the design places, where it places it; the elements it places none of.
WINDOW_PLACES = DESIGN_PLACES + """
const misplaced = [];
for (const [id, place] of Object.entries(places)) {
  const element = document.getElementById(id);
  const box = element.getBoundingClientRect(), within = element.offsetParent.getBoundingClientRect();
  const got = { left: box.left - within.left, top: box.top - within.top, width: box.width, height: box.height,
                right: within.right - box.right };
  for (const [side, want] of Object.entries(place)) {
    if (Math.abs(want - got[side]) > 0.01) misplaced.push(`${id} ${side} ${got[side]} not ${want}`);
  }
}
const unplaced = [...document.querySelectorAll('main .label, main .group, main .item, main button, main canvas')]
  .filter((element) => !places[element.id]).map((element) => element.id || element.outerHTML);
const form = document.querySelector('main').getBoundingClientRect();
return { misplaced, unplaced, form: [form.width, form.height],
         display: getComputedStyle(document.querySelector('main')).display };
"""


def check_window_layout(driver, url):
    """On a desktop screen of 1280 x 800 under a mouse the page is the window, control for
    control."""
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 1280, "height": 800, "deviceScaleFactor": 1, "mobile": False})
    page_driver.open_page(driver, url)
    got = driver.execute_script(WINDOW_PLACES)
    if got["form"] != page_driver.design()["client"] or got["display"] != "block":
        raise Mismatch(f"the window is {got['form']}, laid out as {got['display']}")
    if got["misplaced"] or got["unplaced"]:
        raise Mismatch(f"{len(got['misplaced'])} places differ from the window's: {got['misplaced'][:5]}; "
                       f"placed nowhere: {got['unplaced'][:5]}")


if __name__ == "__main__":
    sys.exit(run_in_chromium(arguments().site, [*((check_screen, *screen) for screen in SCREENS), (check_turn,),
                                                (check_keyboard_focus,), (check_window_layout,)]))
