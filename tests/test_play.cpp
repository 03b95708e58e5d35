// Whole games on the virtual clock: spawning, falling, landing, moves, rows,
// levels, pause, the end of a game and new games in every phase.

#include <functional>
#include <random>
#include <set>

#include "engine/tables.h"
#include "fixture.h"
#include "input/keys.h"
#include "invariants.h"
#include "platform/blit.h"

namespace {

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
  EXPECT_EQ(form->SteinY, kind == 1 ? -20 : -40);
  EXPECT_TRUE(form->SteinNeu);
  EXPECT_TRUE(form->FallTimer.Enabled());
  // The preview shows the next piece's mask shape, centred, on black.
  const int n = form->NaechsterStein;
  const int px = (80 - TForm::BildBreite(n)) / 2;
  const int py = (40 - TForm::BildHoehe(n)) / 2;
  const QImage& pv = form->Vorschau->Image();
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool inPic = x >= px && y >= py && x < px + TForm::BildBreite(n) && y < py + TForm::BildHoehe(n);
      const bool cell = inPic && form->NB[n].pixel(x - px, y - py) == 0xFF000000u;
      const QRgb expected = cell ? form->N[n].pixel(x - px, y - py) : 0xFF000000u;
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
  EXPECT_EQ(form->SteinY, 400 - TForm::BildHoehe(p));
  EXPECT_FALSE(form->FallTimer.Enabled());
  Advance(200);
  std::set<std::pair<int, int>> expected;
  for (const auto& z : engine::kKatalog[static_cast<size_t>(p)].zellen)
    expected.insert({5 + z.dx, 21 - TForm::BildHoehe(p) / 20 + z.dy});
  EXPECT_EQ(OccupiedSet(), expected);
  for (auto [c, r] : expected) EXPECT_EQ(form->Farbe[c][r], p / 4 + 1);
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
    const int col = static_cast<int>(rng() % (11 - TForm::BildBreite(p) / 20));
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

// ---- Moves and turns --------------------------------------------------------------

TEST_F(Play, ThePieceStopsAtBothWalls) {
  StartWith(0);
  for (int i = 0; i < 8; ++i) Key(keys::Links);
  EXPECT_EQ(form->SteinX, 0);
  for (int i = 0; i < 12; ++i) Key(keys::Rechts);
  EXPECT_EQ(form->SteinX, 140);
}

TEST_F(Play, ABlockedTurnStillPlaysTheSound) {
  StartWith(0);
  form->SteinY = 340;  // state 1 would reach row 20
  Key(keys::Hoch);
  EXPECT_EQ(form->AktStein, 0);
  EXPECT_EQ(Sounds(), QStringList{"ROTATE.WAV"});
  form->SteinY = 320;
  Key(keys::Hoch);
  EXPECT_EQ(form->AktStein, 1);
}

// The tabled probes of a turn into a tall state look one row ahead of a falling
// piece; a piece lying exactly on a row must still not turn into a settled cell.
TEST_F(Play, APieceOnARowCannotTurnIntoASettledCell) {
  StartWith(12);  // .XX / XX. turning into X. / XX / .X
  form->SteinX = 100;
  form->SteinY = 0;
  Fill(7, 3);  // where the turned piece's lowest cell would be
  EXPECT_FALSE(form->DrehPruefer());
  form->Belegt[7][3] = false;
  form->Farbe[7][3] = 0;
  EXPECT_TRUE(form->DrehPruefer());
}

TEST_F(Play, TheSquareTurnsOnlyItsPictureNumber) {
  StartWith(23);
  form->SteinY = 100;
  Key(keys::Hoch);
  EXPECT_EQ(form->AktStein, 20);
  EXPECT_EQ(form->SteinX, 80);
  EXPECT_EQ(form->SteinY, 100);
}

TEST_F(Play, TheUprightIPieceTurnsInColumnSevenButNotFurtherRight) {
  for (int c0 : {6, 7, 8, 9}) {
    StartWith(5);
    form->SteinX = static_cast<float>(20 * c0);
    form->SteinY = 100;
    EXPECT_EQ(form->DrehPruefer(), c0 == 6) << c0;
  }
}

TEST_F(Play, ASettledCellTouchingOnlyTheOverlapRowBlocksASideMove) {
  StartWith(20);
  form->SteinY = 105;  // rows 6-7 plus the overlap row 8
  Fill(4, 8);
  EXPECT_TRUE(form->LinksBelegt());
  form->SteinY = 100;
  EXPECT_FALSE(form->LinksBelegt());
}

// ---- Rows -----------------------------------------------------------------------

struct RowCase {
  int rows;
  int points;
};

class RowClear : public Play, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowClear, RemovesFlashesCountsAndScores) {
  const auto [n, points] = GetParam();
  StartWith(5);  // the upright I
  form->SteinX = 0;
  for (int r = 21 - n; r <= 20; ++r) FillRow(r, 1);
  Fill(2, 20 - n, 4);  // a cell above the rows, which must drop by n
  PaintSettled();
  Key(keys::Leertaste);
  EXPECT_EQ(Sounds().value(0), QString("ROW%1.WAV").arg(n));
  EXPECT_EQ(form->Reihen, n);
  EXPECT_EQ(form->Punktestand, points);
  EXPECT_TRUE(form->ReiheTimer.Enabled());
  // The removed rows show the flash cell; the table is already collapsed.
  for (int r = 21 - n; r <= 20; ++r)
    for (int c = 1; c <= 10; ++c)
      ASSERT_EQ(form->TBox->Image().copy((c - 1) * 20, (r - 1) * 20, 20, 20),
                form->Reihe.convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(form->Belegt[2][20]);
  EXPECT_FALSE(form->FallTimer.Enabled()) << "no piece during the flash";
  const int before = form->AktStein;
  Key(keys::Links);  // refused during the flash
  Key(keys::Leertaste);
  EXPECT_EQ(form->AktStein, before);
  Advance(200);
  EXPECT_FALSE(form->ReiheTimer.Enabled());
  EXPECT_TRUE(form->FallTimer.Enabled());
  // What is left of the I (4 - n cells) and the cell above both dropped by n rows.
  std::set<std::pair<int, int>> expected{{2, 20}};
  for (int r = 17 + n; r <= 20; ++r) expected.insert({1, r});
  EXPECT_EQ(OccupiedSet(), expected);
  QImage picture = form->TBoxSich.convertToFormat(QImage::Format_RGB32);
  platform::BitBlt(picture, 20, 380, 20, 20, form->Muster[3], 0, 0, platform::Rop::SrcCopy);
  for (int r = 17 + n; r <= 20; ++r)
    platform::BitBlt(picture, 0, (r - 1) * 20, 20, 20, form->Muster[1], 0, 0, platform::Rop::SrcCopy);
  EXPECT_EQ(form->TBox->Image(), picture);
}

INSTANTIATE_TEST_SUITE_P(OneToFour, RowClear,
                         ::testing::Values(RowCase{1, 20}, RowCase{2, 60}, RowCase{3, 120}, RowCase{4, 200}),
                         [](const auto& info) { return std::to_string(info.param.rows) + "Rows"; });

TEST_F(Play, TwoRowsWithAnIncompleteRowBetweenBothGo) {
  StartWith(5);
  form->SteinX = 0;
  FillRow(20, 1);
  FillRow(19, 1);
  for (int c = 3; c <= 10; ++c) Fill(c, 19, 0), form->Belegt[c][19] = false;  // row 19: only column 2
  FillRow(18, 1);
  Fill(5, 17, 6);
  PaintSettled();
  Key(keys::Leertaste);  // fills column 1 of rows 17-20: rows 18 and 20 are complete
  EXPECT_EQ(Sounds().value(0), "ROW2.WAV");
  // Both flash at their own screen rows.
  for (int r : {18, 20})
    EXPECT_EQ(form->TBox->Image().copy(100, (r - 1) * 20, 20, 20), form->Reihe.convertToFormat(QImage::Format_RGB32));
  Advance(200);
  // Row 19 dropped by one; row 17 (the I's top and the cell at column 5) by two.
  std::set<std::pair<int, int>> expected{{1, 20}, {2, 20}, {1, 19}, {5, 19}};
  EXPECT_EQ(OccupiedSet(), expected);
  for (int c = 1; c <= 10; ++c) EXPECT_FALSE(form->Belegt[c][1]);
}

// ---- Points and levels ----------------------------------------------------------

TEST_F(Play, FourRowsAtThreeHundredNinetyReachLevelTwo) {
  StartWith(0);
  form->Punktestand = 390;
  form->Punkte(4);
  EXPECT_EQ(form->Punktestand, 590);
  EXPECT_EQ(form->Level, 2);
  EXPECT_EQ(form->Fallschritt, 4);
}

TEST_F(Play, EveryFiveHundredPointsTheLevelAndSpeedRiseUpToTen) {
  StartWith(0);
  for (int i = 0; i < 520; ++i) {
    form->Punkte(4);
    const int expectedLevel = std::min(10, form->Punktestand / 500 + 1);
    ASSERT_EQ(form->Level, expectedLevel) << form->Punktestand;
    ASSERT_EQ(form->Fallschritt, expectedLevel + 2);
  }
  EXPECT_EQ(form->Level, 10);
  EXPECT_EQ(form->Fallschritt, 12);
  EXPECT_EQ(form->Punktestand, 99999);
}

TEST_F(Play, ALevelReachedWhileDownIsHeldRaisesTheSavedStep) {
  StartWith(0);
  form->Punktestand = 480;
  Key(keys::Runter);
  form->Punkte(1);
  EXPECT_EQ(form->Level, 2);
  EXPECT_EQ(form->Fallschritt, 19);
  KeyUp(keys::Runter);
  EXPECT_EQ(form->Fallschritt, 4);
}

TEST_F(Play, ClearingRowsInPlayRaisesTheSpeedOfTheNextPiece) {
  StartWith(5);
  form->SteinX = 0;
  form->Punktestand = 480;
  FillRow(20, 1);
  Key(keys::Leertaste);
  Advance(200);
  EXPECT_EQ(form->Level, 2);
  const float y = form->SteinY;
  Advance(50);
  EXPECT_EQ(form->SteinY, y + 4);
}

// ---- Pause ------------------------------------------------------------------------

TEST_F(Play, PauseAndContinueGiveBackTheWellPixelForPixel) {
  // A sign whose shape is a framed bar, so it is visible on any well.
  form->PausePic = platform::NewImage(190, 48, 0xFFFFFFFFu);
  form->PausePicBl = platform::NewImage(190, 48, 0xFFFFFFFFu);
  for (int y = 4; y < 44; ++y)
    for (int x = 4; x < 186; ++x) {
      form->PausePic.setPixel(x, y, 0xFF2040C0u);
      form->PausePicBl.setPixel(x, y, 0xFF000000u);
    }
  StartWith(0);
  Advance(500);
  const QImage before = form->TBox->Image();
  Key(keys::P);
  EXPECT_TRUE(form->Pausiert);
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_NE(form->TBox->Image(), before) << "the sign is shown";
  // Outside the sign's rectangle (5,176)-(195,224) nothing changed.
  const QImage& paused = form->TBox->Image();
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 200; ++x)
      if (x < 5 || x >= 195 || y < 176 || y >= 224) {
        ASSERT_EQ(paused.pixel(x, y), before.pixel(x, y));
      }
  const float y = form->SteinY;
  for (int k : {keys::Links, keys::Rechts, keys::Hoch, keys::Leertaste, keys::Runter}) Key(k);
  Advance(1000);
  EXPECT_EQ(form->SteinY, y);
  EXPECT_EQ(form->SteinX, 80);
  Key(keys::P);
  EXPECT_FALSE(form->Pausiert);
  EXPECT_EQ(form->TBox->Image(), before);
  EXPECT_TRUE(form->FallTimer.Enabled());
}

