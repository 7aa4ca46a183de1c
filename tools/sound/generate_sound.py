#!/usr/bin/env python3
"""Synthesises POURING.WAV, the "Test Sound" of Drovo Volume Controller:
about 1.5 s of water poured into a glass.

Usage: python3 tools/sound/generate_sound.py [output-folder]

Without an argument the file is written to resources/ next to tools/. Only
seeded random(), basic float arithmetic and sqrt are used (all exactly
defined; libm's sin/exp/pow are not), so every machine writes the same bytes.
"""

import math
import os
import random
import struct
import sys

RATE = 22050
SECONDS = 1.5
PEAK = 0.708 * 32767         # -3 dBFS
TWO_PI = 2.0 * math.pi


def sine(x):
    # Own Taylor series: libm's sin may differ in the last bit between systems.
    x -= TWO_PI * math.floor(x / TWO_PI + 0.5)           # now in [-pi, pi]
    if x > math.pi / 2:
        x = math.pi - x
    elif x < -math.pi / 2:
        x = -math.pi - x
    x2, term, total = x * x, x, x
    for n in range(3, 16, 2):
        term *= -x2 / ((n - 1) * n)
        total += term
    return total


def smoothstep(x):
    x = min(max(x, 0.0), 1.0)
    return x * x * (3.0 - 2.0 * x)


def add_bubbles(out, rng):
    """Bubbles ring as damped sines whose pitch rises while they reach the
    surface; the whole set drifts upwards as the air column above shortens."""
    n = len(out)
    t = 0.02
    while t < SECONDS - 0.1:
        fill = t / SECONDS
        u = rng.random()
        freq = (450.0 + 1100.0 * u * u) * (1.0 + 0.55 * fill)
        # Damping of a real bubble grows with its pitch; kept a little longer
        # than nature so the blips sound round rather than clicky.
        decay = 0.7 * (0.043 * freq + 0.0014 * freq * math.sqrt(freq))
        rise = (0.1 + 0.2 * rng.random()) * decay        # relative pitch rise per second
        amp = (0.25 + 0.75 * rng.random()) * math.sqrt(600.0 / freq)
        keep = 1.0 - decay / RATE                        # per-sample envelope factor
        start = int(t * RATE)
        length = min(int(6.0 / decay * RATE), n - start)
        phase, env = 0.0, amp
        for i in range(length):
            attack = min(1.0, i / (0.001 * RATE))        # 1 ms: no click at onset
            out[start + i] += env * attack * sine(phase)
            phase += TWO_PI * freq * (1.0 + rise * i / RATE) / RATE
            env *= keep
        t += 0.006 + 0.034 * rng.random()               # about 43 per second


def add_stream(out, rng):
    """Soft hiss of the falling stream, plus a faint resonance of the glass
    whose pitch climbs as it fills."""
    n = len(out)
    low = 0.0
    y1 = y2 = 0.0
    for i in range(n):
        white = 2.0 * rng.random() - 1.0
        low += 0.35 * (white - low)                      # dull the hiss
        centre = 550.0 + 450.0 * i / n
        w = TWO_PI * centre / RATE
        r = 0.985
        y = white * (1.0 - r) + 2.0 * r * sine(w + math.pi / 2) * y1 - r * r * y2
        y2, y1 = y1, y
        out[i] += 0.07 * low + 0.2 * y


def synthesise():
    n = int(SECONDS * RATE)
    out = [0.0] * n
    add_bubbles(out, random.Random(1958))
    add_stream(out, random.Random(2024))
    mean = sum(out) / n
    for i in range(n):
        t = i / RATE
        fade = smoothstep(t / 0.08) * smoothstep((SECONDS - t) / 0.3)
        out[i] = (out[i] - mean) * fade
    scale = PEAK / max(abs(v) for v in out)
    return [max(-32768, min(32767, int(math.floor(v * scale + 0.5)))) for v in out]


def wav_bytes(samples):
    data = struct.pack('<%dh' % len(samples), *samples)
    fmt = struct.pack('<HHIIHH', 1, 1, RATE, RATE * 2, 2, 16)
    return (b'RIFF' + struct.pack('<I', 36 + len(data)) + b'WAVE'
            + b'fmt ' + struct.pack('<I', len(fmt)) + fmt
            + b'data' + struct.pack('<I', len(data)) + data)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, '..', '..', 'resources')
    os.makedirs(folder, exist_ok=True)
    path = os.path.normpath(os.path.join(folder, 'POURING.WAV'))
    with open(path, 'wb') as f:
        f.write(wav_bytes(synthesise()))
    print('wrote %s' % path)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
