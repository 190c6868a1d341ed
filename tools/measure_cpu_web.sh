#!/usr/bin/env bash
# Measures the processor time of the web game's page in headless Chromium: every process of
# the browser (browser, renderer, GPU, utility) together, as a share of one core, over several
# runs of GLIMORA_MEASURE_SECONDS (10) each, as min / median / max; beside it the wake-ups of
# those processes (every thread's context switches) and the page's own (its timer, interval and
# frame callbacks), each a second. The cases: an empty page (what Chromium itself costs), a
# bare canvas with one pixel changed ten times a second (what Chromium's drawing of as many
# frames costs, whatever the page), the title screen and a running game with no input (Play
# pressed, then nothing: the pile moves ten times a second) in a 600 x 600 window, the title
# screen again once the page has been left alone for more than a minute (it then no longer
# listens for gamepads), the title screen and a running game with a gamepad plugged in (the
# page is given one: navigator.getGamepads stubbed), and the title and a running game on an
# emulated phone (412 x 915 CSS pixels, density 2.625, touch).
# Each run starts a fresh browser on a new player's page; the page is driven through the
# DevTools protocol (tests/web/cdp.py).
#
# Usage: tools/measure_cpu_web.sh [web-build-dir ...]   (default: build-web)
#   Several folders (a web build before and after a change) are measured in the same run, run
#   by run in turn, so that the machine's load falls on each alike.
#   GLIMORA_MEASURE_RUNS     runs of each case (default 5)
#   GLIMORA_MEASURE_SECONDS  length of each run (default 10)
#   GLIMORA_MEASURE_CASES    words, comma-separated: only the cases whose names hold one
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- build-web
for build in "$@"; do
    [ -f "$build/glimora.html" ] || { echo "no web build in $build (bash tools/web.sh --build-only)" >&2; exit 1; }
done
command -v chromium >/dev/null || { echo "chromium is missing (GLIMORA_WEB=1 bash tools/deps.sh)" >&2; exit 1; }

exec /usr/bin/python3 - "${GLIMORA_MEASURE_RUNS:-5}" "${GLIMORA_MEASURE_SECONDS:-10}" "$@" <<'EOF'
import asyncio
import functools
import http.server
import os
import statistics
import sys
import threading

sys.path.insert(0, os.path.join(os.getcwd(), "tests", "web"))
from cdp import Browser  # noqa: E402

HZ = os.sysconf("SC_CLK_TCK")
HELP_OK, PLAY = (237, 418), (364, 160)
TEN_FRAMES = ("data:text/html,<canvas id=c width=480 height=499></canvas><script>"
              "var c = document.getElementById('c').getContext('2d'), n = 0;"
              "setInterval(function () { c.fillStyle = n++ %25 2 ? '%23000' : '%23fff';"
              " c.fillRect(0, 0, 1, 1); }, 100);</script>")
NO_GAME = ("empty page", "bare canvas, 10 frames/s")
TITLE, GAME = "title screen", "running game, no input"
TITLE_LATER = "title screen, a minute after the last input"
PAD_TITLE, PAD_GAME = "title screen, gamepad plugged in", "running game, gamepad plugged in"
PHONE_TITLE = "title screen on a phone"
PHONE_GAME = "running game on a phone, no input"
PHONE = (PHONE_TITLE, PHONE_GAME)
TITLES = (TITLE, TITLE_LATER, PAD_TITLE, PHONE_TITLE)
runs, seconds, builds = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3:]

# Counts the page's wake-ups (each timer, interval and frame callback run), and gives it a
# gamepad in the standard mapping, plugged in by glimoraMeasurePad.plug().
PAGE_PROBE = """(() => {
  window.glimoraWakeUps = 0;
  const counted = (f) => typeof f === 'function'
      ? function () { window.glimoraWakeUps++; return f.apply(this, arguments); } : f;
  for (const name of ['setTimeout', 'setInterval', 'requestAnimationFrame']) {
    const original = window[name];
    window[name] = function (f, ...rest) { return original.call(window, counted(f), ...rest); };
  }
  const pad = { plugged: false };
  window.glimoraMeasurePad = pad;
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
  Object.defineProperty(navigator, 'getGamepads', { configurable: true, value: () =>
    pad.plugged ? [{ id: 'Measured pad (STANDARD GAMEPAD)', index: 0, connected: true,
                     mapping: 'standard', timestamp: performance.now(), buttons: buttons,
                     axes: [0, 0, 0, 0] }, null, null, null] : [null, null, null, null] });
  pad.plug = () => { pad.plugged = true; window.dispatchEvent(new Event('gamepadconnected')); };
})()"""