TEST_F(Play, SwitchKeysWorkWhilePaused) {
  StartWith(0);
  Key(keys::P);
  Key(keys::V);
  EXPECT_TRUE(form->Vorschau->isHidden());
  Key(keys::S);
  EXPECT_FALSE(HauptModul::SoundAn);
  Key(keys::V);
  Key(keys::S);
  EXPECT_FALSE(form->Vorschau->isHidden());
  EXPECT_TRUE(HauptModul::SoundAn);
}

TEST_F(Play, APauseDuringTheLandingDelayHoldsTheNextPiece) {
  StartWith(0);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  Key(keys::P);
  Advance(200);  // the delay ends and the piece is placed under the sign
  EXPECT_FALSE(form->Wartet);
  EXPECT_TRUE(form->SteinNeu);
  EXPECT_FALSE(form->FallTimer.Enabled()) << "the next piece must not fall while paused";
  const float y = form->SteinY;
  Advance(2000);
  EXPECT_EQ(form->SteinY, y);
  Key(keys::P);
  EXPECT_TRUE(form->FallTimer.Enabled());
  Advance(100);
  EXPECT_GT(form->SteinY, y);
}

TEST_F(Play, APauseDuringTheRowFlashHoldsTheNextPiece) {
  StartWith(5);
  form->SteinX = 0;
  FillRow(20, 1);
  Key(keys::Leertaste);
  ASSERT_TRUE(form->ReiheTimer.Enabled());
  Key(keys::P);
  EXPECT_TRUE(form->Pausiert);
  Advance(2000);
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_TRUE(form->SteinNeu);
  Key(keys::P);
  EXPECT_TRUE(form->FallTimer.Enabled());
}

