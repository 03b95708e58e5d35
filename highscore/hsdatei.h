// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Highscore file NORVANE.INI: reading, writing, default list, qualification
// and insertion. Pure functions on a path or on bytes; Qt Core only.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace highscore {

using Punkteliste = std::array<double, 11>;  // index 0 unused
using Textliste = std::array<QString, 11>;   // index 0 unused

inline constexpr const char* kDateiName = "NORVANE.INI";
inline constexpr int kPlaetze = 10;

// Reading limits: the file is user-editable, so nothing in it may make us
// read, allocate or loop without bound. A line keeps its first 4096
// characters and the rest of it is passed over, so a long line costs none of
// the ranks after it; reading stops after 64 MiB.
inline constexpr qint64 kMaxLeseBytes = 64 * 1024 * 1024;
inline constexpr int kMaxZeilenZeichen = 4096;

// True when a regular file (or a link to one) is at the path. A FIFO, a
// device or a directory there counts as missing; it is never opened for
// reading and never replaced by a save.
bool Vorhanden(const QString& pfad);

// Writes the default list (500 down to 50 for "Jorin Falkat").
void StandardAnlegen(const QString& pfad);

// The three readers. Ranks the file does not provide keep the values passed
// in; a missing or unreadable file changes nothing. They never report errors.
void WerteLesen(const QString& pfad, Punkteliste& punkte);
void ListeLesen(const QString& pfad, Punkteliste& punkte, Textliste& namen);
void AnzeigeLesen(const QString& pfad, Textliste& punkteText, Textliste& namen);

// Replaces the file atomically; false (old file untouched) when that failed
// or when something other than a regular file is at the path.
bool ListeSchreiben(const QString& pfad, const Punkteliste& punkte, const Textliste& namen);

// One entry line without line end: score left-aligned in five columns, ",",
// then the name.
QString EintragZeile(double punkte, const QString& name);

// Leading numeric value of the text, 0 when there is none; nullopt only when
// the value is not finite.
std::optional<double> Val(QStringView text);

// Plain decimal text: integers as digits, anything else with 15 significant
// digits. Never uses thousands separators.
QString ZahlText(double wert);

// Rank 1..10 the result earns, or 0 when it does not qualify.
int EintragsPlatz(const Punkteliste& gespeichert, double ergebnis);

// Moves ranks stelle..9 one down (old rank 10 drops out) and stores the
// result at stelle. The name at stelle is left for the caller to replace.
void Einfuegen(Punkteliste& punkte, Textliste& namen, int stelle, double ergebnis);

// Splits raw file bytes into at most maxZeilen lines (ends: CR LF, CR, LF),
// each cut at kMaxZeilenZeichen characters. Each line is decoded on its own:
// valid UTF-8 as UTF-8, anything else in Windows code page 1252, whose five
// unassigned bytes read as U+FFFD. A leading UTF-8 byte order mark is dropped.
QStringList ZeilenAusBytes(const QByteArray& bytes, int maxZeilen);

// Field access on one stored line, as the readers use it.
QString PunkteTextAusZeile(QStringView zeile);  // columns 1-5, trimmed
std::optional<double> PunkteAusZeile(QStringView zeile);
QString NameAusZeile(QStringView zeile);  // from column 7 of the trimmed line

// Test seam: while on, every write fails at commit and leaves the old file.
void SetzeSchreibfehlerFuerTests(bool an);

}  // namespace highscore
