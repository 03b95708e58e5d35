#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Smoke test of an installed Norvane: the `norvane` found on PATH (or in
# /usr/games) starts under xvfb-run, shows its main window, plays a game to its
# end with synthesised keys, writes the highscore file into a scratch data home
# and ends through its exit button with status 0.
#
#   smoke.sh           the sounds must play from share/norvane beside the program
#   smoke.sh --silent  the sound folder is gone: the game must play silently
#
# debian/tests/control runs it against the installed package; tests/package/run.sh
# runs it against the unpacked package with PATH pointing into the unpacked tree.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
source "$src/tests/lib/wait.sh"

fail() {
  echo "smoke test: FAILED: $*" >&2
  exit 1
}

mode=played
[[ ${1:-} == --silent ]] && mode=silent


# The X server's part: run by xvfb-run below, with the work folder in the environment.
if [[ ${NORVANE_SMOKE_WORK:-} && ${2:-} == --inside ]]; then
  work=$NORVANE_SMOKE_WORK
  game=$NORVANE_SMOKE_GAME
  # xvfb-run may go on after its server failed to start; the display must answer.
  # Without a marker the caller reports the server's log.
  within 10 xdotool getdisplaygeometry || exit 1
  touch "$work/display-up"

  pid=
  trap 'stop_process "$pid"' EXIT
  frame=$work/fb/Xvfb_screen0
  hg_main=$src/assets/pictures/hg_main.png
  # The panel is centred on the 1024 x 768 screen; button centres in screen pixels.
  new_game=(280 518)
  exit_button=(472 566)
  data=$work/data
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw SDL_JOYSTICK_DISABLED=1 QT_QPA_PLATFORM=xcb \
    XDG_DATA_HOME=$data XDG_RUNTIME_DIR=$work/runtime "$game" >"$work/game.log" 2>&1 &
  pid=$!
  within 30 python3 "$here/screen.py" check "$frame" "$hg_main" ||
    fail "the main window did not show: $(python3 "$here/screen.py" check "$frame" "$hg_main" 2>&1; cat "$work/game.log")"
  cp "$frame" "$work/before"
  xdotool mousemove "${new_game[@]}" click 1
  within 10 eval "! python3 '$here/screen.py' same '$work/before' '$frame'" || fail "the new game did not start"

  # Every piece dropped straight down in the middle: no row fills, the stack
  # reaches the top within a few dozen pieces, and the game ends with 0 points.
  # The keys go to the window under the pointer, which is the game's.
  scores=$data/norvane/NORVANE.INI
  ended=$((SECONDS + 90))
  until [[ -s $scores ]]; do
    ((SECONDS < ended)) || fail "no game over after 90 s of hard drops: $(cat "$work/game.log")"
    kill -0 "$pid" 2>/dev/null || fail "the program ended during the game: $(cat "$work/game.log")"
    xdotool key space
    sleep 0.25
  done
  # 0 points do not enter the list, so the file holds the default list.
  within 5 eval "[[ \$(wc -l <'$scores') -eq 11 ]]" || fail "the highscore file is incomplete: $(cat "$scores")"
  first=$(sed -n '1p;2p' "$scores" | tr -d '\r' | paste -sd '|')
  [[ $first == '[Highscore]|500  ,'* ]] || fail "the highscore file does not start with the default list: $first"
  echo "game played to its end; highscore file written to the data home"
  # A new sound cuts the one playing short: the exit waits for the game-over sound.
  if [[ $mode == played ]]; then
    within 10 python3 "$here/sound.py" played "$work/audio.raw" "$NORVANE_SMOKE_SHARE/norvane/GAMEOVER.WAV" ||
      fail "GAMEOVER.WAV from $NORVANE_SMOKE_SHARE/norvane was not played"
  fi

  xdotool mousemove "${exit_button[@]}" click 1
  ended=$((SECONDS + 20))
  while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < ended)) || fail "the exit button did not end the program"
    sleep 0.2
  done
  status=0
  wait "$pid" || status=$?
  pid=
  ((status == 0)) || fail "the program ended with status $status: $(cat "$work/game.log")"
  within 10 python3 "$here/screen.py" black "$frame" || fail "the window stayed on the screen after the exit"
  echo "ended through the exit button with status 0"
  exit 0
fi

for tool in xvfb-run xauth Xvfb xdotool python3; do
  command -v "$tool" >/dev/null || fail "'$tool' is missing"
done
# Games live in /usr/games, which is not on every PATH (root's, for one).
game=$(PATH=$PATH:/usr/games command -v norvane) || fail "no norvane on PATH or in /usr/games"
echo "testing $game"
share=$(cd "$(dirname "$(readlink -f "$game")")/../share" && pwd)

work=$(mktemp -d "${AUTOPKGTEST_TMP:-/tmp}/norvane-smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
mkdir "$work/fb" "$work/data"
# The time limit covers an X server that never gets ready; the process group
# that timeout kills holds xvfb-run, Xvfb and the game.
status=0
NORVANE_SMOKE_WORK=$work NORVANE_SMOKE_GAME=$game NORVANE_SMOKE_SHARE=$share \
  timeout --kill-after=10 "${NORVANE_SMOKE_TIMEOUT:-240}" \
  xvfb-run -a -e "$work/xvfb.log" -s "-screen 0 1024x768x24 -dpi 96 -br -fbdir $work/fb" \
  "$0" "--$mode" --inside || status=$?
if ((status != 0)); then
  if [[ ! -e $work/display-up ]]; then
    ((status != 124)) || fail "Xvfb did not start within ${NORVANE_SMOKE_TIMEOUT:-240} s"
    fail "Xvfb did not start: $(sort -u "$work/xvfb.log" 2>/dev/null | tail -n 5)"
  fi
  ((status != 124)) || fail "no result within ${NORVANE_SMOKE_TIMEOUT:-240} s"
  exit "$status"
fi

if [[ $mode == played ]]; then
  python3 "$here/sound.py" played "$work/audio.raw" "$share/norvane/EXIT.WAV" ||
    fail "EXIT.WAV from $share/norvane was not played"
  echo "game-over and exit sounds played from $share/norvane"
else
  python3 "$here/sound.py" silent "$work/audio.raw" || fail "sounds played without a sound folder"
  echo "no sound folder: played silently"
fi
echo "smoke test passed"
