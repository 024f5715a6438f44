"""What the browser page's tests share: their arguments, the transcripts they play, and
running named checks in one headless Chromium with the test's clock and timers."""

import argparse
import functools
import json

from selenium.common.exceptions import WebDriverException

from zemkari_tools import page_driver


class Mismatch(AssertionError):
    pass


@functools.cache
def colour_names():
    """Each colour the game writes, as the window shows it in CSS notation, to its name."""
    shown = page_driver.design()["colours"]
    names = {f"rgb({r}, {g}, {b})": name for name, (r, g, b) in shown.items()}
    if len(names) != len(shown):
        raise SystemExit(f"the window shows two colours alike, which the page could not tell apart: {shown}")
    return names


def arguments(*names):
    """The test's arguments, --site and each of `names`, all required."""
    parser = argparse.ArgumentParser()
    for name in ("--site", *names):
        parser.add_argument(name, required=True)
    return parser.parse_args()


def commands(script_path):
    """The commands of a script file, as lists of words."""
    return page_driver.commands(script_path.read_text(encoding="utf-8"))


def transcript(transcripts, name):
    """The lines of the transcript `name`: the board as it opens, then after each step."""
    return [json.loads(line) for line in (transcripts / f"{name}.jsonl").read_text().splitlines()]


def check_board(driver, want, where):
    """The page's labels and buttons are those of the transcript's line `want`; returns
    the board."""
    got = page_driver.board_state(driver)
    if got["labels"] != want["labels"] or got["buttons"] != want["buttons"]:
        raise Mismatch(f"{where}: {got['labels']} {got['buttons']}\n  transcript: {want['labels']} {want['buttons']}")
    return got


def run_in_chromium(site, checks):
    """Runs each of `checks`, (check, *arguments), as check(driver, url, *arguments) in
    one headless Chromium whose pages have the test's clock and timers and count their
    taps, the site served at `url`, and tells each outcome; returns the exit status."""
    failures = 0
    with page_driver.served(site) as url, page_driver.chromium() as driver:
        page_driver.fake_clock_and_timers(driver)
        page_driver.log_taps(driver)
        for check, *rest in checks:
            try:
                check(driver, url, *rest)
                print(f"ok   {check.__name__}")
            except (AssertionError, WebDriverException) as error:
                print(f"FAIL {check.__name__}: {error}")
                failures += 1
    print(f"{len(checks) - failures} passed, {failures} failed")
    return 1 if failures else 0
