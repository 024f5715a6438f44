#!/usr/bin/python3
"""The browser page survives its browser: mid-day with a position open, after a freeze
of the page and a reload, and after a plain reload, the board, the chart's pixels, the
selectors, the buttons and the market clock are what they were, and the rest of the
transcript plays on to the same end. A snapshot an earlier build kept resumes too; a
new tab starts a new game; a snapshot that cannot be read gives a new game and a notice
in the comment box; a hidden page does not tick and waits a whole interval once shown;
and storage that fails keeps nothing and spoils nothing.

  PYTHONPATH=tools ZEMKARI_DESIGN_FACTS=build/dev/tests/web/design_facts.json resume_test.py --site build/web/site
      --transcripts tests/replay/transcripts --pinned tests/replay/snapshots/profitable_day-40.v1.bin --pinned-step 40

Only the freeze needs Chromium's DevTools; every other check drives the page through
WebDriver and its own scripts, as any browser's driver can."""

import base64
import io
import pathlib
import sys

from PIL import Image

import page_checks
from page_checks import Mismatch, arguments, check_board, run_in_chromium
from zemkari_tools import page_driver

SCRIPT = "profitable_day"
# Steps of SCRIPT: 40 holds 50 shares mid-day, 44 still does.
FREEZE_AT, RELOAD_AT = 40, 44
# And of a script whose chart shows an earlier day's line below the day's own: 10 shares
# held on the third day, the second day's line still there.
LATER_DAY, LATER_FREEZE_AT, LATER_RELOAD_AT = "several_days", 150, 155

# The session storage's keys and texts; the page keeps one.
STORED = "return Object.fromEntries(Object.keys(sessionStorage).map((key) => [key, sessionStorage.getItem(key)]));"

SELECTED = """
return [...document.querySelectorAll('main [role=radiogroup]')].map(
    (group) => [...group.querySelectorAll('input')].findIndex((radio) => radio.checked));
"""


def check_step(driver, want, where):
    got = check_board(driver, want, where)
    timers = [timer["ms"] for timer in got["timers"]]
    if timers != ([want["timer"]["interval"]] if want["timer"]["on"] else []):
        raise Mismatch(f"{where}: market clock {got['timers']}, transcript {want['timer']}")


def play_steps(driver, steps, expected, first, last):
    """Plays steps `first` to `last` (transcript numbering, step 1 the first command),
    checking each against the transcript."""
    for step in range(first, last + 1):
        page_driver.play(driver, steps[step - 1])
        check_step(driver, expected[step], f"step {step} ({' '.join(steps[step - 1])})")


def pixels(png):
    return Image.open(io.BytesIO(png)).convert("RGBA").tobytes()


def picture(driver):
    """All a player sees of the game and can set, and the market clock."""
    state = page_driver.board_state(driver)
    return {"labels": state["labels"], "colours": state["colours"], "buttons": state["buttons"],
            "clock": [timer["ms"] for timer in state["timers"]], "selected": driver.execute_script(SELECTED),
            "chart": pixels(page_driver.canvas_png(driver))}


def compare_pictures(before, after, where):
    for key in before:
        if before[key] != after[key]:
            shown = "the chart's pixels differ" if key == "chart" else f"{before[key]} became {after[key]}"
            raise Mismatch(f"{where}: {key}: {shown}")


def reload(driver, freeze=False):
    """Reloads the page as the browser does once it has thrown it away: after a freeze,
    when asked. The market clock's next tick comes one whole interval after the load."""
    if freeze:
        # A frozen page is hidden, and the reload with it: the player comes back to it,
        # and the page, shown, binds its core and resumes.
        driver.execute_cdp_cmd("Page.setWebLifecycleState", {"state": "frozen"})
        driver.refresh()
        driver.execute_cdp_cmd("Page.setWebLifecycleState", {"state": "active"})
        rect = driver.get_window_rect()
        driver.minimize_window()
        driver.set_window_rect(width=rect["width"], height=rect["height"])
    else:
        driver.refresh()
    page_driver.wait_for_core(driver)
    now = page_driver.test_clock(driver, "timeOfDay()")
    due = [timer["due"] - timer["ms"] for timer in page_driver.test_clock(driver, "repeating()")]
    if any(start != now for start in due):
        raise Mismatch(f"the clock resumed with its next tick not one interval after the load: {due}, now {now}")


