#!/usr/bin/env python3
"""Draws the pictures of the settings dialogs and the attachment bar, and the
mouse pointers, from the pixel art below, with the palette and icon writer of
gen-toolbar-art.py: res/pointer-*.cur (the pointers over text), res/pointer-*.ico
(the pointer dialog's buttons), res/settings.ico (the other-settings dialog)
and res/attachfile.ico (a file the shell has no icon for).
Run it after changing the art:  python3 scripts/gen-dialog-art.py"""
import importlib.util
import os
import struct

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("toolbar_art", os.path.join(_here, "gen-toolbar-art.py"))
art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(art)

SIZE = 32

HAND = """
.....kk
....kwwk
....kwwk
....kwwk
....kwwk
....kwwkkk
....kwwkwwkkk
....kwwkwwkwwkk
.kk.kwwkwwkwwkwk
kwwkkwwkwwkwwkwwk
kwwwkwwwwwwwwwwwk
.kwwkwwwwwwwwwwwk
..kwwwwwwwwwwwwwk
..kwwwwwwwwwwwwwk
...kwwwwwwwwwwwk
...kwwwwwwwwwwwk
....kwwwwwwwwwk
....kwwwwwwwwwk
....kkkkkkkkkkk
"""

ARROW = """
k
kk
kwk
kwwk
kwwwk
kwwwwk
kwwwwwk
kwwwwwwk
kwwwwwwwk
kwwwwwwwwk
kwwwwwkkkkk
kwwkwwk
kwk.kwwk
kk..kwwk
k....kwwk
.....kwwk
......kk
"""

IBEAM = """
kkk.kkk
...k
...k
...k
...k
...k
...k
...k
...k
...k
...k
...k
...k
...k
...k
kkk.kkk
"""

# The third pointer of our own: a hand showing its middle finger.
CUSTOM = """
......kk
.....kwwk
.....kwwk
.....kwwk
.....kwwk
.....kwwk
...kkkwwkkk
..kwwkwwkwwkk
..kwwkwwkwwkwk
.kkwwkwwkwwkwwk
kwwkwwwwwwwwwwk
kwwwwwwwwwwwwwk
.kwwwwwwwwwwwwk
..kwwwwwwwwwwk
...kwwwwwwwwwk
...kwwwwwwwwk
...kwwwwwwwwk
...kkkkkkkkkk
"""


def cross():
    """A cross hair 23 pixels wide: black lines edged in white, so that it shows
    on any background; its hot spot is the middle (11, 11)."""
    n, mid = 23, 11
    grid = [["."] * n for _ in range(n)]
    for i in range(n):
        for d in (-1, 1):
            grid[mid + d][i] = "w"
            grid[i][mid + d] = "w"
    for i in range(n):
        grid[mid][i] = "k"
        grid[i][mid] = "k"
    return "\n".join("".join(r) for r in grid)


CROSS = cross()

SETTINGS = """
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwkkkwwwwwwwwk.
.kwkGkwkkkkkkwk.
.kwkkkwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwkkkwwwwwwwwk.
.kwkGkwkkkkkwwk.
.kwkkkwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwkkkwwwwwwwwk.
.kwkwkwkkkkkkwk.
.kwkkkwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
"""

ATTACH_FILE = """
................
..kkkkkkkkk..l..
..kwwwwwwwkkl.l.
..kwwwwwwwkwl.l.
..kwggggwwkkl.l.
..kwwwwwwwwwl.l.
..kwgggggggwl.l.
..kwwwwwwwwwl.l.
..kwggggggggwlk.
..kwwwwwwwwwwwk.
..kwgggggwwwwwk.
..kwwwwwwwwwwwk.
..kwwwwwwwwwwwk.
..kkkkkkkkkkkkk.
................
................
"""

# Pointer number, name, art, hot spot; numbers 0 and 3 and 4 are also cursors.
POINTERS = [
    ("hand", HAND, (5, 0), True),
    ("arrow", ARROW, (0, 0), False),
    ("ibeam", IBEAM, (3, 8), False),
    ("cross", CROSS, (11, 11), True),
    ("custom", CUSTOM, (6, 0), True),
]


def placed(picture, left=0, top=0):
    """The picture on a SIZE x SIZE field, its top-left corner at (left, top)."""
    lines = picture.strip("\n").split("\n")
    field = []
    for y in range(SIZE):
        line = lines[y - top] if 0 <= y - top < len(lines) else ""
        field.append(("." * left + line + "." * SIZE)[:SIZE])
    return "\n".join(field)


def centred(picture):
    lines = picture.strip("\n").split("\n")
    width = max(len(l) for l in lines)
    return placed(picture, (SIZE - width) // 2, (SIZE - len(lines)) // 2)


def cursor(picture, hotspot):
    """A 32 x 32 monochrome .cur: 'k' black, 'w' white, '.' transparent."""
    px = art.rows(placed(picture), SIZE)
    stride = SIZE // 8
    xor, mask = bytearray(), bytearray()
    for y in range(SIZE - 1, -1, -1):
        xbits, mbits = bytearray(stride), bytearray(stride)
        for x in range(SIZE):
            bit = 0x80 >> (x % 8)
            if px[y][x] == "w":
                xbits[x // 8] |= bit
            elif px[y][x] == ".":
                mbits[x // 8] |= bit
        xor += xbits
        mask += mbits
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    blob = info + palette + xor + mask
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(blob), 6 + 16)
    return head + entry + blob


def main():
    res = os.path.join(_here, "..", "res")

    def write(name, data):
        with open(os.path.join(res, name), "wb") as f:
            f.write(data)

    for name, picture, hotspot, is_cursor in POINTERS:
        write("pointer-%s.ico" % name, art.icon([(SIZE, centred(picture))]))
        if is_cursor:
            write("pointer-%s.cur" % name, cursor(picture, hotspot))
    write("settings.ico", art.icon([(16, SETTINGS), (32, SETTINGS)]))
    write("attachfile.ico", art.icon([(16, ATTACH_FILE), (32, ATTACH_FILE)]))


if __name__ == "__main__":
    main()
