// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the program's files live, the random generator, and handing links to
// the desktop.

#include <QString>
#include <cstdint>
#include <functional>

namespace platform::files {

// Directory of the program file.
QString ProgramDirectory();
// Directory of the sound files: beside the program, or, in an installed copy,
// share/norvane relative to it.
QString SoundDirectory();
// The per-user directory that holds the highscore file; created when missing.
QString HighscoreDirectory();

}  // namespace platform::files

namespace platform::random {

// Mixes a new seed into the generator (the game reseeds from the time of day).
void Randomize(double seed);
// Uniform in [0, 1).
double Rnd();
// Tests fix the sequence.
void Reset(uint64_t seed);

}  // namespace platform::random

namespace platform::links {

// Fire-and-forget request to open an address (mail or web) in the user's program.
void Open(const QString& url);
// Tests record the addresses instead of opening them.
void SetSeam(std::function<void(const QString&)> seam);

}  // namespace platform::links

namespace platform::ende {

// Turns SIGTERM and SIGINT into a call of `ende` from the event loop, so the
// program leaves through its own path. A second signal ends it at once.
void OnTerminate(std::function<void()> ende);
// Once the event loop has ended nothing would read the signal: the default action returns.
void Release();
// From here on an exit() inside the toolkit (it calls one when the connection
// to the display breaks) ends the process at once with its status and a line
// on stderr: no exit handler and no destructor runs after the display is gone.
// Armed late, so that it runs before the handlers registered until then.
void Wache();

}  // namespace platform::ende
