#!/usr/bin/python3
"""Puts the browser page in each scene of the window's screenshots and captures its game
area: `page_scenes.py SITE SCENES OUTPUT_DIR` plays each scene of SCENES
(tools/screenshots/scenes.txt) with the mouse on a freshly loaded page, at the scene's
screen scale, and writes OUTPUT_DIR/web-NAME.png; then the day in progress of the scene
"midday" on each touch screen of SCREENS, tapped, and writes its first screen to
OUTPUT_DIR/SCREEN-midday.png. Needs tools/ on PYTHONPATH and the design's facts at
ZEMKARI_DESIGN_FACTS (zemkari_tools.page_driver.design)."""

import pathlib
import sys

from zemkari_tools import page_driver

# The touch screens the page is shown on: name, width and height in CSS pixels, device
# pixels a CSS pixel.
SCREENS = [("phone", 390, 844, 2), ("phone-turned", 844, 390, 2), ("small-phone", 375, 667, 2),
           ("tablet", 1024, 768, 2)]
ON_SCREENS = "midday"


def scenes(path):
    """(name, scale, script text) of each scene of the list."""
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            name, scale, *script = line.split(maxsplit=2)
            yield name, int(scale), "".join(script).replace(";", "\n")


def main():
    site, listed, output = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    by_scale = {}
    for name, scale, script in scenes(listed):
        by_scale.setdefault(scale, []).append((name, script))
    with page_driver.served(site) as url:
        for scale, shots in by_scale.items():
            with page_driver.chromium(scale=scale) as driver:
                page_driver.fake_clock_and_timers(driver)
                for name, script in shots:
                    page_driver.open_page(driver, url)
                    for words in page_driver.commands(script):
                        page_driver.play(driver, words)
                    # No focus ring in the picture, as in the window's.
                    driver.execute_script("document.activeElement.blur()")
                    target = output / f"web-{name}.png"
                    driver.find_element("css selector", "main").screenshot(str(target))
                    print(target)
        script = dict(by_scale[1])[ON_SCREENS]
        with page_driver.chromium() as driver:
            page_driver.fake_clock_and_timers(driver)
            page_driver.log_taps(driver)
            for name, width, height, scale in SCREENS:
                page_driver.emulate_phone(driver, width, height, scale)
                page_driver.open_page(driver, url)
                for words in page_driver.commands(script):
                    page_driver.play(driver, words, lambda element: page_driver.tap(driver, element))
                driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0);")
                target = output / f"{name}-{ON_SCREENS}.png"
                driver.save_screenshot(str(target))
                print(target)


if __name__ == "__main__":
    main()
