#!/usr/bin/env python3
# The web game in headless Chromium, played through the DevTools protocol and held against the
# desktop program on the headless backend (glimora_web_reference): the same title screen pixel
# for pixel, a game started, an element placed and its score said to screen readers, a notice,
# the menu's Pause, a reload that resumes the game paused from IndexedDB, those stored bytes
# resuming the same game on the desktop, and a page hidden behind another tab that ends the
# game and resumes it once shown. The page's own menu bar, dialogs and message boxes are used
# by role and name, as Chromium's accessibility tree shows them to a screen reader, with the
# mouse and the keyboard (F10, Alt and a letter, arrows, Enter, Escape, Tab), in English and
# in French; Options changes the page's language with the game's. The game is played by keys
# on the canvas (Tab on to the page's own elements and back, the arrows and Enter on the board,
# a notice and the name dialog that a held key opened and does not answer) and by a gamepad
# given to the page (navigator.getGamepads stubbed), in the game, the menu and a dialog. Then
# the same page on an
# emulated phone (412 x 915, density 2.625, touch, a coarse pointer): the canvas fills the
# width and equals the desktop program's picture at that client size, the menus and dialogs
# are tapped and each of their controls is at least 44 CSS pixels square and in sight, taps
# play, a double tap does not zoom, the turned phone shows the whole game, an offline reload
# plays, a second build's service worker replaces the first one's files whole, and a browser
# that refuses storage is named as such to the player; a small phone (360 x 640) in French
# shows every dialog whole and takes a name with accents into the high-score table and the
# saved game; and a second tab of the page gives way while the first one plays.
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

SIDE = 480                     # the smallest client, the canvas of a 480-pixel-wide window
DESKTOP_BAR = 28               # the page's menu bar above the canvas for a mouse, CSS pixels
HELP_OK = (237, 418)           # client pixels of the buttons, as the shell's scenario tests
PLAY = (364, 160)
FIRST_SQUARE = (121 + 24, 121 + 24)   # the centre of the board's top left square
GAME_SCREEN = 1
PHONE = (412, 915, 2.625)      # CSS pixels and density of a common phone
SMALL_PHONE = (360, 640)
HIGH_SCORES_FR = 8076
PAGE_FILES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform", "web")

# What the page's menus and dialogs say in each language, as the game's data has it.
TEXTS = {
    "en": {"items": ["New Game", "Abandon Game", "HighScore", "Pause", "Options", "Help", "Exit"],
           "about": "About", "check": "Help screen during game.", "radios": ["English", "Français"],
           "cancel": "Cancel", "credit": "Glimora 1.00, a puzzle game by the Glimora team.",
           "occupied": "Element already in the square!", "abandon": "Abandon Game ?", "no": "No",
           "name": "Player Name", "field": "Name", "score": "Score: ",
           "howto": "Tap or click a board square"},
    "fr": {"items": ["Nouvelle Partie", "Abandonner la Partie", "Meilleurs scores", "Pause",
                     "Options", "Aide", "Quitter"],
           "about": "A Propos", "check": "Aide durant le jeu.", "radios": ["English", "Français"],
           "cancel": "Annuler", "credit": "Glimora 1.00, un jeu de réflexion de l'équipe Glimora.",
           "occupied": "Un élément occupe déjà la case!", "abandon": "Abandonner la Partie ?",
           "no": "Non", "name": "Nom du Joueur", "field": "Nom", "score": "Score : ",
           "howto": "Touchez ou cliquez une case du plateau"},
}


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok: " + what, flush=True)


def client_of(canvas, side=SIDE):
    """The RGB bytes of a canvas (width, height, rgb): the game's square picture alone."""
    width, height, rgb = canvas
    if (width, height) != (side, side):
        raise Failure("canvas is %d x %d, not %d x %d" % (width, height, side, side))
    return rgb


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


def name_of(node):
    return node.get("name", {}).get("value", "")


def state_of(node, key):
    """A property of an accessibility node (checked, focused, expanded, ...), None without."""
    for item in node.get("properties", []):
        if item["name"] == key:
            return item["value"].get("value")
    return None


async def until(probe, what, limit=10.0):
    """The first true answer of the coroutine function `probe`, asked until `limit` seconds."""
    deadline = time.monotonic() + limit
    while True:
        answer = await probe()
        if answer:
            return answer
        if time.monotonic() > deadline:
            raise Failure("never: " + what)
        await asyncio.sleep(0.1)


async def one(browser, role, name=None, within=None, limit=10.0):
    """The one element of that role and name (inside `within`), once the page shows it."""
    async def probe():
        found = await browser.nodes(role, name, within)
        return found[0] if len(found) == 1 else None
    return await until(probe, "one %s named %r" % (role, name), limit)


