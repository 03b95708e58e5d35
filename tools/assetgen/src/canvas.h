// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QString>

namespace assetgen {

// A picture with its one-bit mask: the picture is #FFFFFF outside the shape,
// the mask is #000000 on the shape and #FFFFFF elsewhere.
struct MaskedPair {
  QImage picture;
  QImage mask;
};

// Every asset is stored as 32-bit ARGB so the PNGs come out as RGBA.
QImage newImage(int w, int h, const QColor& fill);

// Pixel-exact bevelled cell: `bevel` rings lit on the top/left sides and
// shaded on the bottom/right, a diagonal body gradient and a small glint in
// the top-left corner. Works for any size so the icons reuse it.
void bevelCell(QImage& img, const QRect& r, const QColor& base, int bevel, bool glint = true);

// Solid rectangle without antialiasing.
void fillRect(QImage& img, const QRect& r, const QColor& c);

// Recessed slot: the rectangle itself is filled with `inside`; a one-pixel
// rim around it is dark on the top/left and light on the bottom/right.
void recessedSlot(QImage& img, const QRect& r, const QColor& inside, const QColor& shadow, const QColor& light);

// Font helpers. Only DejaVu Sans / Liberation Sans from the Debian packages.
QFont boldFont(int pixelSize, const QString& family = QStringLiteral("DejaVu Sans"));

// Outline of `text` set in a bold face at 100 px, with extra letter spacing
// in pixels at that size.
QPainterPath textPath(const QString& text, const QString& family = QStringLiteral("DejaVu Sans"),
                      double letterSpacing = 0.0);

// Scales `path` to fit `box` keeping its aspect, centred. If that leaves
// vertical room the glyphs are stretched upwards by at most `maxStretchY`.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box, double maxStretchY = 1.0);

// Turns a drawing on a transparent layer into a masked pair. Pixels at least
// half covered become the shape; their colour is flattened onto `edge` (the
// outline colour) so no light fringe shows where the shape meets the mask.
MaskedPair toMaskedPair(const QImage& layer, const QColor& edge);

// Picture with the mask applied as alpha (used by the preview and tests).
QImage applyMask(const QImage& picture, const QImage& mask);

QImage crop(const QImage& img, const QRect& r);

}  // namespace assetgen
