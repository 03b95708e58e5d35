// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The support test, the gravity tick, the hard drop and the end of a game held
// against the reference model, for every picture, every column and SteinY from
// -40 to the floor.

#include "fixture.h"
#include "model_board.h"

namespace {

using modeltest::Mismatches;
using modeltest::Where;

class RulesFall : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->picButtonNeuesSpiel_Click();
    form->FallTimer.SetEnabled(false);
  }

  // The support test alone, without painting.
  // The board is described by the one settled cell (c, r), or c = 0 for a random board.
  void CompareSupport(const model::Board& b, const model::Piece& s, Mismatches& bad, int c = 0, int r = 0) {
    modeltest::Load(*form, s);
    form->Durchfall = true;
    const bool got = form->Pruefen();
    form->Durchfall = false;
    const bool rest = model::Supported(b, s);
    const float y = rest ? model::Snap(s.y) : s.y;
    if (got != rest || form->SteinY != y || form->SteinX != s.x)
      bad.Add(Where(s) + (rest ? " should rest at y=" : " should fall on from y=") + std::to_string(y) + ", got " +
              std::to_string(got) + " y=" + std::to_string(form->SteinY) +
              (c ? " with the one cell " + std::to_string(c) + "," + std::to_string(r) : std::string()));
  }
};

TEST_F(RulesFall, OneSettledCellBelowThePieceAgreesWithTheModel) {
  Mismatches bad;
  model::Board b;
  for (int p = 0; p < 28; ++p) {
    for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
      for (float y : modeltest::Heights(p, true)) {
        const model::Piece s{p, static_cast<float>(20 * c0), y};
        const model::Grid g = model::GridOf(s.x, s.y);
        CompareSupport(b, s, bad);
        for (int c = g.C; c < g.C + oracle::Width(p); ++c) {
          for (int r = std::max(1, g.F); r <= std::min(20, g.F + oracle::Height(p) + 1); ++r) {
            b.set[c][r] = form->Belegt[c][r] = true;
            CompareSupport(b, s, bad, c, r);
            b.set[c][r] = form->Belegt[c][r] = false;
          }
        }
        if (bad.Count() > 50) return;
      }
    }
  }
}

TEST_F(RulesFall, RandomBoardsAgreeWithTheModelAtEveryHeight) {
  Mismatches bad;
  std::mt19937 rng(1234);
  for (int round = 0; round < 6; ++round) {
    const model::Board b = modeltest::RandomBoard(rng);
    modeltest::Load(*form, b);
    for (int p = 0; p < 28; ++p)
      for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0)
        for (float y : modeltest::Heights(p, true)) CompareSupport(b, {p, static_cast<float>(20 * c0), y}, bad);
  }
}

// Whole falls, tick by tick at random speeds: after every tick the position
// and whether the piece rests (the floor put back to the bottom limit, the
// settled cells snapped to the grid) agree with the model.
TEST_F(RulesFall, GravityTicksAgreeWithTheModel) {
  Mismatches bad;
  std::mt19937 rng(77);
  for (int round = 0; round < 8; ++round) {
    const model::Board b = modeltest::RandomBoard(rng, 6 + static_cast<int>(rng() % 8));
    modeltest::Load(*form, b);
    for (int p = 0; p < 28; ++p) {
      for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
        model::Piece s{p, static_cast<float>(20 * c0), -40.0f - static_cast<float>(rng() % 20)};
        modeltest::Load(*form, s);
        form->SteinNeu = true;
        form->Wartet = false;
        form->FallTimer.SetEnabled(true);
        for (int tick = 0; tick < 500; ++tick) {
          const int step = static_cast<int>(rng() % 19) + 1;
          form->Fallschritt = step;
          const model::Piece before = s;
          const bool rest = model::Tick(b, s, step);
          form->FallTimer_Timer();
          if (form->SteinY != s.y || form->Wartet != rest || form->FallTimer.Enabled() == rest ||
              form->WartenTimer.Enabled() != rest) {
            bad.Add(Where(before) + " step " + std::to_string(step) + ": expected y=" + std::to_string(s.y) +
                    (rest ? " resting" : " falling") + ", got y=" + std::to_string(form->SteinY) +
                    (form->Wartet ? " resting" : " falling"));
            break;
          }
          if (rest) break;
        }
        form->WartenTimer.SetEnabled(false);
        form->Wartet = false;
        if (bad.Count() > 20) return;
      }
    }
  }
}

