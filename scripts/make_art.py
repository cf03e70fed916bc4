#!/usr/bin/env python3
"""Draws all of KIVO's artwork and writes it into resources/.

Run from anywhere: python3 scripts/make_art.py
Only the standard library is used and nothing is random at run time, so the same script always
writes the same bytes. The outputs are committed next to this script; resources/kivo.qrc is
written here too, so it always lists exactly what was drawn.

  title.bmp        256 x 223 title picture, 8-bit with a 256-colour palette (uncompressed BMP)
  list/*.png       the six 16 x 16 list images, in list-image order
  toolbar/*.png    the three 16 x 16 tool-bar images
  menu/*.png       16 x 16 menu icons
  volume.png       32 x 32 picture of the Sound tab
  kivo.png         64 x 64 program icon, kivo-256.png its large variant, kivo.svg the same drawing
"""

import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

# --------------------------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------------------------


def write_png(path, width, height, rgba):
    """rgba: list of rows, each a list of (r, g, b, a) tuples of 0..255."""
    raw = bytearray()
    for row in rgba:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    save(path, data)


def write_bmp8(path, width, height, indices, palette):
    """indices: rows top to bottom of palette indices; palette: up to 256 (r, g, b)."""
    assert len(palette) <= 256
    palette = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    stride = (width + 3) & ~3
    pixels = bytearray()
    for row in reversed(indices):  # a BMP stores its rows bottom-up
        pixels += bytes(row) + b"\0" * (stride - width)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    filehdr = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    save(path, filehdr + info + table + bytes(pixels))


def save(path, data):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as out:
        out.write(data)
    WRITTEN.append(path)


WRITTEN = []


