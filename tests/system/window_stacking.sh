#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# The game's other windows under a real window manager belong to the game
# screen: each is transient for it, offers no minimise or maximise, stays on
# top with the keyboard when the player clicks the game screen (the well or a
# disabled button), and comes back with the game when the window manager
# minimises it. A name typed after such a click reaches the file, and a close
# request on the game screen with the about box up ends the program.
#
# Usage: window_stacking.sh <path of the norvane program>
# Exit 77 (reported as skipped) when a tool is missing.
set -uo pipefail

source "$(dirname "$0")/wm_lib.sh" "$1"
for tool in xwd python3; do
  command -v "$tool" >/dev/null || {
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs x11-apps python3)"
    exit 77
  }
done

haupt_id=$(wmctrl -l | awk -v t="$haupt" '{ s = $0; sub(/^[^ ]+ +[^ ]+ +[^ ]+ /, "", s); if (s == t) print $1 }' | head -n1)
# The X id of the shown window of that title, as xprop prints ids.
id_von() {
  local id
  id=$(wmctrl -l 2>/dev/null | awk -v t="$1" '{ s = $0; sub(/^[^ ]+ +[^ ]+ +[^ ]+ /, "", s); if (s == t) print $1 }' | head -n1)
  [[ -n $id ]] && printf '0x%x\n' "$((id))"
}
# The window manager's stacking list, bottom to top; its last window is on top.
oben() {
  local id
  id=$(id_von "$1") || return 1
  [[ $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | tail -n1) == "$id" ]]
}
oben_mit_tastatur() { oben "$1" && aktiv "$1"; }
transient_fuer() {  # title, id of the owner
  local id
  id=$(id_von "$1") || return 1
  [[ $(xprop -id "$id" WM_TRANSIENT_FOR) == "WM_TRANSIENT_FOR(WINDOW): window id # $(printf '0x%x' "$(($2))")" ]]
}
# The Motif hints name neither a minimise nor a maximise function or button
# (openbox keeps minimising dialogs whatever they say), and the window manager
# offers no maximising.
ohne_min_max() {
  local id hinweise
  id=$(id_von "$1") || return 1
  hinweise=$(xprop -id "$id" _MOTIF_WM_HINTS | sed -n 's/.* = //p' | tr -d ',')
  [[ -n $hinweise ]] || return 1
  read -r flags funktionen dekor _ <<<"$hinweise"
  if ((flags & 1)) && ((funktionen & (0x01 | 0x08 | 0x10))); then return 1; fi
  if ((flags & 2)) && ((dekor & (0x01 | 0x20 | 0x40))); then return 1; fi
  ! xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE
}
normal() {  # the window is mapped, not iconic
  local id
  id=$(id_von "$1") || return 1
  xprop -id "$id" WM_STATE | grep -q 'window state: Normal'
}
ganz_zurueck() {  # title, whether the game screen shows under it (ja | nein)
  normal "$1" && oben_mit_tastatur "$1" || return 1
  [[ $2 == nein ]] || normal "$haupt"
}

# The screen shows the window's own picture where the window is, not a black
# or empty client area: the server's frame buffer (written by Xvfb itself;
# xwd -root leaves the client areas of framed windows black) against the
# window's picture (xwd -id).
sichtbar() {  # title
  local id x y
  id=$(id_von "$1") || return 1
  read -r x y < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
  xwd -id "$id" -silent -out "$arbeit/fenster.xwd" &&
    python3 "$(dirname "$0")/scaled_screen.py" shows "$arbeit/Xvfb_screen0" "$arbeit/fenster.xwd" "$x" "$y"
}

# Clicks on the game screen under a small window: the window stays on top and keeps the keyboard.
klicks_auf_das_spiel() {  # title
  local ort
  for ort in "470 300 the well" "376 518 the disabled highscore button"; do
    read -r x y wo <<<"$ort"
    klick "$x" "$y"
    sleep 0.3
    pruefe "$1 stays on top with the keyboard after a click on $wo" warte 5 oben_mit_tastatur "$1"
  done
}
# The window manager minimises the window: it comes back with the game, and stays.
minimieren() {  # title, whether the game screen shows under it (ja | nein)
  local id
  id=$(id_von "$1") || {
    pruefe "$1 shows before it is minimised" false
    return
  }
  xdotool windowminimize "$id"
  pruefe "$1 comes back whole after the window manager minimised it" warte 5 ganz_zurueck "$1" "$2"
  sleep 0.5
  pruefe "$1 is still there a moment later" ganz_zurueck "$1" "$2"
}
gehoert_zum_spiel() {  # title
  pruefe "$1 is transient for the game screen" transient_fuer "$1" "$haupt_id"
  pruefe "$1 offers no minimise or maximise" ohne_min_max "$1"
}

neues_spiel
for fenster in "Anleitung (Kelmora) :|anleitung" "Highscore (Kelmora) :|highscore"; do
  titel=${fenster%|*} knopf=${fenster#*|}
  "$knopf"
  pruefe "$titel opens with the keyboard" warte 15 oben_mit_tastatur "$titel"
  gehoert_zum_spiel "$titel"
  minimieren "$titel" nein
  wmctrl -F -c "$titel"
  pruefe "the game screen is back after $titel" warte 15 oben_mit_tastatur "$haupt"
done

info
pruefe "the about box opens with the keyboard" warte 15 oben_mit_tastatur "Info:"
gehoert_zum_spiel "Info:"
pruefe "the screen shows the about box's content" warte 5 sichtbar "Info:"
klicks_auf_das_spiel "Info:"
minimieren "Info:" ja
xdotool key Return
pruefe "OK leads back to the game screen" warte 15 oben_mit_tastatur "$haupt"

neues_spiel
pruefe "a game played to its end opens the name entry" bis_zur_eingabe
pruefe "the entry has the keyboard" warte 15 oben_mit_tastatur "$eingabe"
eingabe_id=$(id_von "$eingabe")
gehoert_zum_spiel "$eingabe"
pruefe "the screen shows the name entry's content" warte 5 sichtbar "$eingabe"
klicks_auf_das_spiel "$eingabe"
minimieren "$eingabe" ja
# An empty name: the message belongs to the entry and keeps the keyboard too.
xdotool key Return
meldung="-=Attention=-"
pruefe "an empty name brings the message" warte 15 oben_mit_tastatur "$meldung"
pruefe "the message is transient for the entry" transient_fuer "$meldung" "$eingabe_id"
pruefe "the screen shows the message's content" warte 5 sichtbar "$meldung"
klicks_auf_das_spiel "$meldung"
xdotool key Return
pruefe "the entry has the keyboard after the message" warte 15 oben_mit_tastatur "$eingabe"
# The player clicks the game screen first, then types: the name reaches the file.
klick 470 300
xdotool type --delay 20 "Klick"
xdotool key Return
pruefe "the entry leads to the list" warte 15 oben_mit_tastatur "Highscore (Kelmora) :"
pruefe "the name typed after a click is in the file" grep -aq ', *Klick' "$arbeit/daten/norvane/NORVANE.INI"
klick 510 589
pruefe "the list's back button leads to the game screen" warte 15 oben_mit_tastatur "$haupt"

# A close request on the game screen under the about box is the quit button.
info
pruefe "the about box opens again" warte 15 oben_mit_tastatur "Info:"
wmctrl -i -c "$haupt_id"
endet_normal "a close request on the game screen under the about box ends the program"

ende
exit $?
