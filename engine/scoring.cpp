// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Points, levels and the three digit counters.

#include "app/tform.h"
#include "engine/tables.h"
#include "platform/blit.h"

namespace {

// Shows v right-aligned with leading zeros; a number with more digits than
// the counter has positions shows its last digits.
void ZahlZeigen(TForm& form, platform::PictureBox& box, int stellen, long v) {
  QString s = QString::number(v);
  if (s.size() > stellen) s = s.right(stellen);
  const int L = static_cast<int>(s.size());
  for (int p = 1; p <= stellen - L; ++p) form.DigAnz(box, p, 0);
  for (int k = 1; k <= L; ++k) form.DigAnz(box, stellen - L + k, s.at(k - 1).digitValue());
  box.Refresh();
}

}  // namespace

void TForm::DigAnz(platform::PictureBox& Wohin, int Stelle, int Zahl) {
  platform::BitBlt(Wohin.Image(), 16 * (Stelle - 1), 0, 14, 20, Digital, 14 * Zahl, 0, platform::Rop::SrcCopy);
}

void TForm::Punkte(int Anz) {
  if (Anz >= 1 && Anz <= 4) Punktestand += engine::kPunkteJeReihen[static_cast<size_t>(Anz)];
  if (Punktestand > engine::kPunkteMax) Punktestand = engine::kPunkteMax;
  ZahlZeigen(*this, *PunkteDigAnz, 6, Punktestand);
  if (Punktestand >= engine::kPunkteJeLevel * Level && Level != engine::kLevelMax) NextLevel();
}

void TForm::NextLevel() {
  ++Level;
  // During a soft drop the normal step waits in FallschrittSich.
  if (Fallschritt == engine::kSoftDropSchritt) {
    ++FallschrittSich;
  } else {
    ++Fallschritt;
  }
  const QString s = QString::number(Level);
  if (Level < 10) {
    DigAnz(*LevelDigAnz, 1, 0);
    DigAnz(*LevelDigAnz, 2, Level);
  } else {
    DigAnz(*LevelDigAnz, 1, s.front().digitValue());
    DigAnz(*LevelDigAnz, 2, s.back().digitValue());
  }
  LevelDigAnz->Refresh();
}

void TForm::ReihenAnzeige() { ZahlZeigen(*this, *ReihenDigAnz, 4, Reihen); }
