// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Spawning, falling, landing and the hard drop in running games.

#include <random>

#include "input/keys.h"
#include "model_play.h"
#include "model_rules.h"

namespace {

// ---- Start-up ------------------------------------------------------------------

TEST_F(Play, AfterStartUpNoGameRunsAndThePlayKeysDoNothing) {
  EXPECT_TRUE(form->SpielVorbei);
  EXPECT_FALSE(form->Pausiert);
  for (auto* t : {&form->FallTimer, &form->WartenTimer, &form->ReiheTimer, &form->GameOverTimer, &form->timJoystick})
    EXPECT_FALSE(t->Enabled());
  EXPECT_EQ(form->TBox->Image(), form->TBoxSich.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(form->Vorschau->Image(), platform::NewImage(80, 40, 0xFF000000u));
  const QImage well = form->TBox->Image();
  for (int k : {keys::Links, keys::Rechts, keys::Hoch, keys::Runter, keys::Leertaste, keys::P}) Key(k);
  Advance(1000);
  EXPECT_FALSE(form->Pausiert);
  EXPECT_EQ(form->TBox->Image(), well);
  EXPECT_TRUE(Sounds().isEmpty());
}

TEST_F(Play, ANewGameResetsTheCountersAndSpawns) {
  form->picButtonNeuesSpiel_Click();
  EXPECT_EQ(Sounds().value(0), "CLICK.WAV");
  EXPECT_EQ(form->Level, 1);
  EXPECT_EQ(form->Fallschritt, 3);
  EXPECT_EQ(form->Reihen, 0);
  EXPECT_EQ(form->Punktestand, 0);
  EXPECT_FALSE(form->SpielVorbei);
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_TRUE(form->SteinNeu);
  EXPECT_EQ(form->SteinX, 80);
}

// ---- Spawning ------------------------------------------------------------------

class SpawnPerKind : public Play, public ::testing::WithParamInterface<int> {};

TEST_P(SpawnPerKind, StartsAboveTheFifthColumnAndPreviewsTheNextPiece) {
  const int kind = GetParam();
  form->picButtonNeuesSpiel_Click();
  form->FallTimer.SetEnabled(false);
  form->NaechsterStein = 4 * kind;
  form->NeuerStein();
  EXPECT_EQ(form->AktStein, 4 * kind);
  EXPECT_EQ(form->SteinX, 80);
  EXPECT_EQ(form->SteinY, oracle::kKinds[static_cast<size_t>(kind)].spawnY);
  EXPECT_TRUE(form->SteinNeu);
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_EQ(form->NaechsterStein % 4, 0) << "the next piece is always in state 0";
  // The preview shows a piece of this kind centred on black, in its pattern:
  // offset (10, 0) for 3 x 2 pictures, (0, 10) for the I piece, (20, 0) for the square.
  form->NaechsterStein = 4 * kind;
  form->VorschauZeigen();
  const int px = kind == 1 ? 0 : kind == 5 ? 20 : 10;
  const int py = kind == 1 ? 10 : 0;
  const QImage pattern = form->Muster[static_cast<size_t>(kind)].convertToFormat(QImage::Format_RGB32);
  const QImage& pv = form->Vorschau->Image();
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool cell = x >= px && y >= py && model::IsCell(4 * kind, (x - px) / 20, (y - py) / 20);
      const QRgb expected = cell ? pattern.pixel((x - px) % 20, (y - py) % 20) : 0xFF000000u;
      ASSERT_EQ(pv.pixel(x, y), expected) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpawnPerKind, ::testing::Range(0, 7),
                         [](const auto& info) { return "Kind" + std::to_string(info.param); });

TEST_F(Play, EveryKindComesAboutOneTimeInSeven) {
  std::array<int, 7> count{};
  for (int i = 0; i < 7000; ++i) {
    form->NaechstenWaehlen();
    ++count[static_cast<size_t>(form->NaechsterStein / 4)];
  }
  for (int c : count) {
    EXPECT_GT(c, 850);
    EXPECT_LT(c, 1150);
  }
}

// ---- Falling and landing ----------------------------------------------------------

class FloorLanding : public Play, public ::testing::WithParamInterface<int> {};

TEST_P(FloorLanding, APieceLandsOnTheFloorOnTheGridAndIsStoredWithItsColour) {
  const int p = GetParam();
  StartWith(p);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  EXPECT_EQ(form->SteinY, 400 - 20 * oracle::Height(p));
  EXPECT_FALSE(form->FallTimer.Enabled());
  Advance(200);
  std::set<std::pair<int, int>> expected;
  for (auto [dx, dy] : oracle::Cells(p)) expected.insert({5 + dx, 21 - oracle::Height(p) + dy});
  EXPECT_EQ(OccupiedSet(), expected);
  for (auto [c, r] : expected) EXPECT_EQ(form->Farbe[c][r], oracle::kKinds[static_cast<size_t>(p / 4)].colour);
  EXPECT_EQ(Sounds().value(0), "DOWN.WAV");
  EXPECT_TRUE(form->FallTimer.Enabled()) << "the next piece falls";
  EXPECT_TRUE(form->SteinNeu);
}

INSTANTIATE_TEST_SUITE_P(AllPictures, FloorLanding, ::testing::Range(0, 28),
                         [](const auto& info) { return "Picture" + std::to_string(info.param); });

TEST_F(Play, AnIPieceStandingInColumnOneIsStoredInRowsSeventeenToTwenty) {
  StartWith(5);
  form->SteinX = 0;
  form->SteinY = 320;
  form->Setzen();
  for (int r = 1; r <= 20; ++r)
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(form->Belegt[c][r], c == 1 && r >= 17) << c << "," << r;
  for (int r = 17; r <= 20; ++r) EXPECT_EQ(form->Farbe[1][r], 2);
}

TEST_F(Play, APieceReachingTheBottomLimitExactlyLandsOnTheNextTick) {
  StartWith(20);  // the square, bottom limit 360
  form->Fallschritt = 10;
  form->SteinY = 340;
  form->SteinNeu = true;
  Advance(50);  // drawn at 340, moved to 350
  Advance(50);  // drawn at 350, moved to 360 = limit: not landed yet
  EXPECT_EQ(form->SteinY, 360);
  EXPECT_FALSE(form->Wartet);
  Advance(50);  // moved past the floor and put back
  EXPECT_EQ(form->SteinY, 360);
  EXPECT_TRUE(form->Wartet);
}

TEST_F(Play, APieceLandsOnSettledCellsAndNeverOverlapsThem) {
  for (int speed : {3, 7, 12, 19}) {
    StartWith(8);  // T: XXX / .X.
    form->Fallschritt = speed;
    Fill(6, 15);  // under the T's stem (column 6)
    ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
    EXPECT_EQ(form->SteinY, 12 * 20) << "speed " << speed;  // top in row 13, stem in row 14 on top of row 15
    EXPECT_TRUE(GameIsConsistent(*form));
  }
}

TEST_F(Play, ASideMoveDuringTheLandingDelayLetsThePieceFallOn) {
  StartWith(20);  // square in columns 5 and 6
  Fill(5, 11);
  Fill(6, 11);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  EXPECT_EQ(form->SteinY, 160);
  Advance(100);
  Key(keys::Links);  // column 4 and 5: still on the cell at column 5
  EXPECT_FALSE(form->Wartet);
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->WartenTimer.Enabled());
  Advance(50);
  EXPECT_TRUE(form->Wartet) << "supported again: a fresh delay";
  Advance(150);
  EXPECT_TRUE(form->Wartet) << "the new delay lasts a full 200 ms";
  Key(keys::Links);
  Key(keys::Links);  // columns 2 and 3: nothing below
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  EXPECT_EQ(form->SteinY, 360);
  EXPECT_EQ(form->SteinX, 20);
}

// Wherever a piece comes to rest, the well shows it there and nowhere else,
// over the settled cells, whatever the speed that brought it.
TEST_F(Play, ARestingPieceIsShownWhereItRests) {
  for (int speed : {3, 7, 12, 19}) {
    for (bool onCell : {false, true}) {
      StartWith(8);  // T: XXX / .X.
      form->Fallschritt = speed;
      if (onCell) Fill(6, 15, 2);
      PaintSettled();
      ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
      const int y = onCell ? 240 : 360;
      QImage expected = form->TBoxSich.convertToFormat(QImage::Format_RGB32);
      if (onCell) platform::BitBlt(expected, 100, 280, 20, 20, form->Muster[1], 0, 0, platform::Rop::SrcCopy);
      platform::BitBlt(expected, 80, y, 60, 40, form->NB[8], 0, 0, platform::Rop::MergePaint);
      platform::BitBlt(expected, 80, y, 60, 40, form->N[8], 0, 0, platform::Rop::SrcAnd);
      EXPECT_EQ(form->TBox->Image(), expected) << "speed " << speed << (onCell ? " on a cell" : " on the floor");
    }
  }
}

// Either way sideways cancels the delay; a move refused by a settled cell does not.
TEST_F(Play, EitherSideMoveDuringTheLandingDelayCancelsIt) {
  for (int dir : {-1, +1}) {
    StartWith(20);  // square in columns 5 and 6, resting on row 11
    Fill(5, 11);
    Fill(6, 11);
    Fill(dir < 0 ? 4 : 7, 10);  // the way is blocked at first
    ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
    Key(dir < 0 ? keys::Links : keys::Rechts);
    EXPECT_TRUE(form->Wartet) << "a blocked move keeps the delay";
    EXPECT_EQ(form->SteinX, 80);
    form->Belegt[dir < 0 ? 4 : 7][10] = false;
    form->Farbe[dir < 0 ? 4 : 7][10] = 0;
    Key(dir < 0 ? keys::Links : keys::Rechts);
    EXPECT_EQ(form->SteinX, 80 + 20 * dir);
    EXPECT_FALSE(form->Wartet);
    EXPECT_TRUE(form->FallTimer.Enabled());
    EXPECT_FALSE(form->WartenTimer.Enabled());
    Advance(200);
    EXPECT_FALSE(form->Belegt[dir < 0 ? 4 : 7][10]) << "not placed by the cancelled delay";
  }
}

TEST_F(Play, UpSpaceAndDownAreIgnoredDuringTheLandingDelay) {
  StartWith(0);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  Key(keys::Hoch);
  Key(keys::Leertaste);
  Key(keys::Runter);
  KeyUp(keys::Runter);
  EXPECT_EQ(form->AktStein, 0);
  EXPECT_EQ(form->Fallschritt, 3);
  EXPECT_TRUE(Sounds().isEmpty());
  EXPECT_TRUE(form->Wartet);
}

TEST_F(Play, TheSoftDropFallsNineteenPixelsPerTickUntilReleased) {
  StartWith(0);
  Key(keys::Runter);
  EXPECT_EQ(form->Fallschritt, 19);
  EXPECT_EQ(form->FallschrittSich, 3);
  Key(keys::Runter);  // a repeated press changes nothing
  EXPECT_EQ(form->FallschrittSich, 3);
  const float y = form->SteinY;
  Advance(50);
  EXPECT_EQ(form->SteinY, y + 19);
  KeyUp(keys::Runter);
  EXPECT_EQ(form->Fallschritt, 3);
  KeyUp(keys::Runter);
  EXPECT_EQ(form->Fallschritt, 3);
}

// A hard drop and a plain fall over the same terrain end in the same place.
TEST_F(Play, AHardDropEndsWhereTheFallWould) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const int p = static_cast<int>(rng() % 28);
    const int col = static_cast<int>(rng() % static_cast<unsigned>(11 - oracle::Width(p)));
    std::vector<int> heights(11);
    for (int c = 1; c <= 10; ++c) heights[static_cast<size_t>(c)] = static_cast<int>(rng() % 8);
    std::set<std::pair<int, int>> results[2];
    for (int mode = 0; mode < 2; ++mode) {
      StartWith(p);
      form->SteinX = static_cast<float>(20 * col);
      for (int c = 1; c <= 10; ++c)
        for (int r = 21 - heights[static_cast<size_t>(c)]; r <= 20; ++r) Fill(c, r, 2);
      if (mode == 0) {
        if (round % 2) Advance(50);  // also before the first tick
        Key(keys::Leertaste);
      } else {
        ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
        Advance(200);
      }
      if (form->ReiheTimer.Enabled()) Advance(200);
      for (auto cell : Occupied()) results[mode].insert(cell);
    }
    EXPECT_EQ(results[0], results[1]) << "round " << round << " picture " << p << " column " << col;
  }
}

