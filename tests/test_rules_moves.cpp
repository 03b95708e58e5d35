// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The side tests, the side moves and the turn test held against the reference
// model, for every picture, every column and SteinY from -40 to the floor.

#include "fixture.h"
#include "model_board.h"

namespace {

using modeltest::Mismatches;
using modeltest::Where;

class RulesMoves : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->picButtonNeuesSpiel_Click();
    form->FallTimer.SetEnabled(false);
  }

  // Compares the three tests of the game with the model at one position.
  // The board is described by the one settled cell (c, r), or c = 0 for a random board.
  void Compare(const model::Board& b, const model::Piece& s, Mismatches& bad, int c = 0, int r = 0) {
    modeltest::Load(*form, s);
    const bool left = model::SideBlocked(b, s, -1);
    const bool right = model::SideBlocked(b, s, +1);
    const bool turn = model::TurnAllowed(b, s);
    if (form->LinksBelegt() == left && form->RechtsBelegt() == right && form->DrehPruefer() == turn) return;
    const std::string board = c ? " with the one cell " + std::to_string(c) + "," + std::to_string(r) : "";
    if (form->LinksBelegt() != left) bad.Add(Where(s) + " left blocked should be " + std::to_string(left) + board);
    if (form->RechtsBelegt() != right) bad.Add(Where(s) + " right blocked should be " + std::to_string(right) + board);
    if (form->DrehPruefer() != turn) bad.Add(Where(s) + " turn allowed should be " + std::to_string(turn) + board);
  }
};

// A single settled cell anywhere around the piece, in turn: every probe of
// every table is seen alone, and every cell that is not a probe is seen free.
TEST_F(RulesMoves, OneSettledCellAroundThePieceAgreesWithTheModel) {
  Mismatches bad;
  model::Board b;
  for (int p = 0; p < 28; ++p) {
    for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
      for (float y : modeltest::Heights(p, false)) {
        const model::Piece s{p, static_cast<float>(20 * c0), y};
        const model::Grid g = model::GridOf(s.x, s.y);
        Compare(b, s, bad);
        for (int c = std::max(1, g.C - 2); c <= std::min(10, g.C + 4); ++c) {
          for (int r = std::max(1, g.F - 1); r <= std::min(20, g.F + 5); ++r) {
            b.set[c][r] = form->Belegt[c][r] = true;
            Compare(b, s, bad, c, r);
            b.set[c][r] = form->Belegt[c][r] = false;
          }
        }
        if (bad.Count() > 50) return;
      }
    }
  }
}

TEST_F(RulesMoves, RandomBoardsAgreeWithTheModelAtEveryHeight) {
  Mismatches bad;
  std::mt19937 rng(4711);
  for (int round = 0; round < 5; ++round) {
    const model::Board b = modeltest::RandomBoard(rng);
    modeltest::Load(*form, b);
    for (int p = 0; p < 28; ++p)
      for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0)
        for (float y : modeltest::Heights(p, true)) Compare(b, {p, static_cast<float>(20 * c0), y}, bad);
    if (bad.Count() > 50) return;
  }
}

// The moves themselves: the wall limits, then the side test, one cell at a time.
TEST_F(RulesMoves, SideMovesStopAtTheWallsAndAtBlockedCells) {
  Mismatches bad;
  std::mt19937 rng(99);
  for (int round = 0; round < 3; ++round) {
    const model::Board b = modeltest::RandomBoard(rng);
    for (int p = 0; p < 28; ++p) {
      for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
        for (float y : modeltest::Heights(p, false)) {
          const model::Piece s{p, static_cast<float>(20 * c0), y};
          for (int dir : {-1, +1}) {
            modeltest::Load(*form, b);
            modeltest::Load(*form, s);
            form->Wartet = false;
            if (dir < 0) {
              form->LinksBewegen();
            } else {
              form->RechtsBewegen();
            }
            const float expected = model::AfterMove(b, s, dir);
            if (form->SteinX != expected || form->SteinY != y || form->AktStein != p)
              bad.Add(Where(s) + (dir < 0 ? " moved left to x=" : " moved right to x=") + std::to_string(form->SteinX) +
                      ", expected " + std::to_string(expected));
          }
        }
      }
    }
  }
}

// The turn operation: the sound whatever the outcome, then the next state of
// the kind if the test allows it, the corner unchanged.
TEST_F(RulesMoves, TurnsStepThroughTheFourStatesOfTheKind) {
  Mismatches bad;
  std::mt19937 rng(5);
  const model::Board b = modeltest::RandomBoard(rng, 8);
  modeltest::Load(*form, b);
  for (int p = 0; p < 28; ++p) {
    for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
      for (float y : {-40.0f, -13.0f, 0.0f, 37.0f, 60.0f, 100.0f, 133.0f}) {
        const model::Piece s{p, static_cast<float>(20 * c0), y};
        modeltest::Load(*form, s);
        platform::sound::ClearRequests();
        form->Drehen();
        const int expected = model::TurnAllowed(b, s) ? model::Next(p) : p;
        if (form->AktStein != expected || form->SteinX != s.x || form->SteinY != y)
          bad.Add(Where(s) + " turned into " + std::to_string(form->AktStein) + ", expected " +
                  std::to_string(expected));
        if (Sounds() != QStringList{"ROTATE.WAV"}) bad.Add(Where(s) + " turned without the rotation sound alone");
      }
    }
  }
  // The next state within the kind, as the catalogue orders the pictures.
  for (int p = 0; p < 28; ++p) {
    const auto& now = oracle::kPictures[static_cast<size_t>(p)];
    const auto& next = oracle::kPictures[static_cast<size_t>(model::Next(p))];
    EXPECT_EQ(next.kind, now.kind);
    EXPECT_EQ(next.state, (now.state + 1) % 4);
  }
}

// The rule's own worked example and edge cases, as written down with it.
TEST(SideProbeRule, TheWorkedExampleOfPictureTwo) {
  using S = std::set<oracle::Cell>;
  EXPECT_EQ(model::SideProbes(2, -1, false), (S{{1, 0}, {-1, 1}}));
  EXPECT_EQ(model::SideProbes(2, -1, true), (S{{1, 0}, {-1, 1}, {-1, 2}}));
  EXPECT_EQ(model::SideProbes(2, +1, false), (S{{3, 0}, {3, 1}}));
  EXPECT_EQ(model::SideProbes(2, +1, true), (S{{3, 0}, {3, 1}, {3, 2}}));
  // Partly above the well the top row truncates to row 1; above that it is row 0.
  EXPECT_EQ(model::GridOf(0, -19).T, 1);
  EXPECT_EQ(model::GridOf(0, -1).T, 1);
  EXPECT_EQ(model::GridOf(0, -20).T, 0);
  EXPECT_EQ(model::GridOf(0, -40).T, 0);
  EXPECT_EQ(model::GridOf(0, -1).F, 0);
  EXPECT_EQ(model::GridOf(0, -21).F, -1);
  // An L in state 0 at 340 would reach row 20 when turned; at 320 it may turn.
  model::Board empty;
  EXPECT_FALSE(model::TurnAllowed(empty, {0, 80, 340}));
  EXPECT_TRUE(model::TurnAllowed(empty, {0, 80, 320}));
  // The upright I turns in column 7 but not in columns 8 to 10.
  EXPECT_TRUE(model::TurnAllowed(empty, {5, 120, 100}));
  for (float x : {140.0f, 160.0f, 180.0f}) EXPECT_FALSE(model::TurnAllowed(empty, {5, x, 100}));
}

}  // namespace
