#!/usr/bin/python3
"""Checks the browser page as a site, in Chromium: busy until its core is bound,
refusing injected script, installable from a folder of its host, telling the player
when its core cannot load or stops, playing a day offline from its service worker, and
taking a new build at the next load.

  PYTHONPATH=tools ZEMKARI_DESIGN_FACTS=build/dev/tests/web/design_facts.json site_test.py --site build/web/site
      --transcripts tests/replay/transcripts"""

import json
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

from PIL import Image
from selenium.common.exceptions import JavascriptException
from selenium.webdriver.common.by import By
from selenium.webdriver.support.wait import WebDriverWait

from page_checks import Mismatch, arguments, check_board, commands, run_in_chromium, transcript
from parity_test import FontFaces, Player
from zemkari_tools import engines, page_driver

# The page's sources, for the build's own tool that writes the service worker.
WEB = pathlib.Path(__file__).resolve().parents[2] / "web"


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


def check_busy_until_core(driver, url, transcripts):
    """Until its core is bound the board is busy and none of its buttons can be pressed;
    then each button is as the design opens it."""
    opening = transcript(transcripts, "profitable_day")[0]
    hold = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": HOLD_FRAMES})
    try:
        driver.get(url)
        wait_for_mark(driver, "zemkari-ready")
        busy, enabled = driver.execute_script(
            "const main = document.querySelector('main');"
            "return [main.getAttribute('aria-busy'), [...main.querySelectorAll('button')].filter(b => !b.disabled).length];")
        if busy != "true" or enabled:
            raise Mismatch(f"while the core loads: aria-busy {busy!r}, {enabled} buttons enabled")
        page_driver.control(driver, "start").click()
        driver.execute_script("window.__releaseFrames()")
        wait_for_mark(driver, "zemkari-core")
        check_board(driver, opening, "once the core is bound")
        if driver.execute_script("return document.querySelector('main').hasAttribute('aria-busy')"):
            raise Mismatch("the board is still busy with its core bound")
    finally:
        driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": hold["identifier"]})


# The site in a folder of a scratch host, as a host serves it below its root.
SUB_PATH = "games/zemkari/"


def copy_site(site, where):
    """A copy of the site at SUB_PATH of `where`, which a test may change; its folder."""
    folder = where / SUB_PATH
    shutil.copytree(site, folder)
    return folder


def build_of(folder):
    """The cache name and files the site's service worker was written with."""
    first_line = (folder / "service_worker.js").read_text(encoding="utf-8").split("\n", 1)[0]
    return json.loads(re.fullmatch(r"const kBuild = (.*);", first_line).group(1))


def wait_for_cache(driver, build):
    """Waits until the page's service worker is active with the whole build in its cache."""
    driver.execute_async_script("""
        const [name, count] = arguments, done = arguments[arguments.length - 1];
        navigator.serviceWorker.ready
          .then((registration) => caches.open(`${name} ${registration.scope}`))
          .then((cache) => cache.keys())
          .then((keys) => done(keys.length === count));""", build["cache"], len(build["files"]))


def wait_until(driver, script):
    """Waits until `script` is true in the page, through whatever loads come between."""
    WebDriverWait(driver, 30, ignored_exceptions=(JavascriptException,)).until(lambda d: d.execute_script(script))


def wait_shown(driver, element_id):
    """Waits until the element is no longer hidden; returns its text as shown."""
    return driver.execute_async_script("""
        const element = document.getElementById(arguments[0]), done = arguments[arguments.length - 1];
        const shown = () => !element.hidden && (done(element.innerText.trim()), true);
        if (!shown()) new MutationObserver((_, observer) => shown() && observer.disconnect())
          .observe(element, { attributes: true, subtree: true });""", element_id)