async def none_left(browser, role, name=None):
    async def probe():
        return not await browser.nodes(role, name)
    await until(probe, "no %s named %r any more" % (role, name))


async def settles_as(browser, role, name, within, key, value):
    """The element once its property `key` says `value` (the program answers a moment later)."""
    async def probe():
        found = await browser.nodes(role, name, within)
        return found[0] if found and state_of(found[0], key) == value else None
    return await until(probe, "%s %r %s %s" % (role, name, key, value))


async def said(browser):
    """What the page's live region says to a screen reader now."""
    return await browser.evaluate("document.getElementById('said').textContent")


async def focused(browser):
    """The accessible role and name of the element with the keyboard's focus."""
    nodes = await browser.nodes("menuitem") + await browser.nodes("image") + \
        await browser.nodes("button") + await browser.nodes("textbox")
    for node in nodes:
        if state_of(node, "focused"):
            return node["role"]["value"], name_of(node)
    return None


async def in_sight(browser, node):
    """The element is wholly inside the window and not cut off (nothing left to scroll)."""
    left, top, width, height = await browser.box(node)
    room = await browser.evaluate("[document.documentElement.clientWidth,"
                                  " document.documentElement.clientHeight]")
    cut = await browser.evaluate(
        "Array.from(document.querySelectorAll('dialog[open]')).some(d =>"
        " d.scrollHeight > d.clientHeight + 1 || d.scrollWidth > d.clientWidth + 1)")
    return left >= 0 and top >= 0 and left + width <= room[0] and top + height <= room[1] and not cut


async def finger_sized(browser, nodes):
    """Every element at least 44 x 44 CSS pixels and in sight; the sizes found."""
    sizes = [(await browser.box(n))[2:] for n in nodes]
    fits = [await in_sight(browser, n) for n in nodes]
    return all(w >= 44 and h >= 44 for w, h in sizes) and all(fits), sizes


async def canvas_point(browser, x, y):
    """Canvas pixel (x, y) as a point of the window, CSS pixels."""
    return await browser.evaluate(
        "(() => { const c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
        " return [r.left + (%d + 0.5) * r.width / c.width, r.top + (%d + 0.5) * r.height / c.height];"
        " })()" % (x, y))


async def choose(browser, title, item, touch):
    """The menu item `item` under the menu bar's `title`, chosen with the mouse or a finger."""
    use = browser.tap if touch else browser.press
    await use(await one(browser, "menuitem", title))
    await use(await one(browser, "menuitem", item, await one(browser, "menu", title)))


