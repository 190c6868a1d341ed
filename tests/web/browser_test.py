#!/usr/bin/env python3
# The web game in headless Chromium, played through the DevTools protocol and held against the
# desktop program on the headless backend (glimora_web_reference): the same title screen pixel
# for pixel, a game started, an element placed, the menu's Pause, a reload that resumes the
# game paused from IndexedDB, those stored bytes resuming the same game on the desktop, and a
# page hidden behind another tab that ends the game and resumes it once shown. Then the same
# page on an emulated phone (412 x 915, density 2.625, touch): the canvas fills the width and
# equals the desktop program's picture at that client size, taps play, a double tap does not
# zoom, the turned phone shows the whole game, an offline reload plays, a second build's
# service worker replaces the first one's files whole, and a browser that refuses storage is
# named as such to the player; and a second tab of the page gives way while
# the first one plays.
#   python3 tests/web/browser_test.py BUILD_WEB_FOLDER WEB_REFERENCE_TOOL
import asyncio
import base64
import functools
import http.server
import json
import os
import pwd
import shutil
import re
import subprocess
import sys
import tempfile
import threading
import time

import websockets

from cdp import Browser

BAR = 19                       # the drawn menu bar above the client area, at scale 1
SIDE = 480                     # the client area in a 480 x 499 window
HELP_OK = (237, 418)           # client pixels of the buttons, as the shell's scenario tests
PLAY = (364, 160)
FIRST_SQUARE = (121 + 24, 121 + 24)   # the centre of the board's top left square
GAME_SCREEN = 1
PHONE = (412, 915, 2.625)      # CSS pixels and density of a common phone
PAGE_FILES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform", "web")


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok: " + what, flush=True)


def client_of(canvas, side=SIDE, k=1):
    """The client area's RGB bytes of a canvas (width, height, rgb) below the menu bar."""
    width, height, rgb = canvas
    if (width, height) != (side, side + BAR * k):
        raise Failure("canvas is %d x %d, not %d x %d" % (width, height, side, side + BAR * k))
    return rgb[BAR * k * width * 3:]


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, width, height, depth, pixels = data.split(maxsplit=4)
    assert magic == b"P6" and int(depth) == 255
    return int(width), int(height), pixels


def write_ppm(path, width, height, rgb):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height) + rgb)


def square_of(client, centre, half=20, side=SIDE):
    x0, y0 = centre[0] - half, centre[1] - half
    return b"".join(client[((y0 + y) * side + x0) * 3:((y0 + y) * side + x0 + 2 * half) * 3]
                    for y in range(2 * half))


def same_picture(canvas_client, reference_ppm, keep, name, side=SIDE):
    """True when the client area equals the reference; otherwise both pictures are kept."""
    width, height, expected = read_ppm(reference_ppm)
    if (width, height) == (side, side) and expected == canvas_client:
        return True
    write_ppm(os.path.join(keep, name + "-canvas.ppm"), side, side, canvas_client)
    differing = sum(1 for i in range(0, min(len(expected), len(canvas_client)), 3)
                    if expected[i:i + 3] != canvas_client[i:i + 3])
    print("%s: %d pixels differ; pictures in %s" % (name, differing, keep), flush=True)
    return False


async def settled(browser, quiet=0.6, limit=20.0):
    """The canvas once it has stayed the same for `quiet` seconds."""
    deadline = time.monotonic() + limit
    last = await browser.canvas()
    while time.monotonic() < deadline:
        await asyncio.sleep(quiet)
        now = await browser.canvas()
        if now == last:
            return now
        last = now
    raise Failure("the canvas never settled")


async def changes_within(browser, seconds):
    """True when the canvas changes by itself within `seconds` (a running game's pile)."""
    first = await browser.canvas()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        await asyncio.sleep(0.2)
        if await browser.canvas() != first:
            return True
    return False


async def load(browser, url):
    await browser.send("Page.navigate", url=url)
    await started(browser)


async def started(browser):
    # The program is running once the page's status line is empty and the canvas drawn.
    for _ in range(300):
        ready = await browser.evaluate(
            "document.readyState === 'complete' && typeof Module === 'object' &&"
            " document.getElementById('status').textContent === ''")
        if ready:
            return
        await asyncio.sleep(0.1)
    raise Failure("the page never started the game")


