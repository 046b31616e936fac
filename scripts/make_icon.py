#!/usr/bin/env python3
"""Draw the Tessarion icon: a red ball hanging on a zig-zag spring beside
one period of a sine wave on its axis.

One list of shapes feeds every output, so the SVG, the PNGs and the
16-colour ICO always show the same picture.  Standard library only.

    scripts/make_icon.py            write data/icons/*
    scripts/make_icon.py --check    exit 1 if data/icons/* is stale
"""

import argparse
import math
import struct
import sys
import zlib
from pathlib import Path

CANVAS = 32.0  # design units; one unit is one pixel of the 32x32 icon

NAVY = (0x1D, 0x35, 0x57)
STEEL = (0xE4, 0xEA, 0xF0)
RED = (0xE6, 0x39, 0x46)
PINK = (0xFF, 0xC4, 0xC8)
GOLD = (0xFF, 0xC8, 0x3D)
TEAL = (0x45, 0x7B, 0x9D)


BALL_Y, BALL_R = 24.0, 5.0


def _spring_points():
    # Mount at the ceiling, a short straight lead, five zig-zag legs, and a
    # short lead down into the top of the ball.
    cx, top, bottom, half = 9.0, 5.5, 17.0, 3.5
    pts = [(cx, 4.0), (cx, top)]
    legs = 5
    step = (bottom - top) / legs
    for i in range(legs):
        x = cx - half if i % 2 == 0 else cx + half
        pts.append((x, top + step * (i + 0.5)))
    pts.append((cx, bottom))
    pts.append((cx, BALL_Y - BALL_R + 0.5))
    return pts


# Mid-line on a pixel centre so the 1-unit axis stays crisp at 32 px.
WAVE_X0, WAVE_X1 = 15.5, 29.0
WAVE_MID, WAVE_AMP = 16.5, 6.5


def _wave_points(n=48):
    pts = []
    for i in range(n + 1):
        t = i / n
        x = WAVE_X0 + (WAVE_X1 - WAVE_X0) * t
        # Screen y grows downwards, so subtract to rise first.
        pts.append((x, WAVE_MID - WAVE_AMP * math.sin(2.0 * math.pi * t)))
    return pts


# Painter's order, back to front.
SHAPES = [
    ("rrect", NAVY, (1.0, 1.0, 31.0, 31.0, 6.5)),
    ("stroke", STEEL, (2.0, [(4.5, 4.0), (13.5, 4.0)])),
    ("stroke", STEEL, (1.6, _spring_points())),
    ("circle", RED, (9.0, BALL_Y, BALL_R)),
    ("circle", PINK, (7.3, BALL_Y - 1.8, 1.5)),
    ("stroke", TEAL, (1.0, [(14.5, WAVE_MID), (29.5, WAVE_MID)])),
    ("stroke", GOLD, (2.4, _wave_points())),
]


# ---------------------------------------------------------------- geometry

def _seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def _bbox(kind, g):
    if kind == "rrect":
        return g[0], g[1], g[2], g[3]
    if kind == "circle":
        cx, cy, r = g
        return cx - r, cy - r, cx + r, cy + r
    w, pts = g
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return min(xs) - w, min(ys) - w, max(xs) + w, max(ys) + w


def _make_sdf(kind, g):
    """Signed distance in design units, negative inside."""
    if kind == "rrect":
        x0, y0, x1, y1, r = g
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

        def f(px, py):
            qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
            outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
            return outside + min(max(qx, qy), 0.0) - r
        return f
    if kind == "circle":
        cx, cy, r = g
        return lambda px, py: math.hypot(px - cx, py - cy) - r
    w, pts = g
    segs = list(zip(pts, pts[1:]))
    half = w / 2

    def f(px, py):
        # Only segments whose padded box holds the point can be nearest
        # enough to matter; the rest would just cost time at 256 px.
        best = 1e9
        for (ax, ay), (bx, by) in segs:
            if (min(ax, bx) - 2 <= px <= max(ax, bx) + 2
                    and min(ay, by) - 2 <= py <= max(ay, by) + 2):
                best = min(best, _seg_dist(px, py, ax, ay, bx, by))
        return best - half
    return f


def render(size):
    """Straight-alpha RGBA floats, row-major, top row first."""
    scale = size / CANVAS
    px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]
    for kind, rgb, g in SHAPES:
        sdf = _make_sdf(kind, g)
        bx0, by0, bx1, by1 = _bbox(kind, g)
        i0 = max(0, int(math.floor(bx0 * scale)) - 1)
        i1 = min(size, int(math.ceil(bx1 * scale)) + 1)
        j0 = max(0, int(math.floor(by0 * scale)) - 1)
        j1 = min(size, int(math.ceil(by1 * scale)) + 1)
        sr, sg, sb = (c / 255.0 for c in rgb)
        for j in range(j0, j1):
            y = (j + 0.5) / scale
            for i in range(i0, i1):
                x = (i + 0.5) / scale
                # Distance-based coverage gives a one-pixel-wide smooth edge
                # at every size without supersampling.
                a = 0.5 - sdf(x, y) * scale
                if a <= 0.0:
                    continue
                a = min(a, 1.0)
                d = px[j * size + i]
                out_a = a + d[3] * (1.0 - a)
                k = d[3] * (1.0 - a)
                d[0] = (sr * a + d[0] * k) / out_a
                d[1] = (sg * a + d[1] * k) / out_a
                d[2] = (sb * a + d[2] * k) / out_a
                d[3] = out_a
    return px


