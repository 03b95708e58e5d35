// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The tables of the game as written down in model_tables.h: first checked for
// agreement among themselves, then held against the game through what it
// does: the cells it places, the pictures it builds, its timers' rhythm.

#include <algorithm>
#include <set>
#include <string>

#include "fixture.h"
#include "model_board.h"

namespace {

using Cell = oracle::Cell;

std::set<Cell> CellSet(int p) {
  const auto v = oracle::Cells(p);
  return {v.begin(), v.end()};
}

// ---- The written tables among themselves ----------------------------------------------

TEST(WrittenTables, CellsShapeAndSizeOfEachPictureAgree) {
  for (int p = 0; p < 28; ++p) {
    const oracle::Picture& pic = oracle::kPictures[static_cast<size_t>(p)];
    EXPECT_EQ(pic.p, p);
    EXPECT_EQ(pic.kind, p / 4);
    EXPECT_EQ(pic.state, p % 4);
    ASSERT_EQ(CellSet(p).size(), 4u) << "four distinct cells in picture " << p;
    std::string shape;
    for (int y = 0; y < oracle::Height(p); ++y) {
      if (y) shape += " / ";
      for (int x = 0; x < oracle::Width(p); ++x) shape += CellSet(p).count({x, y}) ? 'X' : '.';
    }
    EXPECT_EQ(shape, pic.shape) << "picture " << p;  // also: the size is the bounding box
  }
}

// A quarter turn clockwise, fitted back into the top-left corner.
TEST(WrittenTables, EachStateIsThePreviousOneTurnedClockwise) {
  for (int p = 0; p < 28; ++p) {
    std::set<Cell> turned;
    for (auto [dx, dy] : CellSet(p)) turned.insert({oracle::Height(p) - 1 - dy, dx});
    EXPECT_EQ(turned, CellSet(model::Next(p))) << "picture " << p;
  }
}

TEST(WrittenTables, SupportCellsAreTheBottomProfile) {
  for (int p = 0; p < 28; ++p) {
    std::set<Cell> profile;
    for (int x = 0; x < oracle::Width(p); ++x) {
      int lowest = -1;
      for (auto [dx, dy] : CellSet(p))
        if (dx == x) lowest = std::max(lowest, dy);
      profile.insert({x, oracle::Height(p) - 1 - lowest});
    }
    const auto support = oracle::Support(p);
    EXPECT_EQ(std::set<Cell>(support.begin(), support.end()), profile) << "picture " << p;
  }
}

TEST(WrittenTables, TurnProbesFitTheirRule) {
  for (int p = 0; p < 28; ++p) {
    const oracle::TurnRow& row = oracle::Turn(p);
    const int next = model::Next(p);
    const std::string result = row.result;
    EXPECT_EQ(result, p / 4 == 5 ? "square" : next % 2 ? "tall" : "flat") << "picture " << p;
    if (result != "square") {
      EXPECT_EQ(std::stoi(row.to), next);
    }
    if (result != "tall") continue;
    // A tall result probes the cells it adds, one row lower.
    std::set<Cell> added;
    for (auto [dx, dy] : CellSet(next))
      if (!CellSet(p).count({dx, dy})) added.insert({dx, dy + 1});
    const auto probes = oracle::Pairs(row.onRow);
    EXPECT_EQ(std::set<Cell>(probes.begin(), probes.end()), added) << "picture " << p;
  }
}

TEST(WrittenTables, WallPairsAreExactlyTheTurnsThatWouldLeaveTheWell) {
  std::set<Cell> leaving;
  for (int p = 1; p < 28; p += 2)
    for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0)
      if (c0 + oracle::Width(model::Next(p)) > 10 && p / 4 != 5) leaving.insert({p, c0});
  const auto pairs = oracle::Pairs(oracle::kWallPairs);
  EXPECT_EQ(pairs.size(), 16u);
  EXPECT_EQ(std::set<Cell>(pairs.begin(), pairs.end()), leaving);
}

TEST(WrittenTables, KindsAndLevels) {
  for (const oracle::Kind& k : oracle::kKinds) {
    EXPECT_EQ(k.colour, k.kind + 1);
    EXPECT_EQ(k.spawnPicture, 4 * k.kind);
    EXPECT_EQ(std::to_string(20 * oracle::Width(k.spawnPicture)) + " x " +
                  std::to_string(20 * oracle::Height(k.spawnPicture)),
              k.spawnSize);
    EXPECT_EQ(k.spawnY, -20 * oracle::Height(k.spawnPicture));
  }
  for (const oracle::LevelRow& l : oracle::kLevels) {
    EXPECT_EQ(l.points, 500 * (l.level - 1));
    EXPECT_EQ(l.step, l.level + 2);
  }
}

// ---- The game against the tables --------------------------------------------------------

class Catalogue : public FormTest {};

// Built once at start-up: each picture is its size, its mask black exactly on
// its cells, the picture the kind's pattern there and white elsewhere.
TEST_F(Catalogue, EveryPictureAndMaskCoverExactlyTheWrittenCells) {
  for (int p = 0; p < 28; ++p) {
    const int w = 20 * oracle::Width(p), h = 20 * oracle::Height(p);
    EXPECT_EQ(TForm::BildBreite(p), w) << "picture " << p;
    EXPECT_EQ(TForm::BildHoehe(p), h) << "picture " << p;
    ASSERT_EQ(form->N[p].size(), QSize(w, h)) << "picture " << p;
    ASSERT_EQ(form->NB[p].size(), QSize(w, h)) << "picture " << p;
    const QImage pattern = form->Muster[static_cast<size_t>(p / 4)].convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool cell = CellSet(p).count({x / 20, y / 20}) == 1;
        wrong += form->NB[p].pixel(x, y) != (cell ? 0xFF000000u : 0xFFFFFFFFu);
        wrong += form->N[p].pixel(x, y) != (cell ? pattern.pixel(x % 20, y % 20) : 0xFFFFFFFFu);
      }
    EXPECT_EQ(wrong, 0) << "pixels of picture " << p << " off its cells";
  }
}

