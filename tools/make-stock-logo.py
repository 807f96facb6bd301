#!/usr/bin/env python3
"""Draws the stock power-on logo: a bold "R57" centred on the radio's 128 x 64 display.

Writes a logo file: 8192 bytes, one per pixel, row by row from the top, 1 = dark.

    python3 tools/make-stock-logo.py [OUTPUT]   (default resources/Standard.FIF)
    python3 tools/make-stock-logo.py --show     (prints the picture instead)
"""
import pathlib
import sys

WIDTH, HEIGHT = 128, 64
SCALE = 3  # each font cell becomes a 3 x 3 block of pixels
GAP = 2    # font cells between letters

# A hand-made font of 10 x 13 cells with strokes two cells thick.
GLYPHS = {
    "R": [
        "########..",
        "#########.",
        "##.....###",
        "##......##",
        "##......##",
        "##.....###",
        "#########.",
        "########..",
        "##...###..",
        "##....###.",
        "##.....###",
        "##......##",
        "##......##",
    ],
    "5": [
        "##########",
        "##########",
        "##........",
        "##........",
        "##........",
        "########..",
        "#########.",
        ".......###",
        "........##",
        "........##",
        "##.....###",
        "#########.",
        ".#######..",
    ],
    "7": [
        "##########",
        "##########",
        ".......###",
        "......###.",
        ".....###..",
        ".....##...",
        "....###...",
        "....##....",
        "...###....",
        "...##.....",
        "...##.....",
        "...##.....",
        "...##.....",
    ],
}


def draw(text):
    rows = len(next(iter(GLYPHS.values())))
    cells_wide = sum(len(GLYPHS[c][0]) for c in text) + GAP * (len(text) - 1)
    left = (WIDTH - cells_wide * SCALE) // 2
    top = (HEIGHT - rows * SCALE) // 2
    pixels = bytearray(WIDTH * HEIGHT)
    for char in text:
        glyph = GLYPHS[char]
        for gy, line in enumerate(glyph):
            for gx, cell in enumerate(line):
                if cell != "#":
                    continue
                for dy in range(SCALE):
                    for dx in range(SCALE):
                        x = left + gx * SCALE + dx
                        y = top + gy * SCALE + dy
                        pixels[y * WIDTH + x] = 1
        left += (len(glyph[0]) + GAP) * SCALE
    return bytes(pixels)


def main(argv):
    pixels = draw("R57")
    if argv[1:2] == ["--show"]:
        for y in range(HEIGHT):
            print("".join("#" if pixels[y * WIDTH + x] else "." for x in range(WIDTH)))
        return 0
    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(argv[1]) if len(argv) > 1 else root / "resources" / "Standard.FIF"
    out.write_bytes(pixels)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
