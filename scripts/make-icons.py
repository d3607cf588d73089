#!/usr/bin/env python3
"""Draws one of the account window's row images, a small page with text lines (a file's row) or a folder (a folder's
row), at every size the list may ask for, and writes it as an icon file:
make-icons.py page|folder OUT.ico [SIZE...] (default 16 20 24 32).

Each is designed in a 16-unit square; at each size its edges and lines are put on whole pixels, a pixel
thick per 16 of the size, and the diagonal of the folded corner is smoothed over 8 x 8 samples a pixel, so that
every size is as sharp as the 16-pixel one. Nothing but the standard library is needed.
"""
import struct
import sys

OUTLINE = (90, 90, 90)
PAPER = (250, 245, 242)
TEXT = (175, 100, 40)
FOLDER_OUTLINE = (150, 105, 20)
FOLDER = (250, 205, 90)
SAMPLES = 8


def page(x, y, size):
    """The colour at a point (in pixels) of the image of that size, or None outside the page."""
    def snap(units):
        return round(units * size / 16)
    line = max(1, size // 16)
    left, right, top, bottom, fold = snap(2), snap(14), snap(1), snap(15), snap(4)
    if not (left <= x < right and top <= y < bottom):
        return None
    # The folded corner: the part above the diagonal is cut away, the diagonal itself drawn.
    corner = (x - (right - fold)) + (top + fold - y)
    if corner > fold:
        return None
    if corner > fold - line or x < left + line or x >= right - line or y >= bottom - line or y < top + line:
        return OUTLINE
    if snap(4) <= x < snap(12) and any(snap(row) <= y < snap(row) + line for row in (5, 8, 11)):
        return TEXT
    return PAPER


def folder(x, y, size):
    """The colour at a point of a folder: a tab above its left half, then the body, outlined."""
    def snap(units):
        return round(units * size / 16)
    line = max(1, size // 16)
    left, right, tab, top, bottom = snap(1), snap(15), snap(3), snap(5), snap(14)
    in_tab = left <= x < snap(7) and tab <= y < top + line
    in_body = left <= x < right and top <= y < bottom
    if not (in_tab or in_body):
        return None
    if in_tab and (y < tab + line or x < left + line or x >= snap(7) - line):
        return FOLDER_OUTLINE
    if in_body and (x < left + line or x >= right - line or y < top + line or y >= bottom - line):
        return FOLDER_OUTLINE
    return FOLDER


def image(shape, size):
    """32-bit BGRA rows, bottom row first, as an icon's bitmap stores them."""
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            covered, totals = 0, [0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shape(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES, size)
                    if colour:
                        covered += 1
                        totals = [t + c for t, c in zip(totals, colour)]
            alpha = round(255 * covered / SAMPLES ** 2)
            r, g, b = (round(t / covered) if covered else 0 for t in totals)
            row += bytes((b, g, r, alpha))
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def icon_entry(shape, size):
    pixels = image(shape, size)
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + mask_row * size, 0, 0, 0, 0)
    return header + pixels + bytes(mask_row * size)


def main():
    shape = {"page": page, "folder": folder}[sys.argv[1]]
    out = sys.argv[2]
    sizes = [int(s) for s in sys.argv[3:]] or [16, 20, 24, 32]
    entries = [icon_entry(shape, size) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, entry in zip(sizes, entries):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(entry), offset)
        offset += len(entry)
    open(out, "wb").write(data + b"".join(entries))


main()
