// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The replay folder beside the highscore list: "last.nvreplay" for the last
// game and one file for the game behind each entry of the list. Every write
// is atomic; a failed one is ignored and disturbs neither game nor list.

#include <QString>
#include <QStringList>

#include "replay/format.h"

namespace replay {

inline constexpr int kMaxDateien = 30;
inline constexpr const char* kLetztesName = "last.nvreplay";

// <data folder>/replays, created when missing.
QString Ordner();
// The path behind `--replay last`.
QString LetztesPfad();

// Replaces the file atomically; false (old file untouched) on failure.
bool DateiErsetzen(const QString& pfad, const QByteArray& inhalt);

void LetztesSichern(const Aufzeichnung& a);
// Keeps the game as the replay of a new highscore entry, then tidies the folder.
void EintragSichern(Aufzeichnung a, int punkte, const QString& name);
// Removes the entry replays whose entry has left the highscore list and keeps
// the folder within kMaxDateien replays.
void Aufraeumen();

// The entry replays in the folder, newest first (file names).
QStringList EintragDateien();

// Test seam: while on, every replay write fails at commit.
void SetzeSchreibfehlerFuerTests(bool an);

}  // namespace replay
