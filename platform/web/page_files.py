#!/usr/bin/env python3
# Writes the files that make the web game installable and playable offline, beside a built
# glimora.html/.js/.wasm: the home screen icons (192 and 512 pixels) and the favicon from the
# game's icon, the web app manifest, and the service worker that keeps this very build.
#   python3 page_files.py BUILD_WEB_FOLDER GAME_ICON.ico SERVICE_WORKER_TEMPLATE.js
import hashlib
import json
import os
import struct
import sys
import zlib

# The files the service worker keeps, the page first: every one a player needs offline.
PROGRAM = ["glimora.html", "glimora.js", "glimora.wasm"]
ICONS = ["favicon.ico", "icon-192.png", "icon-512.png"]
MANIFEST = "manifest.webmanifest"


def largest_png(ico):
    """The pixels (width, height, RGBA rows) of the icon's largest picture stored as PNG."""
    reserved, kind, count = struct.unpack("<HHH", ico[:6])
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    best = None
    for i in range(count):
        entry = ico[6 + 16 * i:22 + 16 * i]
        if len(entry) < 16:
            raise ValueError("a truncated icon directory")
        width, _, _, _, _, _, size, offset = struct.unpack("<BBBBHHII", entry)
        data = ico[offset:offset + size]
        if data[:8] == b"\x89PNG\r\n\x1a\n":
            side = width or 256
            if best is None or side > best[0]:
                best = (side, data)
    if best is None:
        raise ValueError("the icon holds no PNG picture")
    return decode_png(best[1])


def decode_png(data):
    """An 8-bit RGB or RGBA PNG without interlacing, as (width, height, [bytearray RGBA])."""
    pos, packed, width, height, channels = 8, b"", 0, 0, 0
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body[:13])
            if depth != 8 or colour not in (2, 6) or interlace != 0:
                raise ValueError("a PNG of depth %d, colour type %d" % (depth, colour))
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            packed += body
    raw, stride = zlib.decompress(packed), width * channels
    if len(raw) < height * (stride + 1):
        raise ValueError("truncated PNG pixels")
    rows, above = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        method, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            a = row[x - channels] if x >= channels else 0
            b = above[x]
            c = above[x - channels] if x >= channels else 0
            if method == 1:
                row[x] = (row[x] + a) & 255
            elif method == 2:
                row[x] = (row[x] + b) & 255
            elif method == 3:
                row[x] = (row[x] + (a + b) // 2) & 255
            elif method == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        above = row
        if channels == 3:
            row = bytearray(b"".join(bytes(row[i:i + 3]) + b"\xff" for i in range(0, stride, 3)))
        rows.append(row)
    return width, height, rows


def resized(picture, side):
    """The square picture at `side` pixels: each new pixel the average of the old pixels it
    covers (alpha-weighted, so that transparent pixels lend no colour)."""
    width, height, rows = picture
    out = []
    for ny in range(side):
        y0, y1 = ny * height / side, (ny + 1) * height / side
        row = bytearray()
        for nx in range(side):
            x0, x1 = nx * width / side, (nx + 1) * width / side
            total = [0.0, 0.0, 0.0, 0.0]
            weight = 0.0
            for y in range(int(y0), min(height, int(-(-y1 // 1)))):
                wy = min(y + 1, y1) - max(y, y0)
                for x in range(int(x0), min(width, int(-(-x1 // 1)))):
                    w = wy * (min(x + 1, x1) - max(x, x0))
                    if w <= 0:
                        continue
                    r, g, b, a = rows[y][4 * x:4 * x + 4]
                    total[0] += r * a * w
                    total[1] += g * a * w
                    total[2] += b * a * w
                    total[3] += a * w
                    weight += w
            alpha = total[3] / weight if weight else 0
            if total[3] > 0:
                row += bytes(min(255, round(total[i] / total[3])) for i in range(3))
            else:
                row += b"\0\0\0"
            row.append(min(255, round(alpha)))
        out.append(row)
    return side, side, out


def encode_png(picture):
    width, height, rows = picture
    raw = b"".join(b"\0" + bytes(row) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_if_changed(path, data):
    """Writes `data` unless the file already holds it (the build then has nothing to redo)."""
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    with open(path, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) != 4:
        print("usage: page_files.py BUILD_WEB_FOLDER GAME_ICON.ico SERVICE_WORKER_TEMPLATE.js",
              file=sys.stderr)
        return 2
    folder, icon_path, template_path = sys.argv[1:]
    with open(icon_path, "rb") as f:
        ico = f.read()
    picture = largest_png(ico)
    write_if_changed(os.path.join(folder, "favicon.ico"), ico)
    for side in (192, 512):
        write_if_changed(os.path.join(folder, "icon-%d.png" % side), encode_png(resized(picture, side)))
    manifest = {
        "name": "Glimora",
        "short_name": "Glimora",
        "description": "A puzzle game: place the rising elements, line them up, paint the board.",
        "start_url": "glimora.html",
        "scope": "./",
        "display": "standalone",
        "orientation": "any",
        "background_color": "#1f2a2e",
        "theme_color": "#1f2a2e",
        "icons": [{"src": "icon-%d.png" % side, "sizes": "%dx%d" % (side, side), "type": "image/png",
                   "purpose": "any"} for side in (192, 512)],
    }
    write_if_changed(os.path.join(folder, MANIFEST), (json.dumps(manifest, indent=2) + "\n").encode())

    # The worker names its cache after the build: the digest of every file it keeps. It also
    # knows each file's own digest, and keeps nothing that differs (a file of another build).
    digests = {}
    for name in PROGRAM + ICONS + [MANIFEST]:
        with open(os.path.join(folder, name), "rb") as f:
            digests[name] = hashlib.sha256(f.read()).hexdigest()
    build = hashlib.sha256("".join(digests[n] for n in sorted(digests)).encode()).hexdigest()[:16]
    with open(template_path, encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace("'@BUILD@'", json.dumps(build)).replace("'@FILES@'", json.dumps(digests))
    write_if_changed(os.path.join(folder, "service-worker.js"), worker.encode())
    return 0


if __name__ == "__main__":
    sys.exit(main())
