#!/usr/bin/env python3
"""Draws the bitmaps, icons and cursors of Drovo Volume Controller.

Usage: python3 tools/art/generate_art.py [output-folder]

Without an argument the files are written to resources/ next to tools/. The
output is deterministic, so the committed files only change when the drawing
code does.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from raster import (Canvas, bmp8_rle_bytes, bmp24_bytes, clamp, cur_bytes, grow, hash01,  # noqa: E402
                    hgradient, ico_bytes, intersect, mix, pixel_art, pixel_text,
                    ring, sd_arc, sd_circle, sd_ellipse, sd_polygon, sd_rect,
                    sd_segment, shifted, text_shape, union, vgradient)

# Colours shared with the program: the read-out box and the mute check box are
# filled by code with these exact values, so the panels around them must match.
READOUT_BLUE = (49, 136, 200)
MUTE_NAVY = (32, 56, 94)

SKIN_W, SKIN_H = 66, 186
BG_TOP = (64, 92, 130)
BG_BOTTOM = (33, 52, 84)
INK_LIGHT = (214, 228, 244)
INK_SOFT = (150, 176, 208)
GROOVE_DARK = (12, 20, 34)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------------------
# Skin


def skin_background(x, y):
    c = mix(BG_TOP, BG_BOTTOM, clamp(y / float(SKIN_H - 1)))
    # A faint horizontal brush texture keeps the large flat areas from looking
    # like a plain fill without producing visible speckles.
    streak = (hash01(0, y, 7) - 0.5) * 2.2 + (hash01(x // 9, y, 3) - 0.5) * 1.2
    return tuple(v + streak for v in c)


def engrave_rect(cv, x0, y0, x1, y1, r, dark, light):
    """Recessed frame around the pixel box x0..x1, y0..y1: a dark line on the
    outside top/left and a light line on the bottom/right."""
    outer = sd_rect(x0, y0, x1 + 1, y1 + 1, r)
    edge = ring(grow(outer, -0.5), 1.0)
    cx, cy = (x0 + x1 + 1) / 2.0, (y0 + y1 + 1) / 2.0

    def col(x, y):
        k = clamp(0.5 + ((x - cx) / (x1 - x0 + 1) + (y - cy) / (y1 - y0 + 1)) * 1.6)
        return mix(dark, light, k)
    cv.paint(edge, col, (x0 - 1, y0 - 1, x1 + 2, y1 + 2))


def draw_hot_plate(cv, x0, y0, size):
    """Slightly raised rounded plate behind a clickable picture."""
    box = sd_rect(x0, y0, x0 + size, y0 + size, 3.0)
    cv.paint(shifted(box, 0.6, 0.8), (10, 18, 32), (x0 - 1, y0 - 1, x0 + size + 3, y0 + size + 3),
             opacity=0.45)
    cv.paint(box, vgradient(y0, (84, 114, 154), y0 + size, (46, 70, 106)),
             (x0, y0, x0 + size, y0 + size))
    cv.paint(ring(grow(box, -0.5), 1.0),
             lambda x, y: (150, 178, 212) if (x - x0) + (y - y0) < size else (30, 46, 72),
             (x0, y0, x0 + size, y0 + size), opacity=0.8)


def draw_mixer_glyph(cv, x0, y0):
    """Three faders of a mixing desk: opens the system volume mixer."""
    for i, knob in enumerate((7.5, 3.5, 9.5)):
        cx = x0 + 3.5 + i * 4.0
        cv.paint(sd_rect(cx - 0.5, y0 + 2, cx + 0.5, y0 + 13), (14, 24, 40))
        cv.paint(sd_rect(cx + 0.5, y0 + 2, cx + 1.0, y0 + 13), (120, 150, 190), opacity=0.5)
        ky = y0 + knob
        cv.paint(shifted(sd_rect(cx - 1.5, ky, cx + 1.5, ky + 3, 0.6), 0.5, 0.6), (8, 14, 26),
                 opacity=0.6)
        cv.paint(sd_rect(cx - 1.5, ky, cx + 1.5, ky + 3, 0.6),
                 vgradient(ky, (250, 252, 255), ky + 3, (168, 194, 226)))
        cv.paint(sd_rect(cx - 1.5, ky + 1.3, cx + 1.5, ky + 1.7), READOUT_BLUE)


def speaker_shape(ox, oy, k):
    """Speaker box and cone in a 32-unit design grid, scaled by k."""
    def p(x, y):
        return (ox + x * k, oy + y * k)
    box = sd_rect(*p(3.5, 11.5), *p(10.0, 20.5), r=0.8 * k)
    cone = sd_polygon([p(9.0, 11.5), p(17.5, 4.0), p(17.5, 28.0), p(9.0, 20.5)])
    return box, cone


def wave_shapes(ox, oy, k, count=3, width=2.4, spread=46):
    """Sound waves in front of the speaker cone; two bolder ones read better
    at small sizes than three thin ones."""
    cx, cy = ox + 17.5 * k, oy + 16.0 * k
    a = math.radians(spread)
    radii = (5.6, 10.0, 14.4) if count == 3 else (6.6, 11.6)
    return [sd_arc(cx, cy, r * k, -a, a, width * k) for r in radii[:count]]


def sprite(cv, rows, left, top, top_color=(255, 255, 255), bottom_color=(156, 184, 220)):
    """Light pixel-art glyph with a soft dark outline around it."""
    h, w = len(rows), max(len(r) for r in rows)

    def on(i, j):
        return 0 <= j < h and 0 <= i < len(rows[j]) and rows[j][i] == 'o'
    for j in range(-1, h + 1):
        for i in range(-1, w + 1):
            if not on(i, j) and any(on(i + dx, j + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                cv.blend(left + i, top + j, (16, 28, 48), 0.55)
    for j in range(h):
        for i in range(w):
            if on(i, j):
                cv.set(left + i, top + j, mix(top_color, bottom_color, j / float(max(1, h - 1))))


def draw_properties_glyph(cv, x0, y0):
    """Speaker with a small gear: opens the audio properties."""
    speaker = [
        "....o...",
        "...oo.o.",
        "ooooo..o",
        "ooooo..o",
        "ooooo..o",
        "ooooo..o",
        "...oo.o.",
        "....o...",
    ]
    sprite(cv, speaker, x0 + 1, y0 + 1)
    # At this size a gear only reads when drawn pixel by pixel.
    gear = [
        "....o....",
        ".o.ooo.o.",
        "..ooooo..",
        ".oo...oo.",
        "ooo...ooo",
        ".oo...oo.",
        "..ooooo..",
        ".o.ooo.o.",
        "....o....",
    ]
    sprite(cv, gear, x0 + 5, y0 + 5)


def draw_groove(cv, x0, x1, y0, y1):
    """Recessed vertical slot between columns x0..x1 and rows y0..y1."""
    slot = sd_rect(x0, y0, x1 + 1, y1 + 1, (x1 - x0 + 1) / 2.0)
    bb = (x0 - 1, y0 - 1, x1 + 2, y1 + 2)
    cv.paint(shifted(slot, 0.5, 0.5), (150, 180, 214), bb, opacity=0.55)
    cv.paint(slot, hgradient(x0, (4, 8, 16), x1 + 1, (28, 42, 64)), bb)
    cv.paint(sd_rect(x0 + 2.0, y0 + 2, x0 + 3.0, y1 - 1, 0.5), (52, 86, 128), bb, opacity=0.6)


LETTERS_3X5 = {
    'V': ["#.#", "#.#", "#.#", "#.#", ".#."],
    'O': [".#.", "#.#", "#.#", "#.#", ".#."],
    'L': ["#..", "#..", "#..", "#..", "###"],
    'U': ["#.#", "#.#", "#.#", "#.#", "###"],
    'M': ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    'E': ["###", "#..", "##.", "#..", "###"],
}


def vertical_pixel_text(cv, text, left, bottom, color):
    """Pixel-font text reading bottom to top, letter tops facing left."""
    u = 0
    for ch in text:
        rows = LETTERS_3X5[ch]
        for j, row in enumerate(rows):
            for i, c in enumerate(row):
                if c == '#':
                    cv.set(left + j, bottom - (u + i), color)
        u += len(rows[0]) + 1


def draw_skin():
    cv = Canvas(SKIN_W, SKIN_H)
    cv.fill(skin_background)

    # Soft sheen along the top and a darker foot, for depth.
    cv.fill(lambda x, y: (255, 255, 255), (0, 0, SKIN_W, 3), opacity=0.04)

    # Outer bevel. The window's own column 66 is white, so the right edge is a
    # light highlight that leads into it.
    outline = sd_rect(0, 0, SKIN_W + 1, SKIN_H, 3.5)
    edge = ring(grow(outline, -0.5), 1.0)

    def bevel(x, y):
        if y > SKIN_H - 2.5:
            return (14, 24, 42)
        if x > SKIN_W - 1.5:
            return (182, 200, 224)
        return (138, 166, 204)
    cv.paint(edge, bevel)
    inner = ring(grow(sd_rect(1, 1, SKIN_W, SKIN_H - 1, 2.5), -0.5), 1.0)
    cv.paint(inner, lambda x, y: (255, 255, 255) if y < SKIN_H - 3 else (0, 0, 0),
             opacity=0.10)

    # Level read-out: the program paints its box at 44..59 x 7..22; "100" can
    # run over it, so the whole panel carries the same blue.
    cv.paint(sd_rect(39, 5, 65, 25, 3.0), (20, 58, 98))
    cv.paint(sd_rect(40, 6, 64, 24, 2.0), READOUT_BLUE, hard=True)
    cv.paint(ring(grow(sd_rect(38, 4, 66, 26, 4.0), -0.5), 1.0),
             lambda x, y: (22, 34, 56) if y < 15 else (118, 146, 184), opacity=0.7)

    # Hot spots: mixer (5..21 x 4..20) and audio properties (23..39 x 16..32).
    draw_hot_plate(cv, 5, 4, 17)
    draw_mixer_glyph(cv, 6, 5)
    draw_hot_plate(cv, 23, 17, 15)
    draw_properties_glyph(cv, 23, 17)

    # Slider: groove for the knob centre (x 51, y 41..133), ticks every 10 %.
    draw_groove(cv, 49, 53, 36, 138)
    for i in range(11):
        y = int(round(41 + i * 9.2))
        major = i in (0, 5, 10)
        x0 = 42 if major else 44
        cv.paint(sd_rect(x0, y, 48, y + 1), (220, 232, 246) if major else INK_SOFT)
        cv.paint(sd_rect(x0, y + 1, 48, y + 2), (16, 26, 44), opacity=0.5)
    pixel_text(cv, "100", 40, 39, INK_LIGHT)
    pixel_text(cv, "50", 40, 85, INK_LIGHT)
    pixel_text(cv, "0", 40, 131, INK_LIGHT)

    # Loudness wedge to the right of the groove: widens towards the top.
    wedge = sd_polygon([(59.5, 41.0), (63.5, 41.0), (60.5, 134.0), (59.5, 134.0)])
    cv.paint(grow(wedge, 0.8), (14, 26, 46), (57, 38, 65, 137), opacity=0.8)
    cv.paint(wedge, vgradient(41, (120, 200, 255), 134, (36, 84, 136)), (57, 38, 65, 137), ss=3)

    # Mute panel around the check box at 45..57 x 150..162.
    cv.paint(sd_rect(29, 146, 63, 167, 3.0), (16, 28, 48))
    cv.paint(sd_rect(30, 147, 62, 166, 2.0), MUTE_NAVY, hard=True)
    cv.paint(ring(grow(sd_rect(28, 145, 64, 168, 4.0), -0.5), 1.0),
             lambda x, y: (22, 34, 56) if y < 156 else (110, 136, 172), opacity=0.7)
    speaker_off = [
        "...#.....",
        "..##.....",
        "####.#..#",
        "####..##.",
        "####..##.",
        "####.#..#",
        "..##.....",
        "...#.....",
    ]
    pixel_art(cv, speaker_off, 32, 152, {'#': (INK_LIGHT, 1.0)})

    # Left column: speaker grille and the vertical word mark.
    for j in range(14):
        for i in range(5):
            cx = 8.5 + i * 4 + (2 if j % 2 else 0)
            cy = 40.5 + j * 4
            if cx > 26:
                continue
            hole = (cx - 3, cy - 3, cx + 3, cy + 3)
            cv.paint(sd_circle(cx + 0.4, cy + 0.5, 1.25), (150, 178, 212), hole, opacity=0.45)
            cv.paint(sd_circle(cx, cy, 1.25), (8, 14, 26), hole)
    # Engraved rules framing the lettering.
    for x, c in ((29, (18, 30, 50)), (30, (112, 140, 178))):
        cv.paint(sd_rect(x, 40, x + 1, 140), c, opacity=0.8)

    word, bb = text_shape("DROVO", 7.0, 179.0, 12.0, 2.4, tracking=1.4, vertical=True)
    cv.paint(shifted(word, 0.7, 0.8), (8, 14, 26), bb, opacity=0.6)
    cv.paint(word, hgradient(7, (255, 255, 255), 19, (186, 210, 238)), bb)
    vertical_pixel_text(cv, "VOLUME", 22, 179, (120, 196, 250))
    return cv


# ---------------------------------------------------------------------------
# Knob and close button


def draw_knob():
    w, h = 15, 19
    cv = Canvas(w, h, (40, 60, 90))
    body = sd_rect(0, 0, w, h, 3.5)
    cv.paint(body, vgradient(0, (236, 242, 250), h, (150, 166, 190)))
    # Brushed metal texture.
    for y in range(h):
        for x in range(w):
            cv.blend(x, y, (255, 255, 255) if hash01(x, y, 11) > 0.5 else (0, 0, 0),
                     0.03)
    # Grip: pairs of dark grooves with a light line below each.
    for y in (5, 7, 11, 13):
        cv.paint(sd_rect(3, y, 12, y + 1), (92, 108, 134))
        cv.paint(sd_rect(3, y + 1, 12, y + 2), (255, 255, 255), opacity=0.85)
    # Level indicator line through the middle (row 9 = knob centre).
    cv.paint(sd_rect(1.5, 9, 13.5, 10), READOUT_BLUE)
    cv.paint(sd_rect(1.5, 8, 13.5, 9), (255, 255, 255), opacity=0.5)
    cv.paint(sd_rect(1.5, 10, 13.5, 11), (40, 70, 110), opacity=0.35)
    # Edge lighting: highlight top-left, shadow bottom-right, dark outline.
    edge = ring(grow(body, -0.5), 1.0)
    cv.paint(edge, lambda x, y: (255, 255, 255) if x + y < 12 else (70, 84, 108))
    inner = ring(grow(sd_rect(1, 1, w - 1, h - 1, 2.5), -0.5), 1.0)
    cv.paint(inner, lambda x, y: (255, 255, 255) if x + y < 15 else (110, 124, 148),
             opacity=0.55)
    outline = ring(body, 0.9)
    cv.paint(outline, (20, 32, 52), opacity=0.55)
    return cv


CLOSE_X, CLOSE_Y = 46, 169


def draw_close(skin):
    """Close button drawn over the skin pixels it covers, so its corners melt
    into the panel."""
    w, h = 15, 14
    cv = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            cv.set(x, y, skin.get(CLOSE_X + x, CLOSE_Y + y))
    btn = sd_rect(0.5, 0.5, w - 0.5, h - 0.5, 3.0)
    cv.paint(shifted(btn, 0.5, 0.5), (8, 14, 26), opacity=0.5)
    cv.paint(btn, vgradient(0, (96, 126, 168), h, (44, 68, 104)))
    cv.paint(ring(grow(btn, -0.5), 1.0),
             lambda x, y: (170, 196, 228) if x + y < 13 else (24, 38, 62), opacity=0.9)
    cv.paint(ring(btn, 0.8), (10, 18, 32), opacity=0.6)
    cx, cy, s = 7.5, 7.0, 2.9
    cross = union(sd_segment(cx - s, cy - s, cx + s, cy + s, 1.05),
                  sd_segment(cx - s, cy + s, cx + s, cy - s, 1.05))
    cv.paint(shifted(cross, 0.5, 0.6), (10, 18, 32), opacity=0.6)
    cv.paint(cross, (255, 255, 255))
    return cv


# ---------------------------------------------------------------------------
# Icons
#
# Each icon holds its design drawn afresh at every size the shell asks for (the small icon at 96, 120 and
# 144 DPI, the large one, the 48-pixel view), once in 32-bit colour with alpha and once in the 16 colours
# that Windows 2000 draws. The small sizes are laid out pixel by pixel (the tray picture up to 20 pixels,
# the program icon's glyph up to 24); the larger ones are drawn from shapes whose straight edges, strokes
# and wave edges sit on whole pixels, so no size is a blurred copy of another.

TRAY_SIZES = (32, 24, 20, 16)
PROGRAM_SIZES = (48, 32, 24, 20, 16)


def icon_canvas(size):
    return Canvas(size, size, (0, 0, 0), alpha=0.0)


def icon_frames(sizes, draw):
    """The frames of one icon file: the 32-bit ones, then the 16-colour ones, each from the largest down."""
    return [(draw(size, False), 32) for size in sizes] + [(draw(size, True), 4) for size in sizes]


def paint_rows(cv, rows, left, top, palette):
    """Sets the pixels of a character map to their character's colour in the palette (a colour, or a
    function of the pixel's centre); other characters leave the pixel as it is."""
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch in palette:
                x, y, c = left + i, top + j, palette[ch]
                cv.set(x, y, c(x + 0.5, y + 0.5) if callable(c) else c)


