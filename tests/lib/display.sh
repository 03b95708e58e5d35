# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash disable=SC2034,SC2154
# (x_pid and weston_pid are read by the tests; $work is theirs.)
# Shared by the shell tests that run the game on a private display: `source` it
# after wait.sh, with $work set to a private folder (mode 700).
#   require_tools TOOL...   skips the test (77) when a tool is missing
#   start_x                 a private X server on a free display; sets DISPLAY, x_pid
#   start_weston            Weston as a window of that X server (its X11 back end
#                           turns the server's pointer and keys into Wayland
#                           input); sets WAYLAND_DISPLAY, XDG_RUNTIME_DIR, weston_pid
#   wake_pointer            moves the pointer out and back in, so Weston's X11 back end
#                           tracks it (without it a started Weston may miss every click)
#   play_to_entry           hard drops until the name entry shows (the caller defines
#                           `shows TITLE` and `running`); false if the game ends first
#   seed_list FILE          a highscore list below zero: any finished game earns a place
x_pid="" weston_pid=""

# Ends the test as skipped (77) when a tool is missing; "qt-wayland" stands for
# Qt's Wayland platform plug-in.
require_tools() {
  local tool
  for tool in "$@"; do
    if [[ $tool == qt-wayland ]]; then
      ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 && continue
      echo "SKIPPED: Qt's Wayland platform is missing (qt6-wayland)"
      exit 77
    fi
    if ! command -v "$tool" >/dev/null; then
      echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
      exit 77
    fi
  done
}

start_x() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  x_pid=$!
  within 20 test -s "$work/display" || {
    echo "Xvfb did not start: $(cat "$work/xvfb.log")"
    return 1
  }
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
}

start_weston() {
  export XDG_RUNTIME_DIR=$work
  export WAYLAND_DISPLAY=norvane-$$-$RANDOM
  weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 \
    --socket="$WAYLAND_DISPLAY" --width=1024 --height=768 >"$work/weston.log" 2>&1 &
  weston_pid=$!
  within 20 test -S "$work/$WAYLAND_DISPLAY" || {
    echo "Weston did not start: $(tail -n 20 "$work/weston.log")"
    return 1
  }
}

wake_pointer() {
  xdotool mousemove 0 0 sleep 0.2 mousemove 512 384 sleep 0.2
}

play_to_entry() {
  local n
  for ((n = 0; n < 200; n++)); do
    shows "Highscore-Eingabe:" && return 0
    running || return 1
    xdotool key space
    sleep 0.2
  done
  return 1
}

seed_list() {
  mkdir -p "$(dirname "$1")"
  {
    printf '[Highscore]\r\n'
    for _ in 1 2 3 4 5 6 7 8 9 10; do printf -- '-1   ,Nobody\r\n'; done
  } >"$1"
}

# Eleven lines, the section header first, every entry "points,name": the file reads back whole.
list_whole() {
  [[ $(head -n1 "$1" | tr -d '\r') == "[Highscore]" ]] && (($(wc -l <"$1") == 11)) &&
    (($(tail -n +2 "$1" | grep -c '^ *-\?[0-9]\+ *,') == 10))
}