def hexrgb(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


# --------------------------------------------------------------------------------------------
# 16 x 16 pixel icons, drawn as character grids. '.' is transparent; other characters name
# colours from COLOURS. An icon may be several grids laid over each other.
# --------------------------------------------------------------------------------------------

COLOURS = {
    "K": "#1c1d26",  # outline
    "1": "#fbfbfd",  # greys, light to dark
    "2": "#dcdde3",
    "3": "#b9bbc5",
    "4": "#8f929f",
    "5": "#62656f",
    "6": "#3e4049",
    "W": "#ffffff",
    "Y": "#ffe38a",  # folder yellows
    "y": "#f7c548",
    "o": "#d99a1e",
    "O": "#8c5b0c",
    "R": "#ff5a4a",  # reds
    "r": "#d4231d",
    "q": "#7a0f12",
    "G": "#8cff7a",  # greens
    "g": "#2fc93c",
    "h": "#12752a",
    "B": "#9fd0ff",  # blues
    "b": "#3c8dea",
    "n": "#1d4fa8",
    "N": "#0f2a63",
    "P": "#c7a6ff",  # purples
    "p": "#7e4fe0",
    "m": "#45238f",
    "T": "#a8713a",  # browns
    "t": "#6e4419",
    "S": "#fff3b0",  # sun / spark
    "c": "#2ec8e0",  # game-pad buttons
    "f": "#ff5f9e",
}

ICONS = {}

ICONS["list/0_drive"] = [
    """
................
................
................
..KKKKKKKKKKKK..
.K111111111111K.
K11111111111113K
K22222222222223K
K2KKKKKKKKKK223K
K25555555555223K
K22222222222223K
K2222222222hGg3K
K33333333333334K
.KKKKKKKKKKKKKK.
..5555555555555.
................
................
"""
]

FOLDER = """
................
................
.OOOOO..........
OYYYYYO.........
OYyyyyyOOOOOOOO.
OYyyyyyyyyyyyyyO
OYyOOOOOOOOOOOOO
OYOYYYYYYYYYYYYO
OOYYyyyyyyyyyyoO
OOYyyyyyyyyyyyoO
OYyyyyyyyyyyyoO.
OYyyyyyyyyyyyoO.
OyyyyyyyyyyyyoO.
OoooooooooooooO.
.OOOOOOOOOOOOO..
................
"""

ICONS["list/1_folder"] = [FOLDER]

CONSOLE = """
................
................
................
....KKKKKKKK....
....K665566K....
....K656565K....
.KKKKKKKKKKKKKK.
K11111111111111K
K12222222222223K
K12KKK22222R223K
K12666222222223K
K12222222555523K
K13333333333334K
.KKKKKKKKKKKKKK.
..555555555555..
................
"""

BANG = """
...........KKKK.
..........KRRrK.
..........KRrrK.
..........KRrrK.
..........KRrrK.
...........KrqK.
...........KrqK.
...........KKKK.
...........KRrK.
...........KrqK.
...........KKKK.
................
................
................
................
................
"""

ICONS["list/2_rom"] = [CONSOLE]
ICONS["list/3_rom_config"] = [CONSOLE, BANG]

ZIP_BOX = """
...KKKKKKKKKKKKK
...K11111511111K
...K22222522222K
...KKKKKKKKKKKKK
....K333363333K.
....K333363333K.
....K333363333K.
....K333363333K.
....K333363333K.
....K444464444K.
....KKKKKKKKKKK.
................
................
................
................
................
"""

ZIP_FOLDER = """
................
................
................
................
................
.OOOO...........
OYYYYO..........
OYyyyyOOOOOOO...
OYyOOOOOOOOOOO..
OYOYYYYYYYYYYO..
OOYyyyyyyyyyoO..
OYyyyyyyyyyoO...
OYyyyyyyyyyoO...
OoooooooooooO...
.OOOOOOOOOOOO...
................
"""

ICONS["list/4_zip"] = [ZIP_BOX, ZIP_FOLDER]
ICONS["list/5_zip_config"] = [ZIP_BOX, ZIP_FOLDER, BANG]

# Tool bar: File (a game cartridge), Preferences (sliders), Help (a question mark).
ICONS["toolbar/file"] = [
    """
................
..KKKKKKKKKKKK..
.K111111111112K.
.K1pPPPPPPPPp2K.
.K1PmmmmmmmmP2K.
.K1PmSmmmmBmP2K.
.K1PmmmmmmmmP2K.
.K1PggggggggP2K.
.K1pPPPPPPPPp2K.
.K122222222223K.
.K122222222223K.
.K13K3K3K3K334K.
.K13K3K3K3K334K.
..KKKKKKKKKKKK..
...5555555555...
................
"""
]

ICONS["toolbar/preferences"] = [
    """
...KKKK.........
...KBbK.........
.55KBbK55555555.
.22KbnK22222222.
...KnnK.........
...KKKK...KKKK..
..........KGgK..
.555555555KGgK5.
.222222222KghK2.
..........KhhK..
.....KKKK.KKKK..
.....KRrK.......
.5555KRrK555555.
.2222KrqK222222.
.....KqqK.......
.....KKKK.......
""",
]

HELP_BALL = """
.....KKKKKK.....
...KKbbbbbbKK...
..KbBBbbbbbbnK..
.KbBbbWWWWbbbnK.
.KbbbWWnnWWbbnK.
KbbbbWnbbWWbbbnK
KbbbbbbbWWnbbbnK
KbbbbbbWWnbbbbnK
KbbbbbbWWnbbbbnK
KbbbbbbnnbbbbbnK
.KbbbbbWWbbbbnK.
.KnbbbbWWnbbnnK.
..KnnbbnnbbnnK..
...KKnnnnnnKK...
.....KKKKKK.....
................
"""

ICONS["toolbar/help"] = [HELP_BALL]

ICONS["menu/toggle_config"] = [
    """
................
................
................
................
...KKKKKKKKKK...
..KggggggggggK..
.KgGGgggggggggK.
.KgGggggggggggK.
.KggggggggggggK.
.KhgggggggggghK.
..KhhhhhhhhhhK..
...KKKKKKKKKK...
................
................
................
................
""",
    """
................
................
................
................
................
.........KKKK...
........K1111K..
........K1112K..
........K1122K..
........K3333K..
.........KKKK...
................
................
................
................
................
""",
]

ICONS["menu/verify"] = [
    """
................
.KKKKKKKKKK.....
.K11111111K.....
.K15555551K.....
.K11111111K.....
.K15555511K.....
.K11111111K.....
.K15555551K.....
.K11111111K.....
.K15555111K.....
.K11111111K.....
.K11111111K.....
.K22222222K.....
.KKKKKKKKKK.....
................
................
""",
    """
................
................
................
................
................
..............KK
.............KGK
............KGgK
......KK...KGgK.
.....KGgK.KGgK..
.....KhggKGgK...
......KhgggK....
.......KhgK.....
........KK......
................
................
""",
]

ICONS["menu/delete"] = [
    """
................
......KKKK......
.....K3333K.....
..KKKKKKKKKKKK..
.K222222222222K.
.KKKKKKKKKKKKKK.
..K1323232324K..
..K1323232324K..
..K1323232324K..
..K1323232324K..
..K1323232324K..
..K1323232324K..
..K1323232324K..
..K3444444444K..
...KKKKKKKKKK...
................
"""
]

ICONS["menu/unzip"] = [
    """
KKKKKKKKKKK.....
K111151111K.....
K222252222K.....
KKKKKKKKKKK.....
.K3336333K......
.K3336333K......
.K3336333K......
.K3336333K......
.K3336333K......
.K4446444K......
.KKKKKKKKK......
................
................
................
................
................
""",
    """
................
................
................
................
................
..........KKK...
..........KgK...
..........KgK...
..........KgK...
........KKKgKKK.
........KGggghK.
.........KGghK..
..........KgK...
...........K....
................
................
""",
]

ICONS["menu/info"] = [
    """
.....KKKKKK.....
...KKbbbbbbKK...
..KbBBbbbbbbnK..
.KbBbbbWWbbbbnK.
.KbbbbbWWnbbbnK.
KbbbbbbbnnbbbbnK
KbbbbbWWWbbbbbnK
KbbbbbbWWnbbbbnK
KbbbbbbWWnbbbbnK
KbbbbbbWWnbbbbnK
.KbbbbbWWnbbbnK.
.KnbbbWWWWnbnnK.
..KnnbbnnnnbnK..
...KKnnnnnnKK...
.....KKKKKK.....
................
"""
]

ICONS["menu/archive_screenshot"] = [
    """
................
.KKKKKKKKKKKKKK.
.K111111111111K.
.K1BBBBBBBBBB3K.
.K1BBBBBBBSSB3K.
.K1BBBBBBBSSB3K.
.K1BBBgBBBBBB3K.
.K1BBgggBBBBB3K.
.K1BgggggBghB3K.
.K1ggggggghhh3K.
.K1hhhhhhhhhh3K.
.K333333333333K.
.KKKKKKKKKKKKKK.
................
................
................
""",
    """
................
................
................
................
................
................
................
................
...........KKK..
...........KgK..
...........KgK..
.........KKKgKKK
.........KGggghK
..........KGghK.
...........KgK..
............K...
""",
]

ICONS["menu/exit"] = [
    """
................
.KKKKKKKKK......
.KTTTTTTtK......
.KTttttttK......
.KTttttttK......
.KTttttttK......
.KTttttttK......
.KTttttttK......
.KTtttttSK......
.KTttttttK......
.KTttttttK......
.KTttttttK......
.KTttttttK......
.KTttttttK......
.KKKKKKKKK......
................
""",
    """
................
................
................
................
..........K.....
..........KK....
.....KKKKKKgK...
.....KgggggggK..
.....KggggggggK.
.....KgggggghK..
.....KKKKKKhK...
..........KK....
..........K.....
................
................
................
""",
]

ICONS["menu/high_priority"] = [
    """
.........KKKK...
........KSSyK...
.......KSSyK....
......KSSyK.....
.....KSSyK......
....KSSyKKKKK...
...KSSSSSSSyK...
...KKKKKSSyK....
......KSSyK.....
.....KSyyK......
....KSyoK.......
...KSyoK........
..KyooK.........
..KooK..........
..KKK...........
................
"""
]

ICONS["menu/shell_bat"] = [
    """
................
.KKKKKKKKKKKKKK.
.K444444444444K.
.K4RgG44444444K.
.KKKKKKKKKKKKKK.
.K666666666666K.
.K6G6666666666K.
.K66G666666666K.
.K666G66666666K.
.K66G666666666K.
.K6G666GGGG666K.
.K666666666666K.
.K666666666666K.
.KKKKKKKKKKKKKK.
................
................
"""
]

ICONS["menu/readme"] = [
    """
................
..KKKKKKKK......
..K111111KK.....
..K111111K3K....
..K111111KKKK...
..K155555551K...
..K111111111K...
..K155555551K...
..K111111111K...
..K155555111K...
..K111111111K...
..K155555551K...
..K111111111K...
..K333333333K...
..KKKKKKKKKKK...
................
""",
]

ICONS["menu/homepage"] = [
    """
................
.....KKKKKK.....
...KKbBgbbbKK...
..KbBggggbbbnK..
.KbBgggggbbbgnK.
.KbgggggbbbggnK.
KbbbgggbbbbgggnK
KbbbbgbbbbbgggnK
KbbbbggbbbbbggnK
KbbbbgggbbbbbbnK
KbbbbggggbbbbbnK
.KbbbbgggbbbbnK.
.KnbbbgggbbbnnK.
..KnnbbgbbbnnK..
...KKnnnnnnKK...
.....KKKKKK.....
"""
]

ICONS["menu/mail"] = [
    """
................
................
................
.KKKKKKKKKKKKKK.
.K1K11111111K3K.
.K11K111111K33K.
.K121K1111K323K.
.K1221KKKK3223K.
.K122K1111K223K.
.K12K222222K23K.
.K1K22222222K3K.
.KK3333333333KK.
.KKKKKKKKKKKKKK.
................
................
................
"""
]


ICONS["menu/about"] = [
    """
..KKKKKKKKKKKK..
.KPPPPPPPPPPSPK.
KPppppppppppSSSK
KppppppppppppSpK
KppKKKKKKKKKKppK
KpK1111111111KpK
KpK1161111f11KpK
KpK166611c1f1KpK
KpK1161111c11KpK
KpK2222222222KpK
KpK222KKKK222KpK
KppK3KppppK3KppK
KpppKppppppKpppK
KmmmmmmmmmmmmmmK
.KmmmmmmmmmmmmK.
..KKKKKKKKKKKK..
"""
]


def grid_icon(layers):
    pixels = [[(0, 0, 0, 0)] * 16 for _ in range(16)]
    for layer in layers:
        rows = layer.strip("\n").split("\n")
        assert len(rows) == 16, (len(rows), layer)
        for y, row in enumerate(rows):
            assert len(row) == 16, (y, row)
            for x, ch in enumerate(row):
                if ch != ".":
                    pixels[y][x] = hexrgb(COLOURS[ch]) + (255,)
    return pixels




# --------------------------------------------------------------------------------------------
# Vector drawings (volume picture, program icon). Shapes are signed-distance functions in a unit
# square (y down); each pixel's coverage comes from the distance at its centre, which gives smooth
# edges at any size. The same shapes are written out as SVG.
# --------------------------------------------------------------------------------------------


def sd_rrect(px, py, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    qx = abs(px - cx) - ((x1 - x0) / 2 - r)
    qy = abs(py - cy) - ((y1 - y0) / 2 - r)
    return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r


def sd_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(1, max(0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def sd_poly(px, py, pts):
    d = min(sd_segment(px, py, *pts[i], *pts[(i + 1) % len(pts)]) for i in range(len(pts)))
    inside = False
    for i in range(len(pts)):
        (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
        if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return -d if inside else d


def sd_arc(px, py, cx, cy, radius, a0, a1):
    ang = math.degrees(math.atan2(py - cy, px - cx))
    if a0 <= ang <= a1:
        return abs(math.hypot(px - cx, py - cy) - radius)
    ends = [(cx + radius * math.cos(math.radians(a)), cy + radius * math.sin(math.radians(a))) for a in (a0, a1)]
    return min(math.hypot(px - ex, py - ey) for ex, ey in ends)


def sdf(shape, px, py):
    kind = shape[0]
    if kind == "rrect":
        return sd_rrect(px, py, *shape[1:])
    if kind == "circle":
        return math.hypot(px - shape[1], py - shape[2]) - shape[3]
    if kind == "poly":
        return sd_poly(px, py, shape[1])
    if kind == "line":
        return sd_segment(px, py, *shape[1:5]) - shape[5] / 2
    if kind == "arc":
        return sd_arc(px, py, *shape[1:4], shape[5], shape[6]) - shape[4] / 2
    if kind == "union":
        return min(sdf(part, px, py) for part in shape[1])
    if kind == "grow":  # the shape widened by a margin: an outline drawn underneath it
        return sdf(shape[1], px, py) - shape[2]
    if kind == "move":
        return sdf(shape[1], px - shape[2], py - shape[3])
    raise ValueError(kind)


def bbox(shape):
    kind = shape[0]
    if kind == "rrect":
        return shape[1:5]
    if kind == "circle":
        return (shape[1] - shape[3], shape[2] - shape[3], shape[1] + shape[3], shape[2] + shape[3])
    if kind == "poly":
        xs, ys = [p[0] for p in shape[1]], [p[1] for p in shape[1]]
        return (min(xs), min(ys), max(xs), max(ys))
    if kind == "line":
        w = shape[5] / 2
        return (min(shape[1], shape[3]) - w, min(shape[2], shape[4]) - w, max(shape[1], shape[3]) + w,
                max(shape[2], shape[4]) + w)
    if kind == "arc":
        r = shape[3] + shape[4] / 2
        return (shape[1] - r, shape[2] - r, shape[1] + r, shape[2] + r)
    if kind == "union":
        boxes = [bbox(part) for part in shape[1]]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes), max(b[3] for b in boxes))
    if kind == "grow":
        b, m = bbox(shape[1]), shape[2]
        return (b[0] - m, b[1] - m, b[2] + m, b[3] + m)
    if kind == "move":
        b = bbox(shape[1])
        return (b[0] + shape[2], b[1] + shape[3], b[2] + shape[2], b[3] + shape[3])
    raise ValueError(kind)


def paint_at(paint, py):
    """paint: ("#rrggbb", alpha) or ("#top", "#bottom", y0, y1, alpha), a vertical gradient."""
    if len(paint) == 2:
        return hexrgb(paint[0]), paint[1]
    top, bottom, y0, y1, alpha = paint
    t = min(1, max(0, (py - y0) / (y1 - y0)))
    c0, c1 = hexrgb(top), hexrgb(bottom)
    return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3)), alpha


def render(layers, size):
    acc = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]
    for shape, paint in layers:
        x0, y0, x1, y1 = bbox(shape)
        for y in range(max(0, int(y0 * size) - 1), min(size, int(y1 * size) + 2)):
            py = (y + 0.5) / size
            for x in range(max(0, int(x0 * size) - 1), min(size, int(x1 * size) + 2)):
                px = (x + 0.5) / size
                cover = min(1.0, max(0.0, 0.5 - sdf(shape, px, py) * size))
                if cover <= 0:
                    continue
                rgb, alpha = paint_at(paint, py)
                a = cover * alpha
                dst = acc[y][x]
                out_a = a + dst[3] * (1 - a)
                for i in range(3):
                    dst[i] = (rgb[i] * a + dst[i] * dst[3] * (1 - a)) / out_a
                dst[3] = out_a
    return [[(round(p[0]), round(p[1]), round(p[2]), round(p[3] * 255)) for p in row] for row in acc]


