// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/skin.h"

#include <QWidget>

#include "platform/blit.h"
#include "platform/display.h"
#include "platform/picturebox.h"
#include "shell/dialogfenster.h"

using platform::BitBlt;
using platform::Rop;
using platform::StretchBlt;

namespace skin {

void Vollbild(QWidget& fenster) {
  fenster.setWindowFlags(dialogfenster::Flags(dialogfenster::Art::Vollbild));
  fenster.setAutoFillBackground(true);
  QPalette pal = fenster.palette();
  pal.setColor(QPalette::Window, Qt::black);
  fenster.setPalette(pal);
}

QPoint BildschirmMitte(QSize fenster) {
  const QSize screen = platform::display::ScreenSize();
  return {(screen.width() - fenster.width()) / 2, (screen.height() - fenster.height()) / 2};
}

void FormAnpassen(QWidget& fenster, platform::PictureBox& panel, const QImage& hintergrund, const Rahmen& rahmen,
                  const QImage& titel, const QImage& titelMaske, int titelOben) {
  const QSize screen = platform::display::ScreenSize();
  fenster.move(0, 0);
  fenster.resize(screen);
  const int W = panel.width();
  const int H = panel.height();
  panel.move((screen.width() - W) / 2, (screen.height() - H) / 2);

  QImage& bild = panel.Image();
  const int tw = std::max(1, hintergrund.width());
  const int th = std::max(1, hintergrund.height());
  for (int x = 0; x <= W; x += tw)
    for (int y = 0; y <= H; y += th) BitBlt(bild, x, y, tw, th, hintergrund, 0, 0, Rop::SrcCopy);

  const QImage& rh = rahmen.horizontal;
  for (int x = 0; x <= W; x += std::max(1, rh.width())) {
    BitBlt(bild, x, 0, rh.width(), rh.height(), rh, 0, 0, Rop::SrcCopy);
    StretchBlt(bild, x, H, rh.width(), -rh.height(), rh, 0, 0, rh.width(), rh.height(), Rop::SrcCopy);
  }
  const QImage& rv = rahmen.vertikal;
  for (int y = 0; y <= H; y += std::max(1, rv.height())) {
    BitBlt(bild, 0, y, rv.width(), rv.height(), rv, 0, 0, Rop::SrcCopy);
    StretchBlt(bild, W, y, -rv.width(), rv.height(), rv, 0, 0, rv.width(), rv.height(), Rop::SrcCopy);
  }
  const QImage& e = rahmen.ecke;
  const int ew = e.width(), eh = e.height();
  BitBlt(bild, 0, 0, ew, eh, e, 0, 0, Rop::SrcCopy);
  StretchBlt(bild, 0, H, ew, -eh, e, 0, 0, ew, eh, Rop::SrcCopy);
  StretchBlt(bild, W, 0, -ew, eh, e, 0, 0, ew, eh, Rop::SrcCopy);
  StretchBlt(bild, W, H, -ew, -eh, e, 0, 0, ew, eh, Rop::SrcCopy);

  const int tx = (W - titel.width()) / 2;
  BitBlt(bild, tx, titelOben, titel.width(), titel.height(), titelMaske, 0, 0, Rop::MergePaint);
  BitBlt(bild, tx, titelOben, titel.width(), titel.height(), titel, 0, 0, Rop::SrcAnd);
  panel.Refresh();
}

}  // namespace skin
