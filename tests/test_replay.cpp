// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Recorded games played back: the same pieces, cells, pixels, counters and
// sounds at every piece and at the end, at every playback speed.

#include <deque>

#include "replay_hilfe.h"
#include "shell/anleitung.h"

namespace {

constexpr int kL = 0, kI = 1, kO = 5;

class ReplayExact : public ReplayTest {
 protected:
  // Scripted games choose their pieces; the rest are O pieces.
  void Steine(std::deque<int> folge) {
    folge_ = std::move(folge);
    replay::SetzeSteinWahlFuerTests([this](int) {
      if (folge_.empty()) return kO;
      const int k = folge_.front();
      folge_.pop_front();
      return k;
    });
  }

  // Turns the falling piece, moves it to x and drops it at once.
  void Lege(int drehungen, int x) {
    Warte(60);
    for (int i = 0; i < drehungen; ++i) Key(keys::Hoch);
    for (int i = 0; i < 12 && form->SteinX > float(x); ++i) Key(keys::Links);
    for (int i = 0; i < 12 && form->SteinX < float(x); ++i) Key(keys::Rechts);
    ASSERT_EQ(form->SteinX, float(x));
    Key(keys::Leertaste);
    Warte(10);
  }

  void PauseFuer(int ms) {
    Key(keys::P);
    Warte(ms);
    Key(keys::P);
  }

  // A secondary window opened and closed again, as the player does it.
  void FensterFuer(int ms) {
    form->picButtonAnleitung_Click();
    Warte(ms);
    form->ZurueckZumSpiel(&form->AnleitungForm());
  }

  // Lets the falling piece come to rest by itself: the landing delay begins.
  void BisZurLandung() {
    for (int i = 0; i < 2000 && !form->Wartet; ++i) Warte(10);
    ASSERT_TRUE(form->Wartet);
  }

  std::deque<int> folge_;
};

struct Zeilen {
  int n;
  int punkte;
};

class ReplayRows : public ReplayExact, public ::testing::WithParamInterface<Zeilen> {};

// Each game clears n rows at once, with pauses and windows in every phase on the way.
TEST_P(ReplayRows, ClearsPausesAndWindowsReplayExactly) {
  const auto [n, punkte] = GetParam();
  switch (n) {
    case 1: Steine({kI, kI, kO}); break;
    case 2: Steine({kO, kO, kO, kO, kO}); break;
    case 3: Steine({kI, kI, kI, kI, kI, kI, kI, kI, kI}); break;
    default: Steine({kI, kI, kI, kI, kI, kI, kI, kI, kI, kI, kI}); break;
  }
  Beginnen();
  Warte(300);
  PauseFuer(500);  // falling
  FensterFuer(700);
  switch (n) {
    case 1:
      Lege(0, 0);
      Lege(0, 80);
      BisZurLandung();
      PauseFuer(300);  // landing delay
      FensterFuer(300);
      Lege(0, 160);
      break;
    case 2:
      for (int x = 0; x < 160; x += 40) Lege(0, x);
      Key(keys::Runter);
      Warte(400);
      KeyUp(keys::Runter);
      Lege(0, 160);
      break;
    case 3:
      Lege(1, 180);
      for (int r = 0; r < 3; ++r) {
        Lege(0, 0);
        Lege(0, 80);
      }
      Lege(1, 160);
      break;
    default:
      for (int x = 0; x < 200; x += 20) Lege(1, x);
      break;
  }
  ASSERT_TRUE(form->ReiheTimer.Enabled()) << "the script did not complete a row";
  EXPECT_EQ(form->Reihen, n);
  EXPECT_EQ(form->Punktestand, punkte);
  PauseFuer(400);  // row flash
  Key(keys::S);    // sound off and on again
  Warte(300);
  Key(keys::S);
  FensterFuer(100);
  Warte(400);
  Key(keys::V);  // the preview off
  Beenden();
  if (HasFatalFailure()) return;
  Vergleichen(lauf_);
  MitTempo(lauf_, -2);
  MitTempo(lauf_, 3);
}

INSTANTIATE_TEST_SUITE_P(OneToFour, ReplayRows,
                         ::testing::Values(Zeilen{1, 20}, Zeilen{2, 60}, Zeilen{3, 120}, Zeilen{4, 200}),
                         [](const auto& info) { return std::to_string(info.param.n) + "Rows"; });

// Pauses and windows during the game-over signs, and a window the game ends behind.
TEST_F(ReplayExact, GameOverPhasesReplayExactly) {
  Steine({kL, kL, kI});
  // A game begun with the sound and the preview off is played back so.
  Key(keys::S);
  Key(keys::V);
  Beginnen();
  for (int i = 0; i < 2000 && !form->SpielVorbei; ++i) {
    Key(keys::Leertaste);
    Warte(60);
  }
  Warte(200);
  PauseFuer(300);
  FensterFuer(300);
  Beenden();
  if (HasFatalFailure()) return;
  Vergleichen(lauf_);
}

// The seeded random player: keys of every kind, pauses and windows at random moments.
TEST_F(ReplayExact, RandomGamesReplayExactly) {
  for (uint64_t seed : {7u, 8u, 9u}) {
    SCOPED_TRACE(seed);
    std::mt19937_64 rng(seed);
    Beginnen();
    bool pause = false, fenster = false;
    for (int i = 0; i < 20000 && Laeuft(); ++i) {
      const int wurf = int(rng() % 100);
      if (wurf < 12)
        Key(keys::Links);
      else if (wurf < 24)
        Key(keys::Rechts);
      else if (wurf < 32)
        Key(keys::Hoch);
      else if (wurf < 38)
        Key(keys::Leertaste);
      else if (wurf < 42)
        Key(keys::Runter);
      else if (wurf < 46)
        KeyUp(keys::Runter);
      else if (wurf < 48) {
        Key(keys::P);
        pause = !pause;
      } else if (wurf < 49)
        Key(keys::V);
      else if (wurf < 50) {
        if (fenster)
          form->ZurueckZumSpiel(&form->AnleitungForm());
        else
          form->picButtonAnleitung_Click();
        fenster = !fenster;
      }
      // Long pauses and windows would make long games: they end soon.
      if ((pause || fenster) && rng() % 4 == 0) {
        if (pause) Key(keys::P);
        if (fenster) form->ZurueckZumSpiel(&form->AnleitungForm());
        pause = fenster = false;
      }
      Warte(int(rng() % 90) + 1);
    }
    if (fenster) form->ZurueckZumSpiel(&form->AnleitungForm());
    if (pause) Key(keys::P);
    Beenden();
    if (HasFatalFailure()) return;
    EXPECT_GT(lauf_.proStein.size(), 10u);
    Vergleichen(lauf_);
    MitTempo(lauf_, -2);
    MitTempo(lauf_, 3);
  }
}

}  // namespace