def check_installable(driver, _url, site, scratch):
    """From a folder of its host, Chromium finds the page installable; the manifest and the
    page take their colour from the page's style, and name icons of the sizes they are,
    the maskable ones drawn within a launcher's smallest mask."""
    folder = copy_site(site, scratch / "installable")
    with page_driver.served(str(scratch / "installable")) as base:
        page_driver.open_page(driver, base + SUB_PATH)
        wait_for_cache(driver, build_of(folder))
        errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
        if errors:
            raise Mismatch(f"Chromium will not install the page: {errors}")
        manifest = json.loads(driver.execute_cdp_cmd("Page.getAppManifest", {})["data"])
        face, theme = driver.execute_script(
            "return [getComputedStyle(document.documentElement).getPropertyValue('--face').trim(),"
            " document.querySelector('meta[name=theme-color]').content];")
    colours = {manifest["theme_color"], manifest["background_color"], theme}
    if colours != {face}:
        raise Mismatch(f"the app's colours {colours}, the page's face {face}")
    icons = {(icon["purpose"], icon["sizes"]): folder / icon["src"] for icon in manifest["icons"]}
    wanted = {(purpose, size) for purpose in ("any", "maskable") for size in ("192x192", "512x512")}
    if not wanted <= set(icons):
        raise Mismatch(f"icons {sorted(icons)}")
    for (purpose, size), path in icons.items():
        image = Image.open(path).convert("RGBA")
        if f"{image.width}x{image.height}" != size:
            raise Mismatch(f"{path.name} is {image.size}, named {size}")
        if purpose == "maskable":
            check_safe_zone(image, path.name)


def check_safe_zone(image, name):
    """Outside the circle of 80 % of the side a launcher's mask may cut, a maskable icon
    is its opaque background alone; inside it shows the picture."""
    width, height = image.size
    pixels = image.load()
    background = pixels[0, 0]
    radius = 0.4 * width
    inside = set()
    for y in range(height):
        for x in range(width):
            out = (x + 0.5 - width / 2) ** 2 + (y + 0.5 - height / 2) ** 2 > radius ** 2
            if out and pixels[x, y] != background:
                raise Mismatch(f"{name}: the picture reaches ({x}, {y}), outside the safe zone")
            if not out:
                inside.add(pixels[x, y])
    if background[3] != 255 or len(inside) < 3:
        raise Mismatch(f"{name}: background {background}, {len(inside)} colours inside the safe zone")


# An inline script added to the page, as an injection would add it: it runs, or the page's
# Content-Security-Policy refuses it and says which directive did.
INJECT_SCRIPT = """
const done = arguments[arguments.length - 1];
window.__injected = false;
document.addEventListener('securitypolicyviolation', (event) => done([window.__injected, event.violatedDirective]));
const script = document.createElement('script');
script.textContent = 'window.__injected = true;';
document.body.append(script);
if (window.__injected) done([true, null]);
"""


def check_injected_script(driver, url):
    """An inline script injected into the page does not run."""
    page_driver.open_page(driver, url)
    ran, directive = driver.execute_async_script(INJECT_SCRIPT)
    if ran or directive != "script-src-elem":
        raise Mismatch(f"an injected inline script ran: {ran}, refused by {directive}")


FAILURE = """
const failure = document.getElementById('CoreFailure'), main = document.querySelector('main');
return { message: [...failure.querySelectorAll('p')].filter((p) => !p.hidden).map((p) => p.textContent),
         retry: failure.querySelector('button').textContent, focused: document.activeElement.textContent,
         enabled: [...main.querySelectorAll('button')].filter((b) => !b.disabled).length, inert: main.inert };
"""


def check_core_failure(driver, _url, site, scratch, transcripts, faces):
    """With zemkari.wasm missing, corrupt, or lacking a handler the page calls, the page
    says the game could not be loaded and offers to try again, its board off; with the
    file back, trying again binds the core and the game plays. A trap in the core stops the game the same way, and
    trying again starts a new one."""
    expected = transcript(transcripts, "profitable_day")
    breaks = {"missing": lambda path: path.unlink(),
              "corrupt": lambda path: path.write_bytes(b"<!DOCTYPE html><title>502 Bad Gateway</title>"),
              "without a handler": lambda path: path.write_bytes(path.read_bytes().replace(b"OnTick", b"OnTock"))}
    notices = page_driver.design()["notices"]
    for name, spoil in breaks.items():
        folder = copy_site(site, scratch / name)
        wasm = folder / "zemkari.wasm"
        module = wasm.read_bytes()
        spoil(wasm)
        with page_driver.served(str(scratch / name)) as base:
            driver.get(base + SUB_PATH)
            wait_shown(driver, "CoreFailure")
            shown = driver.execute_script(FAILURE)
            want = {"message": [notices["load_failed"]], "retry": notices["retry"], "focused": notices["retry"],
                    "enabled": 0, "inert": True}
            if shown != want:
                raise Mismatch(f"zemkari.wasm {name}: {shown}")
            faces.check({("400", text) for text in shown["message"] + [shown["retry"]]}, f"zemkari.wasm {name}")
            wasm.write_bytes(module)
            driver.find_element(By.CSS_SELECTOR, "#CoreFailure button").click()
            wait_for_mark(driver, "zemkari-core")
            page_driver.play(driver, ["start", "09:00:15.000"])
            check_board(driver, expected[1], f"zemkari.wasm {name}, then restored: the market did not start")
    # A tick traps in the core, as it would on a fault of its own.
    driver.execute_script("TextDecoder.prototype.decode = () => { throw new WebAssembly.RuntimeError('unreachable'); };")
    page_driver.test_clock(driver, "fireNext()")
    shown = driver.execute_script(FAILURE)
    if shown["message"] != [notices["core_stopped"]] or shown["enabled"] or page_driver.board_state(driver)["timers"]:
        raise Mismatch(f"after a trap: {shown}")
    driver.find_element(By.CSS_SELECTOR, "#CoreFailure button").click()
    wait_until(driver, "return performance.getEntriesByName('zemkari-core').length > 0;")
    check_board(driver, expected[0], "trying again after a trap")