def tree_counts(root):
    """Processor ticks (user + system) so far of `root` and every process below it, by pid,
    and the context switches of each of their threads, by (pid, thread id)."""
    stats = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % name) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        stats[int(name)] = (int(fields[1]), int(fields[11]) + int(fields[12]))
    children = {}
    for pid, (parent, _) in stats.items():
        children.setdefault(parent, []).append(pid)
    counts, todo = {}, [root]
    while todo:
        pid = todo.pop()
        if pid in stats:
            counts[pid] = stats[pid][1]
            try:
                for thread in os.listdir("/proc/%d/task" % pid):
                    with open("/proc/%d/task/%s/status" % (pid, thread)) as f:
                        counts[(pid, int(thread))] = sum(
                            int(line.split()[1]) for line in f
                            if line.startswith(("voluntary_ctxt", "nonvoluntary_ctxt")))
            except OSError:
                pass
            todo.extend(children.get(pid, []))
    return counts


def serve(folder):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


async def page_ready(browser):
    for _ in range(300):
        if await browser.evaluate("document.readyState === 'complete' && typeof Module === 'object'"
                                  " && document.getElementById('status').textContent === ''"):
            return
        await asyncio.sleep(0.1)
    raise RuntimeError("the page never started the game")


async def one_run(case, url):
    """The share of one core, in %, the whole browser used during one run of `case`, its
    wake-ups a second and the page's own (None without the game)."""
    browser = Browser()
    try:
        await browser.start()
        await browser.send("Page.enable")  # the script below is given only to a page it sees
        await browser.send("Page.addScriptToEvaluateOnNewDocument", source=PAGE_PROBE)
        if case in NO_GAME:
            if case != "empty page":
                await browser.send("Page.navigate", url=TEN_FRAMES)
            await asyncio.sleep(2)
        else:
            if case in PHONE:
                await browser.send("Emulation.setDeviceMetricsOverride", width=412, height=915,
                                   deviceScaleFactor=2.625, mobile=True)
                await browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
            await browser.send("Page.navigate", url=url)
            await page_ready(browser)
            await asyncio.sleep(1.5)
            # The game's points on a canvas of any size: the client (below the menu bar where the
            # canvas has one) is the 480-pixel game stretched, shown at the canvas's displayed
            # size.
            left, top, shown, side, bar = await browser.evaluate(
                "(() => { const c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
                " return [r.left, r.top, r.width, c.width, c.height - c.width]; })()")
            scale = shown / side

            async def press(point):
                x = left + (point[0] * side / 480 + 0.5) * scale
                y = top + (bar + point[1] * side / 480 + 0.5) * scale
                for kind in ("mousePressed", "mouseReleased"):
                    await browser.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                                       buttons=1 if kind == "mousePressed" else 0, clickCount=1)
            await press(HELP_OK)  # a new player's Help, then the title
            await asyncio.sleep(1)
            if case not in TITLES:
                await press(PLAY)
            if case in (PAD_TITLE, PAD_GAME):
                await browser.evaluate("glimoraMeasurePad.plug()")
            await asyncio.sleep(62 if case == TITLE_LATER else 2)
        # The protocol's connection stays quiet meanwhile: only the page works.
        page_before = await browser.evaluate("window.glimoraWakeUps")
        before = tree_counts(browser.process.pid)
        await asyncio.sleep(seconds)
        after = tree_counts(browser.process.pid)
        page_after = await browser.evaluate("window.glimoraWakeUps")
        # What a process or thread that ended meanwhile did is not counted.
        used = sum(n - before.get(k, 0) for k, n in after.items() if isinstance(k, int))
        switches = sum(n - before.get(k, 0) for k, n in after.items() if not isinstance(k, int))
        page = None if case in NO_GAME else (page_after - page_before) / seconds
        return 100.0 * used / HZ / seconds, switches / seconds, page
    finally:
        await browser.close()


async def main():
    servers = [serve(os.path.abspath(b)) for b in builds]
    urls = ["http://127.0.0.1:%d/glimora.html?lang=en" % s.server_address[1] for s in servers]
    cases = list(NO_GAME) + [TITLE, GAME, TITLE_LATER, PAD_TITLE, PAD_GAME, PHONE_TITLE, PHONE_GAME]
    only = os.environ.get("GLIMORA_MEASURE_CASES")
    if only:
        cases = [c for c in cases if any(word in c for word in only.split(","))]
    figures = {}
    for _ in range(runs):
        for case in cases:
            for build, url in zip(builds, urls):
                if case in NO_GAME and build != builds[0]:
                    continue
                figures.setdefault((case, build), []).append(await one_run(case, url))
    print("All Chromium processes: CPU, %% of one core; wake-ups a second; the page's own wake-ups"
          " a second;\nmin / median / max of %d runs of %g s" % (runs, seconds))

    def spread(values, form):
        if values[0] is None:
            return "-"
        return " / ".join(form % v for v in (min(values), statistics.median(values), max(values)))
    for (case, build), values in figures.items():
        label = case if case in NO_GAME else "%s (%s)" % (case, build)
        cpu, woken, page = zip(*values)
        print("  %-64s CPU %s  wake-ups %s  page %s" % (label, spread(cpu, "%.1f"), spread(woken, "%.0f"),
                                                        spread(page, "%.1f")))
    for s in servers:
        s.shutdown()


asyncio.run(main())
EOF
