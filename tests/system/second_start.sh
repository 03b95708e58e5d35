#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# A second start while the game runs, on X11 (Xvfb with openbox) or Wayland
# (Weston as a window of a private X server). The second start must end with
# status 0 within a few seconds and never open a second game; three starts at
# once leave one game; after the first copy is killed (SIGKILL) the next start
# runs the game. The highscore file holds the one name saved, nothing else.
# On X11 the running game's front window (the game screen, the about box, the
# name entry) must become the active window above another program's window,
# and the window class must be the launcher entry's StartupWMClass.
# On Wayland the compositor decides about focus: the test checks that the
# second start never talks to it and that the game keeps the keyboard.
#
# Usage: second_start.sh <program> x11|wayland <desktop file>
# Exit 77 (reported as skipped) when a tool is missing.
set -uo pipefail
program=${1:?path of the program}
mode=${2:?x11 or wayland}
desktop=${3:?the desktop file}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
tools=(Xvfb xdotool python3)
[[ $mode == x11 ]] && tools+=(openbox wmctrl xprop xmessage)
[[ $mode == wayland ]] && tools+=(weston qt-wayland)
source "$src/tests/lib/wait.sh"
source "$src/tests/lib/display.sh"
require_tools "${tools[@]}"

work=$(mktemp -d /tmp/norvane-second.XXXXXX)
chmod 700 "$work"
game_pid="" wm_pid="" other_pid=""
cleanup() {
  for pid in "$game_pid" "$other_pid" "$wm_pid" "$weston_pid" "$x_pid"; do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
check() {  # message, command...
  local what=$1
  shift
  if "$@"; then
    echo "ok: $mode: $what"
  else
    echo "FAILED: $mode: $what"
    failed=1
  fi
}

start_x || exit 1
if [[ $mode == x11 ]]; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  within 30 wmctrl -m || { echo "openbox did not start: $(cat "$work/openbox.log")"; exit 1; }
  platform=xcb
else
  start_weston || exit 1
  platform=wayland
fi
list=$work/data/norvane/NORVANE.INI
seed_list "$list"
export QT_QPA_PLATFORM=$platform SDL_AUDIODRIVER=dummy SDL_JOYSTICK_DISABLED=1 XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work

start_game() {
  WAYLAND_DEBUG=$([[ $mode == wayland ]] && echo 1 || echo 0) "$program" >"$work/game.log" 2>&1 &
  game_pid=$!
}
# One later start, its log in $work/later-N.log: status 0 within ten seconds.
n_later=0
later() {
  n_later=$((n_later + 1))
  local log=$work/later-$n_later.log
  WAYLAND_DEBUG=1 XDG_ACTIVATION_TOKEN=token-$n_later timeout 10 "$program" >"$log" 2>&1
  local rc=$?
  if ((rc != 0)); then
    echo "a later start ended with status $rc: $(cat "$log")"
    return 1
  fi
  # It never talked to the compositor, so it opened no window.
  ! grep -q 'wl_display@' "$log"
}
running() { kill -0 "$game_pid" 2>/dev/null; }

if [[ $mode == x11 ]]; then
  active() { [[ $(xdotool getactivewindow getwindowname 2>/dev/null) == "$1" ]]; }
  # The active window is also the top of the window manager's stacking order.
  on_top() {
    local top
    top=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*$')
    [[ -n $top ]] && [[ $(xprop -id "$top" _NET_WM_NAME | sed 's/^[^"]*"\(.*\)"$/\1/') == "$1" ]]
  }
  shows() { wmctrl -l | cut -d' ' -f5- | grep -Fxq -- "$1"; }
  count() { wmctrl -l | cut -d' ' -f5- | grep -Fxc -- "$1"; }
  # Another program's window takes the keyboard; a later start must bring the game's window back over it.
  other_in_front() {
    if [[ -z $other_pid ]] || ! kill -0 "$other_pid" 2>/dev/null; then
      xmessage -name other -title "Other program" "another program" &
      other_pid=$!
      within 10 shows "Other program" || return 1
    fi
    wmctrl -a "Other program"
    within 10 active "Other program"
  }
  front="brings forward"
  raised() {  # title of the game's window that must come to the front
    other_in_front || { echo "the other program's window did not take the keyboard"; return 1; }
    later || return 1
    within 10 active "$1" && on_top "$1"
  }
else
  active() { python3 "$src/tests/wayland/focus.py" "$work/game.log" "$1"; }
  shows() { active "$1"; }
  # Weston offers no xdg-activation: a raise cannot be seen. The game keeps the keyboard.
  front="leaves the keyboard with"
  raised() { later && within 10 active "$1"; }
fi
click() { xdotool mousemove "$1" "$2" click 1; }

start_game
check "the game screen appears" within 30 shows "Kelmora"
[[ $mode == wayland ]] && wake_pointer
if [[ $mode == x11 ]]; then
  id=$(xdotool search --name '^Kelmora$' | head -n1)
  class=$(xprop -id "$id" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
  wanted=$(sed -n 's/^StartupWMClass=//p' "$desktop")
  check "the window class '$class' is the launcher entry's StartupWMClass '$wanted'" test -n "$class" -a "$class" == "$wanted"
fi
check "a later start ends with status 0 and $front the game screen" raised "Kelmora"
click 280 518
click 472 518
check "the about box shows" within 10 shows "Info:"
check "a later start $front the about box" raised "Info:"
xdotool key Return
check "the game screen is back" within 10 active "Kelmora"

# Three starts at once: all hand over, one game remains.
for n in 1 2 3; do later & done
rcs=0
for job in $(jobs -p); do
  [[ $job == "$game_pid" || $job == "$other_pid" || $job == "$wm_pid" || $job == "$x_pid" || $job == "${weston_pid:-}" ]] && continue
  wait "$job" || rcs=1
done
check "three starts at once all end with status 0" test "$rcs" -eq 0
check "the game still runs" running
[[ $mode == x11 ]] && check "one game screen only" test "$(count Kelmora)" -eq 1

# The name entry: the game played to its end with hard drops.
to_entry() {
  click 280 518 && play_to_entry
}
check "the name entry shows at the end of a game" to_entry
check "a later start $front the name entry" raised "Highscore-Eingabe:"
xdotool type --delay 30 "Solo"
xdotool key Return
check "the entry leads to the list" within 10 shows "Highscore (Kelmora) :"
check "the file holds the one saved name and the seeded entries" \
  test "$(grep -ac ', *Solo' "$list")" -eq 1 -a "$(grep -ac 'Nobody' "$list")" -eq 9

# A copy that was killed leaves its lock and socket; the next start runs the game.
kill -9 "$game_pid"
wait "$game_pid" 2>/dev/null
start_game
check "after a killed copy the next start shows the game screen" within 30 shows "Kelmora"
check "and answers a later start" raised "Kelmora"
check "the game still runs" running
exit "$failed"