TEST_F(Play, ContinuingDuringTheRowFlashDoesNotDropThePlacedPieceAgain) {
  StartWith(5);
  form->SteinX = 0;
  FillRow(20, 1);
  Key(keys::Leertaste);
  Key(keys::P);
  Key(keys::P);  // continue while the flash still runs
  EXPECT_FALSE(form->FallTimer.Enabled()) << "no piece is falling during the flash";
  Advance(200);
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_TRUE(form->SteinNeu);
  EXPECT_EQ(OccupiedSet(), (std::set<std::pair<int, int>>{{1, 18}, {1, 19}, {1, 20}}));
}

// Continuing late in the landing delay restarts the fall; the placing that
// follows must stop it again, or the placed piece would fall through the flash.
TEST_F(Play, ContinuingLateInTheLandingDelayDoesNotPlaceThePieceTwice) {
  StartWith(5);
  form->SteinX = 0;
  FillRow(20, 1);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  Advance(160);
  Key(keys::P);
  Key(keys::P);
  Advance(40);  // the delay ends before the next gravity tick
  EXPECT_TRUE(form->ReiheTimer.Enabled());
  EXPECT_FALSE(form->FallTimer.Enabled());
  for (int t = 0; t < 400; t += 10) {
    Advance(10);
    ASSERT_TRUE(GameIsConsistent(*form));
  }
  EXPECT_EQ(OccupiedSet(), (std::set<std::pair<int, int>>{{1, 18}, {1, 19}, {1, 20}}));
  EXPECT_EQ(form->Reihen, 1);
}

