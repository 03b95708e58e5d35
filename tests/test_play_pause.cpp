// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Pausing and continuing in every phase of a piece.

#include "input/keys.h"
#include "model_play.h"

namespace {

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

}  // namespace
