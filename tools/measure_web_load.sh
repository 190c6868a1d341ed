#!/usr/bin/env bash
# Measures the web game's first load as a new visitor on a slow connection gets it: a fresh
# headless Chromium with its cache cleared, the network held to 10 Mbit/s down with 40 ms of
# latency, then the bytes the page transferred (every response's encoded length, headers
# included) and the time from the start of navigation to the game's first frame on screen (the
# first picture the game puts on its canvas, once the browser has shown it). Each build is
# served on localhost by a server of its own; min / median / max of several runs.
#
# Usage: tools/measure_web_load.sh [web-build-dir ...]   (default: build-web)
#   Several folders (a web build before and after a change) are measured in the same run, run
#   by run in turn, so that the machine's load falls on each alike.
#   GLIMORA_MEASURE_RUNS  runs of each build (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- build-web
for build in "$@"; do
    [ -f "$build/glimora.html" ] || { echo "no web build in $build (bash tools/web.sh --build-only)" >&2; exit 1; }
done
command -v chromium >/dev/null || { echo "chromium is missing (GLIMORA_WEB=1 bash tools/deps.sh)" >&2; exit 1; }

exec /usr/bin/python3 - "${GLIMORA_MEASURE_RUNS:-3}" "$@" <<'EOF'
import asyncio
import functools
import http.server
import json
import os
import statistics
import sys
import threading

sys.path.insert(0, os.path.join(os.getcwd(), "tests", "web"))
from cdp import Browser  # noqa: E402

runs, builds = int(sys.argv[1]), sys.argv[2:]
DOWN_BYTES_PER_S, LATENCY_MS = 10_000_000 / 8, 40
# Notes, in the page before any of its own scripts, when the game first puts pixels on a 2D
# canvas, then when the browser next draws a frame: the picture is on screen by then.
FIRST_FRAME_HOOK = """
(() => {
  const proto = CanvasRenderingContext2D.prototype;
  for (const name of ['putImageData', 'drawImage']) {
    const original = proto[name];
    proto[name] = function (...args) {
      if (window.glimoraFirstDraw === undefined) {
        window.glimoraFirstDraw = performance.now();
        requestAnimationFrame(() => { window.glimoraFirstFrame = performance.now(); });
      }
      return original.apply(this, args);
    };
  }
})();
"""


def serve(folder):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Session:
    """The tab's protocol connection, keeping its events (cdp.Browser.send drops them)."""

    def __init__(self, browser):
        self.browser, self.events, self.waiting = browser, [], {}
        self.reader = asyncio.create_task(self.read())

    async def read(self):
        async for text in self.browser.socket:
            message = json.loads(text)
            if "id" in message and message["id"] in self.waiting:
                self.waiting.pop(message["id"]).set_result(message)
            elif "method" in message:
                self.events.append(message)

    async def send(self, method, **params):
        self.browser.next_id += 1
        sent = self.browser.next_id
        self.waiting[sent] = asyncio.get_running_loop().create_future()
        await self.browser.socket.send(json.dumps({"id": sent, "method": method, "params": params}))
        message = await asyncio.wait_for(self.waiting[sent], 60)
        if "error" in message:
            raise RuntimeError("%s: %s" % (method, message["error"]))
        return message["result"]

    async def evaluate(self, expression):
        result = await self.send("Runtime.evaluate", expression=expression, returnByValue=True)
        return result["result"].get("value")

    def in_flight(self):
        started, ended = set(), set()
        for e in self.events:
            if e["method"] == "Network.requestWillBeSent":
                started.add(e["params"]["requestId"])
            elif e["method"] in ("Network.loadingFinished", "Network.loadingFailed"):
                ended.add(e["params"]["requestId"])
        return started - ended


async def one_run(url):
    """(bytes transferred, seconds to the first frame) of one first load of `url`."""
    browser = Browser()
    try:
        await browser.start()
        session = Session(browser)
        await session.send("Network.enable")
        await session.send("Page.enable")
        await session.send("Network.clearBrowserCache")
        await session.send("Network.emulateNetworkConditions", offline=False, latency=LATENCY_MS,
                           downloadThroughput=DOWN_BYTES_PER_S, uploadThroughput=-1)
        await session.send("Page.addScriptToEvaluateOnNewDocument", source=FIRST_FRAME_HOOK)
        session.events.clear()
        await session.send("Page.navigate", url=url)
        first_frame = None
        for _ in range(1200):
            first_frame = await session.evaluate("window.glimoraFirstFrame")
            if first_frame is not None:
                break
            await asyncio.sleep(0.05)
        if first_frame is None:
            raise RuntimeError("the game drew nothing within a minute")
        # Whatever the page still fetches after its first frame is part of its first load.
        quiet = 0
        for _ in range(600):
            quiet = quiet + 1 if not session.in_flight() else 0
            if quiet >= 10:
                break
            await asyncio.sleep(0.05)
        transferred = sum(e["params"]["encodedDataLength"] for e in session.events
                          if e["method"] == "Network.loadingFinished")
        session.reader.cancel()
        return transferred, first_frame / 1000.0
    finally:
        await browser.close()


async def main():
    servers = [serve(os.path.abspath(b)) for b in builds]
    urls = ["http://127.0.0.1:%d/glimora.html?lang=en" % s.server_address[1] for s in servers]
    figures = {b: ([], []) for b in builds}
    for _ in range(runs):
        for build, url in zip(builds, urls):
            transferred, seconds = await one_run(url)
            figures[build][0].append(transferred / 1e6)
            figures[build][1].append(seconds)
    print("First load, cache cleared, %g Mbit/s down, %d ms latency: min / median / max of %d runs"
          % (DOWN_BYTES_PER_S * 8 / 1e6, LATENCY_MS, runs))
    for build, (megabytes, seconds) in figures.items():
        print("  %-24s transferred MB %5.2f / %5.2f / %5.2f   first frame s %5.2f / %5.2f / %5.2f"
              % (build, min(megabytes), statistics.median(megabytes), max(megabytes),
                 min(seconds), statistics.median(seconds), max(seconds)))
    for s in servers:
        s.shutdown()


asyncio.run(main())
EOF
