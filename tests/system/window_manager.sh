#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# The program under a private X server with a real window manager: every
# window shows its caption unchanged, a close request on a secondary window
# (wmctrl or Alt+F4) leads back to a working game screen, and a close request
# on the game screen ends the program normally.
#
# Usage: window_manager.sh <path of the norvane program>
# Exit 77 (reported as skipped) when a tool is missing.
set -uo pipefail

source "$(dirname "$0")/wm_lib.sh" "$1"

# Opens a window with a button of the game screen, checks its caption, sends a
# close request and checks the way back to the game screen.
schliessen_und_zurueck() {  # title, button, way of the close request (wmctrl | alt+F4)
  local fenster=$1 knopf=$2 weg=$3
  if ! laeuft; then
    pruefe "the program runs before $fenster opens" false
    return
  fi
  "$knopf"
  pruefe "$fenster opens" warte 15 gezeigt "$fenster"
  pruefe "caption of $fenster" beschriftung_stimmt "$fenster"
  # The player types into a new window without clicking it first.
  pruefe "$fenster has the keyboard" warte 15 aktiv "$fenster"
  if [[ $weg == wmctrl ]]; then
    wmctrl -F -c "$fenster"
  else
    xdotool key --clearmodifiers alt+F4
  fi
  pruefe "$fenster goes away ($weg)" warte 15 nicht_gezeigt "$fenster"
  pruefe "the game screen is back after $fenster" warte 15 gezeigt "$haupt"
  pruefe "the game screen has the keyboard after $fenster" warte 15 aktiv "$haupt"
  pruefe "the program still runs after $fenster" laeuft
}

# A game runs behind every window; each next button proves the screen takes clicks again.
neues_spiel
schliessen_und_zurueck "Anleitung (Kelmora) :" anleitung wmctrl
schliessen_und_zurueck "Info:" info wmctrl
schliessen_und_zurueck "Highscore (Kelmora) :" highscore wmctrl
schliessen_und_zurueck "Anleitung (Kelmora) :" anleitung alt+F4
schliessen_und_zurueck "Info:" info alt+F4
schliessen_und_zurueck "Highscore (Kelmora) :" highscore alt+F4

# A game played to its end with hard drops opens the name entry; a name and Enter
# lead to the list, whose back button leads to the game screen.
if laeuft; then
  neues_spiel
  pruefe "a game played to its end opens the name entry" bis_zur_eingabe
  pruefe "caption of $eingabe" beschriftung_stimmt "$eingabe"
  pruefe "the entry has the keyboard" warte 15 aktiv "$eingabe"
  # The entry refuses close requests: it stays until the name is confirmed.
  wmctrl -F -c "$eingabe"
  xdotool key --clearmodifiers alt+F4
  if warte 1 nicht_gezeigt "$eingabe"; then
    pruefe "the entry refuses close requests" false
  else
    pruefe "the entry refuses close requests" gezeigt "$eingabe"
  fi
  xdotool type --delay 20 "Ode"
  xdotool key Return
  pruefe "the entry leads to the list" warte 15 gezeigt "Highscore (Kelmora) :"
  pruefe "the list has the keyboard" warte 15 aktiv "Highscore (Kelmora) :"
  klick 510 589
  pruefe "the list's back button leads to the game screen" warte 15 gezeigt "$haupt"
  pruefe "the game screen has the keyboard after the list" warte 15 aktiv "$haupt"
fi

# On the game screen a close request is the quit button: the program ends normally.
wmctrl -F -c "$haupt"
endet_normal "a close request on the game screen ends the program"

ende
exit $?