def check_resume_mid_day(driver, url, transcripts):
    """Mid-day with shares held, on a first day and on a later one: a freeze and a
    reload, then a plain reload, each leave the page as it was; the day then plays on to
    the transcript's end."""
    # Freezing a page takes Chromium's DevTools; other browsers reload it plainly.
    chromium = hasattr(driver, "execute_cdp_cmd")
    for script, freeze_at, reload_at in ((SCRIPT, FREEZE_AT, RELOAD_AT),
                                         (LATER_DAY, LATER_FREEZE_AT, LATER_RELOAD_AT)):
        steps, expected = transcript(transcripts, script)
        page_driver.open_page(driver, url)
        play_steps(driver, steps, expected, 1, freeze_at)
        for at, freeze in ((freeze_at, chromium), (reload_at, False)):
            before = picture(driver)
            reload(driver, freeze)
            compare_pictures(before, picture(driver),
                             f"{script}, step {at}, reloaded{' after a freeze' if freeze else ''}")
            if at == freeze_at:
                play_steps(driver, steps, expected, freeze_at + 1, reload_at)
        play_steps(driver, steps, expected, reload_at + 1, len(steps))


def the_key(driver):
    stored = driver.execute_script(STORED)
    if len(stored) != 1:
        raise Mismatch(f"the page keeps {len(stored)} items: {list(stored)}")
    return next(iter(stored))


def check_earlier_build(driver, url, steps, expected, pinned, pinned_step):
    """The snapshot an earlier build kept resumes in this one, and its day plays on."""
    page_driver.open_page(driver, url)
    page_driver.play(driver, ["qty", "1"])
    driver.execute_script("sessionStorage.setItem(arguments[0], arguments[1]);", the_key(driver),
                          base64.b64encode(pinned).decode())
    reload(driver)
    check_step(driver, expected[pinned_step], f"resumed at step {pinned_step}")
    play_steps(driver, steps, expected, pinned_step + 1, len(steps))


def check_new_tab(driver, url, steps, expected):
    """Closing the tab ends the game: the page opened again starts a new one."""
    page_driver.open_page(driver, url)
    play_steps(driver, steps, expected, 1, 3)
    old = driver.current_window_handle
    driver.switch_to.new_window("tab")
    fresh = driver.current_window_handle
    driver.switch_to.window(old)
    driver.close()
    driver.switch_to.window(fresh)
    page_driver.fake_clock_and_timers(driver)
    page_driver.open_page(driver, url)
    check_step(driver, expected[0], "a new tab")
    if driver.execute_script(STORED):
        raise Mismatch("a new tab found the closed tab's game")