async def menus_and_dialogs(browser, lang, touch):
    """The page's menu bar and dialogs by role and name, with the mouse and the keyboard or
    with a finger: the Glimora menu's seven items; a click or tap beside the open menu closes
    it and never reaches the game; Options opened, its check box and radio buttons changed by
    the dialog's procedure, and cancelled; the About box. With a finger every control is at
    least 44 CSS pixels square and in sight. The game's picture stays as it was all along."""
    t = TEXTS[lang]
    use = browser.tap if touch else browser.press
    how = "by taps" if touch else "with the mouse"
    picture = await browser.canvas()
    check(await browser.evaluate("document.documentElement.lang") == lang and
          (await browser.evaluate("document.getElementById('howto').textContent")).startswith(t["howto"]),
          "the page speaks the game's language: lang=%s" % lang)
    check(await browser.evaluate("matchMedia('(pointer: coarse)').matches") == touch,
          "a coarse pointer %s" % ("matches" if touch else "does not match"))

    bar = await one(browser, "menubar")
    titles = await browser.nodes("menuitem", within=bar)
    await use(titles[0])
    menu = await one(browser, "menu", "Glimora")
    items = await browser.nodes("menuitem", within=menu)
    check([name_of(i) for i in items] == t["items"] and name_of(titles[0]) == "Glimora",
          "%s, the menu bar's Glimora shows its seven items: %s" % (how, [name_of(i) for i in items]))
    if touch:
        big, sizes = await finger_sized(browser, [titles[0]] + items)
        check(big, "each item, and the title, at least 44 x 44 CSS pixels and in sight: %s" % sizes)
    # A tap on the other title, or the mouse moved onto it, shows its menu instead.
    if touch:
        await use(titles[1])
    else:
        left, top, width, height = await browser.box(titles[1])
        await browser.send("Input.dispatchMouseEvent", type="mouseMoved", x=left + width / 2,
                           y=top + height / 2)
    await one(browser, "menu", t["about"])
    check(not await browser.nodes("menu", "Glimora"), "the other title shows its own menu instead")
    # A press beside the open menu, on the title screen's Play button: the menu closes and the
    # game hears nothing of it.
    x, y = await canvas_point(browser, *(v * picture[0] // SIDE for v in PLAY))
    if touch:
        await browser.touch(x, y)
    else:
        for kind in ("mousePressed", "mouseReleased"):
            await browser.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                               buttons=1 if kind == "mousePressed" else 0, clickCount=1)
    await none_left(browser, "menu")
    await asyncio.sleep(0.5)
    check(await browser.canvas() == picture,
          "%s beside the open menu closes it and never reaches the game" % ("a tap" if touch else "a click"))

    if not touch:
        await browser.key("F10")
        await until(lambda: focused_is(browser, ("menuitem", "Glimora")), "F10 selects Glimora")
        check(not await browser.nodes("menu"), "F10 selects the first title without opening it")
        await browser.key("Enter")
        menu = await one(browser, "menu", "Glimora")
        check([name_of(i) for i in await browser.nodes("menuitem", within=menu)] == t["items"],
              "F10 then Enter shows the menu's items")
        await browser.key("ArrowDown")
        await until(lambda: focused_is(browser, ("menuitem", t["items"][1])), "Down goes to the second item")
        await browser.key("Escape")
        await none_left(browser, "menu")
        await browser.key("Escape")
        await until(lambda: focused_is(browser, ("image", None)), "the focus back on the game")
        check(True, "Escape closes the menu, a second Escape leaves the menu bar for the game")
        await browser.key("l", alt=True)
        await one(browser, "menu", "Glimora")
        await browser.key("Escape")
        await browser.key("Escape")
        await none_left(browser, "menu")
        check(True, "Alt and the title's letter open the menu")
        # Opened and closed again in one go, before the program hears of either: its late
        # answer to the opening must not show the menu once more.
        await browser.evaluate("Module.glimoraUi.enterMenu(0, true, true), Module.glimoraUi.leaveMenu(0)")
        await asyncio.sleep(0.5)
        check(not await browser.nodes("menu"), "a menu closed before the program heard of it stays closed")

    await choose(browser, "Glimora", "Options", touch)
    dialog = await one(browser, "dialog", "Options")
    box = await one(browser, "checkbox", t["check"], dialog)
    radios = [await one(browser, "radio", r, dialog) for r in t["radios"]]
    ok = await one(browser, "button", "OK", dialog)
    cancel = await one(browser, "button", t["cancel"], dialog)
    mine, other = (0, 1) if lang == "en" else (1, 0)
    check(state_of(box, "checked") == "true" and state_of(radios[mine], "checked") == "true" and
          state_of(radios[other], "checked") == "false" and state_of(ok, "focused"),
          "Options opens with help during the game checked, the game's language chosen, OK focused")
    if touch:
        big, sizes = await finger_sized(browser, [ok, cancel, box] + radios)
        check(big, "its OK, Cancel, check box and radio buttons at least 44 x 44 and in sight: %s" % sizes)
    await use(box)
    await settles_as(browser, "checkbox", t["check"], dialog, "checked", "false")
    await use(radios[other])
    await settles_as(browser, "radio", t["radios"][other], dialog, "checked", "true")
    await settles_as(browser, "radio", t["radios"][mine], dialog, "checked", "false")
    check(True, "its check box and radio buttons change as the dialog's procedure sets them")
    await use(cancel)
    await none_left(browser, "dialog")
    await choose(browser, "Glimora", "Options", touch)
    dialog = await one(browser, "dialog", "Options")
    check(state_of(await one(browser, "checkbox", t["check"], dialog), "checked") == "true" and
          state_of(await one(browser, "radio", t["radios"][mine], dialog), "checked") == "true",
          "Cancel changed nothing")
    if touch:
        await use(await one(browser, "button", t["cancel"], dialog))
    else:
        await browser.key("Escape")
    await none_left(browser, "dialog")
    await until(lambda: focused_is(browser, ("image", None)), "the focus back on the game")

    await choose(browser, t["about"], t["about"], touch)
    about = await one(browser, "alertdialog", "Glimora 1.00")
    check(about.get("description", {}).get("value") == t["credit"],
          "About shows an alert dialog named Glimora 1.00 saying %r" % t["credit"])
    ok = await one(browser, "button", "OK", about)
    if touch:
        big, sizes = await finger_sized(browser, [ok, about])
        check(big, "the About box in sight, its OK at least 44 x 44: %s" % sizes)
    await use(ok)
    await none_left(browser, "alertdialog")
    check(await browser.canvas() == picture, "the canvas holds the game's picture alone throughout")


async def focused_is(browser, wanted):
    role, name = wanted
    now = await focused(browser)
    return now is not None and now[0] == role and (name is None or now[1] == name)


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
        await tab.send("Emulation.setDeviceMetricsOverride", width=SIDE, height=SIDE + DESKTOP_BAR,
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
        await keyboard_and_gamepad(site, keep)
        await desktop_french(site)
        await phone(site, reference_tool, keep)
        await small_phone_french(site, reference_tool, keep)
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
        # A window just large enough for the smallest game and the page's menu bar.
        await browser.send("Emulation.setDeviceMetricsOverride", width=SIDE, height=SIDE + DESKTOP_BAR,
                           deviceScaleFactor=1, mobile=False)
        await load(browser, url)

        # A new player first sees Help; its OK leads to the title screen.
        await settled(browser)
        await browser.click(*HELP_OK)
        title = client_of(await settled(browser))
        reference = os.path.join(keep, "title-reference.ppm")
        subprocess.run([reference_tool, "1", os.path.join(keep, "new-player"), reference],
                       check=True, capture_output=True, text=True)
        check(same_picture(title, reference, keep, "title"),
              "the title screen's canvas equals the desktop program's, pixel for pixel")

        await menus_and_dialogs(browser, "en", touch=False)

        await browser.click(*PLAY)
        await asyncio.sleep(0.5)
        check(client_of(await browser.canvas()) != title and await changes_within(browser, 5),
              "a click on Play starts a game that moves by itself")

        # A new game's board is all plain squares: any of them takes the rising element.
        before = square_of(client_of(await browser.canvas()), FIRST_SQUARE)
        await browser.click(*FIRST_SQUARE)
        await asyncio.sleep(0.3)
        check(square_of(client_of(await browser.canvas()), FIRST_SQUARE) != before,
              "a click on a square places the element there")
        score = await until(lambda: said(browser), "the score said")
        check(re.fullmatch(r"Score: \d+", score), "a screen reader is told the score: %r" % score)

        # The same square again (not so soon that it is a double click) is taken: a new player
        # is told so once, by a notice that only its OK closes; the game goes on.
        await asyncio.sleep(0.6)
        await browser.click(*FIRST_SQUARE)
        notice = await one(browser, "dialog", TEXTS["en"]["occupied"])
        check(notice.get("description", {}).get("value") ==
              "You cannot put an element in an occuped square.", "the notice says why")
        await browser.key("Escape")
        await asyncio.sleep(0.5)
        check(len(await browser.nodes("dialog", TEXTS["en"]["occupied"])) == 1,
              "Escape leaves the notice open")
        await browser.press(await one(browser, "button", "OK", notice))
        await none_left(browser, "dialog")
        check(await changes_within(browser, 5), "its OK closes it and the game goes on")

        await choose(browser, "Glimora", "Pause", touch=False)
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


# A gamepad the page is given: navigator.getGamepads answers with it while it is plugged in,
# in the standard mapping; its buttons are held by number.
STUB_GAMEPAD = """(() => {
  const pad = { held: new Set(), plugged: false };
  window.glimoraTestPad = pad;
  Object.defineProperty(navigator, 'getGamepads', { configurable: true, value: () => {
    if (!pad.plugged) return [null, null, null, null];
    const buttons = [];
    for (let i = 0; i < 17; i++) {
      const down = pad.held.has(i);
      buttons.push({ pressed: down, touched: down, value: down ? 1 : 0 });
    }
    return [{ id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
              timestamp: performance.now(), buttons: buttons, axes: [0, 0, 0, 0] }, null, null, null];
  } });
  pad.plug = (on) => {
    pad.plugged = on;
    window.dispatchEvent(new Event(on ? 'gamepadconnected' : 'gamepaddisconnected'));
  };
})()"""
PAD_A, PAD_B, PAD_BACK, PAD_START, PAD_DOWN, PAD_RIGHT = 0, 1, 8, 9, 13, 15


async def keys(browser, *names, shift=False):
    """Each key pressed and let go, a moment apart."""
    for name in names:
        await browser.key_event(name, True, shift=shift)
        await browser.key_event(name, False, shift=shift)
        await asyncio.sleep(0.2)


async def pad_press(browser, button):
    """A button of the given gamepad pressed and let go, each held past the page's reads."""
    await browser.evaluate("window.glimoraTestPad.held.add(%d)" % button)
    await asyncio.sleep(0.15)
    await browser.evaluate("window.glimoraTestPad.held.delete(%d)" % button)
    await asyncio.sleep(0.15)


async def active_element(browser):
    return await browser.evaluate("document.activeElement.id || document.activeElement.tagName")


async def keyboard_and_gamepad(site, keep):
    """The game without a pointer: the keys on the canvas (the help and title buttons by Tab and
    Enter, Tab past the last one to the page's own elements and back, a placement by the arrows
    and Enter), a notice and the name dialog that a held key opened and does not answer, and a
    gamepad given to the page, in the game, the menu and the Options dialog."""
    browser = Browser(os.environ.get("CHROMIUM", "chromium"))
    square = lambda column, row: (121 + 54 * column + 24, 121 + 54 * row + 24)  # noqa: E731
    try:
        await browser.start()
        # Room below the smallest game for the saved game's controls, the page's next element.
        await browser.send("Emulation.setDeviceMetricsOverride", width=SIDE,
                           height=SIDE + DESKTOP_BAR + 200, deviceScaleFactor=1, mobile=False)
        await load(browser, site.origin + "/glimora.html?lang=en&name=keys")
        await settled(browser)
        await browser.evaluate("document.getElementById('canvas').focus()")
        await keys(browser, "Enter")  # Help's OK, in focus
        title = client_of(await settled(browser))
        check(same_picture(title, os.path.join(keep, "title-reference.ppm"), keep, "keys-title"),
              "Enter on the canvas presses Help's OK: the title screen, as the desktop's")

        await keys(browser, "Tab", "Tab", "Tab")
        framed = client_of(await settled(browser))
        await keys(browser, "Tab")
        check(framed != title and await active_element(browser) == "saved-title" and
              client_of(await settled(browser)) == title,
              "Tab goes Play, Options, Help, then on to the page's next element; the frame goes")
        await keys(browser, "Tab", shift=True)
        check(await active_element(browser) == "canvas" and client_of(await settled(browser)) == framed,
              "Shift+Tab comes back onto the canvas at Help")
        await keys(browser, "Enter", "Enter")
        check(client_of(await settled(browser)) == title,
              "Enter presses Help, and Enter the help screen's OK")

        await keys(browser, "Enter")  # Play, the first button
        check(await changes_within(browser, 5), "Enter presses Play: a game runs")
        before = square_of(client_of(await browser.canvas()), square(1, 0))
        await keys(browser, "ArrowRight", "Enter")
        await asyncio.sleep(0.3)
        check(square_of(client_of(await browser.canvas()), square(1, 0)) != before and
              (await said(browser)).startswith("Score: "),
              "the arrows and Enter place the element on square (1, 0)")

        # Space held down on the occupied square: its press opens the notice, its repeats and
        # its release leave it open; a new press answers it.
        await asyncio.sleep(0.6)
        await browser.key_event(" ", True)
        notice = await one(browser, "dialog", TEXTS["en"]["occupied"])
        for _ in range(5):
            await browser.key_event(" ", True, repeat=True)
            await asyncio.sleep(0.05)
        await browser.key_event(" ", False)
        await asyncio.sleep(0.5)
        check(len(await browser.nodes("dialog", TEXTS["en"]["occupied"])) == 1,
              "the notice a key opened stays open while that key is held and let go")
        await keys(browser, "Enter")
        await none_left(browser, "dialog")

        # The gamepad, plugged in while the game runs.
        await browser.evaluate(STUB_GAMEPAD)
        await browser.evaluate("window.glimoraTestPad.plug(true)")
        check(await browser.evaluate("Module.glimoraInput.poller !== null"),
              "a gamepad plugged in is read")
        before = square_of(client_of(await browser.canvas()), square(2, 0))
        await pad_press(browser, PAD_RIGHT)

        async def placed_by_a():
            await pad_press(browser, PAD_A)
            for _ in range(10):
                await asyncio.sleep(0.1)
                if square_of(client_of(await browser.canvas()), square(2, 0)) != before:
                    return True
            return False
        # The next element may still be on its way up: A again, a second later, until there is
        # one to place.
        await until(placed_by_a, "the D-pad and A place the element on square (2, 0)")
        check(True, "the D-pad and A place the element on square (2, 0)")
        await pad_press(browser, PAD_START)
        await settled(browser, quiet=1)
        check(not await changes_within(browser, 2), "Start pauses the game")
        await pad_press(browser, PAD_A)
        check(await changes_within(browser, 5), "A resumes it")
        await pad_press(browser, PAD_BACK)
        menu = await one(browser, "menu", "Glimora")
        for _ in range(4):
            await pad_press(browser, PAD_DOWN)
        check(await focused(browser) == ("menuitem", "Options"), "Back opens the menu, down goes to Options")
        await pad_press(browser, PAD_A)
        dialog = await one(browser, "dialog", "Options")
        await pad_press(browser, PAD_DOWN)  # from OK to Cancel, then round to the check box
        await pad_press(browser, PAD_DOWN)
        box = await one(browser, "checkbox", TEXTS["en"]["check"], dialog)
        was = state_of(box, "checked")
        check(state_of(box, "focused"), "down goes from OK to Cancel and round to the check box")
        await pad_press(browser, PAD_A)
        await settles_as(browser, "checkbox", TEXTS["en"]["check"], dialog, "checked",
                         "false" if was == "true" else "true")
        await pad_press(browser, PAD_B)
        await none_left(browser, "dialog")
        check(not await browser.nodes("menuitem", "Options", menu),
              "A chooses Options and presses its check box, B cancels it")
        await browser.evaluate("window.glimoraTestPad.plug(false)")
        check(await browser.evaluate("Module.glimoraInput.poller === null"),
              "a gamepad unplugged is read no more")

        # Placements until the score is above 0, then GAME OVER; Enter held down acknowledges it,
        # and the name dialog that opens takes neither its repeats nor its release.
        await browser.evaluate("window.scrollTo(0, 0)")
        await browser.click(*square(0, 5))  # resumes the game paused by the menu
        for column, row in [(c, r) for r in range(1, 6) for c in range(6)]:
            score = re.fullmatch(r"Score: (\d+)", await said(browser))
            if score and int(score.group(1)) > 0:
                break
            for _ in await browser.nodes("dialog"):
                await keys(browser, "Enter")
            await asyncio.sleep(0.6)
            await browser.click(*square(column, row))
        async def over():
            for _ in await browser.nodes("dialog"):
                await keys(browser, "Enter")
            return await said(browser) == "GAME OVER"
        await until(over, "GAME OVER said", limit=120)
        await browser.evaluate("document.getElementById('canvas').focus()")
        await browser.key_event("Enter", True)
        held = time.monotonic()
        while time.monotonic() - held < 3:
            await asyncio.sleep(0.1)
            await browser.key_event("Enter", True, repeat=True)
        await browser.key_event("Enter", False)
        await asyncio.sleep(0.5)
        dialog = await one(browser, "dialog", TEXTS["en"]["name"])
        field = await one(browser, "textbox", TEXTS["en"]["field"], dialog)
        check(field.get("value", {}).get("value", "") == "",
              "the name dialog opened under a held Enter is neither answered nor typed into")
        await browser.send("Input.insertText", text="Kim")
        await keys(browser, "Enter")
        await none_left(browser, "dialog")
        check(True, "a new Enter answers it")
    finally:
        await browser.close()


async def desktop_french(site):
    """The menus and dialogs in French with the mouse and the keyboard, and Options switching
    the game's language: the menu bar, the page's lang and its own texts follow."""
    browser = Browser(os.environ.get("CHROMIUM", "chromium"))
    try:
        await browser.start()
        await browser.send("Emulation.setDeviceMetricsOverride", width=700, height=560,
                           deviceScaleFactor=1, mobile=False)
        await load(browser, site.origin + "/glimora.html?lang=fr&name=bureau")
        await settled(browser)
        await menus_and_dialogs(browser, "fr", touch=False)
        for lang, radio, title in (("en", "English", "About"), ("fr", "Français", "A Propos")):
            await choose(browser, "Glimora", "Options", touch=False)
            dialog = await one(browser, "dialog", "Options")
            await browser.press(await one(browser, "radio", radio, dialog))
            await settles_as(browser, "radio", radio, dialog, "checked", "true")
            await browser.press(await one(browser, "button", "OK", dialog))
            await one(browser, "menuitem", title)
            check(await browser.evaluate("document.documentElement.lang") == lang and
                  (await browser.evaluate("document.getElementById('howto').textContent"))
                  .startswith(TEXTS[lang]["howto"]),
                  "Options choosing %s: the menu bar, the page's lang and its texts follow" % radio)
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
        side = first[0]
        shown = await page_layout(browser)
        check(shown["width"] >= 0.9 * width and shown["scrollW"] <= shown["roomW"] and
              shown["bottom"] <= shown["roomH"] and side == int(width * ratio) and first[1] == side,
              "on a phone the canvas is %.0f of %d CSS pixels wide, %d device pixels square,"
              " the page does not scroll" % (shown["width"], width, side))

        at = lambda p: (p[0] * side // SIDE, p[1] * side // SIDE)  # noqa: E731
        await tap(browser, *at(HELP_OK), ratio)
        title = client_of(await settled(browser), side)
        reference = os.path.join(keep, "phone-title-reference.ppm")
        subprocess.run([reference_tool, "1", os.path.join(keep, "phone-player"), reference, str(side)],
                       check=True, capture_output=True, text=True)
        check(same_picture(title, reference, keep, "phone-title", side),
              "the phone's title screen equals the desktop program's at %d pixels a side" % side)

        await menus_and_dialogs(browser, "en", touch=True)

        await tap(browser, *at(PLAY), ratio)
        await asyncio.sleep(0.5)
        check(client_of(await browser.canvas(), side) != title and await changes_within(browser, 5),
              "a tap on Play starts a game")
        square = at(FIRST_SQUARE)
        half = 20 * side // SIDE
        before = square_of(client_of(await browser.canvas(), side), square, half, side)
        await tap(browser, *square, ratio)
        await asyncio.sleep(0.3)
        check(square_of(client_of(await browser.canvas(), side), square, half, side) != before,
              "a tap on a square places the element there")

        # Two quick taps on one spot: the game's double click, not the browser's zoom.
        spot = at((121 + 48 * 3 + 24, 121 + 48 * 5 + 24))
        await tap(browser, *spot, ratio)
        await tap(browser, *spot, ratio)
        await asyncio.sleep(0.5)
        shown = await page_layout(browser)
        check(shown["zoom"] == 1 and shown["scrollW"] <= shown["roomW"] and
              shown["scrollH"] <= shown["roomH"], "two quick taps leave the page's zoom at 1")
        check("user-scalable" not in await browser.evaluate(
              "document.querySelector('meta[name=viewport]').content"), "the page may be zoomed")

        await choose(browser, "Glimora", "Pause", touch=True)
        paused = await settled(browser, quiet=1.5)
        check(not await changes_within(browser, 2), "the menu opens and Pause is chosen by taps")

        # The phone turned: the whole game and its menu bar are in sight, nothing to scroll.
        await browser.send("Emulation.setDeviceMetricsOverride", width=height, height=width,
                           deviceScaleFactor=ratio, mobile=True,
                           screenOrientation={"type": "landscapePrimary", "angle": 90})
        await asyncio.sleep(1)
        turned = await settled(browser)
        shown = await page_layout(browser)
        bar = await browser.box(await one(browser, "menubar"))
        check(shown["left"] >= 0 and bar[1] >= 0 and shown["right"] <= shown["roomW"] and
              shown["bottom"] <= shown["roomH"] and shown["scrollW"] <= shown["roomW"] and
              shown["scrollH"] <= shown["roomH"] and turned[0] == turned[1] and
              turned[0] == int((width - bar[3]) * ratio),
              "turned, the canvas (%d x %d) and its menu bar are wholly in sight without scrolling"
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


async def small_phone_french(site, reference_tool, keep):
    """A small phone (360 x 640) in French: the menus and every dialog whole in sight, with
    controls for a finger; a game played to its end by taps, and a name typed into the name
    dialog's text input (as a phone's keyboard types it) reaching the high-score table and the
    saved game, accents included, 8 of its 9 characters, as on the desktop."""
    width, height = SMALL_PHONE
    ratio = PHONE[2]
    # The desktop program's player, so that the reference program reads the same table.
    player = pwd.getpwuid(os.geteuid()).pw_name
    browser = Browser(os.environ.get("CHROMIUM", "chromium"))
    t = TEXTS["fr"]
    try:
        await browser.start()
        await browser.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                           deviceScaleFactor=ratio, mobile=True,
                           screenOrientation={"type": "portraitPrimary", "angle": 0})
        await browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        await load(browser, site.origin + "/glimora.html?lang=fr&name=" + player)
        side = (await settled(browser))[0]
        at = lambda p: (p[0] * side // SIDE, p[1] * side // SIDE)  # noqa: E731
        await tap(browser, *at(HELP_OK), ratio)
        await settled(browser)
        await menus_and_dialogs(browser, "fr", touch=True)

        await tap(browser, *at(PLAY), ratio)
        await asyncio.sleep(1)
        centre = lambda column, row: at((121 + 54 * column + 24, 121 + 54 * row + 24))  # noqa: E731
        await tap(browser, *centre(2, 2), ratio)
        await asyncio.sleep(0.8)
        await tap(browser, *centre(2, 2), ratio)
        notice = await one(browser, "dialog", t["occupied"])
        big, sizes = await finger_sized(browser, [notice, await one(browser, "button", "OK", notice)])
        check(big, "the notice is in sight, its OK for a finger: %s" % sizes)
        await browser.tap(await one(browser, "button", "OK", notice))
        await none_left(browser, "dialog")

        await choose(browser, "Glimora", t["items"][0], touch=True)
        question = await one(browser, "dialog", t["abandon"])
        buttons = await browser.nodes("button", within=question)
        big, sizes = await finger_sized(browser, [question] + buttons)
        check(big and question.get("description", {}).get("value") ==
              "Voulez vous abandonner la partie actuelle ?",
              "New Game asks first, whole in sight: %s" % sizes)
        await browser.tap(await one(browser, "button", t["no"], question))
        await none_left(browser, "dialog")
        await tap(browser, *centre(0, 5), ratio)  # resumes the game, places nothing
        await asyncio.sleep(0.3)

        # Elements placed until the score is said to be above 0 (a notice on the way is
        # answered), then the pile fills up.
        squares = [(c, r) for r in range(6) for c in range(6) if (c, r) != (2, 2)]
        for column, row in squares:
            text = await said(browser)
            if text.startswith(t["score"]) and int(text[len(t["score"]):]) > 0:
                break
            for notice in await browser.nodes("dialog"):
                await browser.tap(await one(browser, "button", "OK", notice))
                await none_left(browser, "dialog")
            await tap(browser, *centre(column, row), ratio)
            await asyncio.sleep(0.4)
        text = await said(browser)
        check(text.startswith(t["score"]) and int(text[len(t["score"]):]) > 0,
              "a screen reader hears the score in French after each placement: %r" % text)

        async def over():
            for notice in await browser.nodes("dialog"):
                await browser.tap(await one(browser, "button", "OK", notice))
            return await said(browser) == "GAME OVER"
        await until(over, "GAME OVER said", limit=120)
        check(True, "a screen reader hears GAME OVER")
        await tap(browser, side // 2, side // 2, ratio)
        dialog = await one(browser, "dialog", t["name"], limit=10)
        field = await one(browser, "textbox", t["field"], dialog)
        ok = await one(browser, "button", "OK", dialog)
        typing = await browser.evaluate(
            "(() => { const f = document.activeElement; return [f.tagName, f.type, f.autocomplete,"
            " f.getAttribute('autocapitalize'), f.getAttribute('autocorrect'), f.spellcheck]; })()")
        big, sizes = await finger_sized(browser, [dialog, field, ok])
        check(state_of(field, "focused") and typing == ["INPUT", "text", "off", "off", "off", False] and big,
              "the name dialog opens with its text input focused (a phone shows its keyboard),"
              " without autocorrect or capitals, whole in sight: %s" % sizes)
        await browser.send("Input.insertText", text="Zoé Süß!x")
        await browser.send("Input.insertText", text="y")
        field = await one(browser, "textbox", t["field"], dialog)
        check(field.get("value", {}).get("value") == "Zoé Süß!x", "the field takes 9 characters")
        await browser.key("Escape")
        await asyncio.sleep(0.5)
        check(len(await browser.nodes("dialog", t["name"])) == 1, "Escape leaves the name dialog open")
        await browser.tap(ok)
        await none_left(browser, "dialog")

        # Quitter: the files are written; the saved game holds the name's 8 characters in the
        # game's own code page, as the desktop's dialog stores them.
        await choose(browser, "Glimora", t["items"][6], touch=True)
        await until(lambda: browser.evaluate(
            "document.getElementById('canvas').style.display === 'none'"), "the game ended")
        files = await stored_files(browser)
        check(any(b"Zo\xe9 S\xfc\xdf!\x00" in data for data in files.values()),
              "the saved game holds the name typed: Zoé Süß! (8 of 9)")
        folder = os.path.join(keep, "small-phone")
        for path, data in files.items():
            relative = os.path.relpath(path, "/glimora")
            os.makedirs(os.path.dirname(os.path.join(folder, relative)), exist_ok=True)
            with open(os.path.join(folder, relative), "wb") as f:
                f.write(data)
        await browser.send("Page.reload")
        await started(browser)
        await settled(browser)
        await choose(browser, "Glimora", t["items"][2], touch=True)
        table = client_of(await settled(browser), side)
        reference = os.path.join(keep, "high-scores-reference.ppm")
        subprocess.run([reference_tool, "0", folder, reference, str(side), str(HIGH_SCORES_FR)],
                       check=True, capture_output=True, text=True)
        check(same_picture(table, reference, keep, "high-scores", side),
              "the high-score table with that name equals the desktop program's, pixel for pixel")
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
