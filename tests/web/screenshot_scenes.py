#!/usr/bin/python3
"""Puts the browser page in the scenes of the window's screenshots and captures its game
area: `screenshot_scenes.py SITE REPLAY OUTPUT_DIR` writes web-start.png, web-midday.png,
web-limit-up.png and web-margin-call.png, and web-midday-2x.png on a screen of twice the
pixel density. REPLAY is the zemkari-replay tool, which tells
at what time of day a start of the market draws a given day."""

import json
import pathlib
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import page_driver  # noqa: E402

# As the window's scenes: a day on this row, one share bought at its first point, then
# this many ticks.
SCENES = {"start": None, "midday": (0, 20), "limit-up": (10, 50), "margin-call": (6, 50)}


def clock_for_rows(replay, rows):
    """The first millisecond of the UTC day whose start of the market draws each row."""
    script = "".join(f"start {ms}\n" for ms in range(5000))
    out = subprocess.run([replay], input=script, capture_output=True, text=True, check=True).stdout
    found = {}
    for line in out.splitlines()[1:]:
        step = json.loads(line)
        row = step["state"]["ScenarioIndex"]
        if row in rows and row not in found:
            found[row] = int(step["cmd"].split()[1])
    return found


def capture(site, clocks, scenes, output, suffix="", scale=1):
    with page_driver.served(site) as url, page_driver.chromium(scale=scale) as driver:
        page_driver.fake_clock_and_timers(driver)
        for name in scenes:
            page_driver.open_page(driver, url)
            if SCENES[name]:
                row, ticks = SCENES[name]
                driver.execute_script("window.__zemkariTest.setTimeOfDay(arguments[0])", clocks[row])
                page_driver.button_by_caption(driver, "相場開始").click()
                for _ in range(2):
                    driver.execute_script("window.__zemkariTest.fireNext()")
                page_driver.button_by_caption(driver, "買い注文").click()
                for _ in range(ticks):
                    driver.execute_script("window.__zemkariTest.fireNext()")
            # No focus ring in the picture, as in the window's.
            driver.execute_script("document.activeElement.blur()")
            target = output / f"web-{name}{suffix}.png"
            driver.find_element("css selector", "main").screenshot(str(target))
            print(target)


def main():
    site, replay, output = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    clocks = clock_for_rows(replay, {scene[0] for scene in SCENES.values() if scene})
    capture(site, clocks, SCENES, output)
    capture(site, clocks, ["midday"], output, suffix="-2x", scale=2)


if __name__ == "__main__":
    main()