def svg_document(layers, size=256):
    defs, body = [], []

    def fmt(v):
        return ("%.2f" % (v * size)).rstrip("0").rstrip(".")

    def elements(shape, attrs):
        kind = shape[0]
        if kind == "rrect":
            x0, y0, x1, y1, r = shape[1:]
            return ['<rect x="%s" y="%s" width="%s" height="%s" rx="%s"%s/>' %
                    (fmt(x0), fmt(y0), fmt(x1 - x0), fmt(y1 - y0), fmt(r), attrs)]
        if kind == "circle":
            return ['<circle cx="%s" cy="%s" r="%s"%s/>' % (fmt(shape[1]), fmt(shape[2]), fmt(shape[3]), attrs)]
        if kind == "poly":
            pts = " ".join("%s,%s" % (fmt(x), fmt(y)) for x, y in shape[1])
            return ['<polygon points="%s" stroke-linejoin="round"%s/>' % (pts, attrs)]
        if kind == "union":
            return [e for part in shape[1] for e in elements(part, attrs)]
        if kind == "move":
            move = '<g transform="translate(%s %s)">' % (fmt(shape[2]), fmt(shape[3]))
            return [move] + elements(shape[1], attrs) + ["</g>"]
        raise ValueError(kind)

    for n, (shape, paint) in enumerate(layers):
        if len(paint) == 2:
            colour, alpha = paint
        else:
            defs.append('<linearGradient id="g%d" gradientUnits="userSpaceOnUse" x1="0" y1="%s" x2="0" y2="%s">'
                        '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>' %
                        (n, fmt(paint[2]), fmt(paint[3]), paint[0], paint[1]))
            colour, alpha = "url(#g%d)" % n, paint[4]
        opacity = "" if alpha >= 1 else ' opacity="%g"' % alpha
        kind = shape[0]
        if kind in ("line", "arc"):
            width = fmt(shape[5] if kind == "line" else shape[4])
            stroke = ' fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round"%s' % (colour, width, opacity)
            if kind == "line":
                ends = tuple(fmt(v) for v in shape[1:5])
                body.append('<line x1="%s" y1="%s" x2="%s" y2="%s"' % ends + stroke + "/>")
            else:
                cx, cy, r, _, a0, a1 = shape[1:]
                sx, sy = cx + r * math.cos(math.radians(a0)), cy + r * math.sin(math.radians(a0))
                ex, ey = cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1))
                path = "M%s %s A%s %s 0 0 1 %s %s" % (fmt(sx), fmt(sy), fmt(r), fmt(r), fmt(ex), fmt(ey))
                body.append('<path d="%s"%s/>' % (path, stroke))
        elif kind == "grow":
            width = fmt(2 * shape[2])
            body.append('<g fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s>' %
                        (colour, colour, width, opacity))
            body += elements(shape[1], "")
            body.append("</g>")
        else:
            body.append("<g fill=\"%s\"%s>" % (colour, opacity))
            body += elements(shape, "")
            body.append("</g>")
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">' % ((size,) * 4)]
    if defs:
        out.append("<defs>" + "".join(defs) + "</defs>")
    return "\n".join(out + body + ["</svg>", ""])


