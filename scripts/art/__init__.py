# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
"""KIVO's artwork, one module per job; scripts/make_art.py draws it all into resources/.

  image_files    PNG and 8-bit BMP writers, the record of written files and the Qt resource list
  icons          the 16 x 16 pixel-grid icons
  vector_art     the signed-distance renderer, its SVG output and the drawings it renders
  title_picture  the 256 x 223 title scene on a 256-colour canvas
"""