def to_rgba8(px):
    out = bytearray()
    for r, g, b, a in px:
        out += bytes(int(round(max(0.0, min(1.0, v)) * 255)) for v in (r, g, b, a))
    return bytes(out)


# --------------------------------------------------------------------- PNG

def _chunk(tag, data):
    body = tag + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def _png_raw(size, rgba):
    stride = size * 4
    return b"".join(b"\x00" + rgba[y * stride:(y + 1) * stride] for y in range(size))


def encode_png(size, rgba):
    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr)
            + _chunk(b"IDAT", zlib.compress(_png_raw(size, rgba), 9))
            + _chunk(b"IEND", b""))


def png_payload(data):
    """IHDR and inflated pixel rows, to compare PNGs whatever zlib made them."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    pos, ihdr, idat = 8, None, b""
    while pos + 8 <= len(data):
        n, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if tag == b"IHDR":
            ihdr = body
        elif tag == b"IDAT":
            idat += body
        pos += 12 + n
    try:
        return ihdr, zlib.decompress(idat)
    except zlib.error:
        return None


# --------------------------------------------------------------------- ICO

def _mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


# Index 0 stays black: it is what masked-out pixels carry in the XOR bitmap.
# The blends cover the anti-aliased edges that actually occur.
PALETTE = [
    (0, 0, 0), NAVY, STEEL, RED, PINK, GOLD, TEAL,
    _mix(NAVY, STEEL, 1 / 3), _mix(NAVY, STEEL, 2 / 3),
    _mix(NAVY, RED, 0.5),
    _mix(NAVY, GOLD, 1 / 3), _mix(NAVY, GOLD, 2 / 3),
    _mix(RED, PINK, 0.5), _mix(RED, STEEL, 0.5),
    _mix(NAVY, TEAL, 0.5), _mix(TEAL, GOLD, 0.5),
]
assert len(PALETTE) == 16


def _nearest(rgb):
    best, best_d = 1, None
    for idx in range(1, 16):
        d = sum((p - q) ** 2 for p, q in zip(PALETTE[idx], rgb))
        if best_d is None or d < best_d:
            best, best_d = idx, d
    return best


def encode_ico(rgba32):
    size = 32
    idx, opaque = [], []
    for n in range(size * size):
        r, g, b, a = rgba32[4 * n:4 * n + 4]
        if a >= 128:
            idx.append(_nearest((r, g, b)))
            opaque.append(True)
        else:
            idx.append(0)
            opaque.append(False)

    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(size)):  # DIB rows are stored bottom-up
        row = idx[y * size:(y + 1) * size]
        for x in range(0, size, 2):
            xor.append((row[x] << 4) | row[x + 1])
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if opaque[y * size + x] else 1)
        andm += struct.pack(">I", bits)  # 32 px = 4 bytes, already aligned

    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(xor) + len(andm), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(andm)
    assert len(image) == 744, len(image)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    data = icondir + entry + image
    assert len(data) == 766, len(data)
    return data


# --------------------------------------------------------------------- SVG

def _n(v):
    s = f"{v:.3f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def _hex(rgb):
    return "#%02x%02x%02x" % rgb


def encode_svg():
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
        'viewBox="0 0 32 32">',
        '  <title>Tessarion</title>',
    ]
    for kind, rgb, g in SHAPES:
        c = _hex(rgb)
        if kind == "rrect":
            x0, y0, x1, y1, r = g
            lines.append(f'  <rect x="{_n(x0)}" y="{_n(y0)}" width="{_n(x1 - x0)}" '
                         f'height="{_n(y1 - y0)}" rx="{_n(r)}" fill="{c}" stroke="none"/>')
        elif kind == "circle":
            cx, cy, r = g
            lines.append(f'  <circle cx="{_n(cx)}" cy="{_n(cy)}" r="{_n(r)}" fill="{c}" stroke="none"/>')
        else:
            w, pts = g
            p = " ".join(f"{_n(x)},{_n(y)}" for x, y in pts)
            lines.append(f'  <polyline points="{p}" fill="none" stroke="{c}" '
                         f'stroke-width="{_n(w)}" stroke-linecap="round" '
                         f'stroke-linejoin="round"/>')
    lines.append("</svg>")
    return ("\n".join(lines) + "\n").encode("ascii")


# -------------------------------------------------------------------- main

def build():
    files = {}
    rgba32 = to_rgba8(render(32))
    files["tessarion.ico"] = encode_ico(rgba32)
    files["tessarion.svg"] = encode_svg()
    files["tessarion-32.png"] = encode_png(32, rgba32)
    for size in (128, 256):
        files[f"tessarion-{size}.png"] = encode_png(size, to_rgba8(render(size)))
    return files


def main():
    here = Path(__file__).resolve().parent.parent
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", type=Path, default=here / "data" / "icons")
    ap.add_argument("--check", action="store_true",
                    help="compare with the files in --out instead of writing")
    args = ap.parse_args()

    files = build()
    if args.check:
        stale = []
        for name, data in sorted(files.items()):
            path = args.out / name
            have = path.read_bytes() if path.exists() else None
            same = have == data or (
                name.endswith(".png") and have is not None
                and png_payload(have) is not None
                and png_payload(have) == png_payload(data))
            if not same:
                stale.append(name)
        for name in stale:
            print(f"stale or missing: {args.out / name}", file=sys.stderr)
        return 1 if stale else 0

    args.out.mkdir(parents=True, exist_ok=True)
    for name, data in sorted(files.items()):
        (args.out / name).write_bytes(data)
        print(f"{args.out / name}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
