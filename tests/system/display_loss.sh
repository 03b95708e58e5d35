#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# The display goes away under a running game: the X server (x11) or the Wayland
# compositor (wayland, Weston as a window of a private X server) is killed in
# each phase of the game: a piece falling, paused, the about box, the
# instructions, the list, the name entry, just after a name was saved, and
# while the exit sound plays. Each time the game must end by itself within a
# few seconds, with an exit status (never a signal, never a core), and the
# highscore file must read back whole, with the saved name where one was saved.
#
# Usage: display_loss.sh <program> x11|wayland
# Exit 77 (reported as skipped) when a tool is missing.
set -uo pipefail
program=${1:?path of the program}
mode=${2:?x11 or wayland}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
tools=(Xvfb xdotool python3)
[[ $mode == wayland ]] && tools+=(weston qt-wayland)
source "$src/tests/lib/wait.sh"
source "$src/tests/lib/display.sh"
require_tools "${tools[@]}"

work=$(mktemp -d /tmp/norvane-loss.XXXXXX)
chmod 700 "$work"
game_pid=""
cleanup() {
  for pid in "$game_pid" "$weston_pid" "$x_pid"; do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}

# The panel is centred on the 1024 x 768 screen; button centres in screen pixels.
click() { xdotool mousemove "$1" "$2" click 1; }
new_game() { click 280 518; }
list=$work/data/norvane/NORVANE.INI
running() { kill -0 "$game_pid" 2>/dev/null; }
# Whether the window of that title shows (x11) or has the keyboard (wayland, from the protocol log).
shows() {
  if [[ $mode == x11 ]]; then
    xdotool search --onlyvisible --name "^$(sed 's/[][().*^$\\]/\\&/g' <<<"$1")\$" >/dev/null 2>&1
  else
    python3 "$src/tests/wayland/focus.py" "$work/game.log" "$1"
  fi
}
to_entry() {
  new_game && play_to_entry
}

# Each phase: what brings the game there (a function), and the name the file must hold afterwards.
phase_falling() { new_game && sleep 0.5; }
phase_paused() { new_game && sleep 0.3 && xdotool key p; }
phase_about() { new_game && click 472 518 && within 10 shows "Info:"; }
phase_instructions() { new_game && click 280 566 && within 10 shows "Anleitung (Kelmora) :"; }
phase_list() { click 376 518 && within 10 shows "Highscore (Kelmora) :"; }
phase_entry() { to_entry && xdotool type --delay 30 "Half"; }
phase_saved() {
  to_entry && xdotool type --delay 30 "Kept" && xdotool key Return && within 10 shows "Highscore (Kelmora) :"
}
# The exit sound (1.2 s) holds the game; the display goes while it plays.
phase_exit_sound() { click 472 566 && sleep 0.3; }

run_phase() {  # phase, name expected in the file afterwards (or "")
  local phase=$1 kept=$2
  rm -rf "$work/data"
  seed_list "$list"
  if [[ $mode == x11 ]]; then
    start_x || return 1
    server_pid=$x_pid
  else
    if [[ -z $x_pid ]]; then start_x || return 1; fi
    start_weston || return 1
    server_pid=$weston_pid
  fi
  local platform=xcb
  [[ $mode == wayland ]] && platform=wayland
  # The disk driver plays in real time, so the exit sound really holds the game.
  WAYLAND_DEBUG=$([[ $mode == wayland ]] && echo 1 || echo 0) QT_QPA_PLATFORM=$platform \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" SDL_JOYSTICK_DISABLED=1 \
    XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" "$program" >"$work/game.log" 2>&1 &
  game_pid=$!
  if ! within 30 shows "Kelmora"; then
    fail "$phase: the game screen did not appear: $(grep -v '^\[' "$work/game.log" | tail -n 5)"
  elif ! { [[ $mode == x11 ]] || wake_pointer; } || ! "phase_$phase"; then
    fail "$phase: the game did not reach the phase"
  elif ! running; then
    fail "$phase: the game ended before the display went away: $(grep -v '^\[' "$work/game.log" | tail -n 5)"
  else
    kill -9 "$server_pid"
    wait "$server_pid" 2>/dev/null
    if ! within 15 eval '! kill -0 '"$game_pid"' 2>/dev/null'; then
      fail "$phase: the game still runs 15 s after the display went away"
    fi
  fi
  # Only a game that failed the phase is still running here.
  running && stop_process "$game_pid"
  wait "$game_pid" 2>/dev/null
  local rc=$?
  # A phase that failed before the kill leaves its server running.
  stop_process "$server_pid"
  [[ $mode == x11 ]] && x_pid=""
  weston_pid="" game_pid=""
  local log
  log=$(grep -v '^\[' "$work/game.log")
  if ((rc > 128)); then
    fail "$phase: the game died of signal $((rc - 128)): $log"
  elif ((rc != 0 && rc != 1)); then
    fail "$phase: exit status $rc: $log"
  elif grep -qiE 'segmentation|core dumped|aborted|backtrace' <<<"$log"; then
    fail "$phase: $log"
  elif ! list_whole "$list"; then
    fail "$phase: the highscore file is not whole: $(cat -A "$list")"
  elif [[ -n $kept ]] && ! grep -aq ", *$kept" "$list"; then
    fail "$phase: the saved name $kept is not in the file: $(cat "$list")"
  elif [[ -z $kept ]] && grep -aqv 'Nobody\|Highscore' "$list"; then
    fail "$phase: the file changed without a save: $(cat "$list")"
  else
    echo "ok: $mode, display gone while $phase: exit status $rc, file whole"
  fi
}

# PHASES picks some of them by hand.
for phase in ${PHASES:-falling paused about instructions list entry exit_sound saved}; do
  run_phase "$phase" "$([[ $phase == saved ]] && echo Kept)"
done
exit "$failed"
