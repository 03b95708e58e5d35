// Pausing and continuing, with the pause sign over the middle of the well.

#include "app/tform.h"
#include "platform/blit.h"

using platform::BitBlt;
using platform::Rop;

void TForm::Pause() {
  const int w = PausePic.width();
  const int h = PausePic.height();
  const int x = (TBox->width() - w) / 2;
  const int y = (TBox->height() - h) / 2;
  if (!Pausiert) {
    if (FallTimer.Enabled()) FallTimer.SetEnabled(false);
    BitBlt(PauseSich, 0, 0, w, h, TBox->Image(), x, y, Rop::SrcCopy);
    BitBlt(TBox->Image(), x, y, w, h, PausePicBl, 0, 0, Rop::MergePaint);
    BitBlt(TBox->Image(), x, y, w, h, PausePic, 0, 0, Rop::SrcAnd);
    Pausiert = true;
    TBox->Refresh();
  } else {
    BitBlt(TBox->Image(), x, y, w, h, PauseSich, 0, 0, Rop::SrcCopy);
    Pausiert = false;
    if (!FallTimer.Enabled()) FallTimer.SetEnabled(true);
    TBox->Refresh();
  }
}
