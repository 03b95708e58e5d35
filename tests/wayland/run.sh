#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the game natively on Wayland: a headless Weston with its desktop shell
# and a private runtime folder and socket, the game on Qt's Wayland platform.
# Checks that the compositor shows the skinned panel full screen (a
# screenshot: black around a centred 640 x 480 panel drawn from the game's own
# pictures) and that the window carries the app id of the launcher entry,
# read from the client's protocol log.
#   tests/wayland/run.sh [PROGRAM]      (default: build/ci/norvane)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "${1:-$src/build/ci/norvane}")
check=$src/tests/package/screen.py
hg_main=$src/assets/pictures/hg_main.png
app_id=org.norvane.Norvane

source "$src/tests/wayland/common.sh" weston weston-screenshooter python3
fail() {
  echo "tests/wayland: FAILED: $*" >&2
  exit 1
}

export XDG_RUNTIME_DIR=$work
export WAYLAND_DISPLAY=norvane-test-$$
unset DISPLAY
weston --backend=headless-backend.so --use-pixman --debug --no-config --idle-time=0 \
  --socket="$WAYLAND_DISPLAY" --width=1024 --height=768 >"$work/weston.log" 2>&1 &
pids=($!)
within 20 test -S "$work/$WAYLAND_DISPLAY" || fail "Weston did not start: $(tail -n 20 "$work/weston.log")"

mkdir "$work/data" "$work/shots"
WAYLAND_DEBUG=1 QT_QPA_PLATFORM=wayland SDL_AUDIODRIVER=dummy SDL_JOYSTICK_DISABLED=1 \
  XDG_DATA_HOME=$work/data "$game" >"$work/game.log" 2>&1 &
pids=($! "${pids[@]}")
game_pid=${pids[0]}

shows_panel() {
  kill -0 "$game_pid" 2>/dev/null || return 1
  rm -f "$work"/shots/*.png
  (cd "$work/shots" && weston-screenshooter) || return 1
  python3 "$check" check "$work"/shots/*.png "$hg_main"
}
if ! within 30 shows_panel; then
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(tail -n 20 "$work/game.log")"
  shows_panel || true
  tail -n 20 "$work/game.log" >&2
  fail "the compositor does not show the panel full screen"
fi
python3 "$check" check "$work"/shots/*.png "$hg_main"

grep -Eq "xdg_toplevel@[0-9]+\.set_app_id\(\"$app_id\"\)" "$work/game.log" ||
  fail "the window's app id is not $app_id: $(grep -o 'set_app_id([^)]*)' "$work/game.log" || echo none sent)"
grep -Eq "xdg_toplevel@[0-9]+\.set_fullscreen\(" "$work/game.log" || fail "the window did not ask for full screen"
kill -0 "$game_pid" || fail "the game ended by itself"
echo "Wayland: panel shown full screen on Weston, app id $app_id"