TEST_F(Play, TheFlashRepaintKeepsThePauseSign) {
  form->PausePic = platform::NewImage(190, 48, 0xFF2040C0u);
  form->PausePicBl = platform::NewImage(190, 48, 0xFF000000u);
  StartWith(5);
  form->SteinX = 0;
  FillRow(20, 1);
  Fill(3, 10, 4);  // in the band under the sign; drops to row 11 with the flash
  PaintSettled();
  Key(keys::Leertaste);
  Key(keys::P);
  Advance(200);  // the flash ends and the well is repainted under the sign
  EXPECT_EQ(form->TBox->Image().pixel(100, 200), 0xFF2040C0u) << "the sign is still shown";
  Key(keys::P);
  // Continuing shows the collapsed well, not the picture from before the flash.
  QImage expected = form->TBoxSich.convertToFormat(QImage::Format_RGB32);
  for (int r = 1; r <= 20; ++r)
    for (int c = 1; c <= 10; ++c)
      if (form->Farbe[c][r])
        platform::BitBlt(expected, (c - 1) * 20, (r - 1) * 20, 20, 20, form->Muster[form->Farbe[c][r] - 1], 0, 0,
                         platform::Rop::SrcCopy);
  EXPECT_EQ(form->TBox->Image(), expected);
}

