// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The command line. Read before the toolkit starts, so that --help, --version
// and mistakes are answered without a display.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace optionen {

struct Optionen {
  // The whole enlargement factor the player asked for; none: the largest that fits.
  std::optional<int> faktor;
  // A recorded game to play back instead of a game: a file, or "last".
  std::optional<std::string> wiedergabe;
  bool hilfe = false;
  bool version = false;
};

struct Auswertung {
  Optionen optionen;
  // Empty when the line was understood; otherwise the one line to print.
  std::string fehler;
};

// Reads the arguments after the program's name. Accepts "--name value" and
// "--name=value"; every other word is a mistake.
Auswertung Lesen(const std::vector<std::string>& argumente);
Auswertung Lesen(int argc, char* argv[]);

// Help (to `aus`), version (to `aus`) or the mistake (to `fehler`): the exit
// status to end with, or none when the game is to start.
std::optional<int> Beantworten(const Auswertung& auswertung, std::FILE* aus, std::FILE* fehler);

// The text of --help, made from the table of options.
std::string Hilfetext();

inline constexpr int kFalscherAufruf = 2;

}  // namespace optionen
