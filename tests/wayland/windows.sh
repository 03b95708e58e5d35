#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# The game's other windows on Wayland. A headless Weston has no input devices,
# so here Weston runs as a window of a private X server: its X11 back end turns
# the server's pointer and keys into Wayland input. The game, on Qt's Wayland
# platform, opens every other window with its buttons; each must appear
# wherever the compositor puts it, with the game screen as its parent, and
# take the keyboard (from the client's protocol log), and a key typed there
# must act: V in the instructions, the about box and the list hides and shows
# the preview of the game screen, Return closes the about box, and a name
# typed into the entry, after clicks on the game screen, lands in the
# highscore file.
#   tests/wayland/windows.sh [PROGRAM]      (default: build/ci/norvane)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "${1:-$src/build/ci/norvane}")
focus=$src/tests/wayland/focus.py
screen=$src/tests/package/screen.py
hg_main=$src/assets/pictures/hg_main.png

source "$src/tests/wayland/common.sh" Xvfb weston xdotool python3
fail() {
  echo "tests/wayland: FAILED: $*" >&2
  echo "--- the window with the keyboard: '$(python3 "$focus" "$work/game.log" 2>/dev/null)'" >&2
  tail -n 5 "$work/game.log" >&2 || true
  exit 1
}

mkdir "$work/fb"
Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$work/fb" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids=($!)
within 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(cat "$work/display")
frame=$work/fb/Xvfb_screen0

export XDG_RUNTIME_DIR=$work
export WAYLAND_DISPLAY=norvane-windows-$$
weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 \
  --socket="$WAYLAND_DISPLAY" --width=1024 --height=768 >"$work/weston.log" 2>&1 &
pids=($! "${pids[@]}")
within 20 test -S "$work/$WAYLAND_DISPLAY" || fail "Weston did not start: $(tail -n 20 "$work/weston.log")"

# A list of results below zero: any finished game earns a place and the name entry.
mkdir -p "$work/data/norvane"
list=$work/data/norvane/NORVANE.INI
{
  printf '[Highscore]\r\n'
  for _ in 1 2 3 4 5 6 7 8 9 10; do printf -- '-1   ,Nobody\r\n'; done
} >"$list"
WAYLAND_DEBUG=1 QT_QPA_PLATFORM=wayland SDL_AUDIODRIVER=dummy SDL_JOYSTICK_DISABLED=1 \
  XDG_DATA_HOME=$work/data "$game" >"$work/game.log" 2>&1 &
pids=($! "${pids[@]}")
game_pid=${pids[0]}

has_keyboard() { python3 "$focus" "$work/game.log" "$1"; }
# The panel is centred on the 1024 x 768 output; button centres in output pixels.
click() { xdotool mousemove "$1" "$2" click 1; }
new_game=(280 518) highscores=(376 518) about=(472 518) help=(280 566) quit=(472 566)
help_back=(510 597) list_back=(510 589)
# The preview box during a game: the next piece while it shows, all black once V has hidden it.
preview_hidden() { python3 "$screen" dark "$frame" 336 435 74 34; }
preview_shown() { ! preview_hidden; }
main=Kelmora

within 30 has_keyboard "$main" || fail "the game screen did not get the keyboard"
# The pointer starts in the corner of the output; it goes over the panel, where it hides nothing checked.
xdotool mousemove 0 0 sleep 0.2 mousemove 250 200
within 10 python3 "$screen" check "$frame" "$hg_main" || fail "the game screen is not shown full screen: $(python3 "$screen" check "$frame" "$hg_main" 2>&1)"
# A game runs behind every window; the preview shows its next piece.
click "${new_game[@]}"
within 10 preview_shown || fail "the preview box shows no piece"
cp "$frame" "$work/main.xwd"

# Opens a window with a button, checks that it shows and has the keyboard, and types V.
open_and_press_v() {  # title, least number of pixels it changes, button x y
  local title=$1 changes=$2
  click "$3" "$4"
  within 10 has_keyboard "$title" || fail "$title did not get the keyboard"
  within 10 python3 "$screen" differ "$work/main.xwd" "$frame" "$changes" || fail "$title is not shown"
  xdotool key v
}
back_to_main() {  # what led back
  within 10 has_keyboard "$main" || fail "the game screen did not get the keyboard back after $1"
}

open_and_press_v "Anleitung (Kelmora) :" 200000 "${help[@]}"
click "${help_back[@]}"
back_to_main "the instructions"
within 10 preview_hidden || fail "V in the instructions did not hide the preview"
echo "ok: the instructions appear and take the keyboard"

open_and_press_v "Info:" 60000 "${about[@]}"
xdotool key Return
back_to_main "Return in the about box"
within 10 preview_shown || fail "V in the about box did not show the preview again"
echo "ok: the about box appears where the compositor puts it and takes the keyboard"

open_and_press_v "Highscore (Kelmora) :" 200000 "${highscores[@]}"
click "${list_back[@]}"
back_to_main "the list"
within 10 preview_hidden || fail "V in the list did not hide the preview"
xdotool key v
within 10 preview_shown || fail "V on the game screen did not show the preview"
echo "ok: the list appears and takes the keyboard"

# The game played to its end with hard drops opens the name entry.
for ((n = 0; n < 100; n++)); do
  has_keyboard "Highscore-Eingabe:" && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended"
  xdotool key space
  sleep 0.2
done
has_keyboard "Highscore-Eingabe:" || fail "the name entry did not get the keyboard at the end of a game"
# A click on the disabled game screen, on the well and on a button, leaves the keyboard with the entry.
for spot in "470 300" "${highscores[*]}"; do
  click $spot
  sleep 0.3
  within 5 has_keyboard "Highscore-Eingabe:" || fail "a click on the game screen ($spot) took the keyboard from the entry"
done
# An empty name: the message takes the keyboard, and Return gives it back.
xdotool key Return
within 10 has_keyboard "-=Attention=-" || fail "the empty-name message did not get the keyboard"
xdotool key Return
within 10 has_keyboard "Highscore-Eingabe:" || fail "the entry did not get the keyboard back after the message"
xdotool type --delay 30 "Wayla"
xdotool key Return
within 10 has_keyboard "Highscore (Kelmora) :" || fail "the entry did not lead to the list"
grep -aq ', *Wayla' "$list" || fail "the name typed into the entry is not in the file: $(cat "$list")"
click "${list_back[@]}"
back_to_main "the list after the entry"
echo "ok: the name entry appears and takes the keyboard; the typed name is saved"

# The compositor learned the owner of every other window: the game screen, or the entry for its message.
parents=$(python3 "$focus" --parents "$work/game.log")
for pair in "Anleitung (Kelmora) :"$'\t'"$main" "Info:"$'\t'"$main" "Highscore (Kelmora) :"$'\t'"$main" \
  "Highscore-Eingabe:"$'\t'"$main" "-=Attention=-"$'\t'"Highscore-Eingabe:"; do
  grep -Fxq -- "$pair" <<<"$parents" || fail "no set_parent for '${pair%%$'\t'*}' to '${pair#*$'\t'}': $(tr '\t' '>' <<<"$parents")"
done
echo "ok: every other window is given its parent"

click "${quit[@]}"
within 20 eval '! kill -0 '"$game_pid"' 2>/dev/null' || fail "the quit button did not end the game"
wait "$game_pid" && rc=0 || rc=$?
pids=("${pids[@]:1}")
((rc == 0)) || fail "the game ended with status $rc"
echo "Wayland: every window appears and takes the keyboard"
