#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon, lev1.ico: one 32 x 32 image, 8 bits per pixel, 256-colour palette.
A white flash card with a dark blue "V" over the green, white and red of the Italian flag.
Also writes the same picture as PNG, at 32 x 32 and scaled up pixel for pixel, for the desktop's
icon theme (icons/vocarta-SIZE.png)."""
import os
import struct
import zlib

W = H = 32
palette = [(0, 0, 0)] * 256
colours = {'.': 0, 'w': 1, 'b': 2, 'g': 3, 'r': 4, 'k': 5, 's': 6}
palette[1] = (255, 255, 255)   # card
palette[2] = (30, 60, 150)     # letter
palette[3] = (0, 146, 70)      # green
palette[4] = (206, 43, 55)     # red
palette[5] = (70, 70, 80)      # card edge
palette[6] = (235, 235, 240)   # white stripe, a shade off the card

def pixel(x, y):
    if x < 2 or x > 29 or y < 4 or y > 27:
        return '.'
    corner = (x in (2, 29)) and (y in (4, 27))
    if corner:
        return '.'
    if x in (2, 29) or y in (4, 27):
        return 'k'
    if 21 <= y <= 26:
        return 'g' if x < 12 else ('s' if x < 20 else 'r')
    # the "V": two strokes meeting at the bottom centre
    t = (y - 7) / 12.0
    if 0 <= t <= 1:
        left = 8 + t * 7
        right = 23 - t * 7
        if abs(x - left) < 1.6 or abs(x - right) < 1.6:
            return 'b'
    return 'w'

rows = [[colours[pixel(x, y)] for x in range(W)] for y in range(H)]
xor = b''.join(bytes(rows[y]) for y in reversed(range(H)))
mask = b''
for y in reversed(range(H)):
    bits = 0
    for x in range(W):
        bits = (bits << 1) | (1 if pixel(x, y) == '.' else 0)
    mask += struct.pack('>I', bits)
header = struct.pack('<IiiHHIIiiII', 40, W, H * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
image = header + pal + xor + mask
icondir = struct.pack('<HHH', 0, 1, 1)
entry = struct.pack('<BBBBHHII', W, H, 0, 0, 1, 8, len(image), 6 + 16)
open('lev1.ico', 'wb').write(icondir + entry + image)


def png(size):
    scale = size // W
    raw = b''
    for y in range(size):
        raw += b'\0'
        for x in range(size):
            c = pixel(x // scale, y // scale)
            r, g, b = palette[colours[c]]
            raw += bytes((r, g, b, 0 if c == '.' else 255))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')

os.makedirs('icons', exist_ok=True)
for size in (32, 64, 128, 256):
    open(f'icons/vocarta-{size}.png', 'wb').write(png(size))