// The walls and the floor around the well are tiled with the frame cell from their corner.
TEST_F(Catalogue, TheFrameOfTheWellIsTiledWithTheFrameCell) {
  const QImage cell = form->RahmenMuster.convertToFormat(QImage::Format_RGB32);
  for (size_t i = 0; i < 3; ++i) {
    const QImage& frame = form->TBoxRahmen[i]->Image();
    ASSERT_EQ(frame.size(), i == 1 ? QSize(240, 20) : QSize(20, 400));
    int wrong = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x) wrong += frame.pixel(x, y) != cell.pixel(x % 20, y % 20);
    EXPECT_EQ(wrong, 0) << "frame picture " << i;
  }
}

// Placing stores exactly the written cells of the picture, with the colour
// code of its kind, wherever the piece rests.
TEST_F(Catalogue, PlacingStoresTheWrittenCellsWithTheKindsColour) {
  for (int p = 0; p < 28; ++p) {
    for (int c0 = 0; c0 + oracle::Width(p) <= 10; ++c0) {
      for (int top : {2, 3, 10, 21 - oracle::Height(p)}) {  // the piece's top row
        form->picButtonNeuesSpiel_Click();
        const model::Piece s{p, static_cast<float>(20 * c0), static_cast<float>(20 * (top - 1))};
        modeltest::Load(*form, s);
        form->Setzen();
        model::Board expected;
        ASSERT_EQ(model::Place(expected, s), 0);
        EXPECT_TRUE(modeltest::Same(modeltest::Read(*form), expected))
            << modeltest::Where(s) << modeltest::Describe(modeltest::Read(*form));
      }
    }
  }
}

// ---- The timers' rhythm ------------------------------------------------------------------

TEST_F(Catalogue, TheFallTimerTicksEveryFiftyMilliseconds) {
  form->picButtonNeuesSpiel_Click();
  const float spawnY = form->SteinY;
  Advance(oracle::kFallTimerMs - 1);
  EXPECT_TRUE(form->SteinNeu) << "no tick before the interval";
  Advance(1);
  EXPECT_FALSE(form->SteinNeu);
  EXPECT_EQ(form->SteinY, spawnY + 3);
  for (int tick = 2; tick <= 6; ++tick) {
    Advance(oracle::kFallTimerMs - 1);
    EXPECT_EQ(form->SteinY, spawnY + 3 * (tick - 1));
    Advance(1);
    EXPECT_EQ(form->SteinY, spawnY + 3 * tick);
  }
}

TEST_F(Catalogue, TheLandingDelayLastsTwoHundredMilliseconds) {
  form->picButtonNeuesSpiel_Click();
  form->AktStein = 20;
  form->SteinY = 358;
  form->FallTimer_Timer();  // past the floor: resting
  ASSERT_TRUE(form->Wartet);
  Advance(oracle::kWartenTimerMs - 1);
  EXPECT_TRUE(form->Wartet);
  EXPECT_FALSE(form->Belegt[5][20]);
  Advance(1);
  EXPECT_FALSE(form->Wartet);
  EXPECT_TRUE(form->Belegt[5][20] && form->Belegt[6][19]);
}

TEST_F(Catalogue, TheRowFlashLastsTwoHundredMilliseconds) {
  form->picButtonNeuesSpiel_Click();
  for (int c = 1; c <= 8; ++c) form->Belegt[c][20] = true, form->Farbe[c][20] = 1;
  form->AktStein = 20;
  form->SteinX = 160;
  form->SteinY = 360;
  form->Setzen();
  ASSERT_TRUE(form->ReiheTimer.Enabled());
  Advance(oracle::kReiheTimerMs - 1);
  EXPECT_TRUE(form->ReiheTimer.Enabled());
  EXPECT_FALSE(form->FallTimer.Enabled()) << "no piece while the rows flash";
  Advance(1);
  EXPECT_FALSE(form->ReiheTimer.Enabled());
  EXPECT_TRUE(form->FallTimer.Enabled());
}

TEST_F(Catalogue, TheGameOverSignsMoveEveryFiftyMilliseconds) {
  form->picButtonNeuesSpiel_Click();
  form->AktStein = 20;
  form->SteinY = 0;
  form->Setzen();
  ASSERT_TRUE(form->SpielVorbei);
  EXPECT_EQ(form->GameOverSchritt, -33);
  for (int tick = 1; tick <= 3; ++tick) {
    Advance(oracle::kGameOverTimerMs - 1);
    EXPECT_EQ(form->GameOverSchritt, -33 + 7 * (tick - 1));
    Advance(1);
    EXPECT_EQ(form->GameOverSchritt, -33 + 7 * tick);
  }
}

TEST_F(Catalogue, TheTimersHaveTheirIntervals) {
  EXPECT_EQ(form->FallTimer.Interval(), oracle::kFallTimerMs);
  EXPECT_EQ(form->WartenTimer.Interval(), oracle::kWartenTimerMs);
  EXPECT_EQ(form->ReiheTimer.Interval(), oracle::kReiheTimerMs);
  EXPECT_EQ(form->GameOverTimer.Interval(), oracle::kGameOverTimerMs);
  EXPECT_EQ(form->timJoystick.Interval(), oracle::kJoystickTimerMs);
}

}  // namespace
