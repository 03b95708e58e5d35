// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What must hold after every event of a game.

#include <gtest/gtest.h>

#include <cmath>

#include "app/tform.h"
#include "model_tables.h"

inline ::testing::AssertionResult GameIsConsistent(const TForm& f) {
  for (int c = 0; c <= 10; ++c) {
    for (int r = 0; r <= 20; ++r) {
      if (f.Belegt[c][r] != (f.Farbe[c][r] != 0))
        return ::testing::AssertionFailure() << "Belegt and Farbe disagree at " << c << "," << r;
      if (f.Farbe[c][r] < 0 || f.Farbe[c][r] > 7)
        return ::testing::AssertionFailure() << "colour code " << f.Farbe[c][r] << " at " << c << "," << r;
      if ((c == 0 || r == 0) && f.Belegt[c][r])
        return ::testing::AssertionFailure() << "the unused border of the table is set at " << c << "," << r;
    }
  }
  if (f.AktStein < 0 || f.AktStein > 27) return ::testing::AssertionFailure() << "AktStein " << f.AktStein;
  if (f.NaechsterStein < 0 || f.NaechsterStein > 24 || f.NaechsterStein % 4 != 0)
    return ::testing::AssertionFailure() << "NaechsterStein " << f.NaechsterStein;
  const int w = 20 * oracle::Width(f.AktStein);
  if (std::fmod(f.SteinX, 20.0f) != 0.0f || f.SteinX < 0 || f.SteinX > 200 - w)
    return ::testing::AssertionFailure() << "SteinX " << f.SteinX << " for picture " << f.AktStein;
  if (f.Punktestand < 0 || f.Punktestand > 99999) return ::testing::AssertionFailure() << "points " << f.Punktestand;
  if (!f.SpielVorbei) {
    if (f.Level < 1 || f.Level > 10) return ::testing::AssertionFailure() << "level " << f.Level;
    if (f.Fallschritt < 0 || f.Fallschritt > 19)
      return ::testing::AssertionFailure() << "fall step " << f.Fallschritt << " at level " << f.Level;
  }
  if (!f.SpielVorbei && f.Wartet) {
    if (std::fmod(f.SteinY, 20.0f) != 0.0f) return ::testing::AssertionFailure() << "resting off the grid " << f.SteinY;
    const int S = static_cast<int>(f.SteinX) / 20 + 1;
    const int Z = static_cast<int>(std::floor(f.SteinY / 20.0f)) + 1;
    for (auto [dx, dy] : oracle::Cells(f.AktStein)) {
      const int r = Z + dy;
      if (r > 20) return ::testing::AssertionFailure() << "resting piece below the floor";
      if (r >= 1 && f.Belegt[S + dx][r])
        return ::testing::AssertionFailure() << "resting piece " << f.AktStein << " overlaps " << S + dx << "," << r;
    }
  }
  return ::testing::AssertionSuccess();
}
