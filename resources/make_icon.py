#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT
"""Draws the window icon, "3x+1" in black on a white band between two red bands,
as 24-bit PNG files at 32, 64, 128, 192 and 512 pixels (the last two for the page
installed as an app). Run from this folder; the output is the same every time."""

import struct
import zlib

RED = (200, 16, 32)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# Glyphs on the 32-pixel grid; the larger icons scale every pixel up.
GLYPHS = {
    "3": [".####.",
          "##..##",
          "....##",
          "...##.",
          "..###.",
          "....##",
          "....##",
          "##..##",
          ".####."],
    "x": ["......",
          "......",
          "##..##",
          "##..##",
          ".####.",
          "..##..",
          ".####.",
          "##..##",
          "##..##"],
    "+": ["......",
          "..##..",
          "..##..",
          "######",
          "######",
          "..##..",
          "..##..",
          "......",
          "......"],
    "1": ["..##..",
          ".###..",
          "####..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "######"],
}


def icon32():
    pixels = [[RED] * 32 for _ in range(32)]
    for y in range(8, 24):
        pixels[y] = [WHITE] * 32
    text = "3x+1"
    width = len(text) * 6 + (len(text) - 1) * 2
    left = (32 - width) // 2
    top = 8 + (16 - 9) // 2
    for index, char in enumerate(text):
        for row, bits in enumerate(GLYPHS[char]):
            for column, bit in enumerate(bits):
                if bit == "#":
                    pixels[top + row][left + index * 8 + column] = BLACK
    return pixels


def png(pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def scaled(pixels, factor):
    return [[p for p in row for _ in range(factor)] for row in pixels for _ in range(factor)]


if __name__ == "__main__":
    base = icon32()
    for size in (32, 64, 128, 192, 512):
        with open(f"collatz-{size}.png", "wb") as out:
            out.write(png(scaled(base, size // 32)))
