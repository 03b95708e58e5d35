// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRgb>

#include <cstdint>
#include <random>
#include <vector>

namespace assetgen {

// Linear blend of two colours, t = 0 gives a, t = 1 gives b (alpha included).
QColor mix(const QColor& a, const QColor& b, double t);
// Blend towards a light tint (not pure white, so piece cells stay key-safe).
QColor lighten(const QColor& c, double t);
// Blend towards black.
QColor darken(const QColor& c, double t);
// Adds the same offset to r, g and b, clamped to 0..255.
QColor shift(const QColor& c, int delta);
// Perceived brightness 0..255 (Rec. 601 weights).
double luma(QRgb c);

inline constexpr QRgb kWhite = 0xFFFFFFFFu;
inline constexpr QRgb kBlack = 0xFF000000u;

// Seeded random source. The std distributions differ between library
// implementations, so values are mapped from the raw 32-bit output here.
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t raw() { return static_cast<std::uint32_t>(engine_()); }
  // Uniform in [0, 1).
  double unit() { return raw() / 4294967296.0; }
  // Uniform in [-1, 1).
  double signedUnit() { return unit() * 2.0 - 1.0; }
  // Uniform integer in [0, n); n must be positive.
  std::uint32_t below(std::uint32_t n) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(raw()) * n) >> 32);
  }

 private:
  std::mt19937 engine_;
};

// Value noise that wraps around a tile: cellsX x cellsY lattice points spread
// over the unit square, sampled with smooth interpolation. Feeding u and v in
// [0, 1) of a W x H tile gives a pattern that repeats seamlessly.
class TileNoise {
 public:
  TileNoise(int cellsX, int cellsY, std::uint32_t seed);
  double at(double u, double v) const;  // 0..1

 private:
  int cx_, cy_;
  std::vector<double> lattice_;
};

}  // namespace assetgen
