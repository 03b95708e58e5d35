// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Recording every game, from New Game to the end of the game-over signs. The
// game calls these hooks where something that changes it happens; each only
// notes the event and never changes what the game does. While a replay runs
// they feed the replay instead.

#include <QString>
#include <functional>

#include "replay/format.h"

class TForm;

namespace replay {

// New Game was clicked: a fresh recording starts (before anything is chosen).
void NeuesSpiel(const TForm& form);
// The kind 0 ... 6 chosen for the next piece; a replay returns its own.
int Stein(const TForm& form, int art);
// A key action after the keyboard and joystick mapping.
void Taste(const TForm& form, bool unten, int code);
// A secondary window halts the game (true) or the way back returns to it.
void Fenster(const TForm& form, bool offen);
// A highscore entry for this result has been saved to the list.
void EintragGespeichert(int punkte, const QString& name);

// The form is going away: a game in it can no longer end.
void FormEntfernt(const TForm& form);

// True while a replay drives the game: nothing is recorded, no highscore.
bool WiedergabeAktiv();

// The last finished recording, or null (for tests and for the entry files).
const Aufzeichnung* LetztesSpiel();
// Test seam: scripted games choose their pieces (the kind drawn goes in,
// the kind to use comes out); empty for the random ones.
void SetzeSteinWahlFuerTests(std::function<int(int)> wahl);
// The recording under way, or null.
const Aufzeichnung* LaufendeAufnahme();
// Drops the recording state (between tests).
void Zuruecksetzen();

}  // namespace replay
