# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the window-manager tests: `source` it with the path of the program.
# Starts a private X server with openbox and the program on it (with a list of
# results below zero, so that any finished game earns the name entry), and
# gives the checks and the player's hands. `ende` prints what helps when a
# check failed and gives the exit status.
programm=${1:?path of the program}
# Work, window manager and program are stopped when the test ends.
for tool in Xvfb openbox wmctrl xprop xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs xvfb openbox wmctrl x11-utils xdotool)"
    exit 77
  fi
done

arbeit=$(mktemp -d)
xvfb_pid="" wm_pid="" spiel_pid=""
source "$(dirname "$0")/../lib/wait.sh"
aufraeumen() {
  for pid in "$spiel_pid" "$wm_pid" "$xvfb_pid"; do stop_process "$pid"; done
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

fehler=0
pruefe() {  # message, command...
  local was=$1
  shift
  if "$@"; then
    echo "ok: $was"
  else
    echo "FAILED: $was"
    fehler=1
  fi
}

# Polls a command every 50 ms until it succeeds or the seconds (fractions allowed) run out.
warte() {  # seconds, command...
  local bis
  # %.0f, not %d: mawk clamps %d to 2^31, which would cut every wait to two seconds.
  bis=$(($(date +%s%N) + $(awk -v s="$1" 'BEGIN { printf "%.0f", s * 1e9 }')))
  shift
  until "$@"; do
    (($(date +%s%N) >= bis)) && return 1
    sleep 0.05
  done
}

# The titles of the windows the window manager shows, one a line.
titel() { wmctrl -l 2>/dev/null | cut -d' ' -f5-; }
gezeigt() { titel | grep -Fxq -- "$1"; }
nicht_gezeigt() { ! gezeigt "$1"; }
# The captions the window system holds for the shown window of that title.
beschriftung_stimmt() {
  local id
  id=$(wmctrl -l 2>/dev/null | awk -v t="$1" '{ s = $0; sub(/^[^ ]+ +[^ ]+ +[^ ]+ /, "", s); if (s == t) print $1 }' | head -n1)
  [[ -n $id ]] || return 1
  local namen
  namen=$(xprop -id "$id" WM_NAME _NET_WM_NAME)
  grep -Fxq -- "WM_NAME(STRING) = \"$1\"" <<<"$namen" && grep -Fxq -- "_NET_WM_NAME(UTF8_STRING) = \"$1\"" <<<"$namen"
}
# The keyboard goes to the window the window manager made active.
aktiv() { [[ $(xdotool getactivewindow getwindowname 2>/dev/null) == "$1" ]]; }
laeuft() { kill -0 "$spiel_pid" 2>/dev/null; }
beendet() { ! laeuft; }

# A free display (the server picks one and names it on a file descriptor) with
# openbox on it. Openbox's focus decisions are logged, to be shown when a check
# fails. Now and then, on a loaded machine, openbox could not open a display the
# server had just named; the pair is then started afresh, at most three times.
# WM_TEST_DISPLAY=N asks for display :N instead (beside other X servers of a test run).
x_und_wm() {
  Xvfb ${WM_TEST_DISPLAY:+":$WM_TEST_DISPLAY"} -displayfd 3 -screen 0 1024x768x24 -fbdir "$arbeit" -nolisten tcp 3>"$arbeit/display" 2>"$arbeit/xvfb.log" &
  xvfb_pid=$!
  if ! warte 20 test -s "$arbeit/display"; then
    echo "the X server did not start: $(cat "$arbeit/xvfb.log")"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$arbeit/display")"
  openbox --sm-disable --debug-focus >"$arbeit/openbox.log" 2>&1 &
  wm_pid=$!
  # Ready, or gone: a window manager that ended is not waited for.
  warte 30 eval 'wmctrl -m >/dev/null 2>&1 || ! kill -0 "$wm_pid" 2>/dev/null'
  if ! wmctrl -m >/dev/null 2>&1; then
    echo "the window manager did not start on $DISPLAY ($(kill -0 "$wm_pid" 2>/dev/null && echo running || echo gone)):"
    cat "$arbeit/openbox.log"
    return 1
  fi
}
for versuch in 1 2 3; do
  x_und_wm && break
  stop_process "$wm_pid"
  stop_process "$xvfb_pid"
  wm_pid="" xvfb_pid=""
  if ((versuch == 3)); then
    echo "FAILED: no X server with a window manager after three attempts"
    exit 1
  fi
done

# A list of results below zero: any finished game earns a place and the name entry.
mkdir -p "$arbeit/daten/norvane"
{
  printf '[Highscore]\r\n'
  for _ in 1 2 3 4 5 6 7 8 9 10; do printf -- '-1   ,Nobody\r\n'; done
} >"$arbeit/daten/norvane/NORVANE.INI"
XDG_DATA_HOME="$arbeit/daten" XDG_RUNTIME_DIR="$arbeit" QT_QPA_PLATFORM=xcb \
  SDL_AUDIODRIVER=dummy SDL_JOYSTICK_DISABLED=1 "$programm" >"$arbeit/spiel.log" 2>&1 &
spiel_pid=$!

haupt="Kelmora"
pruefe "the game screen appears" warte 30 gezeigt "$haupt"
pruefe "caption of the game screen" beschriftung_stimmt "$haupt"
pruefe "the game screen has the keyboard" warte 15 aktiv "$haupt"

# Buttons of the 640 x 480 panel, centred on the 1024 x 768 screen (panel at 192, 144).
klick() { xdotool mousemove "$1" "$2" click 1; }
neues_spiel() { klick 280 518; }
highscore() { klick 376 518; }
info() { klick 472 518; }
anleitung() { klick 280 566; }

eingabe="Highscore-Eingabe:"
bis_zur_eingabe() {
  local n
  for ((n = 0; n < 80; n++)); do
    gezeigt "$eingabe" && return 0
    laeuft || return 1
    xdotool key space
    warte 0.2 gezeigt "$eingabe" && return 0
  done
  return 1
}

# A close request on the game screen is the quit button: the program ends, with status 0.
endet_normal() {  # message
  pruefe "$1" warte 20 beendet
  if beendet; then
    wait "$spiel_pid"
    local rc=$?
    spiel_pid=""
    pruefe "the program ends with status 0 (was $rc)" test "$rc" -eq 0
  fi
}

# The result of the test, with what helps when a check failed.
ende() {
  if ((fehler)); then
    echo "--- program output"
    cat "$arbeit/spiel.log"
    echo "--- the window manager's last focus decisions"
    grep -v 'Error focusing\|Frame for' "$arbeit/openbox.log" | tail -n 60
  fi
  return "$fehler"
}
