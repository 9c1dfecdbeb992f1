#!/usr/bin/env python3
"""Draws the program icon: a printer with a sheet of flag boxes coming out of
it, at 32x32 and 16x16 in the 16 standard colours. Writes res/vavezav.ico.

    python3 scripts/make-icon.py [output.ico]
"""
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, LIME, BLUE, WHITE = 0, 4, 7, 8, 10, 12, 15
CLEAR = None  # transparent: the AND mask shows the background


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, edge, inside):
        self.fill(x0, y0, x1, y1, edge)
        if x1 - x0 >= 2 and y1 - y0 >= 2:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)


def draw_large():
    c = Canvas(32)
    # The sheet, with a grid of flag boxes, some of them set.
    c.frame(7, 1, 24, 17, BLACK, WHITE)
    for row in range(3):
        for col in range(4):
            x, y = 9 + col * 4, 3 + row * 4
            c.frame(x, y, x + 2, y + 2, GREY, WHITE)
            if (row * 4 + col) % 3 != 1:
                c.pixels[y + 1][x + 1] = BLUE
    # The printer body over the lower part of the sheet.
    c.frame(1, 14, 30, 27, BLACK, SILVER)
    c.fill(2, 25, 29, 26, GREY)
    c.fill(5, 18, 26, 19, BLACK)  # paper slot
    c.fill(5, 20, 26, 20, GREY)
    c.fill(25, 22, 26, 23, LIME)  # power light
    c.fill(3, 28, 28, 29, GREY)   # feet shadow
    c.pixels[28][2] = CLEAR
    return c


def draw_small():
    c = Canvas(16)
    c.frame(3, 0, 12, 9, BLACK, WHITE)
    for col in range(3):
        x = 4 + col * 3
        c.frame(x, 2, x + 1, 3, NAVY if col != 1 else GREY, WHITE if col == 1 else BLUE)
    c.frame(0, 7, 15, 13, BLACK, SILVER)
    c.fill(2, 9, 13, 9, BLACK)
    c.fill(1, 12, 14, 12, GREY)
    c.pixels[10][13] = LIME
    c.fill(1, 14, 14, 14, GREY)
    return c


def row_bytes(bits_per_pixel, size):
    return ((size * bits_per_pixel + 31) // 32) * 4


def encode_image(canvas):
    n = canvas.size
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(n)):  # bottom-up rows
        line = bytearray(row_bytes(4, n))
        bits = bytearray(row_bytes(1, n))
        for x in range(n):
            colour = canvas.pixels[y][x]
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                colour = BLACK
            line[x // 2] |= colour << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def encode_icon(canvases):
    images = [encode_image(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack('<BBBBHHII', canvas.size, canvas.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'res', 'vavezav.ico')
    with open(path, 'wb') as f:
        f.write(encode_icon([draw_large(), draw_small()]))
    print(path)


if __name__ == '__main__':
    main()