// ---- The end of a game ---------------------------------------------------------

TEST_F(Play, APieceRestingAtTheTopEndsTheGame) {
  StartWith(20);
  for (int r = 3; r <= 20; ++r) Fill(5, r, 1), Fill(6, r, 1);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  EXPECT_EQ(form->SteinY, 0);
  Advance(200);
  EXPECT_TRUE(form->SpielVorbei);
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_TRUE(form->GameOverTimer.Enabled());
  EXPECT_FALSE(form->Belegt[5][1]) << "the last piece is not stored";
  for (int k : {keys::Links, keys::P, keys::Leertaste}) Key(k);
  EXPECT_FALSE(form->Pausiert);
}

TEST_F(Play, APieceRestingOneRowLowerIsStored) {
  StartWith(20);
  for (int r = 4; r <= 20; ++r) Fill(5, r, 1), Fill(6, r, 1);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  EXPECT_EQ(form->SteinY, 20);
  Advance(200);
  EXPECT_FALSE(form->SpielVorbei);
  EXPECT_TRUE(form->Belegt[5][2] && form->Belegt[6][3]);
}

TEST_F(Play, TheGameOverSignsSlideInAndStopNearTheMiddle) {
  StartWith(20);
  for (int r = 3; r <= 20; ++r) Fill(5, r, 1), Fill(6, r, 1);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  Advance(200);
  const QImage atEnd = form->TBox->Image();
  int frames = 0;
  int lastRefresh = form->TBox->RefreshCount();
  while (form->GameOverTimer.Enabled()) {
    Advance(50);
    if (form->TBox->RefreshCount() != lastRefresh) ++frames;
    lastRefresh = form->TBox->RefreshCount();
    ASSERT_LT(frames, 100);
  }
  EXPECT_EQ(frames, 28);
  EXPECT_EQ(form->GameOverSchritt, 0);
  QImage expected = atEnd;
  platform::BitBlt(expected, 27, 156, 146, 39, form->GameOverBl1, 0, 0, platform::Rop::MergePaint);
  platform::BitBlt(expected, 27, 156, 146, 39, form->GameOverPic1, 0, 0, platform::Rop::SrcAnd);
  platform::BitBlt(expected, 29, 211, 142, 39, form->GameOverBl2, 0, 0, platform::Rop::MergePaint);
  platform::BitBlt(expected, 29, 211, 142, 39, form->GameOverPic2, 0, 0, platform::Rop::SrcAnd);
  EXPECT_EQ(form->TBox->Image(), expected);
}

// ---- A new game in every phase -----------------------------------------------------

enum class Phase { Falling, LandingDelay, Flash, Paused, GameOverAnimation };

class NewGameIn : public Play, public ::testing::WithParamInterface<Phase> {};

