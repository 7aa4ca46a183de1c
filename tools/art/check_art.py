#!/usr/bin/env python3
"""Checks the generated resources: formats the program relies on, the panel
colours under the read-out and the mute box, and that the generator still
reproduces the committed files byte for byte.

Usage: python3 tools/art/check_art.py [resources-folder]
Exits with status 1 and a message per failed check.
"""

import os
import re
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, '..', '..', 'resources'))

READOUT_BLUE = (49, 136, 200)
MUTE_NAVY = (32, 56, 94)


class Bmp:
    def __init__(self, data):
        if data[:2] != b'BM':
            raise ValueError('no BM signature')
        self.offset = struct.unpack_from('<I', data, 10)[0]
        (size, self.w, self.h, _, self.bpp, self.compression) = struct.unpack_from(
            '<IiiHHI', data, 14)
        if size != 40:
            raise ValueError('header is not a BITMAPINFOHEADER (size %d)' % size)
        self.data = data

    def pixel(self, x, y):
        stride = (self.w * 3 + 3) & ~3
        p = self.offset + (self.h - 1 - y) * stride + x * 3
        b, g, r = self.data[p:p + 3]
        return (r, g, b)


def icon_entries(data, kind):
    reserved, typ, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or typ != kind:
        raise ValueError('bad icon directory (type %d)' % typ)
    out = []
    for i in range(count):
        w, h, _, _, p1, p2, size, off = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        _, dw, dh, _, bpp = struct.unpack_from('<IiiHH', data, off)
        if dw != (w or 256) or dh != 2 * (h or 256) or off + size > len(data):
            raise ValueError('image %d does not match its directory entry' % i)
        out.append({'w': w or 256, 'h': h or 256, 'bpp': bpp, 'hotspot': (p1, p2), 'offset': off})
    return out


def read(name):
    with open(os.path.join(RES, name), 'rb') as f:
        return f.read()


def check_bitmaps():
    # The About picture is stored with 256 colours, run-length encoded (BI_RLE8 = 1).
    for name, size, form in (('skin.bmp', (66, 186), (24, 0)), ('knob.bmp', (15, 19), (24, 0)),
                             ('close.bmp', (15, 14), (24, 0)), ('about.bmp', (441, 409), (8, 1))):
        bmp = Bmp(read(name))
        got = (bmp.w, bmp.h, bmp.bpp, bmp.compression)
        assert got == size + form, '%s is %dx%d, %d bpp, compression %d' % ((name,) + got)


def rle8_pixels(bmp):
    """The rows of an 8-bit run-length encoded bitmap as colours, top row first."""
    colors = struct.unpack_from('<I', bmp.data, 46)[0] or 256
    palette = [tuple(reversed(bmp.data[54 + 4 * i:54 + 4 * i + 3])) for i in range(colors)]
    rows, row, p = [], [], bmp.offset
    while True:
        count, value = bmp.data[p], bmp.data[p + 1]
        p += 2
        if count:
            row += [palette[value]] * count
        elif value == 0:
            rows.append(row)
            row = []
        elif value == 1:
            break
        else:
            raise ValueError('escape %d is not written by the generator' % value)
    assert len(rows) == bmp.h and all(len(r) == bmp.w for r in rows), 'rows do not match the size'
    return rows[::-1]


def check_about_shows_as_drawn():
    """The 256-colour picture against the drawing in full colour: no pixel far off, almost all within 8."""
    sys.path.insert(0, HERE)
    import generate_art
    drawn = generate_art.draw_about(generate_art.draw_program_icon_frame(48, hard=False)).pixels8()
    shown = rle8_pixels(Bmp(read('about.bmp')))
    worst, total, off = 0, 0, 0
    for drawn_row, shown_row in zip(drawn, shown):
        for a, b in zip(drawn_row, shown_row):
            d = max(abs(a[k] - b[k]) for k in range(3))
            worst, total, off = max(worst, d), total + d, off + (d > 8)
    pixels = len(drawn) * len(drawn[0])
    assert worst <= 32 and total <= pixels and off * 100 <= pixels, \
        'about.bmp strays from the drawing: worst %d, mean %.2f, %d pixels beyond 8' % (worst, total / pixels, off)


def check_skin_panels():
    skin = Bmp(read('skin.bmp'))
    # Digits up to 24 pixels wide are centred on x 51.5 over the read-out box.
    for y in range(7, 23):
        for x in range(40, 64):
            assert skin.pixel(x, y) == READOUT_BLUE, \
                'skin read-out panel at (%d,%d) is %r' % (x, y, skin.pixel(x, y))
    for y in range(148, 165):
        for x in range(42, 61):
            assert skin.pixel(x, y) == MUTE_NAVY, \
                'skin mute panel at (%d,%d) is %r' % (x, y, skin.pixel(x, y))


