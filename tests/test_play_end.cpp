// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The end of a game, new games in every phase, and long random play.

#include <cstdio>
#include <cstdlib>
#include <random>

#include "input/keys.h"
#include "model_play.h"

namespace {

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
void PrintTo(Phase p, std::ostream* os) {
  constexpr const char* kNames[] = {"Falling", "LandingDelay", "Flash", "Paused", "GameOverAnimation"};
  *os << kNames[static_cast<int>(p)];
}

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