TEST_P(NewGameIn, LeavesACleanRunningGame) {
  StartWith(5);
  form->SteinX = 0;
  switch (GetParam()) {
    case Phase::Falling: Advance(300); break;
    case Phase::LandingDelay: ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; })); break;
    case Phase::Flash:
      FillRow(20, 1);
      Key(keys::Leertaste);
      ASSERT_TRUE(form->ReiheTimer.Enabled());
      break;
    case Phase::Paused:
      Advance(100);
      Key(keys::P);
      break;
    case Phase::GameOverAnimation:
      for (int r = 5; r <= 20; ++r) Fill(1, r);
      Key(keys::Leertaste);
      ASSERT_TRUE(form->GameOverTimer.Enabled());
      Advance(300);
      break;
  }
  form->picButtonNeuesSpiel_Click();
  EXPECT_TRUE(Occupied().empty());
  EXPECT_FALSE(form->Pausiert);
  EXPECT_FALSE(form->Wartet);
  EXPECT_FALSE(form->SpielVorbei);
  EXPECT_FALSE(form->WartenTimer.Enabled());
  EXPECT_FALSE(form->ReiheTimer.Enabled());
  EXPECT_FALSE(form->GameOverTimer.Enabled());
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_EQ(form->TBox->Image(), form->TBoxSich.convertToFormat(QImage::Format_RGB32));
  const int first = form->AktStein;
  // No stale tick may place the new piece or spawn a second one.
  int spawns = 0;
  for (int t = 0; t < 1000; t += 10) {
    const bool wasNew = form->SteinNeu;
    Advance(10);
    if (!wasNew && form->SteinNeu) ++spawns;
    ASSERT_TRUE(GameIsConsistent(*form));
  }
  EXPECT_EQ(spawns, 0);
  EXPECT_EQ(form->AktStein, first);
  EXPECT_FALSE(form->SpielVorbei);
  EXPECT_GT(form->SteinY, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPhase, NewGameIn,
                         ::testing::Values(Phase::Falling, Phase::LandingDelay, Phase::Flash, Phase::Paused,
                                           Phase::GameOverAnimation),
                         [](const auto& info) {
                           switch (info.param) {
                             case Phase::Falling: return "Falling";
                             case Phase::LandingDelay: return "LandingDelay";
                             case Phase::Flash: return "Flash";
                             case Phase::Paused: return "Paused";
                             case Phase::GameOverAnimation: break;
                           }
                           return "GameOverAnimation";
                         });

// ---- Random play -----------------------------------------------------------------

TEST_F(Play, ThousandsOfRandomEventsKeepTheGameConsistent) {
  std::mt19937 rng(20261207);
  int games = 0, rows = 0, spawns = 0, lastRows = 0;
  // Rows with one gap each at the bottom, so random drops complete some of them.
  auto newGame = [&] {
    form->picButtonNeuesSpiel_Click();
    ++games;
    for (int r = 12; r <= 20; ++r) FillRow(r, static_cast<int>(rng() % 10) + 1);
    PaintSettled();
  };
  const int keyCodes[] = {keys::Links, keys::Rechts, keys::Hoch, keys::Runter, keys::Leertaste, keys::P, keys::V};
  for (int event = 0; event < 60000; ++event) {
    const unsigned roll = rng() % 100;
    if (form->SpielVorbei && roll < 30) {
      newGame();
    } else if (roll < 55) {
      Key(keyCodes[rng() % 7]);
    } else if (roll < 65) {
      KeyUp(keys::Runter);
    } else if (roll < 66) {
      newGame();
    } else {
      Advance(static_cast<int>(rng() % 120) + 1);
    }
    if (form->Pausiert && rng() % 4 == 0) Key(keys::P);
    if (form->Reihen > lastRows) rows += form->Reihen - lastRows;
    lastRows = form->Reihen;
    if (form->SteinNeu && !form->SpielVorbei) ++spawns;
    if (getenv("NORVANE_TRACE")) {
      fprintf(stderr, "ev %d roll %u p=%d x=%g y=%g wartet=%d neu=%d fall=%d\n", event, roll, form->AktStein,
              form->SteinX, form->SteinY, form->Wartet, form->SteinNeu, form->FallTimer.Enabled());
    }
    ASSERT_TRUE(GameIsConsistent(*form)) << "event " << event;
  }
  EXPECT_GT(games, 20);
  EXPECT_GT(spawns, 500);
  EXPECT_GT(rows, 20);
}

}  // namespace
