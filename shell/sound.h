// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Sound requests of the game: one wave file by name, when sound is switched on
// and an output device exists.

#include <QString>

namespace HauptModul {

// The player's sound switch (key S); on at every start.
extern bool SoundAn;

// Plays the named file from the sound directory, replacing a sound still playing.
void SoundAbspielen(const QString& Datei);

// Full path of a sound file: the sound directory, one separator, the name.
QString SoundPfad(const QString& Datei);

}  // namespace HauptModul
