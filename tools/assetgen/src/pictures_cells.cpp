// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Piece cells, the well, its flash row and the digit strip.

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

// ---------------------------------------------------------------- cells ----

QImage frameCell() {
  // Brushed steel with a blue cast, lit from the top-left, one rivet.
  QImage img = newImage(kCell, kCell, Qt::black);
  const QColor hi(0xA7, 0xB3, 0xC6), lo(0x5A, 0x65, 0x7A);
  Rng rng(0x5EE1u);
  std::array<int, kCell> grain{};
  for (int& g : grain) g = static_cast<int>(rng.below(5)) - 2;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const double t = (x + y) / double(2 * kCell - 2);
      img.setPixelColor(x, y, shift(mix(hi, lo, t), grain[static_cast<std::size_t>(y)]));
    }
  fillRect(img, QRect(0, 0, kCell, 1), QColor(0xD2, 0xDB, 0xE8));
  fillRect(img, QRect(0, 1, 1, kCell - 1), QColor(0xC4, 0xCE, 0xDC));
  fillRect(img, QRect(1, kCell - 1, kCell - 1, 1), QColor(0x30, 0x38, 0x48));
  fillRect(img, QRect(kCell - 1, 1, 1, kCell - 2), QColor(0x3A, 0x43, 0x55));
  // Rivet: a dome shaded by the top-left light, with a shadow down-right.
  const QColor shadowC(0x3A, 0x42, 0x52), domeLight(0xE6, 0xEC, 0xF4), domeDark(0x4E, 0x58, 0x6B);
  const double cx = 10.0, cy = 10.0, radius = 3.2;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const double nx = (x + 0.5 - cx) / radius, ny = (y + 0.5 - cy) / radius;
      const double d = std::hypot(nx, ny);
      if (d <= 1.0) {
        const double lit = std::clamp(0.5 - 0.6 * (nx + ny) / std::sqrt(2.0), 0.0, 1.0);
        img.setPixelColor(x, y, mix(domeDark, domeLight, lit));
      } else if (std::hypot(nx - 0.35, ny - 0.35) <= 1.05) {
        img.setPixelColor(x, y, shadowC);
      }
    }
  return img;
}

QImage flashCell() {
  // White rim around a pale-gold glow: readable as a flash on any piece colour.
  QImage img = newImage(kCell, kCell, Qt::white);
  const QColor pale(0xFF, 0xF6, 0xC8), gold(0xFF, 0xD2, 0x4A);
  for (int y = 2; y < kCell - 2; ++y)
    for (int x = 2; x < kCell - 2; ++x) {
      const double d = std::hypot(x + 0.5 - 10.0, y + 0.5 - 10.0) / 8.5;
      img.setPixelColor(x, y, mix(gold, pale, std::clamp(d, 0.0, 1.0)));
    }
  fillRect(img, QRect(1, 1, kCell - 2, 1), QColor(0xFF, 0xFB, 0xE6));
  fillRect(img, QRect(1, kCell - 2, kCell - 2, 1), QColor(0xFF, 0xEE, 0xA8));
  return img;
}

QImage wellBackground() {
  QImage img = newImage(200, 400, Qt::black);
  const QColor top(0x0D, 0x16, 0x2A), bottom(0x07, 0x0C, 0x19);
  const QColor line(0x17, 0x23, 0x3C), node(0x21, 0x30, 0x4F);
  for (int y = 0; y < img.height(); ++y) {
    const QColor row = mix(top, bottom, y / double(img.height() - 1));
    for (int x = 0; x < img.width(); ++x) {
      const bool vx = x % kCell == 0, hy = y % kCell == 0;
      QColor c = row;
      if (vx && hy)
        c = node;
      else if (vx || hy)
        c = mix(row, line, 0.85);
      img.setPixelColor(x, y, c);
    }
  }
  return img;
}

// -------------------------------------------------------------- digits ----

void paintGlyph(QImage& img, int glyph) {
  const QColor litHi(0xFF, 0xCB, 0x5C), litLo(0xF0, 0x98, 0x1C);
  const QColor offHi(0x16, 0x0F, 0x05), offLo(0x12, 0x0C, 0x04);
  const int ox = glyph * kGlyphW;
  const std::uint8_t lit = litSegments(glyph);
  for (std::size_t s = 0; s < 7; ++s) {
    const QRect r = segmentRects()[s].translated(ox, 0);
    const bool on = (lit >> s) & 1u;
    const bool horizontal = r.width() > r.height();
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) {
        // The first row/column of a segment catches the top-left light.
        const bool front = horizontal ? y == r.top() : x == r.left();
        img.setPixelColor(x, y, on ? (front ? litHi : litLo) : (front ? offHi : offLo));
      }
  }
}

}  // namespace picparts

using namespace picparts;

QColor pieceColor(int kind) {
  static const QColor colors[kPieceKinds] = {
      QColor(0xF0, 0x82, 0x24),  // L orange
      QColor(0x2B, 0xC8, 0xE2),  // I cyan
      QColor(0x9C, 0x52, 0xD8),  // T purple
      QColor(0x4C, 0xC4, 0x4A),  // S green
      QColor(0xE2, 0x3F, 0x3F),  // Z red
      QColor(0xF2, 0xD0, 0x2A),  // O yellow
      QColor(0x3A, 0x6E, 0xE8),  // J blue
  };
  return colors[std::clamp(kind, 0, kPieceKinds - 1)];
}

QImage pieceCell(int kind) {
  QImage img = newImage(kCell, kCell, Qt::black);
  bevelCell(img, img.rect(), pieceColor(kind), 2);
  // Pure white is the transparent key of the piece pictures built from these.
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x)
      if (img.pixel(x, y) == kWhite) img.setPixel(x, y, qRgb(0xFE, 0xFE, 0xFE));
  return img;
}

const std::array<QRect, 7>& segmentRects() {
  static const std::array<QRect, 7> r{
      QRect(3, 1, 8, 2),    // a
      QRect(11, 3, 2, 6),   // b
      QRect(11, 11, 2, 6),  // c
      QRect(3, 17, 8, 2),   // d
      QRect(1, 11, 2, 6),   // e
      QRect(1, 3, 2, 6),    // f
      QRect(3, 9, 8, 2),    // g
  };
  return r;
}

std::uint8_t litSegments(int glyph) {
  //                                  gfedcba
  static const std::uint8_t table[kGlyphCount] = {0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110, 0b1101101,
                                                  0b1111101, 0b0000111, 0b1111111, 0b1101111, 0b0000000};
  return glyph >= 0 && glyph < kGlyphCount ? table[glyph] : 0;
}

QImage digitStrip() {
  QImage img = newImage(kGlyphW * kGlyphCount, kGlyphH, Qt::black);
  for (int g = 0; g < kGlyphCount; ++g) paintGlyph(img, g);
  return img;
}

}  // namespace assetgen
