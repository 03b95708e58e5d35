#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# The game enlarged on screens of four sizes, each under its own Xvfb with
# openbox: the panel fills 640k x 480k pixels in the middle with black around
# it, its pictures are the 1x ones with every pixel a k x k block, the five
# buttons answer clicks at their enlarged places, the about box and the name
# entry are k times their size, and a game played with keys ends in the name
# entry whose name reaches the highscore file.
#
# Usage: scale.sh <path of the norvane program>
# Exit 77 (reported as skipped) when a tool is missing.
set -uo pipefail

programm=${1:?path of the program}
hier=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb openbox wmctrl xdotool xwd xwininfo python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs xvfb openbox wmctrl xdotool x11-apps)"
    exit 77
  fi
done
source "$hier/../lib/wait.sh"

arbeit=$(mktemp -d)
x_pid="" ob_pid="" game_pid="" eins_pid=""
ende() {
  for pid in "$eins_pid" "$game_pid" "$ob_pid" "$x_pid"; do stop_process "$pid"; done
  rm -rf "$arbeit"
}
trap ende EXIT

failed=0
expect() {  # what, command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else
    echo "FAILED: $what"
    failed=1
  fi
}

# A server of the given size with openbox on it.
server() {  # WIDTHxHEIGHT
  : >"$arbeit/nummer"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$arbeit/nummer" 2>"$arbeit/x.log" &
  x_pid=$!
  within 20 test -s "$arbeit/nummer" || return 1
  export DISPLAY=":$(head -n1 "$arbeit/nummer")"
  openbox --sm-disable >"$arbeit/openbox.log" 2>&1 &
  ob_pid=$!
  within 30 wmctrl -m
}
server_weg() {
  stop_process "$game_pid"
  stop_process "$ob_pid"
  stop_process "$x_pid"
  game_pid="" ob_pid="" x_pid=""
}

shown() { wmctrl -l 2>/dev/null | cut -d' ' -f5- | grep -Fxq -- "$1"; }
gone() { ! shown "$1"; }
running() { kill -0 "$game_pid" 2>/dev/null; }
# The screen as the server holds it, without the pointer (which Xvfb's own file would show).
snap() { xwd -root -silent -out "$arbeit/$1.xwd"; }
panel_ok() {  # k: the screen shows the enlarged panel and nothing else
  snap jetzt && python3 "$hier/scaled_screen.py" panel "$arbeit/jetzt.xwd" "$1" >/dev/null 2>&1
}
# Client rectangle of a window by its exact title: "x y width height". xwininfo,
# not xdotool: under a reparenting window manager xdotool counts the frame twice.
rect() {
  local id
  id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1)
  [[ -n $id ]] || return 1
  xwininfo -id "$id" | awk -F: '/Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /^ *Width/ { w = $2 } /^ *Height/ { h = $2 } END { print x + 0, y + 0, w + 0, h + 0 }'
}
# The window has k times its 1x client size and stands in the middle of the screen.
sized_and_centred() {  # title, width, height at 1x
  local x y w h
  read -r x y w h < <(rect "$1") || return 1
  echo "  $1: $w x $h at ($x, $y)"
  ((w == $2 * k && h == $3 * k)) || return 1
  ((${4:-1})) || return 0
  ((2 * x - (sw - w) < 2 * k && (sw - w) - 2 * x < 2 * k && 2 * y - (sh - h) < 2 * k && (sh - h) - 2 * y < 2 * k))
}
# A click on a point given in game pixels of the panel.
click() { xdotool mousemove $((ox + k * $1)) $((oy + k * $2)) click 1; }
until_entry() {
  local n
  for ((n = 0; n < 80; n++)); do
    shown "Highscore-Eingabe:" && return 0
    running || return 1
    xdotool key space
    sleep 0.2
  done
  return 1
}

