// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The end of a game: the two signs slide into the well from above and below.

#include "app/tform.h"
#include "platform/blit.h"

using platform::BitBlt;
using platform::Rop;

void TForm::GameOver() {
  SpielVorbei = true;
  FallTimer.SetEnabled(false);
  GameOverSchritt = -33;
  GameOverTimer.SetEnabled(true);
  // A landing under way when a window opened can end the game behind it; the
  // entry must not open over that window, so it waits for the return.
  if (FensterOffen)
    EintragWartet = true;
  else
    HighscoreEintrag();
}

void TForm::GameOverTimer_Timer() {
  if (GameOverSchritt >= 161) {
    GameOverTimer.SetEnabled(false);
    GameOverSchritt = 0;
    return;
  }
  const int S = GameOverSchritt;
  QImage& well = TBox->Image();

  const int w1 = GameOverPic1.width(), h1 = GameOverPic1.height();
  const int x1 = (TBox->width() - w1) / 2;
  if (S > -33) BitBlt(well, x1, S - 7, w1, h1, GameOverSich1, 0, 0, Rop::SrcCopy);
  BitBlt(GameOverSich1, 0, 0, w1, h1, well, x1, S, Rop::SrcCopy);
  BitBlt(well, x1, S, w1, h1, GameOverBl1, 0, 0, Rop::MergePaint);
  BitBlt(well, x1, S, w1, h1, GameOverPic1, 0, 0, Rop::SrcAnd);

  const int w2 = GameOverPic2.width(), h2 = GameOverPic2.height();
  const int x2 = (TBox->width() - w2) / 2;
  const int y2 = 400 - S - 33;
  if (y2 < 400) BitBlt(well, x2, y2 + 7, w2, h2, GameOverSich2, 0, 0, Rop::SrcCopy);
  BitBlt(GameOverSich2, 0, 0, w2, h2, well, x2, y2, Rop::SrcCopy);
  BitBlt(well, x2, y2, w2, h2, GameOverBl2, 0, 0, Rop::MergePaint);
  BitBlt(well, x2, y2, w2, h2, GameOverPic2, 0, 0, Rop::SrcAnd);

  TBox->Refresh();
  GameOverSchritt += 7;
}
