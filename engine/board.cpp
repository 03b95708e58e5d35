// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The piece pictures, the masked painting of the falling piece over the well,
// and placing a piece that has come to rest.

#include <cmath>

#include "app/tform.h"
#include "engine/tables.h"
#include "platform/blit.h"
#include "platform/display.h"

using platform::BitBlt;
using platform::Rop;

namespace {
int Px(float v) { return static_cast<int>(std::lround(v)); }
int Tpp() { return platform::display::TwipsPerPixelX(); }
}  // namespace

void TForm::Init() {
  BitBlt(TBox->Image(), 0, 0, 200, 400, TBoxSich, 0, 0, Rop::SrcCopy);
  TBox->Refresh();
  for (int p = 0; p < 28; ++p) {
    for (const engine::Zelle& z : engine::kKatalog[static_cast<size_t>(p)].zellen)
      Pattern(p / 4, p, 20 * z.dx, 20 * z.dy);
  }
  for (int y = 0; y <= 400; y += 20) {
    BitBlt(TBoxRahmen[0]->Image(), 0, y, 20, 20, RahmenMuster, 0, 0, Rop::SrcCopy);
    BitBlt(TBoxRahmen[2]->Image(), 0, y, 20, 20, RahmenMuster, 0, 0, Rop::SrcCopy);
  }
  for (int x = 0; x <= 240; x += 20) BitBlt(TBoxRahmen[1]->Image(), x, 0, 20, 20, RahmenMuster, 0, 0, Rop::SrcCopy);
  for (auto* rahmen : TBoxRahmen) rahmen->Refresh();
}

void TForm::Pattern(int M, int Wo, int Xp, int Yp) {
  BitBlt(N[Wo], Xp, Yp, 20, 20, Muster[M], 0, 0, Rop::SrcCopy);
  BitBlt(NB[Wo], Xp, Yp, 20, 20, Schwarz, 0, 0, Rop::SrcCopy);
}

void TForm::Loeschen() {
  BitBlt(TBox->Image(), Px(SichX), Px(SichY), SichBreite / Tpp(), SichHoehe / Tpp(), SichBox, 0, 0, Rop::SrcCopy);
}

void TForm::Sichern() {
  BitBlt(SichBox, 0, 0, BildBreite(AktStein), BildHoehe(AktStein), TBox->Image(), Px(SteinX), Px(SteinY), Rop::SrcCopy);
}

void TForm::Zeichnen() {
  const int w = BildBreite(AktStein);
  const int h = BildHoehe(AktStein);
  BitBlt(TBox->Image(), Px(SteinX), Px(SteinY), w, h, NB[AktStein], 0, 0, Rop::MergePaint);
  BitBlt(TBox->Image(), Px(SteinX), Px(SteinY), w, h, N[AktStein], 0, 0, Rop::SrcAnd);
}

void TForm::Anzeigen() { TBox->Refresh(); }

void TForm::Setzen() {
  const int S = Px(SteinX / 20.0f) + 1;
  const int Z = Px(SteinY / 20.0f) + 1;
  if (SteinY <= 0) {
    GameOver();
    return;
  }
  const auto& zellen = engine::kKatalog[static_cast<size_t>(AktStein)].zellen;
  for (const engine::Zelle& z : zellen) Belegt[S + z.dx][Z + z.dy] = true;
  for (const engine::Zelle& z : zellen) Farbe[S + z.dx][Z + z.dy] = AktStein / 4 + 1;
  // While removed rows flash, the spawn follows from the flash timer instead.
  if (ReihePruefen()) NeuerStein();
}
