// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Row clearing, points, levels and the three counters held against the
// reference model over random boards and random sequences of landings.

#include "fixture.h"
#include "input/keys.h"
#include "model_board.h"

namespace {

using modeltest::Mismatches;

class RulesRows : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->picButtonNeuesSpiel_Click();
    form->FallTimer.SetEnabled(false);
  }

  void StartGame() {
    form->picButtonNeuesSpiel_Click();
    form->FallTimer.SetEnabled(false);
  }

  // The counter shows v right-aligned in its positions, leading zeros, the
  // last digits if v is longer; each digit is the glyph of the digit strip.
  ::testing::AssertionResult Shows(platform::PictureBox& counter, int positions, long v) {
    std::string s = std::to_string(v);
    if (static_cast<int>(s.size()) > positions) s = s.substr(s.size() - static_cast<size_t>(positions));
    s = std::string(static_cast<size_t>(positions) - s.size(), '0') + s;
    const QImage strip = form->Digital.convertToFormat(QImage::Format_RGB32);
    for (int pos = 1; pos <= positions; ++pos) {
      const int glyph = s[static_cast<size_t>(pos - 1)] - '0';
      if (counter.Image().copy(16 * (pos - 1), 0, 14, 20) != strip.copy(14 * glyph, 0, 14, 20))
        return ::testing::AssertionFailure() << "position " << pos << " does not show " << glyph << " of " << v;
    }
    return ::testing::AssertionSuccess();
  }
};

// Boards with complete rows scattered among incomplete ones: the rows that go,
// the order and colours of the rest, the sound, the rows counter and the points.
TEST_F(RulesRows, RandomBoardsLoseExactlyTheirCompleteRows) {
  Mismatches bad;
  std::mt19937 rng(2026);
  for (int round = 0; round < 400; ++round) {
    form->picButtonNeuesSpiel_Click();
    form->FallTimer.SetEnabled(false);
    model::Board b = modeltest::RandomBoard(rng, 1 + static_cast<int>(rng() % 12));
    int full = 0;
    for (int r = 1; r <= 20 && full < 4; ++r)
      if (rng() % 5 == 0) {
        ++full;
        for (int c = 1; c <= 10; ++c) b.set[c][r] = true, b.colour[c][r] = static_cast<int>(rng() % 7) + 1;
      }
    modeltest::Load(*form, b);
    const int rowsBefore = static_cast<int>(rng() % 20000);
    form->Reihen = rowsBefore;
    platform::sound::ClearRequests();
    model::Board expected = b;
    const int n = model::ClearRows(expected);
    const bool done = form->ReihePruefen();
    const model::Board got = modeltest::Read(*form);
    if (!modeltest::Same(got, expected))
      bad.Add("round " + std::to_string(round) + ": the well holds" + modeltest::Describe(got) + "\nexpected" +
              modeltest::Describe(expected) + "\nfrom" + modeltest::Describe(b));
    const QString sound = n ? QString("ROW%1.WAV").arg(n) : QString("DOWN.WAV");
    if (Sounds() != QStringList{sound})
      bad.Add("round " + std::to_string(round) + ": sounds " + Sounds().join(' ').toStdString());
    model::Score score;
    model::AddRows(score, n);
    if (form->Reihen != rowsBefore + n || form->Punktestand != score.points || done != (n == 0) ||
        form->ReiheTimer.Enabled() != (n > 0))
      bad.Add("round " + std::to_string(round) + ": " + std::to_string(n) + " rows counted as " +
              std::to_string(form->Reihen - rowsBefore) + " for " + std::to_string(form->Punktestand) + " points");
    if (n > 0 && !Shows(*form->ReihenDigAnz, 4, rowsBefore + n)) bad.Add("rows counter after " + std::to_string(round));
    form->ReiheTimer.SetEnabled(false);
    form->ReiheFortsetzung = false;
  }
}