def check_offline(driver, _url, site, scratch, transcripts):
    """After one visit, with its server stopped, the page loads again from its service
    worker and plays a whole day. The browser's HTTP cache is off, so that nothing else
    can answer."""
    folder = copy_site(site, scratch / "offline")
    server = page_driver.Server(str(scratch / "offline"))
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    try:
        url = server.url + SUB_PATH
        page_driver.open_page(driver, url)
        wait_for_cache(driver, build_of(folder))
        server.stop()
        expected = transcript(transcripts, "profitable_day")
        player = Player(engines.Chromium(driver), url, expected, False)
        for words in commands(transcripts / "profitable_day.script"):
            player.play(words)
        if player.step != len(expected):
            raise Mismatch(f"offline: played {player.step} steps of {len(expected)}")
    finally:
        server.stop()
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": False})
        driver.execute_cdp_cmd("Network.disable", {})


def check_update(driver, _url, site, scratch, faces):
    """A second build of the site, one file changed, is announced on a page of the first,
    which plays on; the next load runs the second, whose worker has deleted the first's
    cache."""
    folder = copy_site(site, scratch / "update")
    first = build_of(folder)
    with page_driver.served(str(scratch / "update")) as base:
        url = base + SUB_PATH
        page_driver.open_page(driver, url)
        wait_for_cache(driver, first)
        with open(folder / "zemkari.js", "a", encoding="utf-8") as module:
            module.write("// second build\n")
        version = re.fullmatch(r"zemkari-(.*)-[0-9a-f]+", first["cache"]).group(1)
        subprocess.run(["node", str(WEB / "build" / "make_service_worker.mjs"), str(WEB / "page" / "service_worker.js"),
                        version, str(folder), *[name for name, _ in first["files"]]], check=True)
        second = build_of(folder)
        if second["cache"] == first["cache"]:
            raise Mismatch(f"the second build has the first's cache, {first['cache']}")
        page_driver.open_page(driver, url)
        driver.execute_script("window.__firstPage = true;")
        notice = wait_shown(driver, "UpdateNotice")
        if notice != page_driver.design()["notices"]["new_version"]:
            raise Mismatch(f"update notice {notice!r}")
        faces.check({("400", notice)}, "the update notice")
        if not driver.execute_script("return window.__firstPage === true;"):
            raise Mismatch("the page reloaded itself when the second build came")
        driver.get(url)
        wait_until(driver, "return performance.getEntriesByName('zemkari-core').length > 0;")
        caches, module = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            Promise.all([caches.keys(), fetch('zemkari.js').then((r) => r.text())]).then(done);""")
        if caches != [f"{second['cache']} {url}"] or not module.endswith("// second build\n"):
            raise Mismatch(f"after a reload: caches {caches}, the second build's module "
                           f"{'served' if module.endswith('// second build' + chr(10)) else 'not served'}")


def main():
    args = arguments("--transcripts")
    transcripts, faces = pathlib.Path(args.transcripts), FontFaces(args.site)
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        return run_in_chromium(args.site, [
            (check_busy_until_core, transcripts), (check_injected_script,), (check_installable, args.site, scratch),
            (check_core_failure, args.site, scratch, transcripts, faces),
            (check_offline, args.site, scratch, transcripts),
            (check_update, args.site, scratch, faces)])


if __name__ == "__main__":
    sys.exit(main())
