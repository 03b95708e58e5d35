// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Side moves and turns of the falling piece in running games.

#include "input/keys.h"
#include "model_play.h"

namespace {

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

}  // namespace
