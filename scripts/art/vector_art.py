# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
"""Vector drawings (volume picture, program icon). Shapes are signed-distance functions in a unit
square (y down); each pixel's coverage comes from the distance at its centre, which gives smooth
edges at any size. The same shapes are written out as SVG.
"""

import math

from .image_files import hexrgb


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