// Hard drops onto random terrain: the piece is placed where the model puts it,
// complete rows go, and the counters move as the model's tables say.
TEST_F(RulesFall, HardDropsPlaceAndClearAsTheModel) {
  Mismatches bad;
  std::mt19937 rng(31337);
  for (int round = 0; round < 30; ++round) {
    // Rows 7 ... 20 only, so no drop ends the game; bottom rows often nearly full.
    model::Board b = modeltest::RandomBoard(rng, 7 + static_cast<int>(rng() % 6));
    for (int r = 17; r <= 20; ++r)
      if (rng() % 2)
        for (int c = 1; c <= 10; ++c)
          if (rng() % 10) b.set[c][r] = true, b.colour[c][r] = static_cast<int>(rng() % 7) + 1;
    for (int p = 0; p < 28; ++p) {
      for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
        form->picButtonNeuesSpiel_Click();
        form->Punktestand = static_cast<int>(rng() % 500);
        const int level = form->Level;
        const int points = form->Punktestand;
        modeltest::Load(*form, b);
        model::Piece s{p, static_cast<float>(20 * c0), static_cast<float>(oracle::kKinds[p / 4].spawnY)};
        modeltest::Load(*form, s);
        const bool ticked = rng() % 2;
        if (ticked) form->FallTimer_Timer();  // a drop after the first tick as well as before it
        if (ticked && form->Wartet) continue;
        if (ticked) s.y = form->SteinY;
        model::Board expected = b;
        model::Drop(b, s);
        const int n = model::Place(expected, s);
        ASSERT_GE(n, 0) << "the terrain leaves room above every drop";
        form->FallStein();
        model::Score score{points, level};
        model::AddRows(score, n);
        const model::Board got = modeltest::Read(*form);
        if (!modeltest::Same(got, expected))
          bad.Add(Where(s) + " dropped: the well holds" + modeltest::Describe(got) + "\nexpected" +
                  modeltest::Describe(expected));
        if (form->Reihen != n || form->Punktestand != score.points || form->Level != score.level)
          bad.Add(Where(s) + " dropped: rows " + std::to_string(form->Reihen) + " points " +
                  std::to_string(form->Punktestand) + ", expected " + std::to_string(n) + " and " +
                  std::to_string(score.points));
        if (form->Durchfall || form->Wartet || form->SpielVorbei)
          bad.Add(Where(s) + " dropped: a phase flag is left on");
        form->ReiheTimer.SetEnabled(false);
        form->ReiheFortsetzung = false;
        if (bad.Count() > 20) return;
      }
    }
  }
}

// Towers under the piece of every height that lets it rest near the top: the
// game ends exactly when the piece rests with its top at or above the well's
// top, and then nothing of it is stored.
TEST_F(RulesFall, APieceRestingAtTheTopOfTheWellEndsTheGame) {
  for (int p = 0; p < 28; ++p) {
    for (int tower = 14; tower <= 20; ++tower) {
      form->picButtonNeuesSpiel_Click();
      model::Board b;
      for (int dx = 0; dx < oracle::Width(p); ++dx)
        for (int r = 21 - tower; r <= 20; ++r) b.set[4 + dx][r] = true, b.colour[4 + dx][r] = 1;
      modeltest::Load(*form, b);
      model::Piece s{p, 60.0f, static_cast<float>(oracle::kKinds[p / 4].spawnY)};
      modeltest::Load(*form, s);
      model::Drop(b, s);
      model::Board expected = b;
      const bool over = model::Place(expected, s) < 0;
      form->FallStein();
      EXPECT_EQ(form->SpielVorbei, over) << Where(s) << " on a tower of " << tower;
      EXPECT_EQ(form->GameOverTimer.Enabled(), over);
      if (over) {
        EXPECT_TRUE(modeltest::Same(modeltest::Read(*form), b)) << "nothing stored, " << Where(s);
        EXPECT_EQ(form->GameOverSchritt, -33);
      } else {
        EXPECT_TRUE(modeltest::Same(modeltest::Read(*form), expected)) << Where(s);
      }
    }
  }
  EXPECT_TRUE(model::TopsOut({0, 0, 0}));
  EXPECT_TRUE(model::TopsOut({0, 0, -20}));
  EXPECT_FALSE(model::TopsOut({0, 0, 20}));
}

}  // namespace