def fitted_speaker(cy, box, cone, waves=(), width=0, cross=None):
    """Speaker shapes in pixels, mirrored about the row boundary cy: the box (left edge, right edge, half
    height), the cone (front edge, half height) reaching back into the box's last column, the waves
    centred on the cone's front with their inner edges given, and the cross (centre, half size, stroke
    radius). Returns box, cone, the list of waves and the cross."""
    x0, x1, bh = box
    front, ch = cone
    body_box = sd_rect(x0, cy - bh, x1, cy + bh)
    body_cone = sd_polygon([(x1 - 1, cy - bh), (front, cy - ch), (front, cy + ch), (x1 - 1, cy + bh)])
    a = math.radians(46)
    arcs = [sd_arc(front, cy, edge + width / 2.0 - front, -a, a, width) for edge in waves]
    mark = None
    if cross:
        cx, r, t = cross
        mark = union(sd_segment(cx - r, cy - r, cx + r, cy + r, t), sd_segment(cx - r, cy + r, cx + r, cy - r, t))
    return body_box, body_cone, arcs, mark


# The free-standing speaker at the small sizes: the speaker, then what stands in front of it when sounding
# (two waves) and when muted (the cross). '#' is the outline, B the box, W the cone.
TRAY_PIXELS = {
    16: [
        "........|........|........",
        ".......#|........|........",
        "......##|...##...|........",
        ".....#W#|..#cc#..|........",
        "....#WW#|.###cc#.|.##..##.",
        "#####WW#|#cc##cc#|#rr##rr#",
        "#BBBWWW#|.#cc#cc#|.#rrrr#.",
        "#BBBWWW#|.#cc#cc#|..#rr#..",
        "#BBBWWW#|.#cc#cc#|..#rr#..",
        "#BBBWWW#|.#cc#cc#|.#rrrr#.",
        "#####WW#|#cc##cc#|#rr##rr#",
        "....#WW#|.###cc#.|.##..##.",
        ".....#W#|..#cc#..|........",
        "......##|...##...|........",
        ".......#|........|........",
        "........|........|........",
    ],
    20: [
        "..........|..........|..........",
        ".........#|..........|..........",
        "........##|..........|..........",
        ".......#W#|....##....|..........",
        "......#WW#|...#cc#...|..........",
        ".....#WWW#|....#cc#..|.##....##.",
        "#####WWWW#|..##.#cc#.|#rr#..#rr#",
        "#BBBBWWWW#|.#cc##cc#.|#rrr##rrr#",
        "#BBBBWWWW#|..#cc##cc#|.#rrrrrr#.",
        "#BBBBWWWW#|..#cc##cc#|..#rrrr#..",
        "#BBBBWWWW#|..#cc##cc#|..#rrrr#..",
        "#BBBBWWWW#|..#cc##cc#|.#rrrrrr#.",
        "#BBBBWWWW#|.#cc##cc#.|#rrr##rrr#",
        "#####WWWW#|..##.#cc#.|#rr#..#rr#",
        ".....#WWW#|....#cc#..|.##....##.",
        "......#WW#|...#cc#...|..........",
        ".......#W#|....##....|..........",
        "........##|..........|..........",
        ".........#|..........|..........",
        "..........|..........|..........",
    ],
}

