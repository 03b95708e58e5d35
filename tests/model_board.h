// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Moving boards and positions between the reference model and the game, and
// the positions and boards the model tests sweep.

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/tform.h"
#include "model_rules.h"

namespace modeltest {

inline void Load(TForm& f, const model::Board& b) {
  for (int c = 0; c <= 10; ++c)
    for (int r = 0; r <= 20; ++r) {
      f.Belegt[c][r] = b.set[c][r];
      f.Farbe[c][r] = b.colour[c][r];
    }
}

inline void Load(TForm& f, const model::Piece& s) {
  f.AktStein = s.p;
  f.SteinX = s.x;
  f.SteinY = s.y;
}

inline model::Board Read(const TForm& f) {
  model::Board b;
  for (int c = 0; c <= 10; ++c)
    for (int r = 0; r <= 20; ++r) {
      b.set[c][r] = f.Belegt[c][r];
      b.colour[c][r] = f.Farbe[c][r];
    }
  return b;
}

inline bool Same(const model::Board& a, const model::Board& b) {
  for (int c = 0; c <= 10; ++c)
    for (int r = 0; r <= 20; ++r)
      if (a.set[c][r] != b.set[c][r] || a.colour[c][r] != b.colour[c][r]) return false;
  return true;
}

inline std::string Describe(const model::Board& b) {
  std::ostringstream o;
  for (int r = 1; r <= 20; ++r) {
    o << "\n  ";
    for (int c = 1; c <= 10; ++c) o << (b.set[c][r] ? static_cast<char>('0' + b.colour[c][r]) : '.');
  }
  return o.str();
}

// Every SteinY from -40 to the bottom limit, or a sample of it: all of
// -40 ... -1, and per row the grid line, one pixel past it, the middle and
// one pixel before the next line.
inline std::vector<float> Heights(int p, bool every) {
  std::vector<float> ys;
  for (int y = -40; y <= model::BottomLimit(p); ++y) {
    const int m = ((y % 20) + 20) % 20;
    if (every || y < 0 || m == 0 || m == 1 || m == 10 || m == 19) ys.push_back(static_cast<float>(y));
  }
  return ys;
}

// A random board of settled cells; the density varies from board to board.
inline model::Board RandomBoard(std::mt19937& rng, int lowestFreeRow = 1) {
  model::Board b;
  const unsigned density = 10 + rng() % 45;
  for (int c = 1; c <= 10; ++c)
    for (int r = lowestFreeRow; r <= 20; ++r)
      if (rng() % 100 < density) {
        b.set[c][r] = true;
        b.colour[c][r] = static_cast<int>(rng() % 7) + 1;
      }
  return b;
}

// Collects disagreements; reports the first few in full and the count.
class Mismatches {
 public:
  void Add(const std::string& what) {
    if (count_++ < 8) ADD_FAILURE() << what;
  }
  int Count() const { return count_; }
  ~Mismatches() { EXPECT_EQ(count_, 0) << "disagreements with the model"; }

 private:
  int count_ = 0;
};

inline std::string Where(const model::Piece& s) {
  std::ostringstream o;
  o << "picture " << s.p << " at x=" << s.x << " y=" << s.y;
  return o.str();
}

}  // namespace modeltest
