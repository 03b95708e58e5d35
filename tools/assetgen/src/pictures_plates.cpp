// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The panel border, the counter and preview plates and their captions.

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

// --------------------------------------------------------------- plates ----

// Rounded-tube profile of the panel border, from the outer edge inwards.
// Symmetric enough that the mirrored copies of the strips still look lit.
const std::array<QColor, 6>& borderProfile() {
  static const std::array<QColor, 6> p{QColor(0x06, 0x0A, 0x13), QColor(0x42, 0x52, 0x72), QColor(0x86, 0x98, 0xB9),
                                       QColor(0x5C, 0x6D, 0x8E), QColor(0x35, 0x42, 0x5E), QColor(0x0B, 0x11, 0x20)};
  return p;
}

QImage borderStrip(bool horizontal) {
  const int length = horizontal ? 30 : 27;
  QImage img = horizontal ? newImage(length, 6, Qt::black) : newImage(6, length, Qt::black);
  for (int along = 0; along < length; ++along)
    for (int depth = 0; depth < 6; ++depth) {
      QColor c = borderProfile()[static_cast<std::size_t>(depth)];
      // One small groove per repeat so the strip reads as segmented metal.
      const int groove = length / 2;
      if (depth >= 1 && depth <= 4) {
        if (along == groove) c = darken(c, 0.35);
        if (along == groove + 1) c = lighten(c, 0.12);
      }
      if (horizontal)
        img.setPixelColor(along, depth, c);
      else
        img.setPixelColor(depth, along, c);
    }
  return img;
}

QImage borderCorner() {
  // Mitred: each pixel takes the profile of the nearer outer edge.
  QImage img = newImage(6, 6, Qt::black);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) img.setPixelColor(x, y, borderProfile()[static_cast<std::size_t>(std::min(x, y))]);
  return img;
}

// Dark plate with a raised rim and a recessed face, drawn pixel by pixel so
// captions can be cut out of it exactly.
QImage plate(QSize size, std::uint32_t seed) {
  const int w = size.width(), h = size.height();
  QImage img = newImage(w, h, kInk);
  Rng rng(seed);
  std::vector<int> grain(static_cast<std::size_t>(h));
  for (int& g : grain) g = static_cast<int>(rng.below(3)) - 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dl = x, dt = y, dr = w - 1 - x, db = h - 1 - y;
      const int ring = std::min({dl, dt, dr, db});
      const bool lit = (dt == ring && dt <= dr) || (dl == ring && dl <= db);
      QColor c;
      if (ring == 0)
        c = kInk;
      else if (ring == 1)
        c = lit ? QColor(0x6A, 0x7E, 0xA3) : QColor(0x1A, 0x23, 0x37);
      else if (ring == 2)
        c = lit ? QColor(0x44, 0x55, 0x77) : QColor(0x24, 0x2F, 0x47);
      else if (ring == 3)
        c = lit ? QColor(0x08, 0x0C, 0x17) : QColor(0x33, 0x40, 0x5C);  // recessed face
      else
        c = shift(mix(kPlateTop, kPlateBottom, (y - 4) / double(std::max(1, h - 9))),
                  grain[static_cast<std::size_t>(y)]);
      img.setPixelColor(x, y, c);
    }
  return img;
}

void cutSlot(QImage& img, const QRect& r) {
  recessedSlot(img, r, Qt::black, QColor(0x04, 0x06, 0x0C), QColor(0x3A, 0x49, 0x68));
}

}  // namespace picparts

using namespace picparts;

QImage counterPanel() {
  QImage img = plate(kCounterPanelSize, 0x9C7Eu);
  for (const QRect& r : kCounterSlots) cutSlot(img, r);
  return img;
}

QImage previewFrame() {
  QImage img = plate(kPreviewFrameSize, 0x9E57u);
  cutSlot(img, kPreviewSlot);
  return img;
}

const std::vector<CaptionPlacement>& captionPlacements() {
  static const std::vector<CaptionPlacement> c{
      {"punktetitel.png", "SCORE", QRect(16, 11, 107, 14), false, false},
      {"leveltitel.png", "LEVEL", QRect(16, 35, 98, 14), false, false},
      {"reihentitel.png", "ROWS", QRect(16, 59, 95, 14), false, false},
      {"vorschautitel.png", "NEXT", QRect(53, 8, 88, 14), true, true},
  };
  return c;
}

QImage caption(const CaptionPlacement& c) {
  QImage img = crop(c.onPreview ? previewFrame() : counterPanel(), c.box);
  QPainter p(&img);
  setupPainter(p);
  QFont f = boldFont(11);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
  p.setFont(f);
  const Qt::Alignment align = (c.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
  const QRectF r(1, 0, img.width() - 1, img.height());
  p.setPen(QColor(0x04, 0x07, 0x0E));
  p.drawText(r.translated(1, 1), align, QString::fromLatin1(c.text));
  p.setPen(kCaptionText);
  p.drawText(r, align, QString::fromLatin1(c.text));
  p.end();
  return img;
}

}  // namespace assetgen