def gamepad_layers():
    """The program icon: a light game pad on a violet tile, with a spark above it."""
    tile = ("rrect", 0.04, 0.04, 0.96, 0.96, 0.2)
    pad = ("union", [("rrect", 0.14, 0.36, 0.86, 0.66, 0.15), ("circle", 0.29, 0.61, 0.15),
                     ("circle", 0.71, 0.61, 0.15)])
    dpad = ("union", [("rrect", 0.205, 0.485, 0.395, 0.555, 0.015), ("rrect", 0.265, 0.425, 0.335, 0.615, 0.015)])
    cx, cy, off = 0.70, 0.52, 0.068
    return [
        (tile, ("#2a1670", 1.0)),
        (("rrect", 0.065, 0.065, 0.935, 0.935, 0.18), ("#8466ff", "#3d22a8", 0.06, 0.94, 1.0)),
        (("rrect", 0.1, 0.09, 0.9, 0.4, 0.15), ("#ffffff", 0.08)),
        (("move", pad, 0.0, 0.035), ("#12082e", 0.35)),
        (("grow", pad, 0.03), ("#1c1d26", 1.0)),
        (pad, ("#fbfbfd", "#bfc1cd", 0.38, 0.76, 1.0)),
        (("grow", dpad, 0.012), ("#1c1d26", 0.25)),
        (dpad, ("#3e4049", 1.0)),
        (("circle", cx, cy - off, 0.038), ("#ff5f9e", 1.0)),
        (("circle", cx + off, cy, 0.038), ("#ff5f9e", 1.0)),
        (("circle", cx - off, cy, 0.038), ("#2ec8e0", 1.0)),
        (("circle", cx, cy + off, 0.038), ("#2ec8e0", 1.0)),
        (("line", 0.455, 0.575, 0.475, 0.56, 0.028), ("#8f929f", 1.0)),
        (("line", 0.525, 0.575, 0.545, 0.56, 0.028), ("#8f929f", 1.0)),
        (spark(0.74, 0.21, 0.11), ("#fff3b0", 1.0)),
        (spark(0.25, 0.2, 0.055), ("#fff3b0", 0.85)),
        (spark(0.6, 0.13, 0.04), ("#fff3b0", 0.7)),
    ]


