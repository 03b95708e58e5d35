// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "color.h"
#include "pictures.h"

#include <QImage>
#include <QString>

#include <map>

namespace assetgen::test {

// Rendering every picture takes a moment; do it once per test run.
inline const std::map<QString, QImage>& pictures() {
  static const std::map<QString, QImage> all = [] {
    std::map<QString, QImage> m;
    for (const NamedImage& n : renderPictures()) m.emplace(n.file, n.image);
    return m;
  }();
  return all;
}

inline const QImage& picture(const char* file) { return pictures().at(QString::fromLatin1(file)); }

inline double meanLuma(const QImage& img, const QRect& r) {
  double sum = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) sum += luma(img.pixel(x, y));
  return sum / (r.width() * r.height());
}

// Bounding box of pixels whose luma exceeds `threshold` (and are opaque).
inline QRect brightBox(const QImage& img, double threshold) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      if (qAlpha(c) == 255 && luma(c) > threshold) box = box.united(QRect(x, y, 1, 1));
    }
  return box;
}

}  // namespace assetgen::test