# The same speaker from 24 pixels up (see fitted_speaker): waves of whole-pixel width, two outline pixels
# apart so that they stay separate arcs.
TRAY_FIT = {
    24: dict(box=(2, 6, 3), cone=(11, 9), waves=(15, 19), width=2, cross=(18, 4, 1.0)),
    32: dict(box=(4, 10, 4), cone=(17, 12), waves=(21, 27), width=4, cross=(25, 4, 1.8)),
}


def tray_palette(size, hard):
    """Colours of the free-standing speaker by part: the box blue and the cone white, both lit from above
    (split at the middle in 16 colours, a gradient in 32-bit), the waves cyan, the cross red, the outline
    black."""
    mid = size / 2.0
    if hard:
        return {'#': (0, 0, 0), 'c': (0, 255, 255), 'r': (255, 0, 0),
                'B': lambda x, y: (0, 0, 255) if y < mid else (0, 0, 128),
                'W': lambda x, y: (255, 255, 255) if y < mid else (192, 192, 192)}
    return {'#': (0, 0, 0), 'c': (24, 236, 255), 'r': (240, 28, 28),
            'B': vgradient(size * 0.3, (40, 96, 255), size * 0.7, (0, 14, 150)),
            'W': vgradient(size * 0.15, (255, 255, 255), size * 0.85, (168, 178, 196))}


