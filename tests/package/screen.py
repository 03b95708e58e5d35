#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks a picture of the whole screen for the game's main window.

The window fills the screen in black and shows its 640 x 480 panel in the
middle; the panel's background is the picture hg_main tiled from its top-left
corner. A screen that matches proves that the window is full screen and that
the program drew its own pictures, not just any window.

    screen.py check SCREEN HG_MAIN_PNG   exit 0 when the main window shows
    screen.py same  SCREEN_A SCREEN_B    exit 0 when both show the same pixels
    screen.py black SCREEN               exit 0 when the whole screen is black
    screen.py dark  SCREEN X Y W H       exit 0 when that rectangle is all black
    screen.py differ SCREEN_A SCREEN_B N exit 0 when at least N pixels differ
SCREEN is a PNG (a compositor's screenshot) or an XWD file (Xvfb's -fbdir).
Only the standard library is used.
"""

import struct
import sys
import zlib

PANEL_W, PANEL_H = 640, 480


class Image:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels  # pixels: list of (r, g, b)

    def at(self, x, y):
        return self.pixels[y * self.width + x]


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, palette = 8, b"", None
    width = height = depth = ctype = interlace = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(ctype)
    if depth != 8 or interlace != 0 or channels is None:
        raise ValueError(f"unsupported PNG: depth {depth}, colour type {ctype}, interlace {interlace}")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 0xFF
        elif kind == 2:
            for i in range(stride):
                line[i] = (line[i] + prev[i]) & 0xFF
        elif kind == 3:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 0xFF
        elif kind == 4:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                upleft = prev[i - channels] if i >= channels else 0
                line[i] = (line[i] + _paeth(left, prev[i], upleft)) & 0xFF
        elif kind != 0:
            raise ValueError(f"bad PNG filter {kind}")
        rows.append(line)
        prev = line
    pixels = []
    for line in rows:
        if ctype == 3:
            pixels.extend(palette[v] for v in line)
        elif ctype in (0, 4):
            pixels.extend((v, v, v) for v in line[::channels])
        else:
            pixels.extend(zip(line[0::channels], line[1::channels], line[2::channels]))
    return Image(width, height, pixels)


def read_xwd(data):
    # The header is 25 32-bit words; the X server writes them in its own byte order.
    for order in (">", "<"):
        words = struct.unpack(order + "25I", data[:100])
        if words[1] == 7:
            break
    else:
        raise ValueError("not an XWD file")
    header_size, bpp, bytes_per_line, ncolors = words[0], words[11], words[12], words[19]
    width, height, byte_order = words[4], words[5], words[7]
    masks = words[14:17]
    if bpp != 32:
        raise ValueError(f"unsupported XWD: {bpp} bits per pixel")
    pixel_order = "<" if byte_order == 0 else ">"
    start = header_size + 12 * ncolors
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    pixels = []
    for y in range(height):
        row = data[start + y * bytes_per_line:start + y * bytes_per_line + 4 * width]
        for v in struct.unpack(pixel_order + f"{width}I", row):
            pixels.append(tuple((v & m) >> s for m, s in zip(masks, shifts)))
    return Image(width, height, pixels)


def read_screen(path):
    with open(path, "rb") as f:
        data = f.read()
    return read_png(data) if data[:4] == b"\x89PNG" else read_xwd(data)


def check(screen, tile):
    """Returns a list of reasons the screen does not show the main window."""
    problems = []
    if screen.width < PANEL_W or screen.height < PANEL_H:
        return [f"screen {screen.width} x {screen.height} is smaller than the panel"]
    x0, y0 = (screen.width - PANEL_W) // 2, (screen.height - PANEL_H) // 2
    outside_lit = inside_lit = tile_match = 0
    for y in range(screen.height):
        py = y - y0
        for x in range(screen.width):
            p = screen.at(x, y)
            px = x - x0
            if 0 <= px < PANEL_W and 0 <= py < PANEL_H:
                inside_lit += p != (0, 0, 0)
                tile_match += p == tile.at(px % tile.width, py % tile.height)
            else:
                outside_lit += p != (0, 0, 0)
    area = PANEL_W * PANEL_H
    if outside_lit:
        problems.append(f"{outside_lit} pixels outside the centred panel are not black")
    # The frame, the buttons and the well cover part of the background; the
    # rest must be the tiled picture, pixel for pixel.
    if inside_lit < area // 2:
        problems.append(f"only {inside_lit} of {area} panel pixels are lit")
    if tile_match < area // 5:
        problems.append(f"only {tile_match} of {area} panel pixels show the background picture")
    print(f"screen {screen.width} x {screen.height}: {outside_lit} lit pixels outside the panel, "
          f"{inside_lit} lit and {tile_match} background pixels inside")
    return problems


def main(argv):
    if len(argv) == 4 and argv[1] == "check":
        with open(argv[3], "rb") as f:
            tile = read_png(f.read())
        problems = check(read_screen(argv[2]), tile)
        for p in problems:
            print("screen.py:", p, file=sys.stderr)
        return 1 if problems else 0
    if len(argv) == 4 and argv[1] == "same":
        a, b = read_screen(argv[2]), read_screen(argv[3])
        return 0 if (a.width, a.height, a.pixels) == (b.width, b.height, b.pixels) else 1
    if len(argv) == 7 and argv[1] == "dark":
        screen = read_screen(argv[2])
        x0, y0, w, h = (int(v) for v in argv[3:7])
        return 0 if all(screen.at(x, y) == (0, 0, 0) for y in range(y0, y0 + h) for x in range(x0, x0 + w)) else 1
    if len(argv) == 5 and argv[1] == "differ":
        a, b = read_screen(argv[2]), read_screen(argv[3])
        if (a.width, a.height) != (b.width, b.height):
            return 0
        changed = sum(p != q for p, q in zip(a.pixels, b.pixels))
        print(f"{changed} pixels differ")
        return 0 if changed >= int(argv[4]) else 1
    if len(argv) == 3 and argv[1] == "black":
        return 0 if all(p == (0, 0, 0) for p in read_screen(argv[2]).pixels) else 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
