// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The replay file: what one game is made of, as a small text file.
//
//   norvane-replay 1          format version
//   program 1.0.0             version of the program that recorded it
//   switches 1 1 0            sound, preview, a halted piece waiting (at New Game)
//   entry 1240 Anna           only in the file of a highscore entry
//   events
//   0 n 3                     time in ms since New Game, kind, value
//   50 t 0
//   * 37 50                   the previous event 37 more times, every 50 ms
//   + 52 48 51                the previous event 3 more times, after these gaps
//   end 1240 2 37             points, level, rows at the end
//
// Kinds: n next piece (0 ... 6), k key down, u key up (virtual-key codes),
// t timer tick (0 fall, 1 landing delay, 2 row flash, 3 game over),
// h a window halts the game, r the way back from it.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace replay {

inline constexpr int kFormatVersion = 1;
// Reading limits: a replay is a few tens of kilobytes; nothing in a file may
// make us read, allocate or loop without bound.
inline constexpr qint64 kMaxDateiBytes = 4 * 1024 * 1024;
inline constexpr int64_t kMaxEreignisse = 2'000'000;
inline constexpr int64_t kMaxZeitMs = 24LL * 3600 * 1000;
inline constexpr int kTimerAnzahl = 4;

enum class Art : char {
  Stein = 'n',
  Taste = 'k',
  TasteLos = 'u',
  Takt = 't',
  Anhalten = 'h',
  Zurueck = 'r',
};

struct Ereignis {
  int64_t zeit = 0;  // ms since New Game
  Art art = Art::Takt;
  int wert = 0;
  bool operator==(const Ereignis&) const = default;
};

struct Aufzeichnung {
  QString programm;
  bool ton = true;
  bool vorschau = true;
  bool wartenderStein = false;
  // The highscore entry the game earned, in the file kept for that entry.
  bool eintrag = false;
  int eintragPunkte = 0;
  QString eintragName;
  std::vector<Ereignis> ereignisse;
  // The result as recorded; a file without it was cut short.
  bool beendet = false;
  int punkte = 0, level = 0, reihen = 0;
};

QByteArray Schreiben(const Aufzeichnung& a);

struct Gelesen {
  Aufzeichnung aufzeichnung;
  // Empty when the whole file is sound. Otherwise the first fault; the events
  // before it are kept and may be played up to that point.
  QString fehler;
};
Gelesen Lesen(const QByteArray& bytes);
// Reads a file of at most kMaxDateiBytes; anything else (missing, a
// directory, too large) is an error with no events.
Gelesen Laden(const QString& pfad);

// The version of this program, as written into every file.
QString ProgrammVersion();

}  // namespace replay
