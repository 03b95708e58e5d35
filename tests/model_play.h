// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A running game on the virtual clock, with helpers to let pieces fall and to
// look at the settled cells.

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "fixture.h"
#include "invariants.h"
#include "platform/blit.h"

class Play : public FormTest {
 protected:
  // Advances in small steps until the condition holds; checks the game after each step.
  bool AdvanceUntil(const std::function<bool()>& done, int maxMs = 20000) {
    for (int t = 0; t < maxMs; t += 10) {
      if (done()) return true;
      Advance(10);
      EXPECT_TRUE(GameIsConsistent(*form));
    }
    return done();
  }

  // Lets the current piece fall and be placed; returns once the next one spawned.
  void FallAndPlace() {
    ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
    Advance(200);
    if (form->ReiheTimer.Enabled()) Advance(200);
  }

  std::set<std::pair<int, int>> OccupiedSet() const {
    const auto v = Occupied();
    return {v.begin(), v.end()};
  }

  std::vector<std::pair<int, int>> Occupied() const {
    std::vector<std::pair<int, int>> v;
    for (int c = 1; c <= 10; ++c)
      for (int r = 1; r <= 20; ++r)
        if (form->Belegt[c][r]) v.push_back({c, r});
    return v;
  }

  void FillRow(int r, int gapColumn = 0) {
    for (int c = 1; c <= 10; ++c)
      if (c != gapColumn) Fill(c, r, 3);
  }

  // Paints the settled cells into the well picture as the game would have.
  void PaintSettled() {
    for (int c = 1; c <= 10; ++c)
      for (int r = 1; r <= 20; ++r)
        if (form->Farbe[c][r])
          platform::BitBlt(form->TBox->Image(), (c - 1) * 20, (r - 1) * 20, 20, 20, form->Muster[form->Farbe[c][r] - 1],
                           0, 0, platform::Rop::SrcCopy);
  }
};
