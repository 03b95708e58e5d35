// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Rectangle copies between off-screen images with the three raster operations
// the game draws with. Images are 32-bit (QImage::Format_RGB32).

#include <QImage>

namespace platform {

enum class Rop {
  SrcCopy,     // dst = src
  MergePaint,  // dst = ~src | dst
  SrcAnd,      // dst = src & dst
};

// A fresh 32-bit image filled with one colour (white unless told otherwise).
QImage NewImage(int width, int height, QRgb fill = 0xFFFFFFFFu);

// Copies the w x h rectangle of src at (sx, sy) onto dst at (x, y), clipped to
// both images.
void BitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, Rop rop);

// Like BitBlt, scaling the source rectangle to the destination rectangle.
// A negative destination width or height mirrors the copy: the rectangle then
// extends left of x (or above y), as with the classic stretch call.
void StretchBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy, int sw, int sh, Rop rop);

}  // namespace platform