def draw_tray_icon(size, hard, muted=False):
    """The free-standing speaker with sound waves, or with a bold red cross in their place when muted. A
    black outline keeps it readable on any taskbar colour."""
    cv = icon_canvas(size)
    palette = tray_palette(size, hard)
    if size in TRAY_PIXELS:
        rows = [row.split('|') for row in TRAY_PIXELS[size]]
        paint_rows(cv, [speaker + (cross if muted else waves) for speaker, waves, cross in rows], 0, 0, palette)
        return cv
    box, cone, waves, cross = fitted_speaker(size / 2, **TRAY_FIT[size])
    front = [cross] if muted else waves
    outlines = [grow(shape, 1.0) for shape in front + [union(box, cone)]]
    if not hard:
        # Only the silhouette is smoothed: drawn on whole pixels, the strokes inside stay sharp.
        cv.paint(union(*outlines), palette['#'])
    for shape in outlines:
        cv.paint(shape, palette['#'], hard=True)
    cv.paint(box, palette['B'], hard=True)
    cv.paint(cone, palette['W'], hard=True)
    for shape in front:
        cv.paint(shape, palette['r' if muted else 'c'], hard=True)
    return cv


# The glyph on the program icon's tile at the small sizes, where an outline does not fit: its left and top
# pixel and its rows (W cone, s box, c waves).
TILE_PIXELS = {
    16: (3, 4, [
        "....W...c..",
        "...WW.c..c.",
        "ssWWW..c..c",
        "ssWWW..c..c",
        "ssWWW..c..c",
        "ssWWW..c..c",
        "...WW.c..c.",
        "....W...c..",
    ]),
    20: (3, 4, [
        "......W......",
        ".....WW...c..",
        "....WWW....c.",
        "sssWWWW.c...c",
        "sssWWWW..c..c",
        "sssWWWW..c..c",
        "sssWWWW..c..c",
        "sssWWWW..c..c",
        "sssWWWW.c...c",
        "....WWW....c.",
        ".....WW...c..",
        "......W......",
    ]),
    24: (4, 5, [
        ".......W........",
        "......WW....cc..",
        ".....WWW.....cc.",
        "....WWWW......cc",
        "sssWWWWW.cc...cc",
        "sssWWWWW..cc..cc",
        "sssWWWWW..cc..cc",
        "sssWWWWW..cc..cc",
        "sssWWWWW..cc..cc",
        "sssWWWWW.cc...cc",
        "....WWWW......cc",
        ".....WWW.....cc.",
        "......WW....cc..",
        ".......W........",
    ]),
}

