// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Removing complete rows: the flash, the collapse and the repaint of the well.

#include "app/tform.h"
#include "platform/blit.h"
#include "shell/sound.h"

using platform::BitBlt;
using platform::Rop;

bool TForm::ReihePruefen() {
  int n = 0;
  for (int r = 1; r <= 20; ++r) {
    int voll = 0;
    for (int c = 1; c <= 10; ++c)
      if (Belegt[c][r]) ++voll;
    if (voll != 10) continue;
    ++n;
    for (int r2 = r; r2 >= 2; --r2) {
      for (int c = 1; c <= 10; ++c) {
        Belegt[c][r2] = Belegt[c][r2 - 1];
        Farbe[c][r2] = Farbe[c][r2 - 1];
      }
    }
    for (int c = 1; c <= 10; ++c) {
      Belegt[c][1] = false;
      Farbe[c][1] = 0;
      BitBlt(TBox->Image(), (c - 1) * 20, (r - 1) * 20, 20, 20, Reihe, 0, 0, Rop::SrcCopy);
    }
  }
  if (n == 0) {
    HauptModul::SoundAbspielen(QStringLiteral("DOWN.WAV"));
    return true;
  }
  HauptModul::SoundAbspielen(QStringLiteral("ROW") + QString::number(n) + QStringLiteral(".WAV"));
  Reihen += n;
  ReihenAnzeige();
  Punkte(n);
  TBox->Refresh();
  // The removed rows show the flash until the timer ticks; the rest of the
  // placing resumes there.
  ReiheTimer.SetEnabled(true);
  ReiheFortsetzung = true;
  return false;
}

void TForm::ReiheTimer_Timer() {
  ReiheTakt = 1;
  ReiheTimer.SetEnabled(false);
  if (!ReiheFortsetzung) return;
  ReiheFortsetzung = false;
  ReiheTakt = 0;
  BitBlt(TBox->Image(), 0, 0, 200, 400, TBoxSich, 0, 0, Rop::SrcCopy);
  for (int r = 1; r <= 20; ++r) {
    for (int c = 1; c <= 10; ++c) {
      if (Farbe[c][r] != 0)
        BitBlt(TBox->Image(), (c - 1) * 20, (r - 1) * 20, 20, 20, Muster[Farbe[c][r] - 1], 0, 0, Rop::SrcCopy);
    }
  }
  // A pause taken during the flash keeps its sign over the repainted well.
  if (Pausiert) PauseSchildZeichnen();
  TBox->Refresh();
  NeuerStein();
}
