# A headless Chromium driven through the DevTools protocol: start it, run script in the page,
# press the mouse, type, reload, read the canvas and what the page shows of it, and find the
# page's elements by role and name in the browser's accessibility tree.
import asyncio
import base64
import json
import re
import shutil
import struct
import subprocess
import tempfile
import os
import sys
import urllib.request

# The page's own PNG reader, which makes its icons at build time.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform", "web"))
from page_files import decode_png  # noqa: E402

import websockets


class Browser:
    """One headless Chromium with its own profile, and a connection to its first tab."""

    def __init__(self, chromium="chromium"):
        self.chromium = chromium
        self.profile = tempfile.mkdtemp(prefix="glimora-chromium-")
        self.process = None
        self.socket = None
        self.next_id = 0

    async def start(self):
        self.process = subprocess.Popen(
            [self.chromium, "--headless=new", "--no-sandbox", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile, "--window-size=600,600", "--no-first-run",
             "--mute-audio", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        # Chromium says where it listens on stderr: ws://127.0.0.1:PORT/devtools/browser/...
        port = None
        while port is None:
            line = await asyncio.get_running_loop().run_in_executor(None, self.process.stderr.readline)
            if not line:
                raise RuntimeError("chromium ended before it listened")
            found = re.search(r"DevTools listening on ws://[^:]+:(\d+)/", line)
            if found:
                port = int(found.group(1))
        # Keep reading its stderr, or a chatty browser would block on a full pipe.
        asyncio.get_running_loop().run_in_executor(None, self.process.stderr.read)
        with urllib.request.urlopen("http://127.0.0.1:%d/json/list" % port) as answer:
            pages = [t for t in json.load(answer) if t["type"] == "page"]
        self.socket = await websockets.connect(pages[0]["webSocketDebuggerUrl"], max_size=None)

    async def close(self):
        if self.socket is not None:
            await self.socket.close()
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    async def send(self, method, **params):
        """Runs one protocol command and returns its result (events meanwhile are dropped)."""
        self.next_id += 1
        sent = self.next_id
        await self.socket.send(json.dumps({"id": sent, "method": method, "params": params}))
        while True:
            message = json.loads(await self.socket.recv())
            if message.get("id") == sent:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message["result"]

    async def evaluate(self, expression):
        """The value of a script expression in the page (a promise is waited for)."""
        result = await self.send("Runtime.evaluate", expression=expression,
                                 awaitPromise=True, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError("in the page: %s" % result["exceptionDetails"])
        return result["result"].get("value")

    async def click(self, x, y):
        """A left press and release at canvas pixel (x, y)."""
        left, top = await self.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [r.left, r.top]; })()")
        for kind in ("mousePressed", "mouseReleased"):
            await self.send("Input.dispatchMouseEvent", type=kind, x=left + x + 0.5,
                            y=top + y + 0.5, button="left", buttons=1 if kind == "mousePressed" else 0,
                            clickCount=1)

    async def nodes(self, role, name=None, within=None):
        """The elements of the page's accessibility tree (not ignored) with this role, and this
        name when given, in the page's order; inside the node `within` when given. Each is
        Chromium's node: its name, description, value and properties (checked, focused, ...)."""
        if within is None:
            root = {"nodeId": (await self.send("DOM.getDocument", depth=0))["root"]["nodeId"]}
        else:
            root = {"backendNodeId": within["backendDOMNodeId"]}
        if name is not None:
            root["accessibleName"] = name
        found = await self.send("Accessibility.queryAXTree", role=role, **root)
        return [node for node in found["nodes"] if not node.get("ignored")]

    async def box(self, node):
        """The node's element as (left, top, width, height) in CSS pixels of the window."""
        model = (await self.send("DOM.getBoxModel", backendNodeId=node["backendDOMNodeId"]))["model"]
        return model["border"][0], model["border"][1], model["width"], model["height"]

    async def press(self, node):
        """A left click in the middle of the node's element."""
        left, top, width, height = await self.box(node)
        for kind in ("mousePressed", "mouseReleased"):
            await self.send("Input.dispatchMouseEvent", type=kind, x=left + width / 2, y=top + height / 2,
                            button="left", buttons=1 if kind == "mousePressed" else 0, clickCount=1)

    async def touch(self, x, y):
        """A finger put down and lifted at (x, y), CSS pixels of the window."""
        await self.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        await self.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    async def tap(self, node):
        """A tap in the middle of the node's element."""
        left, top, width, height = await self.box(node)
        await self.touch(left + width / 2, top + height / 2)

    # Keys by their DOM name: (code, Windows key code, text typed).
    KEYS = {"Enter": ("Enter", 13, "\r"), "Escape": ("Escape", 27, ""), "Tab": ("Tab", 9, ""),
            "F10": ("F10", 121, ""), "ArrowDown": ("ArrowDown", 40, ""), "ArrowUp": ("ArrowUp", 38, ""),
            "ArrowLeft": ("ArrowLeft", 37, ""), "ArrowRight": ("ArrowRight", 39, ""), " ": ("Space", 32, " ")}

    async def key(self, key, alt=False):
        """A key pressed and let go: a name of KEYS, or a letter (with Alt held when `alt`)."""
        await self.key_event(key, True, alt=alt)
        await self.key_event(key, False, alt=alt)

    async def key_event(self, key, down, repeat=False, shift=False, alt=False):
        """One key going down (a held key's repeat when `repeat`) or up, with Shift or Alt held."""
        code, vk, text = self.KEYS.get(key) or ("Key" + key.upper(), ord(key.upper()), "" if alt else key)
        event = {"type": ("keyDown" if text else "rawKeyDown") if down else "keyUp", "key": key,
                 "code": code, "windowsVirtualKeyCode": vk, "modifiers": (1 if alt else 0) | (8 if shift else 0),
                 "autoRepeat": repeat}
        if down and text:
            event["text"] = text
        await self.send("Input.dispatchKeyEvent", **event)

    async def canvas(self):
        """The canvas as (width, height, bytes RGB)."""
        width, height, data = await self.evaluate(
            "(() => { const c = document.getElementById('canvas');"
            " const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;"
            " let s = ''; for (let i = 0; i < d.length; i += 4)"
            " s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);"
            " return [c.width, c.height, btoa(s)]; })()")
        return width, height, base64.b64decode(data)

    async def shown(self):
        """What the page shows where the canvas is, as (width, height, bytes RGB): the
        browser's own picture of the page, not the canvas's pixels."""
        left, top, width, height = await self.evaluate(
            "(() => { const c = document.getElementById('canvas'); const r = c.getBoundingClientRect();"
            " return [r.left, r.top, c.width, c.height]; })()")
        shot = await self.send("Page.captureScreenshot", format="png", captureBeyondViewport=False,
                               clip={"x": left, "y": top, "width": width, "height": height, "scale": 1})
        return png_rgb(base64.b64decode(shot["data"]))


def png_rgb(data):
    """An 8-bit RGB or RGBA PNG, as Chromium writes them, as (width, height, bytes RGB)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG picture")
    width, height, rows = decode_png(data)
    return width, height, b"".join(bytes(row[i:i + 3]) for row in rows for i in range(0, len(row), 4))