def check_unreadable(driver, url, expected):
    """A snapshot that cannot be read is dropped: a new game, the notice in the comment
    box, until the game writes there."""
    page_driver.open_page(driver, url)
    # The notice and the field the page shows it in, as the page names them.
    notice = driver.execute_script("""
        const form = document.querySelector('main');
        const field = form.querySelector(`[data-field="${form.dataset.noticeField}"]`);
        return { [field.id]: form.dataset.resumeDropped };""")
    for name, spoil in (("altered", lambda text: text[:12] + ("A" if text[12] != "A" else "B") + text[13:]),
                        ("cut short", lambda text: text[: len(text) // 2]), ("not base64", lambda text: "%" + text)):
        page_driver.open_page(driver, url)
        page_driver.play(driver, ["start", "09:00:15.000"])
        key = the_key(driver)
        text = driver.execute_script("return sessionStorage.getItem(arguments[0]);", key)
        driver.execute_script("sessionStorage.setItem(arguments[0], arguments[1]);", key, spoil(text))
        reload(driver)
        want = dict(expected[0]["labels"], **notice)
        got = page_driver.board_state(driver)
        if got["labels"] != want or got["buttons"] != expected[0]["buttons"] or got["timers"]:
            raise Mismatch(f"{name}: {got['labels']} {got['buttons']} {got['timers']}")
        if driver.execute_script(STORED):
            raise Mismatch(f"{name}: the unreadable snapshot was kept")
        page_driver.play(driver, ["start", "09:00:15.000"])
        check_step(driver, expected[1], f"{name}: the new game's start")


# Tells the page it is hidden or shown, as a browser does when the tab goes to the
# background or the phone's screen goes off.
SHOW = """
const hidden = arguments[0];
Object.defineProperty(document, 'hidden', { configurable: true, get: () => hidden });
Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => hidden ? 'hidden' : 'visible' });
document.dispatchEvent(new Event('visibilitychange'));
"""


def check_hidden(driver, url, steps, expected):
    """Hidden, the page does not tick; shown, the next tick comes a whole interval later."""
    page_driver.open_page(driver, url)
    play_steps(driver, steps, expected, 1, FREEZE_AT)
    interval = expected[FREEZE_AT]["timer"]["interval"]
    driver.execute_script(SHOW, True)
    page_driver.test_clock(driver, "passTime(arguments[0])", 10 * interval)
    if page_driver.test_clock(driver, "fireNext()") is not None:
        raise Mismatch("a hidden page ticked")
    check_step(driver, dict(expected[FREEZE_AT], timer={"on": False}), "hidden")
    driver.execute_script(SHOW, False)
    shown = page_driver.test_clock(driver, "timeOfDay()")
    fired = page_driver.test_clock(driver, "fireNext()")
    if fired != shown + interval:
        raise Mismatch(f"shown at {shown} ms, the next tick came at {fired} ms, not a whole interval later")
    check_step(driver, expected[FREEZE_AT + 1], "the first tick once shown")


# Storage that is gone, or that refuses every write as full; the reload brings the real
# one back, with nothing in it.
FAILING_STORAGE = {
    "gone": "Object.defineProperty(window, 'sessionStorage', "
            "{ get() { throw new DOMException('no storage', 'SecurityError'); } });",
    "full": "Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };",
}


def check_failing_storage(driver, url, steps, expected):
    """Without storage, or with a full one, the day plays as the transcript says, and a
    reload starts a new game."""
    for name, source in FAILING_STORAGE.items():
        page_driver.open_page(driver, url)
        driver.execute_script(source)
        play_steps(driver, steps, expected, 1, FREEZE_AT)
        reload(driver)
        check_step(driver, expected[0], f"storage {name}, reloaded")


def transcript(transcripts, script):
    """The script's commands one step each (`tick N` as N ticks), and its transcript's
    lines."""
    steps = []
    for words in page_checks.commands(transcripts / f"{script}.script"):
        count = int(words[1]) if words[0] == "tick" and len(words) > 1 else 1
        steps += [words[:1] if words[0] == "tick" else words] * count
    expected = page_checks.transcript(transcripts, script)
    if len(expected) != len(steps) + 1:
        raise SystemExit(f"{script}: {len(steps)} steps, {len(expected)} transcript lines")
    return steps, expected


def main():
    args = arguments("--transcripts", "--pinned", "--pinned-step")
    transcripts = pathlib.Path(args.transcripts)
    steps, expected = transcript(transcripts, SCRIPT)
    return run_in_chromium(args.site, [
        (check_resume_mid_day, transcripts),
        (check_earlier_build, steps, expected, pathlib.Path(args.pinned).read_bytes(), int(args.pinned_step)),
        (check_unreadable, expected), (check_hidden, steps, expected), (check_failing_storage, steps, expected),
        (check_new_tab, steps, expected)])


if __name__ == "__main__":
    sys.exit(main())
