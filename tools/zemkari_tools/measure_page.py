"""Measures the browser page: `python3 -m zemkari_tools.measure_page SITE RUNS` prints one
JSON object with
  - the site's size, raw and as transferred (gzip for what a server compresses: HTML,
    style, JavaScript, WebAssembly, manifest, text; the fonts and the icons are compressed
    already): a visit transfers all of it, as the service worker keeps every file,
  - navigation to the first rendered board, against a page with the same font and one
    label, medians over RUNS alternating loads in one headless Chromium, cache and
    service worker off, on a desktop screen and on a phone's (390 x 844 CSS pixels at
    three device pixels each); and for information against the same board without the
    game (the page, its style and its fonts, the module replaced by one that marks it
    bound), which tells what the game's own code adds to drawing the board, and the
    page's head alone over a label in each face, which tells what its files cost before
    it draws anything,
  - the median time of one tick's work in the page: the core's tick, the page writing
    its results and the browser laying the page out again, on either screen,
  - the time the page takes to keep the game's snapshot (the core's snapshot, as text,
    into session storage) and to resume it (read back, restored by the core, every
    control written again; the chart's drawing apart), mid-day with a position open
    after the days of the tick measurement, whose lines the chart still shows, and the
    snapshot's size."""

import gzip
import json
import pathlib
import re
import shutil
import statistics
import sys
import tempfile

from . import page_driver

COMPRESSED = {".html", ".js", ".wasm", ".txt", ".css", ".webmanifest"}

BASELINE = """<!DOCTYPE html>
<html lang="ja"><head><meta charset="utf-8"><title>Baseline</title>
<link rel="preload" href="zemkari-regular.woff2" as="font" type="font/woff2" crossorigin>
<style>
@font-face{font-family:Zemkari;src:url(zemkari-regular.woff2) format("woff2");font-weight:400;font-display:block}
@font-face{font-family:Zemkari;src:url(zemkari-bold.woff2) format("woff2");font-weight:700;font-display:block}
body{font:12px Zemkari}
</style>
<script type="module">performance.mark('zemkari-ready');</script>
</head><body><span>現在値</span></body></html>
"""

# When the page's controls are bound (marked 'zemkari-ready') and its fonts are in, the
# second animation frame after that comes once the first has been painted. Watched from
# the document's start, before any script of the page runs: watching only once WebDriver
# is back from the load would count the frames after it, and whatever the page does then.
RENDERED = """
window.__rendered = new Promise((resolve) => {
  const painted = () => requestAnimationFrame(() => requestAnimationFrame(() => resolve(performance.now())));
  new PerformanceObserver((list, observer) => {
    if (!list.getEntriesByName('zemkari-ready').length) return;
    observer.disconnect();
    document.fonts.ready.then(painted);
  }).observe({ type: 'mark', buffered: true });
});
"""

# The page's timers only run when asked, so each tick is started by hand and timed.
MANUAL_TIMERS = """
window.__ticks = [];
window.setInterval = (callback) => { window.__ticks.push(callback); return window.__ticks.length; };
window.clearInterval = (id) => { window.__ticks[id - 1] = null; };
"""

TICKS = """
const days = arguments[0], perDay = arguments[1];
const start = document.querySelector('button[data-key="F5"]');
const times = [];
for (let day = 0; day < days; ++day) {
  start.click();
  for (let i = 0; i < perDay; ++i) {
    const tick = window.__ticks.filter(Boolean).at(-1);
    const t0 = performance.now();
    tick();
    document.querySelector('main').getBoundingClientRect();
    document.body.offsetHeight;
    times.push(performance.now() - t0);
  }
}
return times;
"""


# Mid-day with one share held (the smallest order, which any price allows), then the page's own keeping and resuming of the game,
# each timed over many calls, the median of five runs of them: the browser's clock is
# coarsened to 0.1 ms. Resuming alternates between the game at the end of the days
# before and the day's, given the text storage would give, so that each writes the
# board anew, and is timed with the canvas's drawing calls doing nothing: the chart's pixels are the browser's drawing, as
# at every tick, which the tick's figure holds.
SNAPSHOT = """
const done = arguments[arguments.length - 1], calls = arguments[0];
const click = (button) => document.querySelector(`button[data-button="${button}"]`).click();
const tick = () => window.__ticks.filter(Boolean).at(-1)();
document.querySelector('input[data-selector="0"][value="0"]').click();
const before = Object.values({ ...sessionStorage })[0];
click(0);
for (let i = 0; i < 30; ++i) tick();
click(2);
for (let i = 0; i < 5; ++i) tick();
if (document.querySelector('button[data-button="3"]').disabled) throw new Error('no position open to snapshot');
import(new URL('zemkari.js', location.href)).then((page) => {
  const timed = (work) => {
    const runs = [];
    for (let run = 0; run < 5; ++run) {
      const t0 = performance.now();
      for (let i = 0; i < calls; ++i) work();
      runs.push((performance.now() - t0) / calls);
    }
    return runs.sort((a, b) => a - b)[2];
  };
  const keep = timed(page.keepGame);
  const canvas = CanvasRenderingContext2D.prototype;
  const drawing = ['fillRect', 'beginPath', 'moveTo', 'lineTo', 'stroke', 'drawImage', 'rect', 'fill'];
  const kept = drawing.map((name) => canvas[name]);
  for (const name of drawing) canvas[name] = () => {};
  // Each resume writes the board anew: the game of the day before, then the day's.
  const text = Object.values({ ...sessionStorage })[0];
  let turn = 0;
  const resume = timed(() => page.resumeGame(++turn % 2 ? before : text));
  drawing.forEach((name, i) => { canvas[name] = kept[i]; });
  done({ keep, resume, stored: text.length, bytes: atob(text).length });
});
"""


