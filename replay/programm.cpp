// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/programm.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "replay/ordner.h"
#include "replay/wiedergabe.h"

namespace replay {

namespace {
std::optional<Gelesen> g_gelesen;
std::unique_ptr<Wiedergabe> g_wiedergabe;
}  // namespace

bool Vorbereiten(const QString& pfad) {
  const QString datei = pfad == QLatin1String("last") ? LetztesPfad() : pfad;
  Gelesen g = Laden(datei);
  // Damage after the first events still lets the game be played up to it.
  if (!g.fehler.isEmpty() && g.aufzeichnung.ereignisse.empty()) {
    std::fprintf(stderr, "norvane: %s: %s\n", qPrintable(datei), qPrintable(g.fehler));
    return false;
  }
  g_gelesen = std::move(g);
  return true;
}

void Starten(TForm& form) {
  if (!g_gelesen) return;
  g_wiedergabe = std::make_unique<Wiedergabe>(form, std::move(*g_gelesen));
  g_gelesen.reset();
  g_wiedergabe->Starten();
}

bool MitFehler() { return g_wiedergabe && !g_wiedergabe->Meldung().isEmpty(); }

}  // namespace replay