async def stored_files(browser):
    """Every file the page keeps in IndexedDB, path -> bytes."""
    files = await browser.evaluate("""new Promise((resolve, reject) => {
        const open = indexedDB.open('glimora');
        open.onerror = () => reject(open.error);
        open.onsuccess = () => {
            const files = {};
            const cursor = open.result.transaction('files').objectStore('files').openCursor();
            cursor.onerror = () => reject(cursor.error);
            cursor.onsuccess = () => {
                const entry = cursor.result;
                if (!entry) { open.result.close(); resolve(files); return; }
                let s = '';
                for (const b of new Uint8Array(entry.value)) s += String.fromCharCode(b);
                files[entry.key] = btoa(s);
                entry.continue();
            };
        };
    })""")
    return {path: base64.b64decode(data) for path, data in files.items()}


async def second_tab(browser, url):
    """A second tab of the page while this one plays: it says so, neither plays nor writes,
    and plays after a reload once the first tab is closed."""
    files = await stored_files(browser)
    picture = client_of(await browser.canvas())
    created = await browser.send("Target.createTarget", url=url, background=True)
    port = browser.socket.remote_address[1]
    tab = Browser()
    tab.socket = await websockets.connect(
        "ws://127.0.0.1:%d/devtools/page/%s" % (port, created["targetId"]), max_size=None)
    try:
        state = None
        for _ in range(100):
            state = await tab.evaluate(
                "document.readyState === 'complete' && typeof Module === 'object' &&"
                " [Module.glimoraTabLock.state, (document.getElementById('other-tab') || {}).textContent,"
                "  Module.glimoraSavedGame.path]")
            if state and state[0] != "asking":
                break
            await asyncio.sleep(0.1)
        check(state == ["elsewhere", "Glimora is open in another tab. Close it, then reload this"
                        " page to play here.", None],
              "a second tab says the game is open in another tab, and its program never starts"
              " (%s)" % (state,))
        await asyncio.sleep(1)
        check(await stored_files(browser) == files and client_of(await browser.canvas()) == picture,
              "the first tab's game and files are untouched by the second tab")

        first = [t for t in (await tab.send("Target.getTargets"))["targetInfos"]
                 if t["type"] == "page" and t["targetId"] != created["targetId"]]
        for target in first:
            await tab.send("Target.closeTarget", targetId=target["targetId"])
        await asyncio.sleep(1)
        # The same window as the first tab's, so that the same game is shown at the same size.
        await tab.send("Emulation.setDeviceMetricsOverride", width=SIDE, height=SIDE + BAR,
                       deviceScaleFactor=1, mobile=False)
        await tab.send("Page.reload")
        await started(tab)
        check(await tab.evaluate("Module.glimoraTabLock.state") == "held" and
              await tab.evaluate("document.getElementById('other-tab') === null") and
              client_of(await settled(tab)) == picture,
              "once the first tab is closed, a reload of the second resumes the game paused")
    finally:
        await tab.close()


class Site:
    """The page's files served on this machine from a folder of their own (so that a test can
    put a second build there), or not at all while `offline`."""

    def __init__(self, build_web, keep):
        self.folder = os.path.join(keep, "site")
        os.makedirs(self.folder)
        for name in os.listdir(build_web):
            if re.fullmatch(r"glimora\.(html|js|wasm)|service-worker\.js|manifest\.webmanifest|"
                            r"icon-\d+\.png|favicon\.ico", name):
                shutil.copy(os.path.join(build_web, name), self.folder)
        self.offline = False
        site = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                if site.offline:
                    self.close_connection = True
                    return
                super().do_GET()
        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=self.folder))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.origin = "http://127.0.0.1:%d" % self.server.server_address[1]

    def close(self):
        self.server.shutdown()


async def run(build_web, reference_tool, keep):
    site = Site(build_web, keep)
    try:
        await desktop(site, reference_tool, keep)
        await phone(site, reference_tool, keep)
    finally:
        site.close()


