// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the replay reader. Whatever the bytes, reading ends
// within the bounds, and whatever it accepts is written back to the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "replay/format.h"

namespace {
void Pruefe(bool bedingung) {
  if (!bedingung) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));
  const replay::Gelesen g = replay::Lesen(bytes);
  const replay::Aufzeichnung& a = g.aufzeichnung;
  Pruefe(static_cast<int64_t>(a.ereignisse.size()) <= replay::kMaxEreignisse);
  for (size_t i = 0; i < a.ereignisse.size(); ++i) {
    const replay::Ereignis& e = a.ereignisse[i];
    Pruefe(e.zeit >= 0 && e.zeit <= replay::kMaxZeitMs);
    if (i > 0) Pruefe(e.zeit >= a.ereignisse[i - 1].zeit);
    if (e.art == replay::Art::Stein) Pruefe(e.wert >= 0 && e.wert <= 6);
    if (e.art == replay::Art::Takt) Pruefe(e.wert >= 0 && e.wert < replay::kTimerAnzahl);
  }
  if (g.fehler.isEmpty()) Pruefe(a.beendet);
  // What was read, written again, reads back the same.
  if (!a.ereignisse.empty() || g.fehler.isEmpty()) {
    const replay::Gelesen wieder = replay::Lesen(replay::Schreiben(a));
    Pruefe(wieder.aufzeichnung.ereignisse == a.ereignisse);
    Pruefe(wieder.aufzeichnung.beendet == a.beendet);
    Pruefe(wieder.aufzeichnung.eintrag == a.eintrag);
  }
  return 0;
}