main="Kelmora" list="Highscore (Kelmora) :" help="Anleitung (Kelmora) :" info="Info:" entry="Highscore-Eingabe:"
for case in 1024x768:1 1920x1080:2 2560x1440:3 3840x2160:4; do
  size=${case%:*} k=${case#*:}
  sw=${size%x*} sh=${size#*x}
  ox=$(((sw - 640 * k) / 2)) oy=$(((sh - 480 * k) / 2))
  echo "--- screen $size, factor $k"
  if ! server "$size"; then
    expect "an X server with openbox on $size" false
    server_weg
    continue
  fi
  daten="$arbeit/daten-$k"
  mkdir -p "$daten/norvane"
  # --scale 1 gives the original size on the same screen, pixel for pixel.
  if ((k == 2)); then
    XDG_DATA_HOME="$daten" XDG_RUNTIME_DIR="$arbeit" QT_QPA_PLATFORM=xcb "$programm" --scale 1 >"$arbeit/eins.log" 2>&1 &
    eins_pid=$!
    expect "with --scale 1 the panel is 640 x 480" within 30 panel_ok 1
    snap eins-2
    expect "with --scale 1 the panel is the original" python3 "$hier/scaled_screen.py" same "$arbeit/eins.xwd" \
      "$arbeit/eins-2.xwd" 1
    stop_process "$eins_pid"
    eins_pid=""
  fi

  # Scores below zero: any finished game earns the name entry.
  { printf '[Highscore]\r\n'; for _ in 1 2 3 4 5 6 7 8 9 10; do printf -- '-1   ,Nobody\r\n'; done; } \
    >"$daten/norvane/NORVANE.INI"
  XDG_DATA_HOME="$daten" XDG_RUNTIME_DIR="$arbeit" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy SDL_JOYSTICK_DISABLED=1 \
    "$programm" >"$arbeit/game-$k.log" 2>&1 &
  game_pid=$!

  expect "the game screen appears" within 30 shown "$main"
  expect "the panel is $((640 * k)) x $((480 * k)), centred, black around it" within 20 panel_ok "$k"
  snap "start-$k"
  # The start screen is the same at every size: the 1x one is the reference.
  if ((k == 1)); then
    cp "$arbeit/start-1.xwd" "$arbeit/eins.xwd"
  else
    expect "every pixel of the 1x panel is a $k x $k block" python3 "$hier/scaled_screen.py" same "$arbeit/eins.xwd" \
      "$arbeit/start-$k.xwd" "$k"
  fi

  click 88 422
  expect "the help button opens the instructions" within 15 shown "$help"
  expect "the instructions fill $((640 * k)) x $((480 * k))" within 15 panel_ok "$k"
  click 318 453
  expect "their back button leads to the game screen" within 15 gone "$help"

  click 184 374
  expect "the highscore button opens the list" within 15 shown "$list"
  expect "the list fills $((640 * k)) x $((480 * k))" within 15 panel_ok "$k"
  click 318 445
  expect "its back button leads to the game screen" within 15 gone "$list"

  click 280 374
  expect "the about button opens the about box" within 15 shown "$info"
  expect "the about box is $k times 408 x 237" within 15 sized_and_centred "$info" 408 237 0
  if read -r ix iy _ < <(rect "$info"); then
    xdotool mousemove $((ix + k * 356)) $((iy + k * 220)) click 1
  fi
  expect "its OK button closes it" within 15 gone "$info"

  click 88 374
  expect "a game started with the new-game button ends in the name entry" until_entry
  expect "the name entry is $k times 362 x 201, centred" within 15 sized_and_centred "$entry" 362 201
  xdotool type --delay 20 "Ode$k"
  xdotool key Return
  expect "the name leads to the list" within 15 shown "$list"
  expect "the name reaches the file" grep -q ",Ode$k" "$daten/norvane/NORVANE.INI"
  click 318 445
  expect "the list leads back to the game screen" within 15 shown "$main"

  click 280 422
  expect "the quit button ends the program" within 20 eval '! running'
  if ! running; then
    wait "$game_pid"
    rc=$?
    game_pid=""
    expect "the program ends with status 0 (was $rc)" test "$rc" -eq 0
  fi
  ((failed)) && cat "$arbeit/game-$k.log"
  server_weg
done
exit "$failed"
