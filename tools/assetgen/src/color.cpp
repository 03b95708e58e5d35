// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "color.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
int lerpChannel(int a, int b, double t) { return std::clamp(static_cast<int>(std::lround(a + (b - a) * t)), 0, 255); }
}  // namespace

QColor mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor(lerpChannel(a.red(), b.red(), t), lerpChannel(a.green(), b.green(), t),
                lerpChannel(a.blue(), b.blue(), t), lerpChannel(a.alpha(), b.alpha(), t));
}

QColor lighten(const QColor& c, double t) {
  // A warm off-white: highlights under the top-left light, never #FFFFFF.
  return mix(c, QColor(0xFD, 0xFC, 0xF4, c.alpha()), t);
}

QColor darken(const QColor& c, double t) { return mix(c, QColor(0, 0, 0, c.alpha()), t); }

QColor shift(const QColor& c, int delta) {
  return QColor(std::clamp(c.red() + delta, 0, 255), std::clamp(c.green() + delta, 0, 255),
                std::clamp(c.blue() + delta, 0, 255), c.alpha());
}

double luma(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

TileNoise::TileNoise(int cellsX, int cellsY, std::uint32_t seed) : cx_(std::max(1, cellsX)), cy_(std::max(1, cellsY)) {
  Rng rng(seed);
  lattice_.resize(static_cast<std::size_t>(cx_) * static_cast<std::size_t>(cy_));
  for (double& v : lattice_) v = rng.unit();
}

double TileNoise::at(double u, double v) const {
  auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
  const double x = u * cx_;
  const double y = v * cy_;
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0;
  const double fy = y - y0;
  const double sx = fx * fx * (3.0 - 2.0 * fx);
  const double sy = fy * fy * (3.0 - 2.0 * fy);
  auto L = [&](int i, int j) { return lattice_[static_cast<std::size_t>(wrap(j, cy_) * cx_ + wrap(i, cx_))]; };
  const double top = L(x0, y0) + (L(x0 + 1, y0) - L(x0, y0)) * sx;
  const double bottom = L(x0, y0 + 1) + (L(x0 + 1, y0 + 1) - L(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy;
}

}  // namespace assetgen
