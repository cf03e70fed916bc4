# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
"""The title picture: 256 x 223, one 256-colour palette. The scene is drawn in "big pixels" of
2 x 2 (the chunky look of a console title screen at this size); the subtitle uses single
pixels so it stays small and crisp.
"""

import math

from .image_files import hexrgb

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
