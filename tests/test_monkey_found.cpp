// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Faults the random player found, each as the smallest reproduction, kept so
// that they stay mended.

#include <QFile>
#include <QLineEdit>

#include <functional>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "input/keys.h"
#include "invariants.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace {

struct Opener {
  const char* name;
  std::function<void(TForm&)> open;
  std::function<QWidget&(TForm&)> window;
  std::function<void(TForm&)> back;
};

void PrintTo(const Opener& o, std::ostream* os) { *os << o.name; }

class FoundByThePlayer : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    QFile::remove(Eingabe::Dateipfad());
    platform::dialog::SetMessageBoxSeam([](QWidget*, const QString&, const QString&, platform::dialog::Icon) {});
  }
  void TearDown() override {
    platform::dialog::SetMessageBoxSeam(nullptr);
    FormTest::TearDown();
    QFile::remove(Eingabe::Dateipfad());
  }
};

class GameEndingBehindAWindow : public FoundByThePlayer, public ::testing::WithParamInterface<Opener> {};

// Seed 20261207 of the random player, event 13760: a landing under way when
// the about box opened ended the game behind it, and the name entry opened on
// top of the about box, blocked by it; closing the about box then enabled the
// game screen under the entry. The entry now waits for the way back.
TEST_P(GameEndingBehindAWindow, TheNameEntryWaitsForTheWayBack) {
  StartWith(20);  // the square, two columns wide
  for (int r = 1; r <= 20; ++r) {
    Fill(5, r);
    Fill(6, r);
  }
  form->Punktestand = 400;  // enters the default list at rank 4
  Advance(50);
  ASSERT_TRUE(form->Wartet);
  ASSERT_LE(form->SteinY, 0);  // placing it will end the game

  GetParam().open(*form);
  QWidget& other = GetParam().window(*form);
  ASSERT_TRUE(other.isVisible());
  Advance(200);
  ASSERT_TRUE(form->SpielVorbei);
  const bool entryShown = form->EingabeGeladen() && form->EingabeForm().isVisible();
  EXPECT_FALSE(entryShown && other.isVisible()) << "the entry opened on top of the " << GetParam().name;

  GetParam().back(*form);
  ASSERT_TRUE(form->EingabeGeladen());
  EXPECT_TRUE(form->EingabeForm().isVisible()) << "the qualifying result was never offered for entry";
  EXPECT_FALSE(form->isEnabled()) << "the game screen takes input under the entry";
}

// Seed 1, event 118946 of the random player: continuing a pause in the
// landing delay ran the fall again, so opening a window remembered a running
// game; the landing behind the window ended it, and the way back started the
// fall of the finished game.
TEST_P(GameEndingBehindAWindow, TheWayBackLeavesAFinishedGameAlone) {
  StartWith(20);
  for (int r = 1; r <= 20; ++r) {
    Fill(5, r);
    Fill(6, r);
  }
  Advance(50);
  ASSERT_TRUE(form->Wartet);
  Key(keys::P);
  Key(keys::P);
  ASSERT_TRUE(form->FallTimer.Enabled()) << "continuing runs the fall again in the landing delay";

  GetParam().open(*form);
  Advance(200);
  ASSERT_TRUE(form->SpielVorbei);
  GetParam().back(*form);
  if (form->EingabeGeladen() && form->EingabeForm().isVisible()) {
    form->EingabeForm().HSEingabe->setText(QStringLiteral("Ada"));
    form->EingabeForm().picButtonOK_Click();
  }
  EXPECT_FALSE(form->FallTimer.Enabled()) << "the fall of a finished game runs again";
  EXPECT_FALSE(form->TimerWarAktiv);
  Advance(3000);
  EXPECT_TRUE(GameIsConsistent(*form));
}

INSTANTIATE_TEST_SUITE_P(Monkey, GameEndingBehindAWindow,
                         ::testing::Values(Opener{"about box", [](TForm& f) { f.picButtonCopyright_Click(); },
                                                  [](TForm& f) -> QWidget& { return f.InfoFormForm(); },
                                                  [](TForm& f) { f.InfoFormForm().OKButton_Click(); }},
                                           Opener{"list", [](TForm& f) { f.picButtonHighscore_Click(); },
                                                  [](TForm& f) -> QWidget& { return f.HighscoreForm(); },
                                                  [](TForm& f) { f.HighscoreForm().picButtonZurueck_Click(); }},
                                           Opener{"instructions", [](TForm& f) { f.picButtonAnleitung_Click(); },
                                                  [](TForm& f) -> QWidget& { return f.AnleitungForm(); },
                                                  [](TForm& f) { f.AnleitungForm().picButtonZurueck_Click(); }}),
                         [](const ::testing::TestParamInfo<Opener>& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == ' ') c = '_';
                           return n;
                         });

// Seed 1, event 320267 of the random player: a piece in its landing delay
// (the fall running again after a pause was continued) was behind the list
// when it landed and cleared a row; the back button then restarted the fall
// during the flash, and the placed piece fell and was placed a second time.
TEST_F(FoundByThePlayer, TheWayBackLeavesAFlashUnderWayAlone) {
  StartWith(20);  // the square, landing on the floor in columns 5 and 6
  for (int c = 1; c <= 10; ++c)
    if (c != 5 && c != 6) Fill(c, 20);
  for (int t = 0; t < 10000 && !form->Wartet; t += 10) Advance(10);
  ASSERT_TRUE(form->Wartet);
  Key(keys::P);
  Key(keys::P);  // continuing starts the fall again, also in the landing delay
  form->picButtonHighscore_Click();
  Advance(200);
  ASSERT_TRUE(form->ReiheTimer.Enabled()) << "the landing behind the list cleared a row";
  form->HighscoreForm().picButtonZurueck_Click();
  EXPECT_FALSE(form->FallTimer.Enabled()) << "the fall restarted during the row flash";
  Advance(200);
  int cells = 0;
  for (int c = 1; c <= 10; ++c)
    for (int r = 1; r <= 20; ++r) cells += form->Belegt[c][r];
  EXPECT_EQ(cells, 2) << "the upper half of the square, moved down by the cleared row";
  EXPECT_TRUE(GameIsConsistent(*form));
}

}  // namespace