def spark(cx, cy, r):
    """A four-pointed star."""
    w = r * 0.28
    return ("poly", [(cx, cy - r), (cx + w, cy - w), (cx + r, cy), (cx + w, cy + w), (cx, cy + r), (cx - w, cy + w),
                     (cx - r, cy), (cx - w, cy - w)])


def volume_layers():
    """A loudspeaker with three sound waves."""
    cone = ("poly", [(0.26, 0.37), (0.52, 0.15), (0.52, 0.85), (0.26, 0.63)])
    speaker = ("union", [("rrect", 0.1, 0.37, 0.32, 0.63, 0.03), cone])
    layers = [
        (("grow", speaker, 0.04), ("#1c1d26", 1.0)),
        (speaker, ("#b9bbc5", "#5a5d68", 0.15, 0.85, 1.0)),
        (("line", 0.15, 0.43, 0.27, 0.43, 0.05), ("#ffffff", 0.5)),
    ]
    for n, radius in enumerate((0.15, 0.27, 0.39)):
        span = 44 - n * 5
        layers.append((("arc", 0.55, 0.5, radius, 0.075, -span, span), ("#2f7fe0", 1.0)))
    return layers



# --------------------------------------------------------------------------------------------
# The title picture: 256 x 223, one 256-colour palette. The scene is drawn in "big pixels" of
# 2 x 2 (the chunky look of a console title screen at this size); the subtitle uses single
# pixels so it stays small and crisp.
# --------------------------------------------------------------------------------------------