async def desktop(site, reference_tool, keep):
    # The desktop program names its player after the account: the page is told the same name,
    # so that the files the page writes are this player's on the desktop too.
    player = pwd.getpwuid(os.geteuid()).pw_name
    url = site.origin + "/glimora.html?lang=en&name=" + player
    browser = Browser(os.environ.get("CHROMIUM", "chromium"))
    try:
        await browser.start()
        # A window just large enough for the smallest game and its menu bar.
        await browser.send("Emulation.setDeviceMetricsOverride", width=SIDE, height=SIDE + BAR,
                           deviceScaleFactor=1, mobile=False)
        await load(browser, url)

        # A new player first sees Help; its OK leads to the title screen.
        await settled(browser)
        await browser.click(HELP_OK[0], BAR + HELP_OK[1])
        title = client_of(await settled(browser))
        reference = os.path.join(keep, "title-reference.ppm")
        points = json.loads(subprocess.run(
            [reference_tool, "1", os.path.join(keep, "new-player"), reference],
            check=True, capture_output=True, text=True).stdout)
        check(same_picture(title, reference, keep, "title"),
              "the title screen's canvas equals the desktop program's, pixel for pixel")

        await browser.click(PLAY[0], BAR + PLAY[1])
        await asyncio.sleep(0.5)
        check(client_of(await browser.canvas()) != title and await changes_within(browser, 5),
              "a click on Play starts a game that moves by itself")

        # A new game's board is all plain squares: any of them takes the rising element.
        before = square_of(client_of(await browser.canvas()), FIRST_SQUARE)
        await browser.click(FIRST_SQUARE[0], BAR + FIRST_SQUARE[1])
        await asyncio.sleep(0.3)
        check(square_of(client_of(await browser.canvas()), FIRST_SQUARE) != before,
              "a click on a square places the element there")

        await browser.click(*points["menu_title"])
        await asyncio.sleep(0.3)
        await browser.click(*points["pause_item"])
        paused = await settled(browser, quiet=1.5)
        check(not await changes_within(browser, 2), "the menu's Pause stops the game")
        check(await browser.shown() == paused,
              "the page shows the canvas as it is after the game's many small updates")

        await browser.send("Page.reload")
        await started(browser)
        resumed = await settled(browser)
        check(client_of(resumed) == client_of(paused),
              "a reload resumes the game paused, as it was left")

        files = await stored_files(browser)
        folder = os.path.join(keep, "from-the-page")
        for path, data in files.items():
            relative = os.path.relpath(path, "/glimora")
            os.makedirs(os.path.dirname(os.path.join(folder, relative)), exist_ok=True)
            with open(os.path.join(folder, relative), "wb") as f:
                f.write(data)
        desktop = os.path.join(keep, "resumed-reference.ppm")
        state = json.loads(subprocess.run([reference_tool, "1", folder, desktop],
                                          check=True, capture_output=True, text=True).stdout)
        check(state["screen"] == GAME_SCREEN and len(files) == 2 and state["paused"] == 1 and
              same_picture(client_of(resumed), desktop, keep, "resumed"),
              "the slot file and saved game in IndexedDB (%s) resume the same game paused"
              " on the desktop"
              % ", ".join(sorted(files)))

        # Another tab in front hides the page: the game saves and ends; back in front, the page
        # loads again by itself and resumes the game.
        await browser.send("Target.createTarget", url="about:blank", background=False)
        await asyncio.sleep(1)
        check(await browser.evaluate("document.getElementById('canvas').style.display") == "none",
              "a hidden page ends the game")
        await browser.send("Page.bringToFront")
        await asyncio.sleep(1)
        await started(browser)
        check(await browser.evaluate("performance.getEntriesByType('navigation')[0].type") == "reload"
              and client_of(await settled(browser)) == client_of(paused),
              "shown again, the page reloads and resumes the game paused")

        await second_tab(browser, url)
    finally:
        await browser.close()


async def tap(browser, x, y, ratio):
    """A finger put down and lifted at canvas pixel (x, y) of a canvas shown 1/ratio as large."""
    left, top = await browser.evaluate(
        "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
        " return [r.left, r.top]; })()")
    point = {"x": left + (x + 0.5) / ratio, "y": top + (y + 0.5) / ratio}
    await browser.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=[point])
    await browser.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])


