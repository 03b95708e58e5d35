#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads a Wayland client's protocol log (WAYLAND_DEBUG=1) and tells which of
its windows the compositor has given the keyboard.

    focus.py LOG           prints the title of the window with the keyboard
                           (nothing when no window of the client has it)
    focus.py LOG TITLE     exit 0 when the window of that title has it
    focus.py --parents LOG prints, for every window the client made, its title
                           and the title its parent had when it was set, tab-separated

The log names surfaces, not windows: a window is the xdg toplevel made for a
surface, and its title is the last one the client set. Object ids are reused
once destroyed, so the log is read in order.
"""

import re
import sys

REQUEST = re.compile(r"\s->\s(\w+)@(\d+)\.(\w+)\((.*)\)\s*$")
EVENT = re.compile(r"\]\s(\w+)@(\d+)\.(\w+)\((.*)\)\s*$")


def read(lines):
    """Returns the title of the window with the keyboard, and the list of
    (title, parent title) of every window the client made, in order."""
    surface_of_xdg = {}  # xdg_surface id -> wl_surface id
    surface_of_toplevel = {}  # xdg_toplevel id -> wl_surface id
    title = {}  # xdg_toplevel id -> title
    parent = {}  # xdg_toplevel id -> title of its parent when set
    windows = []  # (title, parent title) of the toplevels already destroyed
    focused = None  # wl_surface id with the keyboard
    for line in lines:
        m = REQUEST.search(line)
        if m:
            kind, oid, verb, args = m.group(1), m.group(2), m.group(3), m.group(4)
            if kind == "xdg_wm_base" and verb == "get_xdg_surface":
                ids = re.findall(r"(?:xdg_surface|wl_surface)@(\d+)", args)
                if len(ids) == 2:
                    surface_of_xdg[ids[0]] = ids[1]
            elif kind == "xdg_surface" and verb == "get_toplevel":
                new = re.search(r"xdg_toplevel@(\d+)", args)
                if new and oid in surface_of_xdg:
                    surface_of_toplevel[new.group(1)] = surface_of_xdg[oid]
                    title[new.group(1)] = ""
            elif kind == "xdg_toplevel" and verb == "set_title":
                t = re.match(r'"(.*)"$', args)
                title[oid] = t.group(1) if t else ""
            elif kind == "xdg_toplevel" and verb == "set_parent":
                p = re.search(r"xdg_toplevel@(\d+)", args)
                parent[oid] = title.get(p.group(1), "") if p else None
            elif kind == "xdg_toplevel" and verb == "destroy":
                windows.append((title.get(oid, ""), parent.pop(oid, None)))
                surface_of_toplevel.pop(oid, None)
                title.pop(oid, None)
            elif kind == "xdg_surface" and verb == "destroy":
                surface_of_xdg.pop(oid, None)
            elif kind == "wl_surface" and verb == "destroy" and focused == oid:
                focused = None
            continue
        m = EVENT.search(line)
        if m and m.group(1) == "wl_keyboard":
            verb, args = m.group(3), m.group(4)
            if verb == "enter":
                s = re.search(r"wl_surface@(\d+)", args)
                focused = s.group(1) if s else None
            elif verb == "leave":
                focused = None
    windows += [(title.get(t, ""), parent.get(t)) for t in surface_of_toplevel]
    now = None
    for toplevel, surface in surface_of_toplevel.items():
        if focused is not None and surface == focused:
            now = title.get(toplevel, "")
    return now, windows


def main(argv):
    if len(argv) == 3 and argv[1] == "--parents":
        with open(argv[2], encoding="utf-8", errors="replace") as log:
            for child, owner in read(log)[1]:
                print(f"{child}\t{owner if owner is not None else ''}")
        return 0
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8", errors="replace") as log:
        now = read(log)[0]
    if len(argv) == 2:
        print(now or "")
        return 0
    return 0 if now == argv[2] else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