TITLE_W, TITLE_H = 256, 223


class IndexedCanvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.palette = []
        self.lookup = {}
        self.pixels = [[0] * width for _ in range(height)]

    def index(self, colour):
        rgb = hexrgb(colour) if isinstance(colour, str) else colour
        if rgb not in self.lookup:
            assert len(self.palette) < 256, "title picture needs more than 256 colours"
            self.lookup[rgb] = len(self.palette)
            self.palette.append(rgb)
        return self.lookup[rgb]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = self.index(colour)

    def get(self, x, y):
        return self.palette[self.pixels[y][x]]

    def big(self, x, y, colour):
        """One pixel of the 2 x 2 scene grid."""
        for dy in (0, 1):
            for dx in (0, 1):
                self.put(2 * x + dx, 2 * y + dy, colour)


BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]

SKY = ["#0a0c2a", "#121743", "#1b1f5a", "#29276c", "#3d2c7a", "#57327f", "#78397d", "#9c4376", "#c2546b",
       "#e0705f", "#f39a5f"]

SCENE_W, SCENE_H = 128, 112
HORIZON = 84  # where the sky's gradient ends, in scene pixels
GROUND = 96  # top of the grass


class Lcg:
    """A fixed pseudo-random sequence, so every run draws the same stars."""

    def __init__(self, seed):
        self.state = seed

    def next(self, n):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % n


def draw_sky(c):
    for y in range(SCENE_H):
        t = min(1.0, y / HORIZON) * (len(SKY) - 1)
        band = min(int(t), len(SKY) - 2)
        frac = t - band
        for x in range(SCENE_W):
            c.big(x, y, SKY[band + 1] if BAYER4[y % 4][x % 4] < frac * 16 else SKY[band])


def draw_stars(c):
    rnd = Lcg(1999)
    for _ in range(70):
        x, y = rnd.next(SCENE_W), rnd.next(62)
        colour = ("#ffffff", "#fff3c4", "#c8d8ff", "#8f9ad8")[rnd.next(4)]
        if not (34 <= y <= 45 and 28 <= x <= 100):  # keep the subtitle's line clear
            c.big(x, y, colour)
    for x, y in ((12, 44), (100, 48), (118, 30), (34, 56), (70, 52), (6, 24)):
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            c.big(x + dx, y + dy, "#9fb0ff")
        c.big(x, y, "#ffffff")


def draw_moon(c, cx, cy, r):
    for y in range(cy - r - 2, cy + r + 3):
        for x in range(cx - r - 2, cx + r + 3):
            d = math.hypot(x - cx, y - cy)
            if d <= r:
                shade = math.hypot(x - (cx - 2), y - (cy - 2))
                c.big(x, y, "#fff6d2" if shade < r * 0.7 else "#f2dfa0")
            elif d <= r + 1.5 and (x + y) % 2 == 0:
                c.big(x, y, "#6a5a9a")
    for x, y, rr in ((cx + 2, cy + 1, 1.5), (cx - 3, cy + 3, 1.5), (cx + 1, cy - 4, 0.5)):
        for yy in range(int(y - rr), int(y + rr) + 1):
            for xx in range(int(x - rr), int(x + rr) + 1):
                if math.hypot(xx - x, yy - y) <= rr:
                    c.big(xx, yy, "#dcc68a")


def draw_mountains(c):
    for x in range(SCENE_W):
        top = int(70 + 5 * math.sin(x * 0.11) + 3 * math.sin(x * 0.31 + 1.3) + 2 * math.sin(x * 0.05 + 4))
        for y in range(top, GROUND):
            c.big(x, y, "#5a3a7e" if y == top else ("#3e2860" if y < top + 6 or (x + y) % 2 else "#352254"))


def draw_hills(c):
    hills = ((14, 100, 22), (58, 108, 28), (112, 101, 24))
    for x in range(SCENE_W):
        for y in range(60, GROUND):
            inside = [h for h in hills if math.hypot(x - h[0], (y - h[1]) * 1.25) <= h[2]]
            if not inside:
                continue
            hx, hy, hr = inside[0]
            edge = hr - math.hypot(x - hx, (y - hy) * 1.25)
            lit = x < hx
            if edge < 1.2:
                colour = "#6fd27a" if lit else "#3e9a58"
            elif edge < 3 and lit and BAYER4[y % 4][x % 4] < 8:
                colour = "#3ea85c"
            else:
                colour = "#237a4a" if BAYER4[y % 4][x % 4] < 12 - (y - 80) // 2 else "#1b5e3e"
            c.big(x, y, colour)
    # A few round trees on the hills.
    for tx, ty in ((8, 82), (44, 84), (52, 83), (106, 81), (120, 84)):
        for y in range(ty - 5, ty + 4):
            for x in range(tx - 4, tx + 5):
                d = math.hypot(x - tx, (y - ty) * 1.1)
                if d <= 4:
                    c.big(x, y, "#2f9a52" if (x - tx) + (y - ty) < -2 else "#1d6e40")
        for y in range(ty + 3, ty + 7):
            c.big(tx, y, "#5a3418")


