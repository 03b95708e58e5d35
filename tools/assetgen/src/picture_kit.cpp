// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture_kit.h"

#include "color.h"

#include <cmath>

namespace assetgen::picparts {

QImage transparentLayer(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

void setupPainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
}

void modulate(QImage& img, const std::function<double(int, int)>& f) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      img.setPixelColor(x, y, shift(c, static_cast<int>(std::lround(f(x, y)))));
    }
}

}  // namespace assetgen::picparts
