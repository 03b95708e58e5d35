// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Side moves and turning of the falling piece. The tests probe fixed sets of
// cells that depend on the picture and on whether the piece lies on a row.

#include <cmath>

#include "app/tform.h"
#include "engine/tables.h"
#include "platform/display.h"
#include "shell/sound.h"

namespace {

struct Raster {
  int c0;         // left column of the picture, 0-based
  int C;          // the same as a table column
  int T;          // top row, truncated toward zero and at least 0
  int F;          // top row, rounded down
  bool zwischen;  // the piece overlaps one more row below its cell rows
};

Raster RasterVon(float steinX, float steinY) {
  Raster r{};
  r.c0 = static_cast<int>(steinX / 20.0f);
  r.C = r.c0 + 1;
  r.T = static_cast<int>(std::trunc(steinY / 20.0f)) + 1;
  if (r.T < 0) r.T = 0;
  r.F = static_cast<int>(std::floor(steinY / 20.0f)) + 1;
  r.zwischen = std::fmod(steinY, 20.0f) != 0.0f;
  return r;
}

bool IstZelle(int p, int dx, int dy) {
  for (const engine::Zelle& z : engine::kKatalog[static_cast<size_t>(p)].zellen)
    if (z.dx == dx && z.dy == dy) return true;
  return false;
}

// Outside the table counts as free; the wall limits keep every probe inside it.
bool BelegtBei(const bool (&belegt)[11][21], int c, int r) {
  return c >= 0 && c <= 10 && r >= 0 && r <= 20 && belegt[c][r];
}

// richtung -1 probes left of each row's leftmost cell, +1 right of its rightmost.
bool SeiteBelegt(const bool (&belegt)[11][21], int p, float steinX, float steinY, int richtung) {
  const Raster ra = RasterVon(steinX, steinY);
  const engine::Bild& bild = engine::kKatalog[static_cast<size_t>(p)];
  bool blockiert = false;
  for (int i = 0; i < bild.hoehe; ++i) {
    int aussen = richtung < 0 ? 99 : -99;
    for (const engine::Zelle& z : bild.zellen) {
      if (z.dy != i) continue;
      aussen = richtung < 0 ? std::min(aussen, z.dx) : std::max(aussen, z.dx);
    }
    const int dx = aussen + richtung;
    if (!IstZelle(p, dx, i) && BelegtBei(belegt, ra.C + dx, ra.T + i)) blockiert = true;
    if (ra.zwischen && !IstZelle(p, dx, i + 1) && BelegtBei(belegt, ra.C + dx, ra.T + i + 1)) blockiert = true;
  }
  return blockiert;
}

int Zelle20() { return 300 / platform::display::TwipsPerPixelX(); }

}  // namespace

bool TForm::LinksBelegt() const { return SeiteBelegt(Belegt, AktStein, SteinX, SteinY, -1); }

bool TForm::RechtsBelegt() const { return SeiteBelegt(Belegt, AktStein, SteinX, SteinY, +1); }

bool TForm::DrehPruefer() const {
  const Raster ra = RasterVon(SteinX, SteinY);
  for (const engine::WandPaar& w : engine::kWandPaare)
    if (w.bild == AktStein && w.c0 == ra.c0) return false;
  const int naechster = engine::NaechsterZustand(AktStein);
  const engine::DrehProbe& probe = engine::kDrehProben[static_cast<size_t>(AktStein)];
  bool blockiert = false;
  if (!probe.hoch) {
    for (const engine::Zelle& z : probe.AufZeile()) blockiert |= BelegtBei(Belegt, ra.C + z.dx, ra.T + z.dy);
    if (ra.zwischen)
      for (const engine::Zelle& z : probe.Zwischen()) blockiert |= BelegtBei(Belegt, ra.C + z.dx, ra.T + z.dy);
  }
  // A turn whose new state would reach the bottom row is refused outright.
  if (static_cast<int>(std::floor(SteinY / 20.0f)) + BildHoehe(naechster) / 20 + 1 > 20) return false;
  if (probe.hoch)
    for (const engine::Zelle& z : probe.AufZeile()) blockiert |= BelegtBei(Belegt, ra.C + z.dx, ra.F + z.dy);
  // The probes above look ahead of a falling piece; a piece lying exactly on a
  // row could still turn into a settled cell, so the turned cells must be free too.
  for (const engine::Zelle& z : engine::kKatalog[static_cast<size_t>(naechster)].zellen) {
    blockiert |= BelegtBei(Belegt, ra.C + z.dx, ra.F + z.dy);
    if (ra.zwischen) blockiert |= BelegtBei(Belegt, ra.C + z.dx, ra.F + z.dy + 1);
  }
  return !blockiert;
}

void TForm::LinksBewegen() {
  if (SteinX == 0.0f) return;
  if (LinksBelegt()) return;
  SteinX -= static_cast<float>(Zelle20());
  if (Wartet) {
    FallTimer.SetEnabled(true);
    WartenTimer.SetEnabled(false);
    Wartet = false;
  }
}

void TForm::RechtsBewegen() {
  if (SteinX == static_cast<float>(200 - BildBreite(AktStein))) return;
  if (RechtsBelegt()) return;
  SteinX += static_cast<float>(Zelle20());
  if (Wartet) {
    FallTimer.SetEnabled(true);
    WartenTimer.SetEnabled(false);
    Wartet = false;
  }
}

void TForm::Drehen() {
  HauptModul::SoundAbspielen(QStringLiteral("ROTATE.WAV"));
  if (DrehPruefer()) AktStein = engine::NaechsterZustand(AktStein);
}