# The glyph on the tile from 32 pixels up (see fitted_speaker).
TILE_FIT = {
    32: dict(box=(5, 10, 3), cone=(16, 9), waves=(19, 23, 27), width=2),
    48: dict(box=(9, 16, 5), cone=(25, 14), waves=(30, 35, 40), width=3),
}


def draw_program_icon_frame(size, hard):
    """The program icon: the speaker with sound waves on a rounded blue tile; flat VGA colours and no
    anti-aliasing in 16 colours."""
    cv = icon_canvas(size)
    k = size / 32.0
    m = size // 24
    plate = sd_rect(m, m, size - m, size - m, 6.0 * k)
    if hard:
        cv.paint(plate, (0, 0, 0), hard=True)
        cv.paint(grow(plate, -1.0), (0, 0, 255), hard=True)
        cv.paint(intersect(grow(plate, -1.0), shifted(grow(plate, -1.0), 1.0, 1.0)), (0, 0, 128), hard=True)
        palette = {'W': (255, 255, 255), 's': (192, 192, 192), 'c': (0, 255, 255)}
    else:
        cv.paint(shifted(plate, 0, 0.8 * k), (0, 0, 0), opacity=0.35)
        cv.paint(plate, vgradient(m, (92, 176, 236), size - m, (18, 70, 140)))
        cv.paint(intersect(plate, sd_ellipse(16 * k, -4 * k, 22 * k, 15 * k)), (255, 255, 255), opacity=0.22)
        cv.paint(ring(grow(plate, -0.5), 1.0), (12, 40, 84), opacity=0.7)
        palette = {'W': (255, 255, 255), 's': (196, 216, 240), 'c': (220, 240, 255)}
    if size in TILE_PIXELS:
        left, top, rows = TILE_PIXELS[size]
        paint_rows(cv, rows, left, top, palette)
        return cv
    box, cone, waves, _ = fitted_speaker(size / 2, **TILE_FIT[size])
    body = union(box, cone)
    if hard:
        cv.paint(box, palette['s'], hard=True)
        cv.paint(cone, palette['W'], hard=True)
        for w in waves:
            cv.paint(w, palette['c'], hard=True)
        return cv
    # Edges on whole pixels stay sharp when coverage is taken at the pixel's centre (no supersampling); the
    # shadow falls one whole pixel straight down, so it darkens no edge sideways.
    for shape, opacity in [(body, 0.35)] + [(w, 0.3) for w in waves]:
        cv.paint(shifted(shape, 0, 1), (0, 0, 0), opacity=opacity)
    cv.paint(body, vgradient(size * 0.2, (255, 255, 255), size * 0.8, (206, 224, 244)))
    cv.paint(box, palette['s'])
    for i, w in enumerate(waves):
        cv.paint(w, (255, 255, 255), opacity=1.0 - 0.12 * i)
    return cv