# Each icon file: its frame sizes, 32-bit ones first and then 16-colour ones, each from the largest down, and
# the generator's drawing of a frame (size, 16 colours or not).
ICON_FRAMES = (
    ('tray_normal.ico', (32, 24, 20, 16), lambda art, size, hard: art.draw_tray_icon(size, hard)),
    ('tray_muted.ico', (32, 24, 20, 16), lambda art, size, hard: art.draw_tray_icon(size, hard, muted=True)),
    ('kob.ico', (48, 32, 24, 20, 16), lambda art, size, hard: art.draw_program_icon_frame(size, hard)),
)


def frame_pixels(data, entry):
    """One square frame's pixels, top row first, as (r, g, b, alpha, set in the AND mask)."""
    size, bpp, off = entry['w'], entry['bpp'], entry['offset']
    palette = off + struct.unpack_from('<I', data, off)[0]
    xor = palette + (64 if bpp == 4 else 0)
    stride, mask_stride = (size * bpp + 31) // 32 * 4, (size + 31) // 32 * 4
    mask = xor + stride * size
    rows = []
    for y in range(size - 1, -1, -1):
        row = []
        for x in range(size):
            clear = data[mask + y * mask_stride + x // 8] >> (7 - x % 8) & 1
            if bpp == 32:
                b, g, r, a = data[xor + y * stride + 4 * x:xor + y * stride + 4 * x + 4]
            else:
                i = data[xor + y * stride + x // 2] >> (0 if x % 2 else 4) & 15
                (b, g, r), a = data[palette + 4 * i:palette + 4 * i + 3], 0 if clear else 255
            row.append((r, g, b, a, clear))
        rows.append(row)
    return rows


def check_icons():
    """Each frame is the design as the generator draws it at that size: a scaled copy of another size or a
    picture out of step with the drawing fails. The 16-colour frames show the drawing's colours exactly."""
    sys.path.insert(0, HERE)
    import generate_art
    for name, sizes, draw in ICON_FRAMES:
        data = read(name)
        entries = icon_entries(data, 1)
        got = [(e['w'], e['h'], e['bpp']) for e in entries]
        want = [(size, size, bpp) for bpp in (32, 4) for size in sizes]
        assert got == want, '%s holds %r, expected %r' % (name, got, want)
        for entry in entries:
            drawn = draw(generate_art, entry['w'], entry['bpp'] == 4)
            colors, off = drawn.pixels8(), 0
            for y, row in enumerate(frame_pixels(data, entry)):
                for x, shown in enumerate(row):
                    a = drawn.a[y][x]
                    alpha = int(a * 255 + 0.5) if entry['bpp'] == 32 else 255 * (a >= 0.5)
                    color = colors[y][x] if alpha else (0, 0, 0)
                    off += shown != color + (alpha, int(a < 0.5))
            assert not off, '%s: the %dx%d %d-bit frame differs from the drawing in %d pixels' % (
                name, entry['w'], entry['w'], entry['bpp'], off)


def check_cursors():
    for name in ('knob.cur', 'hand.cur'):
        entries = icon_entries(read(name), 2)
        assert len(entries) == 1, '%s holds %d images' % (name, len(entries))
        e = entries[0]
        assert (e['w'], e['h'], e['bpp']) == (32, 32, 1), '%s is not 32x32 monochrome' % name
        assert e['hotspot'][0] < 32 and e['hotspot'][1] < 32, '%s hotspot outside' % name


def check_script_references():
    with open(os.path.join(RES, 'kob.rc')) as f:
        rc = f.read()
    with open(os.path.join(RES, 'ResourceIds.h')) as f:
        ids = set(re.findall(r'#define\s+(ID\w+)', f.read()))
    for ident, kind, fname in re.findall(r'^(\w+)\s+(ICON|BITMAP|CURSOR)\s+"([^"]+)"', rc, re.M):
        assert ident in ids, 'kob.rc uses %s, which ResourceIds.h does not define' % ident
        assert os.path.isfile(os.path.join(RES, fname)), 'kob.rc names missing %s' % fname
    for fname in re.findall(r'RT_MANIFEST\s+"([^"]+)"', rc):
        assert os.path.isfile(os.path.join(RES, fname)), 'kob.rc names missing %s' % fname


def check_reproducible():
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, os.path.join(HERE, 'generate_art.py'), tmp],
                       check=True, stdout=subprocess.DEVNULL)
        names = sorted(os.listdir(tmp))
        assert names, 'the generator wrote nothing'
        for name in names:
            with open(os.path.join(tmp, name), 'rb') as f:
                fresh = f.read()
            assert fresh == read(name), \
                '%s differs from a fresh run of generate_art.py; regenerate and commit' % name


CHECKS = [check_bitmaps, check_about_shows_as_drawn, check_skin_panels, check_icons, check_cursors,
          check_script_references, check_reproducible]


def main(argv):
    global RES
    if len(argv) > 1:
        RES = os.path.abspath(argv[1])
    failed = 0
    for check in CHECKS:
        try:
            check()
            print('ok   %s' % check.__name__)
        except (AssertionError, ValueError, OSError, struct.error,
                subprocess.CalledProcessError) as e:
            failed += 1
            print('FAIL %s: %s' % (check.__name__, e))
    print('check_art: %d passed, %d failed' % (len(CHECKS) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
