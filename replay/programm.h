// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// `norvane --replay FILE` (or `--replay last`): the start of a playback in
// the program.

#include <QString>

class TForm;

namespace replay {

// Reads the file to be played; false, with one line on stderr, when it cannot
// be played at all. Call once the application object exists.
bool Vorbereiten(const QString& pfad);
// Starts the playback prepared before on the loaded main window.
void Starten(TForm& form);
// True when the playback stopped at damage in the file or did not match.
bool MitFehler();

}  // namespace replay
