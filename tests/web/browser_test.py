#!/usr/bin/env python3
# The web game in headless Chromium, played through the DevTools protocol and held against the
# desktop program on the headless backend (glimora_web_reference): the same title screen pixel
# for pixel, a game started, an element placed, the menu's Pause, a reload that resumes the
# game paused from IndexedDB, those stored bytes resuming the same game on the desktop, and a
# page hidden behind another tab that ends the game and resumes it once shown, and a second tab
# of the page that gives way while the first one plays.
#   python3 tests/web/browser_test.py BUILD_WEB_FOLDER WEB_REFERENCE_TOOL
import asyncio
import base64
import functools
import http.server
import json
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import websockets

from cdp import Browser

BAR = 19                       # the drawn menu bar above the client area
SIDE = 480                     # the client area at the start
HELP_OK = (237, 418)           # client pixels of the buttons, as the shell's scenario tests
PLAY = (364, 160)
FIRST_SQUARE = (121 + 24, 121 + 24)   # the centre of the board's top left square
GAME_SCREEN = 1


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok: " + what, flush=True)


def client_of(canvas):
    """The client area's RGB bytes of a canvas (width, height, rgb) below the menu bar."""
    width, height, rgb = canvas
    if (width, height) != (SIDE, SIDE + BAR):
        raise Failure("canvas is %d x %d, not %d x %d" % (width, height, SIDE, SIDE + BAR))
    return rgb[BAR * width * 3:]


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, width, height, depth, pixels = data.split(maxsplit=4)
    assert magic == b"P6" and int(depth) == 255
    return int(width), int(height), pixels


def write_ppm(path, width, height, rgb):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height) + rgb)


def square_of(client, centre, half=20):
    x0, y0 = centre[0] - half, centre[1] - half
    return b"".join(client[((y0 + y) * SIDE + x0) * 3:((y0 + y) * SIDE + x0 + 2 * half) * 3]
                    for y in range(2 * half))


def same_picture(canvas_client, reference_ppm, keep, name):
    """True when the client area equals the reference; otherwise both pictures are kept."""
    width, height, expected = read_ppm(reference_ppm)
    if (width, height) == (SIDE, SIDE) and expected == canvas_client:
        return True
    write_ppm(os.path.join(keep, name + "-canvas.ppm"), SIDE, SIDE, canvas_client)
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
        await tab.send("Page.reload")
        await started(tab)
        check(await tab.evaluate("Module.glimoraTabLock.state") == "held" and
              await tab.evaluate("document.getElementById('other-tab') === null") and
              client_of(await settled(tab)) == picture,
              "once the first tab is closed, a reload of the second resumes the game paused")
    finally:
        await tab.close()


async def run(build_web, reference_tool, keep):
    # The desktop program names its player after the account: the page is told the same name,
    # so that the files the page writes are this player's on the desktop too.
    player = pwd.getpwuid(os.geteuid()).pw_name
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    handler = functools.partial(Quiet, directory=build_web)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/glimora.html?lang=en&name=%s" % (server.server_address[1], player)
    browser = Browser(os.environ.get("CHROMIUM", "chromium"))
    try:
        await browser.start()
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
        server.shutdown()


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