# The pages of the first render, loaded in turn in this order: the game, the one-label
# page, and board_alone's two.
PAGES = {"game": "", "baseline": "baseline.html", "board": "board.html", "head": "head.html"}


def board_alone(served):
    """The page as board.html, its module replaced by board.js, which only marks it bound;
    and its head alone as head.html: the same head over one label in each of the page's
    faces instead of the board, what the page's own files cost before it draws anything."""
    page = (served / "index.html").read_text(encoding="utf-8")
    module = re.search(r'<script type="module" src="zemkari\.js"[^>]*>', page).group(0)
    alone = page.replace(module, '<script type="module" src="board.js">')
    (served / "board.html").write_text(alone, encoding="utf-8")
    (served / "board.js").write_text("performance.mark('zemkari-ready');\n", encoding="utf-8")
    labels = '<body><main><span class="b17">現在値</span> <span class="r15">相場開始</span></main></body></html>\n'
    (served / "head.html").write_text(alone[:alone.index("<body>")] + labels, encoding="utf-8")


def sizes(site):
    raw = transferred = 0
    for path in sorted(pathlib.Path(site).iterdir()):
        data = path.read_bytes()
        raw += len(data)
        transferred += len(gzip.compress(data, 9)) if path.suffix in COMPRESSED else len(data)
    return {"visit_raw": raw, "visit_transferred": transferred}


# When the game's core, loaded after the first picture, is bound.
CORE_BOUND = """
const done = arguments[arguments.length - 1];
const wait = () => {
  const mark = performance.getEntriesByName('zemkari-core')[0];
  if (mark) done(mark.startTime); else setTimeout(wait, 5);
};
wait();
"""


def first_render(driver, url):
    # Every load from the network, as a first visit: the page's service worker would
    # answer the later ones from its cache.
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
    # The loads share one renderer: what the one before left is collected now, not in
    # the middle of this one, where it spread the times by some 25 ms.
    driver.execute_cdp_cmd("HeapProfiler.enable", {})
    driver.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
    driver.get(url)
    driver.set_script_timeout(30)
    return driver.execute_async_script("window.__rendered.then(arguments[arguments.length - 1]);")


def core_bound(driver):
    return driver.execute_async_script(CORE_BOUND)


def main():
    site, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 15
    result = sizes(site)
    with tempfile.TemporaryDirectory() as scratch:
        served = pathlib.Path(scratch) / "site"
        shutil.copytree(site, served)
        (served / "baseline.html").write_text(BASELINE, encoding="utf-8")
        board_alone(served)
        for screen, phone in (("", False), ("_phone", True)):
            with page_driver.served(str(served)) as url, page_driver.chromium() as driver:
                driver.execute_cdp_cmd("Network.enable", {})
                driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": RENDERED})
                if phone:
                    page_driver.emulate_phone(driver, *page_driver.PHONE)
                times = {name: [] for name in PAGES}
                core = []
                for page in PAGES.values():  # one warm-up load of each
                    first_render(driver, url + page)
                for _ in range(runs):
                    for name, page in PAGES.items():
                        times[name].append(first_render(driver, url + page))
                        if name == "game":
                            core.append(core_bound(driver))
                for name, taken in times.items():
                    result[f"first_render{screen}_{name}_ms"] = statistics.median(taken)
                result[f"core_bound{screen}_ms"] = statistics.median(core)
                result[f"first_render{screen}_ratio"] = (result[f"first_render{screen}_game_ms"] /
                                                         result[f"first_render{screen}_baseline_ms"])

        for screen, phone in (("", False), ("_phone", True)):
            with page_driver.served(site) as url, page_driver.chromium() as driver:
                driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MANUAL_TIMERS})
                if phone:
                    page_driver.emulate_phone(driver, *page_driver.PHONE)
                page_driver.open_page(driver, url)
                times = driver.execute_script(TICKS, 20, 55)
                result[f"tick{screen}_median_ms"] = statistics.median(times)
                result[f"tick{screen}_p90_ms"] = statistics.quantiles(times, n=10)[-1]
                result["ticks"] = len(times)
                snapshot = driver.execute_async_script(SNAPSHOT, 200)
                result[f"keep{screen}_ms"] = snapshot["keep"]
                result[f"resume{screen}_ms"] = snapshot["resume"]
                result["snapshot_bytes"] = snapshot["bytes"]
                result["snapshot_stored"] = snapshot["stored"]
    result["chromium"] = driver_version()
    print(json.dumps(result))


def driver_version():
    import subprocess
    return subprocess.run([page_driver.CHROMIUM, "--version"], capture_output=True, text=True).stdout.strip()


if __name__ == "__main__":
    main()