def draw_ground(c):
    for x in range(SCENE_W):
        c.big(x, GROUND, "#a8f08a")
        c.big(x, GROUND + 1, "#5ccc5a")
        c.big(x, GROUND + 2, "#3a9a3e" if x % 3 else "#5ccc5a")
        for y in range(GROUND + 3, SCENE_H):
            tx, ty = x % 8, (y - GROUND - 3) % 6
            row = (y - GROUND - 3) // 6
            if ty == 5 or (tx == (4 if row % 2 else 0)):
                colour = "#5c3217"
            elif ty == 0 or tx == (5 if row % 2 else 1):
                colour = "#d08a4e"
            else:
                colour = "#a8642f"
            c.big(x, y, colour)


def draw_sprite(c, grid, left, top, colours):
    rows = grid.strip("\n").split("\n")
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != ".":
                c.big(left + x, top + y, colours[ch])


SPRITE_COLOURS = {
    "K": "#1a1424", "W": "#ffffff", "s": "#ffd0a0", "S": "#e0925e", "r": "#e8473d", "R": "#ff8a6a",
    "q": "#9a1f2a", "h": "#6e3a1a", "b": "#3c8dea", "B": "#8cc4ff", "n": "#1d4fa8", "y": "#ffd85a",
    "o": "#e09a1e", "t": "#6e4419", "T": "#a8713a", "P": "#d9b8ff", "p": "#9a62f0", "m": "#5a2fb0",
    "g": "#2fc93c", "G": "#b8ffb0", "c": "#7af0ff", "C": "#2bb8d8", "d": "#137a9a", "v": "#b9bbc5",
    "V": "#e6e8f0", "u": "#6b7088", "U": "#454a60",
}

HERO = """
.....KKKKK......
...KKrRRrrKK....
..KrRRrrrrrrK...
..KrRrrrrrrrqK..
.KKKKKKKKKKKKKK.
..KhhsssssshK...
..KhsWKssWKsK...
..KssWKssWKsK...
..KSsssssssSK...
...KSssqqsSK....
KK.KKSSSSKKK....
KyyKyyyyyyyKK...
.KyyyyyyyyyyoK..
..KKsbbbbbbKsK..
...KKbnbbnbKK...
....KbbbbbbK....
....KnnKKnnK....
...KtTtKKtTtK...
...KKKKK.KKKKK..
"""

CREATURE = """
..KK........KK..
.KPPK......KPPK.
.KPpK......KpPK.
..KpKKKKKKKKpK..
..KKppppppppKK..
.KppPPWWWWppppK.
KpPPWWWWWWWpppmK
KpPWWWWKKWWWppmK
KpPWWWWKKWWWppmK
KppWWWWWWWWpppmK
KpppWWWWWWppppmK
KppppppppppppmmK
.KppKKKKKKpppmK.
.KpmpmpmpmpmpmK.
..KKmKKKKKKmKK..
...KKK....KKK...
"""

GEM = """
..K..
.KcK.
KcCCK
KCCdK
.KdK.
..K..
"""


def draw_platform(c, left, top, blocks):
    for b in range(blocks):
        x0 = left + b * 8
        for y in range(top, top + 8):
            for x in range(x0, x0 + 8):
                tx, ty = x - x0, y - top
                if tx == 7 or ty == 7:
                    colour = SPRITE_COLOURS["U"]
                elif tx == 0 or ty == 0:
                    colour = SPRITE_COLOURS["V"]
                elif (tx, ty) in ((2, 2), (5, 4), (3, 5)):
                    colour = SPRITE_COLOURS["u"]
                else:
                    colour = SPRITE_COLOURS["v"]
                c.big(x, y, colour)


LOGO = {
    "K": ["###...###", "###..###.", "###.###..", "######...", "#####....", "####.....", "#####....",
          "######...", "###.###..", "###..###.", "###...###", "###...###"],
    "I": ["#########", "#########", "...###...", "...###...", "...###...", "...###...", "...###...",
          "...###...", "...###...", "...###...", "#########", "#########"],
    "V": ["###...###", "###...###", "###...###", "###...###", "###...###", "###...###", ".###.###.",
          ".###.###.", "..#####..", "..#####..", "...###...", "...###..."],
    "O": [".#######.", "#########", "###...###", "###...###", "###...###", "###...###", "###...###",
          "###...###", "###...###", "###...###", "#########", ".#######."],
}

LOGO_FACE = ["#fff7c2", "#ffe766", "#ffd23a", "#ffb52b", "#ff9122", "#f0691b", "#d9501a"]
LOGO_DEPTH = ["#b0367a", "#8a2a78", "#66236e", "#471a5c"]


