#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks what the game sent to SDL's disk audio driver (SDL_AUDIODRIVER=disk).

The game opens the device as 22050 Hz mono 16-bit, the format of its sound
files, so a sound it played stands in the output byte for byte.

    sound.py played OUTPUT WAV   exit 0 when all of WAV's samples were played
    sound.py silent OUTPUT       exit 0 when nothing but silence was played
"""

import os
import struct
import sys


def samples(wav_path):
    with open(wav_path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{wav_path} is not a WAV file")
    pos = 12
    while pos + 8 <= len(data):
        kind, size = struct.unpack("<4sI", data[pos:pos + 8])
        if kind == b"data":
            return data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    raise ValueError(f"{wav_path} has no sample data")


def main(argv):
    if len(argv) == 4 and argv[1] == "played":
        wanted = samples(argv[3])
        output = open(argv[2], "rb").read() if os.path.exists(argv[2]) else b""
        if not wanted.strip(b"\0"):
            print(f"sound.py: {argv[3]} is silent itself", file=sys.stderr)
            return 1
        if wanted not in output:
            print(f"sound.py: {argv[3]} ({len(wanted)} bytes) is not in the {len(output)} bytes played",
                  file=sys.stderr)
            return 1
        return 0
    if len(argv) == 3 and argv[1] == "silent":
        output = open(argv[2], "rb").read() if os.path.exists(argv[2]) else b""
        loud = len(output) - output.count(0)
        if loud:
            print(f"sound.py: {loud} of {len(output)} bytes played are not silence", file=sys.stderr)
            return 1
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
