"""Small raster toolkit for the art generator: canvases, signed-distance shapes,
a stroke font, a pixel font and writers for BMP, ICO and CUR files.

Everything is plain Python and fully deterministic, so the generated files are
byte-for-byte identical on every run and every machine.
"""

import math
import struct

# ---------------------------------------------------------------------------
# Colours


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def to8(c):
    return tuple(int(math.floor(clamp(v, 0, 255) + 0.5)) for v in c)


def vgradient(y0, c0, y1, c1):
    """Colour function for a vertical gradient between rows y0 and y1."""
    def f(x, y):
        return mix(c0, c1, clamp((y - y0) / float(y1 - y0)))
    return f


def hgradient(x0, c0, x1, c1):
    def f(x, y):
        return mix(c0, c1, clamp((x - x0) / float(x1 - x0)))
    return f


def hash01(x, y, seed=0):
    """Deterministic pseudo-random value in [0, 1) for a pixel position."""
    h = (int(x) * 374761393 + int(y) * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 65536.0


# ---------------------------------------------------------------------------
# Canvas


class Canvas:
    """RGBA canvas with float channels; alpha is 0..1 and colours are 0..255."""

    def __init__(self, w, h, fill=(0, 0, 0), alpha=1.0):
        self.w = w
        self.h = h
        self.rgb = [[list(fill) for _ in range(w)] for _ in range(h)]
        self.a = [[alpha] * w for _ in range(h)]

    def blend(self, x, y, c, cov):
        if cov <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        p = self.rgb[y][x]
        a0 = self.a[y][x]
        a = cov + a0 * (1.0 - cov)
        k0 = a0 * (1.0 - cov)
        for i in range(3):
            p[i] = (c[i] * cov + p[i] * k0) / a
        self.a[y][x] = a

    def set(self, x, y, c, a=1.0):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rgb[y][x] = list(c)
            self.a[y][x] = a

    def get(self, x, y):
        return tuple(self.rgb[y][x])

    def fill(self, color, bbox=None, opacity=1.0):
        x0, y0, x1, y1 = bbox or (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                c = color(x + 0.5, y + 0.5) if callable(color) else color
                self.blend(x, y, c, opacity)

    def paint(self, sdf, color, bbox=None, opacity=1.0, hard=False, ss=1):
        """Fills the inside (sdf < 0) of a signed-distance shape.

        Edges are anti-aliased from the distance value; `ss` adds supersampling
        for shapes whose distance field is only approximate, and `hard` turns
        anti-aliasing off (for 16-colour icons and pixel-exact panels).
        """
        x0, y0, x1, y1 = bbox or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                if hard:
                    cov = 1.0 if sdf(x + 0.5, y + 0.5) < 0 else 0.0
                elif ss == 1:
                    cov = clamp(0.5 - sdf(x + 0.5, y + 0.5))
                else:
                    cov = 0.0
                    for j in range(ss):
                        for i in range(ss):
                            cov += clamp(0.5 * ss - ss * sdf(x + (i + 0.5) / ss,
                                                                 y + (j + 0.5) / ss))
                    cov = clamp(cov / (ss * ss))
                if cov > 0.0:
                    c = color(x + 0.5, y + 0.5) if callable(color) else color
                    self.blend(x, y, c, cov * opacity)

    def draw(self, other, ox, oy):
        """Composites another canvas onto this one at (ox, oy)."""
        for y in range(other.h):
            for x in range(other.w):
                self.blend(ox + x, oy + y, other.rgb[y][x], other.a[y][x])

    def pixels8(self):
        return [[to8(self.rgb[y][x]) for x in range(self.w)] for y in range(self.h)]


# ---------------------------------------------------------------------------
# Signed-distance shapes (pixel (i, j) covers [i, i+1) x [j, j+1))


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_ellipse(cx, cy, rx, ry):
    """Approximate distance to an ellipse; good enough for anti-aliased edges."""
    def f(x, y):
        dx, dy = (x - cx) / rx, (y - cy) / ry
        k = math.hypot(dx, dy)
        if k == 0:
            return -min(rx, ry)
        g = math.hypot(dx / rx, dy / ry)
        return k * (k - 1.0) / g if g else -min(rx, ry)
    return f


def sd_rect(x0, y0, x1, y1, r=0.0):
    """Rounded rectangle spanning the continuous box [x0, x1] x [y0, y1]."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hw, hh = (x1 - x0) / 2.0, (y1 - y0) / 2.0

    def f(x, y):
        qx = abs(x - cx) - hw + r
        qy = abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def sd_segment(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    ee = ex * ex + ey * ey

    def f(x, y):
        wx, wy = x - ax, y - ay
        t = clamp((wx * ex + wy * ey) / ee) if ee else 0.0
        return math.hypot(wx - ex * t, wy - ey * t) - r
    return f


def sd_segments(segs, r):
    """Union of round-capped strokes; skips segments far from the sample point."""
    prepared = []
    for (ax, ay, bx, by) in segs:
        ex, ey = bx - ax, by - ay
        prepared.append((ax, ay, ex, ey, ex * ex + ey * ey,
                         min(ax, bx) - r - 2, max(ax, bx) + r + 2,
                         min(ay, by) - r - 2, max(ay, by) + r + 2))

    def f(x, y):
        best = 1e9
        for ax, ay, ex, ey, ee, lx, hx, ly, hy in prepared:
            if x < lx or x > hx or y < ly or y > hy:
                continue
            wx, wy = x - ax, y - ay
            t = clamp((wx * ex + wy * ey) / ee) if ee else 0.0
            d = math.hypot(wx - ex * t, wy - ey * t)
            if d < best:
                best = d
        return best - r
    return f


def sd_polygon(pts):
    n = len(pts)

    def f(x, y):
        d = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            px, py = pts[i]
            ex, ey = pts[j][0] - px, pts[j][1] - py
            wx, wy = x - px, y - py
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1 = y >= py
            c2 = y < pts[j][1]
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    return f


def sd_arc(cx, cy, radius, a0, a1, width):
    """Round-capped arc from angle a0 to a1 (radians, y pointing down)."""
    span = a1 - a0
    ends = [(cx + radius * math.cos(a), cy + radius * math.sin(a)) for a in (a0, a1)]

    def f(x, y):
        rel = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
        if rel <= span:
            d = abs(math.hypot(x - cx, y - cy) - radius)
        else:
            d = min(math.hypot(x - ex, y - ey) for ex, ey in ends)
        return d - width / 2.0
    return f


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def ring(f, width):
    return lambda x, y: abs(f(x, y)) - width / 2.0


def grow(f, d):
    return lambda x, y: f(x, y) - d


def shifted(f, dx, dy):
    return lambda x, y: f(x - dx, y - dy)


# ---------------------------------------------------------------------------
# Stroke font: capitals and a few digits drawn as round-capped polylines in a
# box one unit high (y grows downwards); widths are the advance without gaps.


def _arc_pts(cx, cy, rx, ry, a0, a1, steps=18):
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def _glyphs():
    g = {}
    g['D'] = (0.78, [[(0.0, 0.0), (0.0, 1.0)],
                     [(0.0, 0.0), (0.28, 0.0)] + _arc_pts(0.28, 0.5, 0.5, 0.5, -90, 90)
                     + [(0.0, 1.0)]])
    g['R'] = (0.72, [[(0.0, 1.0), (0.0, 0.0), (0.38, 0.0)]
                     + _arc_pts(0.38, 0.26, 0.28, 0.26, -90, 90) + [(0.0, 0.52)],
                     [(0.34, 0.52), (0.7, 1.0)]])
    g['O'] = (0.92, [_arc_pts(0.46, 0.5, 0.46, 0.5, 0, 360, 40)])
    g['0'] = (0.66, [_arc_pts(0.33, 0.5, 0.33, 0.5, 0, 360, 36)])
    g['V'] = (0.82, [[(0.0, 0.0), (0.41, 1.0), (0.82, 0.0)]])
    g['L'] = (0.6, [[(0.0, 0.0), (0.0, 1.0), (0.6, 1.0)]])
    g['U'] = (0.74, [[(0.0, 0.0), (0.0, 0.63)] + _arc_pts(0.37, 0.63, 0.37, 0.37, 180, 0)
                     + [(0.74, 0.0)]])
    g['M'] = (0.92, [[(0.0, 1.0), (0.0, 0.0), (0.46, 0.72), (0.92, 0.0), (0.92, 1.0)]])
    g['E'] = (0.6, [[(0.6, 0.0), (0.0, 0.0), (0.0, 1.0), (0.6, 1.0)],
                    [(0.0, 0.5), (0.5, 0.5)]])
    g['C'] = (0.8, [_arc_pts(0.5, 0.5, 0.5, 0.5, 318, 42, 30)])
    g['N'] = (0.76, [[(0.0, 1.0), (0.0, 0.0), (0.76, 1.0), (0.76, 0.0)]])
    g['T'] = (0.74, [[(0.0, 0.0), (0.74, 0.0)], [(0.37, 0.0), (0.37, 1.0)]])
    g['3'] = (0.62, [_arc_pts(0.3, 0.25, 0.3, 0.25, 200, 450, 16)
                     + _arc_pts(0.3, 0.75, 0.32, 0.25, 270, 520, 16)])
    g['.'] = (0.0, [[(0.0, 1.0), (0.0, 1.0)]])
    g[' '] = (0.35, [])
    return g


GLYPHS = _glyphs()


def text_segments(text, cap, stroke, tracking=0.0):
    """Segments of a line of text in text space: u along the line, v down from
    the cap line. Returns (segments, length)."""
    segs = []
    u = stroke / 2.0
    for ch in text:
        width, lines = GLYPHS[ch]
        for line in lines:
            for (p, q) in zip(line, line[1:]):
                segs.append((u + p[0] * cap, p[1] * cap, u + q[0] * cap, q[1] * cap))
        u += width * cap + stroke + tracking + cap * 0.12
    length = u - (stroke + tracking + cap * 0.12) + stroke / 2.0
    return segs, length


def text_shape(text, x, y, cap, stroke, tracking=0.0, vertical=False, align='left'):
    """Signed-distance field of a text line.

    Horizontal text has its cap line at y and starts at x ('left') or is
    centred on x ('center'). Vertical text reads bottom to top with the tops of
    the letters facing left: x is the cap line column and y the baseline end
    (or the centre for 'center'). Returns (sdf, bbox).
    """
    segs, length = text_segments(text, cap, stroke, tracking)
    off = -length / 2.0 if align == 'center' else 0.0
    out = []
    for (u0, v0, u1, v1) in segs:
        if vertical:
            out.append((x + v0, y - (u0 + off), x + v1, y - (u1 + off)))
        else:
            out.append((x + u0 + off, y + v0, x + u1 + off, y + v1))
    xs = [s[0] for s in out] + [s[2] for s in out]
    ys = [s[1] for s in out] + [s[3] for s in out]
    m = stroke + 2
    bbox = (min(xs) - m, min(ys) - m, max(xs) + m, max(ys) + m)
    return sd_segments(out, stroke / 2.0), bbox


# ---------------------------------------------------------------------------
# 3 x 5 pixel digits for tiny scale labels

DIGITS_3X5 = {
    '0': ["###", "#.#", "#.#", "#.#", "###"],
    '1': [".#", "##", ".#", ".#", ".#"],
    '5': ["###", "#..", "###", "..#", "###"],
}


def pixel_text(canvas, text, right, top, color, font=DIGITS_3X5):
    """Draws pixel-font text right-aligned so its last column is `right`."""
    widths = [len(font[ch][0]) for ch in text]
    x = right + 1 - (sum(widths) + len(text) - 1)
    for ch, w in zip(text, widths):
        for j, row in enumerate(font[ch]):
            for i, c in enumerate(row):
                if c == '#':
                    canvas.set(x + i, top + j, color)
        x += w + 1


def pixel_art(canvas, rows, left, top, colors):
    """Copies a character map onto the canvas; `colors` maps characters to
    (rgb, alpha) pairs and unlisted characters are left alone."""
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch in colors:
                c, a = colors[ch]
                canvas.blend(left + i, top + j, c, a)


# ---------------------------------------------------------------------------
# File writers


def _dib_rows(pixels, w, h, bpp, index=None):
    """Bottom-up DIB rows padded to 32 bits."""
    stride = ((w * bpp + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        if bpp == 24:
            for x in range(w):
                r, g, b = pixels[y][x]
                row += bytes((b, g, r))
        elif bpp == 32:
            for x in range(w):
                r, g, b, a = pixels[y][x]
                row += bytes((b, g, r, a))
        elif bpp == 4:
            for x in range(0, w, 2):
                hi = index[y][x]
                lo = index[y][x + 1] if x + 1 < w else 0
                row.append((hi << 4) | lo)
        elif bpp == 1:
            for x in range(0, w, 8):
                v = 0
                for k in range(8):
                    if x + k < w and index[y][x + k]:
                        v |= 0x80 >> k
                row.append(v)
        row += b'\0' * (stride - len(row))
        out += row
    return bytes(out)


def _info_header(w, h, bpp, image_size, colors=0):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, image_size,
                       2835, 2835, colors, 0)


def bmp24_bytes(canvas):
    pix = canvas.pixels8()
    data = _dib_rows(pix, canvas.w, canvas.h, 24)
    header = _info_header(canvas.w, canvas.h, 24, len(data))
    off = 14 + len(header)
    return struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off) + header + data


def median_cut(counts, size):
    """A palette of at most `size` colours for the colours counted: boxes split at the weighted median of their
    widest channel, each box standing for its weighted mean. Deterministic (sorted, no hashing)."""
    boxes = [sorted(counts.items())]
    while len(boxes) < size:
        best, best_key = None, None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spans = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
            key = (max(spans) * sum(n for _, n in box), -i)
            if best_key is None or key > best_key:
                best, best_key = i, key
        if best is None:
            break
        box = boxes.pop(best)
        spans = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
        channel = spans.index(max(spans))
        box.sort(key=lambda item: (item[0][channel], item[0]))
        half, seen, cut = sum(n for _, n in box) / 2.0, 0, 1
        for j, (_, n) in enumerate(box[:-1]):
            seen += n
            cut = j + 1
            if seen >= half:
                break
        boxes[best:best] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(sum(c[k] * n for c, n in box) / total + 0.5) for k in range(3)))
    return palette


def _rle8_row(row):
    """One row in BI_RLE8: runs of equal indices as (count, index), end of line as (0, 0)."""
    out = bytearray()
    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and row[x + run] == row[x] and run < 255:
            run += 1
        out += bytes((run, row[x]))
        x += run
    return out + b'\x00\x00'


def bmp8_rle_bytes(canvas, size=256):
    """The canvas as an 8-bit, run-length encoded bitmap with its own palette, for pictures whose colours come
    in long runs; returns (bytes, the picture as its palette shows it)."""
    pix = canvas.pixels8()
    counts = {}
    for row in pix:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    palette = median_cut(counts, size)
    nearest = {}
    for c in counts:
        nearest[c] = min(range(len(palette)),
                         key=lambda i: (sum((c[k] - palette[i][k]) ** 2 for k in range(3)), i))
    index = [[nearest[c] for c in row] for row in pix]
    data = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        data += _rle8_row(index[y])
    data += b'\x00\x01'  # end of bitmap
    colors = bytearray()
    for r, g, b in palette:
        colors += bytes((b, g, r, 0))
    header = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 8, 1, len(data), 2835, 2835, len(palette), 0)
    off = 14 + len(header) + len(colors)
    shown = [[palette[i] for i in row] for row in index]
    return struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off) + header + bytes(colors) + bytes(data), shown


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
         (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
         (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest_vga(c):
    best, bi = None, 0
    for i, p in enumerate(VGA16):
        d = sum((c[k] - p[k]) ** 2 for k in range(3))
        if best is None or d < best:
            best, bi = d, i
    return bi


def icon_image(canvas, bpp):
    """One ICO image (header, palette, XOR bitmap, AND mask) and its entry data."""
    w, h = canvas.w, canvas.h
    mask = [[1 if canvas.a[y][x] < 0.5 else 0 for x in range(w)] for y in range(h)]
    if bpp == 32:
        pix = []
        for y in range(h):
            row = []
            for x in range(w):
                a = canvas.a[y][x]
                r, g, b = to8(canvas.rgb[y][x])
                ai = int(math.floor(clamp(a) * 255 + 0.5))
                row.append((r, g, b, ai) if ai else (0, 0, 0, 0))
            pix.append(row)
        xor = _dib_rows(pix, w, h, 32)
        palette = b''
    elif bpp == 4:
        index = [[0 if mask[y][x] else nearest_vga(canvas.rgb[y][x]) for x in range(w)]
                 for y in range(h)]
        xor = _dib_rows(None, w, h, 4, index)
        palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in VGA16)
    else:
        raise ValueError(bpp)
    andm = _dib_rows(None, w, h, 1, mask)
    header = _info_header(w, h * 2, bpp, len(xor) + len(andm))
    return header + palette + xor + andm


def ico_bytes(images):
    """images: list of (canvas, bpp)."""
    blobs = [(c.w, c.h, bpp, icon_image(c, bpp)) for c, bpp in images]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    off = 6 + 16 * len(blobs)
    for w, h, bpp, blob in blobs:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 16 if bpp == 4 else 0, 0,
                           1, bpp, len(blob), off)
        off += len(blob)
    return out + b''.join(b for _, _, _, b in blobs)


def cur_bytes(rows, hotspot):
    """Monochrome 32 x 32 cursor from a character map: '#' black, 'o' white,
    anything else transparent."""
    w = h = 32
    xor = [[0] * w for _ in range(h)]
    andm = [[1] * w for _ in range(h)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == '#':
                andm[y][x] = 0
            elif ch == 'o':
                andm[y][x] = 0
                xor[y][x] = 1
    xb = _dib_rows(None, w, h, 1, xor)
    ab = _dib_rows(None, w, h, 1, andm)
    header = _info_header(w, h * 2, 1, len(xb) + len(ab))
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    blob = header + palette + xb + ab
    return (struct.pack('<HHH', 0, 2, 1)
            + struct.pack('<BBBBHHII', w, h, 0, 0, hotspot[0], hotspot[1], len(blob), 22)
            + blob)
