// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Pausing and continuing, with the pause sign over the middle of the well.

#include "app/tform.h"
#include "platform/blit.h"

using platform::BitBlt;
using platform::Rop;

namespace {
QRect Schild(const TForm& f) {
  const int w = f.PausePic.width();
  const int h = f.PausePic.height();
  return {(f.TBox->width() - w) / 2, (f.TBox->height() - h) / 2, w, h};
}
}  // namespace

void TForm::PauseSchildZeichnen() {
  const QRect r = Schild(*this);
  BitBlt(PauseSich, 0, 0, r.width(), r.height(), TBox->Image(), r.x(), r.y(), Rop::SrcCopy);
  BitBlt(TBox->Image(), r.x(), r.y(), r.width(), r.height(), PausePicBl, 0, 0, Rop::MergePaint);
  BitBlt(TBox->Image(), r.x(), r.y(), r.width(), r.height(), PausePic, 0, 0, Rop::SrcAnd);
}

void TForm::Pause() {
  if (!Pausiert) {
    if (FallTimer.Enabled()) FallTimer.SetEnabled(false);
    PauseSchildZeichnen();
    Pausiert = true;
    TBox->Refresh();
  } else {
    const QRect r = Schild(*this);
    BitBlt(TBox->Image(), r.x(), r.y(), r.width(), r.height(), PauseSich, 0, 0, Rop::SrcCopy);
    Pausiert = false;
    // During a row flash no piece is falling yet: the spawn after the flash starts the fall.
    if (!FallTimer.Enabled() && !ReiheFortsetzung) FallTimer.SetEnabled(true);
    TBox->Refresh();
  }
}
