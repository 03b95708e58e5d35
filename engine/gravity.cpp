// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Gravity, the support test, the landing delay and the hard drop.

#include <cmath>

#include "app/tform.h"
#include "engine/tables.h"
#include "platform/display.h"

namespace {
int Tpp() { return platform::display::TwipsPerPixelX(); }
}  // namespace

void TForm::FallTimer_Timer() {
  if (!SteinNeu) {
    Loeschen();
  } else {
    SteinNeu = false;
  }
  SichX = SteinX;
  SichY = SteinY;
  SichHoehe = BildHoehe(AktStein) * Tpp();
  SichBreite = BildBreite(AktStein) * Tpp();
  Sichern();
  Zeichnen();
  Anzeigen();
  // The picture on screen lags one step behind the position from here on.
  SteinY += static_cast<float>(Fallschritt);
  const float boden = static_cast<float>(400 - BildHoehe(AktStein));
  if (SteinY > boden) {
    FallTimer.SetEnabled(false);
    Loeschen();
    SteinY = boden;
    Sichern();
    SichX = SteinX;
    SichY = SteinY;
    Zeichnen();
    Anzeigen();
    Warten();
  } else if (Pruefen()) {
    FallTimer.SetEnabled(false);
    Warten();
  }
}

bool TForm::Pruefen() {
  const int c0 = static_cast<int>(SteinX / 20.0f) + 1;
  const int r = static_cast<int>(std::floor(SteinY / 20.0f)) + BildHoehe(AktStein) / 20 + 1;
  if (r > 20) return false;
  bool gestuetzt = false;
  for (const engine::Stuetze& s : engine::kStuetzen[static_cast<size_t>(AktStein)].Zellen()) {
    const int c = c0 + s.dx;
    const int zeile = r - s.k;
    if (c >= 0 && c <= 10 && zeile >= 0 && zeile <= 20 && Belegt[c][zeile]) gestuetzt = true;
  }
  if (!gestuetzt) return false;
  SteinX = std::floor(SteinX / 20.0f) * 20.0f;
  SteinY = std::floor(SteinY / 20.0f) * 20.0f;
  if (!Durchfall) {
    Loeschen();
    Sichern();
    SichX = SteinX;
    SichY = SteinY;
    Zeichnen();
    Anzeigen();
  }
  return true;
}

void TForm::FallStein() {
  FallTimer.SetEnabled(false);
  Durchfall = true;
  const float boden = static_cast<float>(400 - BildHoehe(AktStein));
  bool gestuetzt = false;
  do {
    SteinY += static_cast<float>(engine::kSoftDropSchritt);
    gestuetzt = Pruefen();
  } while (!(SteinY >= boden || gestuetzt));
  SteinY = std::floor(SteinY / 20.0f) * 20.0f;
  if (!SteinNeu) Loeschen();
  Zeichnen();
  Anzeigen();
  Durchfall = false;
  Setzen();
}

void TForm::Warten() {
  Wartet = true;
  WartenTimer.SetEnabled(true);
}

void TForm::WartenTimer_Timer() {
  Wartet = false;
  // Stopped before placing, so one landing is placed exactly once. A pause
  // continued during the delay may have restarted the fall; a piece being
  // placed must not fall any further.
  WartenTimer.SetEnabled(false);
  FallTimer.SetEnabled(false);
  Setzen();
}
