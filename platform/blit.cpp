// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

void EnsureFormat(QImage& img) {
  if (img.format() != QImage::Format_RGB32 && !img.isNull()) img = img.convertToFormat(QImage::Format_RGB32);
}

// One row of a raster operation. The rows never overlap (a copy onto the
// image itself goes through a snapshot), which lets the compiler vectorise;
// the loops are built for AVX2 as well and the processor picks at load time.
__attribute__((target_clones("avx2", "default"))) void MergePaintRow(uint32_t* __restrict d,
                                                                     const uint32_t* __restrict s, int n) {
  for (int i = 0; i < n; ++i) d[i] = ~s[i] | d[i] | kOpaque;
}

__attribute__((target_clones("avx2", "default"))) void SrcAndRow(uint32_t* __restrict d, const uint32_t* __restrict s,
                                                                 int n) {
  for (int i = 0; i < n; ++i) d[i] = (s[i] & d[i]) | kOpaque;
}

inline void RowOp(uint32_t* d, const uint32_t* s, int n, Rop rop) {
  switch (rop) {
    case Rop::SrcCopy: std::memcpy(d, s, static_cast<size_t>(n) * sizeof(uint32_t)); break;
    case Rop::MergePaint: MergePaintRow(d, s, n); break;
    case Rop::SrcAnd: SrcAndRow(d, s, n); break;
  }
}

inline uint32_t PixelOp(uint32_t d, uint32_t s, Rop rop) {
  switch (rop) {
    case Rop::SrcCopy: return s | kOpaque;
    case Rop::MergePaint: return ~s | d | kOpaque;
    case Rop::SrcAnd: return (s & d) | kOpaque;
  }
  return d;
}

}  // namespace

QImage NewImage(int width, int height, QRgb fill) {
  QImage img(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

void BitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, Rop rop) {
  if (dst.isNull() || src.isNull() || w <= 0 || h <= 0) return;
  EnsureFormat(dst);
  const QImage* s = &src;
  QImage converted;
  if (src.format() != QImage::Format_RGB32 && src.format() != QImage::Format_ARGB32) {
    converted = src.convertToFormat(QImage::Format_RGB32);
    s = &converted;
  } else if (&src == &dst) {
    converted = src.copy();
    s = &converted;
  }
  // Clip against the destination, then against the source, moving both corners together.
  if (x < 0) {
    sx -= x;
    w += x;
    x = 0;
  }
  if (y < 0) {
    sy -= y;
    h += y;
    y = 0;
  }
  if (sx < 0) {
    x -= sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    y -= sy;
    h += sy;
    sy = 0;
  }
  w = std::min({w, dst.width() - x, s->width() - sx});
  h = std::min({h, dst.height() - y, s->height() - sy});
  if (w <= 0 || h <= 0) return;
  const qsizetype dstride = dst.bytesPerLine() / 4;
  const qsizetype sstride = s->bytesPerLine() / 4;
  uint32_t* d = reinterpret_cast<uint32_t*>(dst.bits()) + y * dstride + x;
  const uint32_t* p = reinterpret_cast<const uint32_t*>(s->constBits()) + sy * sstride + sx;
  for (int row = 0; row < h; ++row, d += dstride, p += sstride) RowOp(d, p, w, rop);
}

void StretchBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, int sw, int sh, Rop rop) {
  if (dst.isNull() || src.isNull() || w == 0 || h == 0 || sw <= 0 || sh <= 0) return;
  EnsureFormat(dst);
  const QImage s = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
  const bool flipX = w < 0;
  const bool flipY = h < 0;
  const int aw = flipX ? -w : w;
  const int ah = flipY ? -h : h;
  const int left = flipX ? x + w : x;  // leftmost destination column
  const int top = flipY ? y + h : y;
  for (int j = 0; j < ah; ++j) {
    const int dy = top + j;
    if (dy < 0 || dy >= dst.height()) continue;
    // Row j of the destination rectangle, counted from its mirrored side when flipped.
    const int srcRow = sy + ((flipY ? ah - 1 - j : j) * sh) / ah;
    if (srcRow < 0 || srcRow >= s.height()) continue;
    const uint32_t* srow = reinterpret_cast<const uint32_t*>(s.constScanLine(srcRow));
    uint32_t* drow = reinterpret_cast<uint32_t*>(dst.scanLine(dy));
    for (int i = 0; i < aw; ++i) {
      const int dx = left + i;
      if (dx < 0 || dx >= dst.width()) continue;
      const int srcCol = sx + ((flipX ? aw - 1 - i : i) * sw) / aw;
      if (srcCol < 0 || srcCol >= s.width()) continue;
      drow[dx] = PixelOp(drow[dx], srow[srcCol], rop);
    }
  }
}

}  // namespace platform
