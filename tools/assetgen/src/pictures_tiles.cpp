// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Menu buttons and the seamless background tiles of the windows.

#include "picture_kit.h"
#include "pictures.h"

#include "color.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace assetgen {

namespace picparts {

// -------------------------------------------------------------- buttons ----

QImage button(int w, int h, const QString& label) {
  QImage img = transparentLayer(w, h);
  QPainter p(&img);
  setupPainter(p);
  const QRectF r(0.5, 0.5, w - 1.0, h - 1.0);
  QLinearGradient body(0, 0, 0, h);
  body.setColorAt(0.0, QColor(0x4A, 0x64, 0x97));
  body.setColorAt(0.5, QColor(0x34, 0x4A, 0x75));
  body.setColorAt(1.0, QColor(0x22, 0x30, 0x51));
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(body);
  p.drawRoundedRect(r, 5, 5);
  QLinearGradient bevel(0, 1, 0, h - 1);
  bevel.setColorAt(0.0, QColor(0xA6, 0xBC, 0xE4));
  bevel.setColorAt(0.45, QColor(0x6A, 0x83, 0xB4, 90));
  bevel.setColorAt(0.55, QColor(0x10, 0x18, 0x2C, 90));
  bevel.setColorAt(1.0, QColor(0x10, 0x18, 0x2C));
  p.setPen(QPen(QBrush(bevel), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(1.0, 1.0, -1.0, -1.0), 4, 4);

  QFont f = boldFont(12);
  // Shrink the label if a long word would touch the rim.
  while (QFontMetricsF(f).horizontalAdvance(label) > w - 10 && f.pixelSize() > 8) f.setPixelSize(f.pixelSize() - 1);
  p.setFont(f);
  const QRectF textR(0, 0, w, h - 1);
  p.setPen(kLabelShadow);
  p.drawText(textR.translated(1, 1), Qt::AlignCenter, label);
  p.setPen(kLabelText);
  p.drawText(textR, Qt::AlignCenter, label);
  p.end();
  // The game loads pictures without alpha, so the rounded corners are
  // flattened onto the dark panel colour the buttons sit on.
  QImage flat = newImage(w, h, kPanelBehind);
  QPainter f2(&flat);
  f2.drawImage(0, 0, img);
  f2.end();
  return flat;
}

// ---------------------------------------------------------------- tiles ----

QImage mainTile() {
  const int w = 150, h = 120;
  QImage img = newImage(w, h, QColor(0x17, 0x20, 0x33));
  const TileNoise cloud(5, 4, 0xC10Du), fine(15, 12, 0xF17Eu);
  const int ghost = 15;  // faint embossed cells, 10 x 8 of them per tile
  modulate(img, [&](int x, int y) {
    const double u = x / double(w), v = y / double(h);
    double d = (cloud.at(u, v) - 0.5) * 7.0 + (fine.at(u, v) - 0.5) * 4.0;
    const int gx = x % ghost, gy = y % ghost;
    if (gx == 0 || gy == 0)
      d += 4.0;
    else if (gx == ghost - 1 || gy == ghost - 1)
      d -= 4.0;
    return d;
  });
  return img;
}

QImage highscoreTile() {
  // Night sky: diamond lattice and a sprinkle of stars.
  const int w = 144, h = 144;
  QImage img = newImage(w, h, QColor(0x12, 0x1A, 0x31));
  const TileNoise cloud(4, 4, 0x5CA1u);
  modulate(img, [&](int x, int y) {
    double d = (cloud.at(x / double(w), y / double(h)) - 0.5) * 9.0;
    if ((x + y) % 24 == 0 || ((x - y) % 24 + 24) % 24 == 0) d += 5.0;
    return d;
  });
  Rng rng(0x57A25u);
  for (int i = 0; i < 18; ++i) {
    const int x = static_cast<int>(rng.below(w)), y = static_cast<int>(rng.below(h));
    const int b = 40 + static_cast<int>(rng.below(60));
    img.setPixelColor(x, y, shift(img.pixelColor(x, y), b));
  }
  return img;
}

QImage entryTile() {
  const int w = 145, h = 145;
  QImage img = newImage(w, h, QColor(0x10, 0x17, 0x28));
  const TileNoise cloud(5, 5, 0xE7A1u);
  modulate(img, [&](int x, int y) {
    double d = (cloud.at(x / double(w), y / double(h)) - 0.5) * 8.0;
    if ((x + y) % 29 == 0) d += 5.0;  // 145 = 5 x 29, so the hatching wraps
    return d;
  });
  return img;
}

QImage helpTile() {
  const int w = 189, h = 194;
  QImage img = newImage(w, h, QColor(0x12, 0x1C, 0x2F));
  const TileNoise cloud(3, 3, 0x4E1Bu), fine(9, 9, 0x4E1Cu);
  modulate(img, [&](int x, int y) {
    const double u = x / double(w), v = y / double(h);
    double d = (cloud.at(u, v) - 0.5) * 12.0 + (fine.at(u, v) - 0.5) * 5.0;
    if (y % 2 == 1) d -= 3.0;  // soft scan lines; 194 is even so they wrap
    return d;
  });
  return img;
}

QImage infoTile() {
  // Light so that navy and black text stays readable.
  const int w = 219, h = 163;
  QImage img = newImage(w, h, QColor(0xDC, 0xE4, 0xEF));
  const TileNoise cloud(3, 3, 0x1AF0u);
  modulate(img, [&](int x, int y) {
    const double u = x / double(w), v = y / double(h);
    const double wave = std::sin(2 * kPi * (2 * u + 3 * v)) * std::sin(2 * kPi * (5 * u - v));
    return (cloud.at(u, v) - 0.5) * 10.0 + wave * 3.0;
  });
  return img;
}

}  // namespace picparts

using namespace picparts;

const std::vector<const char*>& seamlessTiles() {
  static const std::vector<const char*> t{"rahmenmuster.png", "hg_main.png",      "hg_highscore.png",
                                          "hg_eingabe.png",   "hg_anleitung.png", "hg_info.png"};
  return t;
}

}  // namespace assetgen
