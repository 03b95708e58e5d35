// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Choosing pieces, bringing the next one into the well, and the preview.

#include "app/tform.h"
#include "platform/blit.h"
#include "platform/display.h"
#include "platform/system.h"
#include "replay/aufnahme.h"

using platform::BitBlt;
using platform::Rop;

void TForm::NaechstenWaehlen() {
  platform::random::Randomize(platform::clock::SecondsSinceMidnight());
  const int art = static_cast<int>(platform::random::Rnd() * 7);
  NaechsterStein = 4 * replay::Stein(*this, art);
}

void TForm::NeuerStein() {
  AktStein = NaechsterStein;
  SteinNeu = true;
  SteinY = static_cast<float>(-BildHoehe(AktStein));
  SteinX = static_cast<float>(300 / platform::display::TwipsPerPixelX() * 4);
  // A piece spawned while the game is paused or hidden behind another window
  // must not fall unseen; the continue or the return starts it.
  if (Pausiert) {
    // Continuing the pause starts the fall.
  } else if (FensterOffen) {
    TimerWarAktiv = true;
  } else {
    FallTimer.SetEnabled(true);
  }
  NaechstenWaehlen();
  VorschauZeigen();
}

void TForm::VorschauZeigen() {
  QImage& bild = Vorschau->Image();
  bild.fill(0xFF000000u);
  const int w = BildBreite(NaechsterStein);
  const int h = BildHoehe(NaechsterStein);
  const int px = (Vorschau->width() - w) / 2;
  const int py = (Vorschau->height() - h) / 2;
  BitBlt(bild, px, py, w, h, NB[NaechsterStein], 0, 0, Rop::MergePaint);
  BitBlt(bild, px, py, w, h, N[NaechsterStein], 0, 0, Rop::SrcAnd);
  Vorschau->Refresh();
}