# ---------------------------------------------------------------------------
# Cursors

HAND_CURSOR = [
    "      ##",
    "     #oo#",
    "     #oo#",
    "     #oo#",
    "     #oo#",
    "     #oo###",
    "     #oo#oo###",
    "     #oo#oo#oo##",
    "     #oo#oo#oo#oo#",
    " ### #oo#oo#oo#oo#",
    "#ooo##oo#oo#oo#oo#",
    "#oooo#oo#oo#oo#oo#",
    " #ooo#oooooooooooo#",
    "  #ooooooooooooooo#",
    "   #oooooooooooooo#",
    "   #oooooooooooooo#",
    "    #ooooooooooooo#",
    "    #oooooooooooo#",
    "     #ooooooooooo#",
    "     #ooooooooooo#",
    "     #############",
]
HAND_HOTSPOT = (6, 0)


def double_arrow_cursor():
    """Vertical double arrow through a small slider knob, for dragging."""
    fill = [[0] * 32 for _ in range(32)]
    cx = 8
    for i in range(6):                      # arrow heads, rows 1..6 and 25..30
        for dx in range(-i, i + 1):
            fill[1 + i][cx + dx] = 1
            fill[30 - i][cx + dx] = 1
    for y in range(7, 25):                  # shaft
        for dx in (-1, 0, 1):
            fill[y][cx + dx] = 1
    for y in range(13, 19):                 # knob
        for dx in range(-5, 6):
            fill[y][cx + dx] = 1
    rows = []
    for y in range(32):
        row = ''
        for x in range(32):
            if fill[y][x]:
                row += 'o'
            elif any(0 <= y + dy < 32 and 0 <= x + dx < 32 and fill[y + dy][x + dx]
                     for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                row += '#'
            else:
                row += ' '
        rows.append(row)
    # Grip lines across the knob.
    for y in (14, 16):
        rows[y] = rows[y][:cx - 3] + '#' * 7 + rows[y][cx + 4:]
    return rows, (cx, 15)


# ---------------------------------------------------------------------------
# About window

ABOUT_W, ABOUT_H = 441, 409
VISIBLE_W = 344
DARK_END = 266


def about_background(x, y):
    if y < DARK_END:
        t = y / float(DARK_END)
        c = mix((10, 26, 56), (24, 66, 122), clamp(t * 1.25))
        # Gentle radial glow behind the logo.
        d = math.hypot((x - 172) / 190.0, (y - 192) / 80.0)
        c = mix(c, (46, 118, 190), clamp(1.0 - d) * 0.55)
        return c
    t = (y - DARK_END) / float(ABOUT_H - DARK_END)
    return mix((252, 253, 255), (226, 235, 247), clamp(t))


def draw_about(icon48):
    cv = Canvas(ABOUT_W, ABOUT_H)
    cv.fill(about_background)

    # Faint concentric sound waves sweeping across the top band.
    for i in range(9):
        r = 70 + i * 34
        arc = sd_arc(-40, 200, r, -1.2, 1.2, 1.4)
        cv.paint(arc, (120, 190, 250), (0, 0, ABOUT_W, DARK_END), opacity=0.10 - i * 0.007)

    # Thin accent line closing the title area.
    cv.paint(sd_rect(0, 134, ABOUT_W, 135), hgradient(0, (49, 136, 200), VISIBLE_W,
                                                       (20, 50, 90)), opacity=0.7)

    # Program icon at the top left, beside the title.
    cv.draw(icon48, 8, 6)

    # Logo: round badge with a speaker and the word mark.
    bx, by, br = 58.0, 192.0, 36.0
    badge = sd_circle(bx, by, br)
    cv.paint(shifted(badge, 2, 3), (0, 0, 0), (20, 148, 110, 240), opacity=0.35)
    cv.paint(badge, vgradient(by - br, (104, 190, 246), by + br, (22, 84, 156)),
             (20, 148, 110, 240))
    cv.paint(intersect(badge, sd_ellipse(bx, by - 40, 46, 34)), WHITE,
             (20, 148, 110, 240), opacity=0.16)
    cv.paint(ring(grow(badge, -0.75), 1.5), (190, 226, 255), (20, 148, 110, 240), opacity=0.7)
    cv.paint(ring(grow(badge, 1.0), 1.4), (8, 24, 50), (20, 148, 110, 240), opacity=0.6)
    box, cone = speaker_shape(bx - 31.5, by - 26.4, 1.65)
    body = union(box, cone)
    waves = wave_shapes(bx - 31.5, by - 26.4, 1.65, width=2.6)
    area = (20, 148, 110, 240)
    cv.paint(shifted(body, 1, 1.5), (0, 20, 50), area, opacity=0.4)
    cv.paint(body, WHITE, area)
    cv.paint(box, (214, 230, 248), area)
    for i, w in enumerate(waves):
        cv.paint(shifted(w, 1, 1.5), (0, 20, 50), area, opacity=0.35)
        cv.paint(w, WHITE, area, opacity=1.0 - 0.15 * i)

    word, bb = text_shape("DROVO", 108, 170, 32, 5.6, tracking=2.0)
    cv.paint(shifted(word, 2, 3), (0, 10, 30), bb, opacity=0.45)
    cv.paint(word, vgradient(168, (255, 255, 255), 204, (176, 212, 246)), bb)
    sub, bb = text_shape("VOLUME CONTROLLER", 109, 213, 8.0, 1.5, tracking=1.75)
    cv.paint(sub, (150, 206, 250), bb)
    ver, bb = text_shape("3.0", 290, 170, 14, 2.4, tracking=0.6)
    cv.paint(ver, (120, 200, 255), bb)

    # Darker band for the small white trademark notice (y 248..260).
    band = sd_rect(0, 243, ABOUT_W, DARK_END)
    cv.paint(band, vgradient(243, (12, 30, 62), DARK_END, (8, 20, 44)), opacity=0.85)
    cv.paint(sd_rect(0, 243, ABOUT_W, 244), (70, 130, 190), opacity=0.45)
    # Glossy blue edge between the dark and the light part.
    cv.paint(sd_rect(0, DARK_END, ABOUT_W, DARK_END + 3),
             vgradient(DARK_END, (49, 136, 200), DARK_END + 3, (140, 196, 236)))
    cv.paint(sd_rect(0, DARK_END + 3, ABOUT_W, DARK_END + 6),
             vgradient(DARK_END + 3, (200, 218, 238), DARK_END + 6, (252, 253, 255)))

    # Quiet watermark of waves in the lower right corner of the light area.
    for i in range(4):
        arc = sd_arc(290, 350, 22 + i * 14, -0.8, 0.8, 4.0)
        cv.paint(arc, (49, 136, 200), (280, 280, ABOUT_W, ABOUT_H), opacity=0.07)
    return cv


# ---------------------------------------------------------------------------
# Setup: the side picture of the welcome and finish pages (164 x 314, the size those pages show)

SIDE_W, SIDE_H = 164, 314


def draw_setup_side():
    cv = Canvas(SIDE_W, SIDE_H)

    def background(x, y):
        c = mix((10, 26, 56), (24, 66, 122), clamp(y / float(SIDE_H) * 1.4))
        d = math.hypot((x - 82) / 120.0, (y - 112) / 110.0)
        return mix(c, (46, 118, 190), clamp(1.0 - d) * 0.5)
    cv.fill(background)

    # The sound waves of the About window, rising from the badge.
    for i in range(8):
        arc = sd_arc(82, 112, 52 + i * 26, -2.4, -0.74, 1.4)
        cv.paint(arc, (120, 190, 250), (0, 0, SIDE_W, SIDE_H), opacity=0.12 - i * 0.012)

    # The round badge with the speaker, as in the About window.
    bx, by, br = 82.0, 112.0, 40.0
    area = (bx - br - 8, by - br - 8, bx + br + 10, by + br + 10)
    badge = sd_circle(bx, by, br)
    cv.paint(shifted(badge, 2, 3), (0, 0, 0), area, opacity=0.35)
    cv.paint(badge, vgradient(by - br, (104, 190, 246), by + br, (22, 84, 156)), area)
    cv.paint(intersect(badge, sd_ellipse(bx, by - 44, 50, 38)), WHITE, area, opacity=0.16)
    cv.paint(ring(grow(badge, -0.75), 1.5), (190, 226, 255), area, opacity=0.7)
    cv.paint(ring(grow(badge, 1.0), 1.4), (8, 24, 50), area, opacity=0.6)
    k = 1.85
    box, cone = speaker_shape(bx - 19.1 * k, by - 16 * k, k)
    body = union(box, cone)
    cv.paint(shifted(body, 1, 1.5), (0, 20, 50), area, opacity=0.4)
    cv.paint(body, WHITE, area)
    cv.paint(box, (214, 230, 248), area)
    for i, w in enumerate(wave_shapes(bx - 19.1 * k, by - 16 * k, k, width=2.8)):
        cv.paint(shifted(w, 1, 1.5), (0, 20, 50), area, opacity=0.35)
        cv.paint(w, WHITE, area, opacity=1.0 - 0.15 * i)

    word, bb = text_shape("DROVO", 82, 184, 24, 4.4, tracking=1.6, align='center')
    cv.paint(shifted(word, 2, 3), (0, 10, 30), bb, opacity=0.45)
    cv.paint(word, vgradient(182, (255, 255, 255), 210, (176, 212, 246)), bb)
    sub, bb = text_shape("VOLUME CONTROLLER", 82, 220, 7.0, 1.3, tracking=1.4, align='center')
    cv.paint(sub, (150, 206, 250), bb)
    ver, bb = text_shape("3.0", 82, 238, 12, 2.2, tracking=0.6, align='center')
    cv.paint(ver, (120, 200, 255), bb)

    # The glossy blue edge of the About window closes the picture at the bottom.
    cv.paint(sd_rect(0, 290, SIDE_W, 293), vgradient(290, (49, 136, 200), 293, (140, 196, 236)))
    cv.paint(sd_rect(0, 293, SIDE_W, SIDE_H), vgradient(293, (200, 218, 238), SIDE_H, (252, 253, 255)))
    return cv


# ---------------------------------------------------------------------------


def build():
    """Returns {file name: bytes} for every generated resource."""
    skin = draw_skin()
    files = {
        'skin.bmp': bmp24_bytes(skin),
        'knob.bmp': bmp24_bytes(draw_knob()),
        'close.bmp': bmp24_bytes(draw_close(skin)),
        # Its colours come in long rows: 256 of them, run-length encoded, show it as drawn at a fifth of the size.
        'about.bmp': bmp8_rle_bytes(draw_about(draw_program_icon_frame(48, hard=False)))[0],
        'setup.bmp': bmp8_rle_bytes(draw_setup_side())[0],
        'kob.ico': ico_bytes(icon_frames(PROGRAM_SIZES, draw_program_icon_frame)),
        'tray_normal.ico': ico_bytes(icon_frames(TRAY_SIZES, draw_tray_icon)),
        'tray_muted.ico': ico_bytes(icon_frames(TRAY_SIZES, lambda size, hard: draw_tray_icon(size, hard, muted=True))),
        'hand.cur': cur_bytes(HAND_CURSOR, HAND_HOTSPOT),
    }
    rows, hot = double_arrow_cursor()
    files['knob.cur'] = cur_bytes(rows, hot)
    return files


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(here, '..', '..', 'resources')
    os.makedirs(out_dir, exist_ok=True)
    for name, data in sorted(build().items()):
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)
        print('wrote %s (%d bytes)' % (os.path.join(os.path.normpath(out_dir), name), len(data)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
