#!/usr/bin/env python3
"""Checks resources/POURING.WAV: a plain PCM wave that the "Test Sound" menu
item can play anywhere, short and small, and still exactly what
generate_sound.py writes.

Usage: python3 tools/sound/check_sound.py [resources-folder]
Exits with status 1 and a message on the first failed check.
"""

import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
NAME = 'POURING.WAV'


def check(folder):
    path = os.path.join(folder, NAME)
    with open(path, 'rb') as f:
        data = f.read()
    if len(data) >= 100000:
        raise ValueError('%d bytes, must stay under 100000' % len(data))
    if data[:4] != b'RIFF' or data[8:12] != b'WAVE':
        raise ValueError('not a RIFF/WAVE file')
    chunks, pos = {}, 12
    while pos + 8 <= len(data):
        cid, size = struct.unpack_from('<4sI', data, pos)
        chunks.setdefault(cid, data[pos + 8:pos + 8 + size])
        pos += 8 + size + (size & 1)                 # chunks are word aligned
    if b'fmt ' not in chunks or b'data' not in chunks:
        raise ValueError('missing fmt or data chunk')
    tag, channels, rate, _, align, bits = struct.unpack_from('<HHIIHH', chunks[b'fmt '])
    if tag != 1:
        raise ValueError('format tag %d, expected 1 (PCM)' % tag)
    if channels not in (1, 2) or bits not in (8, 16) or align != channels * bits // 8:
        raise ValueError('%d channel(s), %d bit, block %d: expected mono or stereo, 8 or 16 bit'
                         % (channels, bits, align))
    if rate == 0:
        raise ValueError('sample rate is 0')
    seconds = len(chunks[b'data']) / float(align * rate)
    if not 1.0 <= seconds <= 2.0:
        raise ValueError('lasts %.3f s, expected 1.0 to 2.0 s' % seconds)
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, os.path.join(HERE, 'generate_sound.py'), tmp],
                       check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(tmp, NAME), 'rb') as f:
            if f.read() != data:
                raise ValueError('differs from what generate_sound.py writes now')
    return 'PCM %s, %d Hz, %d bit, %.3f s, %d bytes' % (
        'mono' if channels == 1 else 'stereo', rate, bits, seconds, len(data))


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(HERE, '..', '..', 'resources')
    try:
        summary = check(folder)
    except (OSError, ValueError, struct.error, subprocess.CalledProcessError) as e:
        print('check_sound: FAIL %s: %s' % (NAME, e))
        return 1
    print('check_sound: ok %s: %s' % (NAME, summary))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