// Random sequences of landings from a new game, some while Down is held: the
// points, the level, the fall step and the three counters follow the tables.
TEST_F(RulesRows, PointsAndLevelsFollowTheTablesOverRandomGames) {
  std::mt19937 rng(42);
  for (int game = 0; game < 30; ++game) {
    StartGame();
    ASSERT_TRUE(Shows(*form->PunkteDigAnz, 6, 0));
    ASSERT_TRUE(Shows(*form->LevelDigAnz, 2, 1));
    ASSERT_TRUE(Shows(*form->ReihenDigAnz, 4, 0));
    model::Score score;
    bool down = false;
    const int landings = 50 + static_cast<int>(rng() % 1200);
    for (int i = 0; i < landings; ++i) {
      const int n = static_cast<int>(rng() % 5);
      if (rng() % 7 == 0) {
        down = !down;
        if (down) {
          Key(keys::Runter);
        } else {
          KeyUp(keys::Runter);
        }
      }
      if (n) form->Punkte(n);
      model::AddRows(score, n);
      ASSERT_EQ(form->Punktestand, score.points) << "game " << game << " landing " << i;
      ASSERT_EQ(form->Level, score.level) << score.points << " points";
      ASSERT_EQ(down ? form->FallschrittSich : form->Fallschritt, model::StepOf(score.level))
          << "level " << score.level;
      if (down) {
        ASSERT_EQ(form->Fallschritt, oracle::kSoftDropStep);
      }
      ASSERT_TRUE(Shows(*form->PunkteDigAnz, 6, score.points));
      ASSERT_TRUE(Shows(*form->LevelDigAnz, 2, score.level));
    }
    if (down) KeyUp(keys::Runter);
    EXPECT_EQ(form->Fallschritt, model::StepOf(score.level));
  }
}

// Every threshold of the level table, reached from just below by one row.
TEST_F(RulesRows, EachLevelStartsAtItsThresholdWithItsStep) {
  for (const oracle::LevelRow& l : oracle::kLevels) {
    if (l.level == 1) continue;
    for (int below : {20, 1}) {
      StartGame();
      for (int k = 2; k < l.level; ++k) form->NextLevel();
      ASSERT_EQ(form->Level, l.level - 1);
      form->Punktestand = l.points - below;
      form->Punkte(1);
      EXPECT_EQ(form->Level, l.level) << l.points - below + 20 << " points";
      EXPECT_EQ(form->Fallschritt, l.step);
      EXPECT_TRUE(Shows(*form->LevelDigAnz, 2, l.level));
    }
    StartGame();
    for (int k = 2; k < l.level; ++k) form->NextLevel();
    form->Punktestand = l.points - 21;  // one row lands 1 point short
    form->Punkte(1);
    EXPECT_EQ(form->Level, l.level - 1) << l.points - 1 << " points";
  }
  // At level 10 no further level, whatever the points; the cap holds.
  StartGame();
  for (int k = 2; k <= 10; ++k) form->NextLevel();
  form->Punktestand = oracle::kPointsCap - 20;
  form->Punkte(4);
  EXPECT_EQ(form->Punktestand, oracle::kPointsCap);
  EXPECT_EQ(form->Level, 10);
  EXPECT_EQ(form->Fallschritt, model::StepOf(10));
  EXPECT_TRUE(Shows(*form->PunkteDigAnz, 6, oracle::kPointsCap));
  EXPECT_TRUE(Shows(*form->LevelDigAnz, 2, 10));
  form->Punktestand = oracle::kPointsCap - 20;
  form->Punkte(1);
  EXPECT_EQ(form->Punktestand, oracle::kPointsCap);
  // Just below the cap nothing is cut.
  for (int below : {21, 40, 220}) {
    form->Punktestand = oracle::kPointsCap - below;
    form->Punkte(1);
    EXPECT_EQ(form->Punktestand, oracle::kPointsCap - below + 20);
    EXPECT_TRUE(Shows(*form->PunkteDigAnz, 6, oracle::kPointsCap - below + 20));
  }
  // Each number of rows on its own, from zero.
  for (auto [rows, points] : oracle::kPointsPerRows) {
    StartGame();
    form->Punkte(rows);
    EXPECT_EQ(form->Punktestand, points) << rows << " rows";
  }
  StartGame();
  form->Punktestand = 300;
  form->Punkte(0);
  EXPECT_EQ(form->Punktestand, 300) << "a landing without rows scores nothing";
  EXPECT_TRUE(Shows(*form->PunkteDigAnz, 6, 300));
}

}  // namespace
