#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks the enlarged game screen on a picture of the screen taken by xwd -root.

    scaled_screen.py panel SCREEN K          the lit part of the screen is one
                                             640K x 480K rectangle in the middle
    scaled_screen.py same ONE SCREEN K       the panel of SCREEN is the panel of
                                             ONE (drawn at 1x) with every pixel a
                                             K x K block, exactly
    scaled_screen.py window SCREEN X Y W H   exit 0 when that rectangle is lit
                                             (not all black)
    scaled_screen.py shows SCREEN WINDOW X Y  the window's own picture (xwd -id)
                                             is what the screen shows at X, Y,
                                             and it is a picture, not a flat fill

Rows are compared as bytes, so a 3840 x 2160 screen takes a second, not minutes.
"""

import struct
import sys

PANEL_W, PANEL_H = 640, 480


def read_xwd(path):
    """Width, height and one bytes object per row, 4 bytes a pixel, the unused byte zeroed."""
    with open(path, "rb") as f:
        data = f.read()
    for order in (">", "<"):
        words = struct.unpack(order + "25I", data[:100])
        if words[1] == 7:
            break
    else:
        raise ValueError("not an XWD file")
    header, width, height, byte_order, bpp, stride, ncolors = (
        words[0], words[4], words[5], words[7], words[11], words[12], words[19])
    if bpp != 32:
        raise ValueError(f"unsupported XWD: {bpp} bits per pixel")
    used = words[14] | words[15] | words[16]
    unused_bit = next(b for b in range(0, 32, 8) if not used & (0xFF << b))
    unused = unused_bit // 8 if byte_order == 0 else 3 - unused_bit // 8
    start = header + 12 * ncolors
    zero = bytes(width)
    rows = []
    for y in range(height):
        row = bytearray(data[start + y * stride:start + y * stride + 4 * width])
        row[unused::4] = zero
        rows.append(bytes(row))
    return width, height, rows


def lit_box(width, rows):
    """(left, top, right, bottom), exclusive, of the pixels that are not black."""
    left, right, top, bottom = width, 0, None, None
    for y, row in enumerate(rows):
        lead = len(row) - len(row.lstrip(b"\0"))
        if lead == len(row):
            continue
        trail = len(row) - len(row.rstrip(b"\0"))
        left, right = min(left, lead // 4), max(right, (len(row) - trail + 3) // 4)
        top = y if top is None else top
        bottom = y + 1
    return None if top is None else (left, top, right, bottom)


def panel(path, k):
    width, height, rows = read_xwd(path)
    box = lit_box(width, rows)
    if box is None:
        return ["the screen is all black"]
    left, top, right, bottom = box
    print(f"{path}: screen {width} x {height}, lit {right - left} x {bottom - top} at ({left}, {top})")
    problems = []
    if (right - left, bottom - top) != (PANEL_W * k, PANEL_H * k):
        problems.append(f"the panel is {right - left} x {bottom - top}, not {PANEL_W * k} x {PANEL_H * k}")
    # Centred to within one game pixel: the toolkit places windows in whole game pixels.
    for name, start, free in (("left", left, width - PANEL_W * k), ("top", top, height - PANEL_H * k)):
        if abs(2 * start - free) >= 2 * k:
            problems.append(f"the panel's {name} edge is at {start}, not centred ({free / 2})")
    return problems


def same(one_path, path, k):
    w1, _, rows1 = read_xwd(one_path)
    w, _, rows = read_xwd(path)
    box1, box = lit_box(w1, rows1), lit_box(w, rows)
    if box1 is None or box is None:
        return ["a screen is all black"]
    x1, y1, x, y = box1[0], box1[1], box[0], box[1]
    problems = []
    for py in range(PANEL_H):
        src = rows1[y1 + py][4 * x1:4 * (x1 + PANEL_W)]
        wide = b"".join(src[i:i + 4] * k for i in range(0, len(src), 4))
        for dy in range(k):
            got = rows[y + k * py + dy][4 * x:4 * x + len(wide)]
            if got != wide:
                px = next(i for i in range(0, len(wide), 4) if got[i:i + 4] != wide[i:i + 4]) // 4
                problems.append(f"device pixel ({px}, {k * py + dy}) of the panel is not game pixel "
                                f"({px // k}, {py}) enlarged")
                break
        if len(problems) >= 5:
            break
    return problems


def shows(screen_path, window_path, x, y):
    """The screen at (x, y) holds the window's picture: nine in ten pixels alike, many colours."""
    _, _, screen = read_xwd(screen_path)
    w, h, window = read_xwd(window_path)
    alike = sum(a == b for r in range(h) for a, b in zip(
        struct.iter_unpack("I", window[r]), struct.iter_unpack("I", screen[y + r][4 * x:4 * (x + w)])))
    colours = {screen[y + r][i:i + 4] for r in range(h) for i in range(4 * x, 4 * (x + w), 4)}
    problems = []
    if alike * 10 < w * h * 9:
        problems.append(f"only {alike} of {w * h} pixels on the screen are the window's")
    if len(colours) < 50:
        problems.append(f"the screen shows {len(colours)} colours there, a flat fill")
    return problems


def main(argv):
    if len(argv) == 4 and argv[1] == "panel":
        problems = panel(argv[2], int(argv[3]))
    elif len(argv) == 5 and argv[1] == "same":
        problems = same(argv[2], argv[3], int(argv[4]))
    elif len(argv) == 7 and argv[1] == "window":
        width, _, rows = read_xwd(argv[2])
        x, y, w, h = (int(v) for v in argv[3:7])
        lit = any(rows[r][4 * x:4 * (x + w)].strip(b"\0") for r in range(y, y + h))
        problems = [] if lit else ["the rectangle is all black"]
    elif len(argv) == 6 and argv[1] == "shows":
        problems = shows(argv[2], argv[3], int(argv[4]), int(argv[5]))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    for p in problems:
        print("scaled_screen.py:", p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
