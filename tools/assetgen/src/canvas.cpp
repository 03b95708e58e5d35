// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas.h"

#include "color.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace assetgen {

QImage newImage(int w, int h, const QColor& fill) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(fill);
  return img;
}

void bevelCell(QImage& img, const QRect& r, const QColor& base, int bevel, bool glint) {
  const int w = r.width();
  const int h = r.height();
  const double span = std::max(1, w + h - 2);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int dl = x, dt = y, dr = w - 1 - x, db = h - 1 - y;
      const int ring = std::min({dl, dt, dr, db});
      QColor c;
      if (ring < bevel) {
        // Corners are split on the diagonal so the lit and shaded
        // sides meet like a real chamfer.
        const bool lit = (dt == ring && dt <= dr) || (dl == ring && dl <= db);
        const double strength = bevel == 1 ? 0.5 : 0.55 - 0.3 * ring / (bevel - 1);
        c = lit ? lighten(base, strength) : darken(base, strength * 0.85);
      } else {
        const double t = (x + y) / span;  // 0 at top-left, 1 at bottom-right
        c = t < 0.5 ? lighten(base, 0.14 * (0.5 - t) * 2.0) : darken(base, 0.16 * (t - 0.5) * 2.0);
      }
      img.setPixelColor(r.left() + x, r.top() + y, c);
    }
  }
  if (glint && w >= 12 && h >= 12) {
    // Short L-shaped glint just inside the bevel, scaled with the cell.
    const int unit = std::max(1, w / 20);
    const int gx = r.left() + bevel + unit;
    const int gy = r.top() + bevel + unit;
    const int len = std::max(3, w / 5);
    const QColor g = lighten(base, 0.6);
    fillRect(img, QRect(gx, gy, len, unit), g);
    fillRect(img, QRect(gx, gy, unit, len - unit), g);
  }
}

void fillRect(QImage& img, const QRect& r, const QColor& c) {
  const QRect clipped = r.intersected(img.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x) img.setPixelColor(x, y, c);
}

void recessedSlot(QImage& img, const QRect& r, const QColor& inside, const QColor& shadow, const QColor& light) {
  const QRect rim = r.adjusted(-1, -1, 1, 1);
  fillRect(img, QRect(rim.left(), rim.top(), rim.width(), 1), shadow);
  fillRect(img, QRect(rim.left(), rim.top(), 1, rim.height()), shadow);
  fillRect(img, QRect(rim.left() + 1, rim.bottom(), rim.width() - 1, 1), light);
  fillRect(img, QRect(rim.right(), rim.top() + 1, 1, rim.height() - 1), light);
  fillRect(img, r, inside);
}

QFont boldFont(int pixelSize, const QString& family) {
  QFont f(family);
  f.setPixelSize(pixelSize);
  f.setBold(true);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(true);
  return f;
}

QPainterPath textPath(const QString& text, const QString& family, double letterSpacing) {
  QFont f = boldFont(100, family);
  f.setHintingPreference(QFont::PreferNoHinting);
  if (letterSpacing != 0.0) f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  QPainterPath p;
  p.addText(0, 0, f, text);
  return p;
}

QPainterPath fitPath(const QPainterPath& path, const QRectF& box, double maxStretchY) {
  const QRectF b = path.boundingRect();
  if (b.isEmpty()) return path;
  const double s = std::min(box.width() / b.width(), box.height() / b.height());
  const double sy = s * std::clamp(box.height() / (b.height() * s), 1.0, maxStretchY);
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(s, sy);
  t.translate(-b.center().x(), -b.center().y());
  return t.map(path);
}

MaskedPair toMaskedPair(const QImage& layer, const QColor& edge) {
  const QImage src = layer.convertToFormat(QImage::Format_ARGB32);
  MaskedPair out{newImage(src.width(), src.height(), Qt::white), newImage(src.width(), src.height(), Qt::white)};
  for (int y = 0; y < src.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    auto* pic = reinterpret_cast<QRgb*>(out.picture.scanLine(y));
    auto* msk = reinterpret_cast<QRgb*>(out.mask.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const int a = qAlpha(in[x]);
      if (a < 128) continue;
      const double t = a / 255.0;
      auto ch = [&](int c, int e) { return std::clamp(static_cast<int>(std::lround(c * t + e * (1.0 - t))), 0, 255); };
      QRgb c = qRgb(ch(qRed(in[x]), edge.red()), ch(qGreen(in[x]), edge.green()), ch(qBlue(in[x]), edge.blue()));
      // White is the "outside" colour of these pictures; keep the shape off it.
      if (c == kWhite) c = qRgb(0xFE, 0xFE, 0xFE);
      pic[x] = c;
      msk[x] = kBlack;
    }
  }
  return out;
}

QImage applyMask(const QImage& picture, const QImage& mask) {
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (mask.pixel(x, y) != kBlack) out.setPixel(x, y, qRgba(0, 0, 0, 0));
  return out;
}

QImage crop(const QImage& img, const QRect& r) { return img.copy(r); }

}  // namespace assetgen
