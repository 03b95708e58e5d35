// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Complete rows, points and levels in running games.

#include "input/keys.h"
#include "model_play.h"

namespace {

// ---- Rows -----------------------------------------------------------------------

struct RowCase {
  int rows;
  int points;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.rows << " rows"; }

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

}  // namespace
