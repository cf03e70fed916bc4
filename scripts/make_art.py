#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
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

The drawing lives in the art/ package next to this script: art/image_files.py writes the files
and the resource list, art/icons.py holds the pixel-grid icons, art/vector_art.py renders the
volume picture and the program icon (and its SVG), art/title_picture.py draws the title.
"""

import sys

sys.dont_write_bytecode = True  # running the script leaves nothing but resources/ changed

from art.icons import ICONS, grid_icon  # noqa: E402
from art.image_files import save, write_bmp8, write_png, write_qrc  # noqa: E402
from art.title_picture import TITLE_H, TITLE_W, make_title  # noqa: E402
from art.vector_art import gamepad_layers, render, svg_document, volume_layers  # noqa: E402


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


if __name__ == "__main__":
    main()
