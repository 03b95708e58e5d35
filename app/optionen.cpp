// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/optionen.h"

#include <array>
#include <string_view>

#ifndef NORVANE_VERSION
#define NORVANE_VERSION "unknown"
#endif

namespace optionen {

namespace {

constexpr std::string_view kHinweis = "; try 'norvane --help'";

// One option of the command line; a new option is one more row of the table.
struct Option {
  std::string_view name;  // with its two dashes
  std::string_view wert;  // the value's name in the help, empty for a switch
  std::string_view hilfe;
  // Stores the value (or the switch) and returns the mistake, empty if none.
  std::string (*setzen)(Optionen&, std::string_view wert);
};

std::string Faktor(Optionen& o, std::string_view wert) {
  const std::string falsch =
      "norvane: --scale needs a whole number of 1 or more, not '" + std::string(wert) + "'" + std::string(kHinweis);
  // Nine digits at most: more cannot fit any screen and would overflow.
  if (wert.empty() || wert.size() > 9) return falsch;
  int n = 0;
  for (char c : wert) {
    if (c < '0' || c > '9') return falsch;
    n = n * 10 + (c - '0');
  }
  if (n < 1) return falsch;
  o.faktor = n;
  return {};
}

std::string Wiedergabe(Optionen& o, std::string_view wert) {
  if (wert.empty()) return "norvane: --replay needs a file (or 'last')" + std::string(kHinweis);
  o.wiedergabe = std::string(wert);
  return {};
}

constexpr std::array<Option, 4> kOptionen{{
    {"--scale", "N",
     "enlarge the game N times, N a whole number;\n"
     "1 gives the original 640 x 480 pixels; without the\n"
     "option, the largest factor that fits the screen",
     Faktor},
    {"--replay", "FILE",
     "play back a recorded game instead of playing;\n"
     "'last' is the last game played",
     Wiedergabe},
    {"--help", "", "show this help and exit",
     [](Optionen& o, std::string_view) {
       o.hilfe = true;
       return std::string();
     }},
    {"--version", "", "show the version and exit",
     [](Optionen& o, std::string_view) {
       o.version = true;
       return std::string();
     }},
}};

const Option* Suchen(std::string_view name) {
  for (const Option& o : kOptionen)
    if (o.name == name) return &o;
  return nullptr;
}

}  // namespace

Auswertung Lesen(const std::vector<std::string>& argumente) {
  Auswertung a;
  for (size_t i = 0; i < argumente.size(); ++i) {
    const std::string_view wort = argumente[i];
    const size_t gleich = wort.starts_with("--") ? wort.find('=') : std::string_view::npos;
    const std::string_view name = wort.substr(0, gleich);
    const Option* option = Suchen(name);
    if (!option) {
      a.fehler =
          (wort.starts_with('-') && wort.size() > 1 ? "norvane: unknown option '" : "norvane: unexpected argument '") +
          std::string(name) + "'" + std::string(kHinweis);
      return a;
    }
    std::string_view wert;
    if (option->wert.empty()) {
      if (gleich != std::string_view::npos) {
        a.fehler = "norvane: " + std::string(name) + " takes no value" + std::string(kHinweis);
        return a;
      }
    } else if (gleich != std::string_view::npos) {
      wert = wort.substr(gleich + 1);
    } else if (i + 1 < argumente.size()) {
      wert = argumente[++i];
    } else {
      a.fehler = "norvane: " + std::string(name) + " needs a value (" + std::string(option->wert) + ")" +
                 std::string(kHinweis);
      return a;
    }
    a.fehler = option->setzen(a.optionen, wert);
    if (!a.fehler.empty()) return a;
  }
  return a;
}

Auswertung Lesen(int argc, char* argv[]) {
  std::vector<std::string> argumente;
  for (int i = 1; i < argc; ++i) argumente.emplace_back(argv[i]);
  return Lesen(argumente);
}

std::string Hilfetext() {
  std::string text =
      "Usage: norvane [OPTION]...\n"
      "A falling-block puzzle game for one player.\n\n";
  for (const Option& o : kOptionen) {
    std::string kopf = "  " + std::string(o.name) + (o.wert.empty() ? "" : " " + std::string(o.wert));
    kopf.resize(std::max<size_t>(kopf.size() + 2, 16), ' ');
    std::string zeilen(o.hilfe);
    for (size_t p = zeilen.find('\n'); p != std::string::npos; p = zeilen.find('\n', p + 1))
      zeilen.insert(p + 1, std::string(kopf.size(), ' '));
    text += kopf + zeilen + "\n";
  }
  text += "\nThe highscores are kept in $XDG_DATA_HOME/norvane/NORVANE.INI.\n";
  return text;
}

std::optional<int> Beantworten(const Auswertung& auswertung, std::FILE* aus, std::FILE* fehler) {
  if (!auswertung.fehler.empty()) {
    std::fprintf(fehler, "%s\n", auswertung.fehler.c_str());
    return kFalscherAufruf;
  }
  if (auswertung.optionen.hilfe) {
    std::fputs(Hilfetext().c_str(), aus);
    return 0;
  }
  if (auswertung.optionen.version) {
    std::fputs("norvane " NORVANE_VERSION "\n", aus);
    return 0;
  }
  return std::nullopt;
}

}  // namespace optionen