namespace {

// During playback the keys steer the playback; none reaches the game, and no
// button but quit does anything.
TEST_F(ReplayExact, PlaybackKeysSteerThePlaybackAndNeverTheGame) {
  Steine({});
  Beginnen();
  Warte(1500);
  Beenden();
  if (HasFatalFailure()) return;
  TForm spieler;
  spieler.Form_Load();
  spieler.show();
  replay::Wiedergabe w(spieler, replay::Lesen(replay::Schreiben(lauf_.a)));
  w.Starten();
  Advance(700);
  const auto taste = [&](Qt::Key k) { QTest::keyClick(&spieler, k); };

  // P: the clock runs on, the game stands still; P again and it goes on.
  taste(Qt::Key_P);
  const Stand angehalten = Nehmen(spieler);
  const float y = spieler.SteinY;
  Advance(2000);
  EXPECT_EQ(Unterschied(Nehmen(spieler), angehalten), "");
  EXPECT_EQ(spieler.SteinY, y);
  taste(Qt::Key_P);
  Advance(200);
  EXPECT_GT(spieler.SteinY, y);

  // Right doubles and Left halves the speed, from 1/4 to 8 times.
  for (int i = 0; i < 6; ++i) taste(Qt::Key_Right);
  EXPECT_EQ(w.Tempo(), 8.0);
  for (int i = 0; i < 9; ++i) taste(Qt::Key_Left);
  EXPECT_EQ(w.Tempo(), 0.25);
  taste(Qt::Key_Right);
  taste(Qt::Key_Right);
  EXPECT_EQ(w.Tempo(), 1.0);

  // The game's own keys and buttons do nothing.
  const int stein = spieler.AktStein;
  const float x = spieler.SteinX;
  const bool ton = HauptModul::SoundAn;
  const bool vorschau = spieler.Vorschau->isHidden();
  for (Qt::Key k : {Qt::Key_Up, Qt::Key_Down, Qt::Key_S, Qt::Key_V, Qt::Key_J}) taste(k);
  spieler.picButtonNeuesSpiel->OnClick();
  spieler.picButtonHighscore->OnClick();
  EXPECT_EQ(spieler.AktStein, stein);
  EXPECT_EQ(spieler.SteinX, x);
  EXPECT_EQ(HauptModul::SoundAn, ton);
  EXPECT_EQ(spieler.Vorschau->isHidden(), vorschau);
  EXPECT_FALSE(spieler.HighscoreGeladen());

  // Space jumps to the end: the final screen of the recorded game.
  taste(Qt::Key_Space);
  EXPECT_TRUE(w.Fertig());
  EXPECT_EQ(w.Meldung(), QString());
  EXPECT_EQ(Unterschied(Nehmen(spieler), lauf_.ende), "");
  EXPECT_FALSE(spieler.EingabeGeladen());

  // Escape ends the program.
  taste(Qt::Key_Escape);
  EXPECT_TRUE(spieler.Beendet());
}

}  // namespace
