// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A per-pixel model of the three raster operations, written from their
// formulas alone, and helpers to build and compare pictures pixel by pixel.
// Drawing tests paint their expected pictures with this model, never with the
// game's own copy routines.

#include <gtest/gtest.h>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <random>

namespace pixels {

enum class Op { Copy, Merge, And };

// One destination pixel after one operation: Copy = s, Merge = NOT s OR d, And = s AND d.
inline QRgb Apply(Op op, QRgb d, QRgb s) {
  QRgb r = s;
  if (op == Op::Merge) r = ~s | d;
  if (op == Op::And) r = s & d;
  return 0xFF000000u | (r & 0x00FFFFFFu);
}

inline QImage Filled(int w, int h, QRgb colour) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  return img;
}

// Every pixel an independent random colour: a misplaced, mirrored or
// reordered copy of it cannot pass unnoticed.
inline QImage Random(int w, int h, uint32_t seed) {
  std::mt19937 g(seed);
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (g() & 0x00FFFFFFu));
  return img;
}

// dst(x + i, y + j) = op(dst, src(sx + i, sy + j)) wherever both pixels exist.
inline void Blt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, Op op) {
  const QImage s = src.copy();  // the source as it was, even when it is dst itself
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int dx = x + i, dy = y + j;
      if (dst.valid(dx, dy) && s.valid(sx + i, sy + j))
        dst.setPixel(dx, dy, Apply(op, dst.pixel(dx, dy), s.pixel(sx + i, sy + j)));
    }
}

// The mirrored copy of the whole of src: a negative width puts source column 0
// at x - 1 and goes on leftwards, a negative height puts row 0 at y - 1 and goes upwards.
inline void Mirror(QImage& dst, int x, int y, int w, int h, const QImage& src, Op op) {
  for (int j = 0; j < std::abs(h); ++j)
    for (int i = 0; i < std::abs(w); ++i) {
      const int dx = w < 0 ? x - 1 - i : x + i;
      const int dy = h < 0 ? y - 1 - j : y + j;
      if (dst.valid(dx, dy) && src.valid(i, j)) dst.setPixel(dx, dy, Apply(op, dst.pixel(dx, dy), src.pixel(i, j)));
    }
}

// Equal pixel for pixel (colour only); on failure says how many differ and where the first is.
inline ::testing::AssertionResult Same(const QImage& got, const QImage& want) {
  if (got.size() != want.size())
    return ::testing::AssertionFailure() << "size " << got.width() << "x" << got.height() << ", expected "
                                         << want.width() << "x" << want.height();
  int differ = 0, fx = 0, fy = 0;
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x)
      if ((got.pixel(x, y) & 0xFFFFFFu) != (want.pixel(x, y) & 0xFFFFFFu) && differ++ == 0) fx = x, fy = y;
  if (differ == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << fx << ", " << fy << "): #"
                                       << std::hex << (got.pixel(fx, fy) & 0xFFFFFFu) << " instead of #"
                                       << (want.pixel(fx, fy) & 0xFFFFFFu);
}

}  // namespace pixels