def draw_logo(c, text, top, cell=4, gap=2):
    width = len(text) * 9 * cell + (len(text) - 1) * gap * cell
    left = (TITLE_W - width) // 2
    mask = set()
    for n, letter in enumerate(text):
        x0 = left + n * (9 + gap) * cell
        for gy, row in enumerate(LOGO[letter]):
            for gx, ch in enumerate(row):
                if ch == "#":
                    for dy in range(cell):
                        for dx in range(cell):
                            mask.add((x0 + gx * cell + dx, top + gy * cell + dy))
    depth = len(LOGO_DEPTH)
    solid = {(x + k, y + k) for (x, y) in mask for k in range(depth + 1)}
    outline = {(x + dx, y + dy) for (x, y) in solid for dx in (-2, -1, 0, 1, 2) for dy in (-2, -1, 0, 1, 2)
               if abs(dx) + abs(dy) <= 3}
    for x, y in outline:
        c.put(x, y, "#160a22")
    for k in range(depth, 0, -1):
        for x, y in mask:
            c.put(x + k, y + k, LOGO_DEPTH[k - 1])
    height = 12 * cell
    for x, y in mask:
        band = (y - top) * len(LOGO_FACE) // height
        colour = LOGO_FACE[band]
        if (x, y - 2) not in mask or (x - 1, y) not in mask:
            colour = "#fffdf0"  # lit upper and left edge
        elif (x, y + 2) not in mask or (x + 1, y) not in mask:
            colour = "#b8401a"  # shaded lower and right edge
        c.put(x, y, colour)
    return left, width


FONT5X7 = {
    "a": ".....|.....|.###.|....#|.####|#...#|.####",
    "f": "..##.|.#...|####.|.#...|.#...|.#...|.#...",
    "r": ".....|.....|#.##.|##..#|#....|#....|#....",
    "o": ".....|.....|.###.|#...#|#...#|#...#|.###.",
    "n": ".....|.....|####.|#...#|#...#|#...#|#...#",
    "t": ".#...|.#...|####.|.#...|.#...|.#..#|..##.",
    "-": ".....|.....|.....|.###.|.....|.....|.....",
    "e": ".....|.....|.###.|#...#|#####|#....|.###.",
    "d": "....#|....#|.####|#...#|#...#|#...#|.####",
    "Z": "#####|....#|...#.|..#..|.#...|#....|#####",
    "S": ".####|#....|#....|.###.|....#|....#|####.",
    "N": "#...#|##..#|#.#.#|#..##|#...#|#...#|#...#",
    "E": "#####|#....|#....|####.|#....|#....|#####",
    " ": ".....|.....|.....|.....|.....|.....|.....",
}


def draw_text(c, text, top, colour, shadow):
    width = len(text) * 6 - 1
    left = (TITLE_W - width) // 2
    pixels = set()
    for n, ch in enumerate(text):
        for y, row in enumerate(FONT5X7[ch].split("|")):
            for x, bit in enumerate(row):
                if bit == "#":
                    pixels.add((left + n * 6 + x, top + y))
    for x, y in pixels:
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1), (1, 1), (-1, 1), (1, -1), (-1, -1), (2, 2), (1, 2), (2, 1)):
            c.put(x + dx, y + dy, shadow)
    for x, y in pixels:
        c.put(x, y, colour)


def draw_glint(c, x, y):
    for d, colour in ((0, "#ffffff"), (1, "#ffffff"), (2, "#fff3b0"), (3, "#ffd86a")):
        for px, py in ((x + d, y), (x - d, y), (x, y + d), (x, y - d)):
            c.put(px, py, colour)


def make_title():
    c = IndexedCanvas(TITLE_W, TITLE_H)
    draw_sky(c)
    draw_stars(c)
    draw_moon(c, 14, 12, 7)
    draw_mountains(c)
    draw_hills(c)
    draw_ground(c)
    draw_platform(c, 66, 70, 3)
    for gx, gy in ((69, 61), (77, 58), (85, 61)):
        draw_sprite(c, GEM, gx, gy, SPRITE_COLOURS)
    draw_sprite(c, HERO, 20, GROUND - 19, SPRITE_COLOURS)
    draw_sprite(c, CREATURE, 94, GROUND - 16, SPRITE_COLOURS)
    left, width = draw_logo(c, "KIVO", 14)
    draw_glint(c, left + 6, 16)
    draw_glint(c, left + width - 10, 58)
    draw_text(c, "a front-end for ZSNES", 78, "#ffffff", "#160a22")
    return c


def main():
    for name, layers in ICONS.items():
        write_png(name + ".png", 16, 16, grid_icon(layers))
    write_png("volume.png", 32, 32, render(volume_layers(), 32))
    write_png("kivo.png", 64, 64, render(gamepad_layers(), 64))
    write_png("kivo-256.png", 256, 256, render(gamepad_layers(), 256))
    save("kivo.svg", svg_document(gamepad_layers()).encode())
    title = make_title()
    write_bmp8("title.bmp", TITLE_W, TITLE_H, title.pixels, title.palette)
    write_qrc()


def write_qrc():
    """Lists every drawn file under the prefix "/", so the title is ":/title.bmp" and a list
    image ":/list/0_drive.png"."""
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '  <qresource prefix="/">']
    lines += ["    <file>%s</file>" % name for name in sorted(WRITTEN)]
    lines += ["  </qresource>", "</RCC>", ""]
    with open(os.path.join(ROOT, "kivo.qrc"), "w") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