async def page_layout(browser):
    """The canvas's place on the page and whether the page can scroll, in CSS pixels."""
    return await browser.evaluate(
        "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
        " const d = document.documentElement;"
        " return {left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width,"
        " roomW: d.clientWidth, roomH: d.clientHeight, scrollW: d.scrollWidth,"
        " scrollH: d.scrollHeight, zoom: visualViewport.scale}; })()")


async def worker_cache(browser):
    return await browser.evaluate("navigator.serviceWorker.ready.then(() => caches.keys())")


async def phone(site, reference_tool, keep):
    width, height, ratio = PHONE
    url = site.origin + "/glimora.html?lang=en&name=phone"
    browser = Browser(os.environ.get("CHROMIUM", "chromium"))
    try:
        await browser.start()
        await browser.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                           deviceScaleFactor=ratio, mobile=True,
                           screenOrientation={"type": "portraitPrimary", "angle": 0})
        await browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        await load(browser, url)
        first = await settled(browser)
        side, k = first[0], (first[1] - first[0]) // BAR
        shown = await page_layout(browser)
        check(shown["width"] >= 0.9 * width and shown["scrollW"] <= shown["roomW"] and
              shown["bottom"] <= shown["roomH"] and side == int(width * ratio),
              "on a phone the canvas is %.0f of %d CSS pixels wide, %d device pixels, menu at %dx,"
              " the page does not scroll" % (shown["width"], width, side, k))

        at = lambda p: (p[0] * side // SIDE, p[1] * side // SIDE)  # noqa: E731
        await tap(browser, at(HELP_OK)[0], BAR * k + at(HELP_OK)[1], ratio)
        title = client_of(await settled(browser), side, k)
        reference = os.path.join(keep, "phone-title-reference.ppm")
        points = json.loads(subprocess.run(
            [reference_tool, "1", os.path.join(keep, "phone-player"), reference, str(side), str(k)],
            check=True, capture_output=True, text=True).stdout)
        check(same_picture(title, reference, keep, "phone-title", side),
              "the phone's title screen equals the desktop program's at %d pixels a side" % side)

        await tap(browser, at(PLAY)[0], BAR * k + at(PLAY)[1], ratio)
        await asyncio.sleep(0.5)
        check(client_of(await browser.canvas(), side, k) != title and await changes_within(browser, 5),
              "a tap on Play starts a game")
        square = at(FIRST_SQUARE)
        half = 20 * side // SIDE
        before = square_of(client_of(await browser.canvas(), side, k), square, half, side)
        await tap(browser, square[0], BAR * k + square[1], ratio)
        await asyncio.sleep(0.3)
        check(square_of(client_of(await browser.canvas(), side, k), square, half, side) != before,
              "a tap on a square places the element there")

        # Two quick taps on one spot: the game's double click, not the browser's zoom.
        spot = at((121 + 48 * 3 + 24, 121 + 48 * 5 + 24))
        await tap(browser, spot[0], BAR * k + spot[1], ratio)
        await tap(browser, spot[0], BAR * k + spot[1], ratio)
        await asyncio.sleep(0.5)
        shown = await page_layout(browser)
        check(shown["zoom"] == 1 and shown["scrollW"] <= shown["roomW"] and
              shown["scrollH"] <= shown["roomH"], "two quick taps leave the page's zoom at 1")

        await tap(browser, *points["menu_title"], ratio)
        await asyncio.sleep(0.3)
        await tap(browser, *points["pause_item"], ratio)
        paused = await settled(browser, quiet=1.5)
        check(not await changes_within(browser, 2), "the menu opens and Pause is chosen by taps")

        # The phone turned: the whole game is in sight, nothing to scroll.
        await browser.send("Emulation.setDeviceMetricsOverride", width=height, height=width,
                           deviceScaleFactor=ratio, mobile=True,
                           screenOrientation={"type": "landscapePrimary", "angle": 90})
        await asyncio.sleep(1)
        turned = await settled(browser)
        shown = await page_layout(browser)
        check(shown["left"] >= 0 and shown["top"] >= 0 and shown["right"] <= shown["roomW"] and
              shown["bottom"] <= shown["roomH"] and shown["scrollW"] <= shown["roomW"] and
              shown["scrollH"] <= shown["roomH"] and
              turned[0] == int(width * ratio) - (turned[1] - turned[0]),
              "turned, the canvas (%d x %d) is wholly in sight without scrolling"
              % (turned[0], turned[1]))

        # Offline: the service worker has kept the page, its script and its program.
        kept = await worker_cache(browser)
        site.offline = True
        await browser.send("Network.enable")
        await browser.send("Network.emulateNetworkConditions", offline=True, latency=0,
                           downloadThroughput=-1, uploadThroughput=-1)
        await browser.send("Page.reload")
        await started(browser)
        again = await settled(browser)
        if again != turned:
            write_ppm(os.path.join(keep, "turned.ppm"), turned[0], turned[1], turned[2])
            write_ppm(os.path.join(keep, "offline.ppm"), again[0], again[1], again[2])
        # The board and the score as left (the pile's rising element may be redrawn a pixel
        # higher or lower when a game paused mid-rise is resumed at this size).
        board = lambda c: b"".join(  # noqa: E731
            c[2][(y * c[0] + c[0] * 121 // SIDE) * 3:(y + 1) * c[0] * 3] for y in range(c[1]))
        check(len(kept) == 1 and again[:2] == turned[:2] and board(again) == board(turned),
              "offline, a reload plays from the worker's files (%s), the game paused as left" % kept)
        await browser.send("Network.emulateNetworkConditions", offline=False, latency=0,
                           downloadThroughput=-1, uploadThroughput=-1)
        site.offline = False

        # A second build on the site: its worker keeps its own files whole and, once no page of
        # the first build is open, replaces them.
        with open(os.path.join(site.folder, "glimora.html"), encoding="utf-8") as f:
            page = f.read()
        with open(os.path.join(site.folder, "glimora.html"), "w", encoding="utf-8") as f:
            f.write(page.replace("<title>", '<meta name="build" content="second"><title>', 1))
        subprocess.run([sys.executable, os.path.join(PAGE_FILES, "page_files.py"), site.folder,
                        os.path.join(PAGE_FILES, "..", "..", "resources", "icon", "glimora.ico"),
                        os.path.join(PAGE_FILES, "service_worker.js")], check=True)
        with open(os.path.join(site.folder, "service-worker.js"), encoding="utf-8") as f:
            second = "glimora-" + re.search(r'var BUILD = "([0-9a-f]+)"', f.read()).group(1)
        # The first build's page is open: the second worker installs and waits. Once that
        # page is left, it takes over and drops the first build's files.
        kept = []
        for _ in range(15):
            await browser.send("Page.navigate", url="about:blank")
            await asyncio.sleep(1)
            await load(browser, url)
            kept = await worker_cache(browser)
            if kept == [second] and await browser.evaluate("!!document.querySelector('meta[name=build]')"):
                break
            await browser.evaluate("navigator.serviceWorker.getRegistration().then(r => r && r.update())")
            await asyncio.sleep(1)
        check(kept == [second] and await browser.evaluate("!!document.querySelector('meta[name=build]')"),
              "a second build's worker replaces the first one's files whole (%s, kept: %s)"
              % (second, kept))

        # A browser that refuses the page any storage (as some private windows do): the player
        # is told, in the game's language, that nothing will be kept.
        await browser.send("Page.enable")
        await browser.send("Page.addScriptToEvaluateOnNewDocument", source=(
            "IDBFactory.prototype.open = function () {"
            " throw new DOMException('refused', 'SecurityError'); };"))
        await load(browser, site.origin + "/glimora.html?lang=fr&name=phone")
        told = await browser.evaluate("document.getElementById('storage').textContent")
        check(told.startswith("Ce navigateur ne garde aucun fichier"),
              "without storage the page says so in French: " + told)
    finally:
        await browser.close()


def main():
    if len(sys.argv) != 3:
        print("usage: browser_test.py BUILD_WEB_FOLDER WEB_REFERENCE_TOOL", file=sys.stderr)
        return 2
    keep = tempfile.mkdtemp(prefix="glimora-webtest-")
    try:
        asyncio.run(run(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), keep))
    except Failure as failure:
        print("FAILED: %s (pictures and files in %s)" % (failure, keep), file=sys.stderr)
        return 1
    shutil.rmtree(keep)
    return 0


if __name__ == "__main__":
    sys.exit(main())