TEST_F(Play, AHardDropBeforeTheFirstTickPaintsOnceAndErasesNothing) {
  StartWith(4);  // the I piece lying flat
  Fill(1, 20);
  PaintSettled();
  const QImage before = form->TBox->Image();
  Key(keys::Leertaste);
  // Row 20 now holds the I at columns 5-8 and the old cell; everything else is as before.
  const QImage& after = form->TBox->Image();
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 200; ++x) {
      const bool piece = y >= 380 && x >= 80 && x < 160;
      if (!piece) {
        ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << "," << y;
      }
    }
  EXPECT_TRUE(form->Belegt[5][20] && form->Belegt[8][20] && form->Belegt[1][20]);
}

TEST_F(Play, APieceDrawnOverSettledCellsLeavesThemVisibleAroundIt) {
  StartWith(0);  // L: XXX / X..
  for (int c = 1; c <= 10; ++c) Fill(c, 3, 5);
  PaintSettled();
  form->SteinY = 20;  // the picture covers rows 2 and 3; its cells (6,3) and (7,3) are empty
  form->SteinNeu = true;
  form->Fallschritt = 0;
  Advance(50);
  const QImage& well = form->TBox->Image();
  // The settled cell under the picture's empty corner still shows its pattern.
  EXPECT_EQ(well.copy(100, 40, 20, 20), form->Muster[4].convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(well.copy(80, 20, 20, 20), form->Muster[0].convertToFormat(QImage::Format_RGB32));
}

TEST_F(Play, TurningToATallerPictureLeavesNoRemainsOfTheOldShape) {
  StartWith(0);
  form->Fallschritt = 0;
  form->SteinY = 100;
  Advance(50);
  Key(keys::Hoch);
  EXPECT_EQ(form->AktStein, 1);
  Advance(50);
  // Only the new picture's cells differ from the empty well.
  QImage expected = form->TBoxSich.convertToFormat(QImage::Format_RGB32);
  platform::BitBlt(expected, 80, 100, 40, 60, form->NB[1], 0, 0, platform::Rop::MergePaint);
  platform::BitBlt(expected, 80, 100, 40, 60, form->N[1], 0, 0, platform::Rop::SrcAnd);
  EXPECT_EQ(form->TBox->Image(), expected);
}

TEST_F(Play, WhileAbovePartlyTheRestoredBackgroundStaysInsideTheWell) {
  StartWith(5);  // the upright I, 80 pixels tall
  form->AktStein = 5;
  form->SteinY = -70;
  form->SteinNeu = true;
  for (int i = 0; i < 10; ++i) Advance(50);
  Key(keys::Leertaste);
  if (form->ReiheTimer.Enabled()) Advance(200);
  // Only the placed piece differs from the empty well.
  QImage expected = form->TBoxSich.convertToFormat(QImage::Format_RGB32);
  platform::BitBlt(expected, 80, 320, 20, 80, form->NB[5], 0, 0, platform::Rop::MergePaint);
  platform::BitBlt(expected, 80, 320, 20, 80, form->N[5], 0, 0, platform::Rop::SrcAnd);
  // The next piece has not been drawn yet (no tick since its spawn).
  EXPECT_EQ(form->TBox->Image(), expected);
}

}  // namespace
