# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
"""Writes the drawn pictures into resources/ as PNG and 8-bit BMP files, and the Qt resource
list that names them.

Every file goes through save(), which records its path, so write_qrc() lists exactly what was
drawn. Colours are given as "#rrggbb" text throughout; hexrgb() turns one into an (r, g, b) tuple.
"""

import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")


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


def write_qrc():
    """Lists every drawn file under the prefix "/", so the title is ":/title.bmp" and a list
    image ":/list/0_drive.png"."""
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '  <qresource prefix="/">']
    lines += ["    <file>%s</file>" % name for name in sorted(WRITTEN)]
    lines += ["  </qresource>", "</RCC>", ""]
    with open(os.path.join(ROOT, "kivo.qrc"), "w") as out:
        out.write("\n".join(lines))
