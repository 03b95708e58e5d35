// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Close requests from the desktop (a close button, Alt+F4, a logout) on the
// highscore list and the name entry, in every phase a player can reach them.

#include <QCloseEvent>

#include "highscore_fenster.h"
#include "input/keys.h"

using namespace hstest;

namespace {

class SchliessAnfrage : public HighscoreFenster {
 protected:
  // The window system's close request, delivered through the toolkit.
  static bool Anfrage(QWidget& fenster) {
    QCloseEvent e;
    QApplication::sendEvent(&fenster, &e);
    return e.isAccepted();
  }

  // After the list is closed: the game screen is back, usable, and the list is white again.
  void ZurueckImSpiel(Highscore& hs) {
    EXPECT_FALSE(hs.isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(form->FensterOffen);
    for (size_t k = 0; k < 10; ++k) {
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[k]), kWeiss) << k;
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[k]), kWeiss) << k;
    }
    SpielErreichbar();
  }
};

TEST_F(SchliessAnfrage, TheListDuringARunningGameGoesBackAndTheGameFallsOn) {
  StartWith(0);
  Advance(100);
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  const float y = form->SteinY;
  platform::sound::ClearRequests();
  hs.close();
  ZurueckImSpiel(hs);
  EXPECT_EQ(Sounds(), QStringList{kClick});
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->TimerWarAktiv);
  EXPECT_EQ(form->SteinY, y);
  Advance(50);
  EXPECT_GT(form->SteinY, y);
}

TEST_F(SchliessAnfrage, TheListDuringAPausedGameGoesBackAndTheGameStaysPaused) {
  StartWith(0);
  Advance(100);
  Key(keys::P);
  ASSERT_TRUE(form->Pausiert);
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  platform::sound::ClearRequests();
  Anfrage(hs);
  ZurueckImSpiel(hs);
  EXPECT_EQ(Sounds(), QStringList{kClick});
  EXPECT_TRUE(form->Pausiert);
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->TimerWarAktiv);
}

TEST_F(SchliessAnfrage, TheListAfterTheEntryGoesBackToTheGameScreen) {
  SpielEndetMit(400);
  Highscore& hs = NameBestaetigen(QStringLiteral("Ode"));
  ASSERT_TRUE(hs.isVisible());
  ASSERT_EQ(Highscore::Textfarbe(*hs.HSName[3]), kGruen);
  platform::sound::ClearRequests();
  Anfrage(hs);
  ZurueckImSpiel(hs);
  EXPECT_EQ(Sounds(), QStringList{kClick});
  EXPECT_FALSE(form->FallTimer.Enabled());
  // The list itself is untouched: only the colours were reset.
  EXPECT_EQ(hs.HSName[3]->text(), "Ode");
}

TEST_F(SchliessAnfrage, AHiddenListIgnoresARequest) {
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  hs.picButtonZurueck_Click();
  StartWith(0);
  Key(keys::P);
  platform::sound::ClearRequests();
  Anfrage(hs);
  EXPECT_TRUE(Sounds().isEmpty());
  EXPECT_FALSE(hs.isVisible());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->Pausiert);
}

TEST_F(SchliessAnfrage, TheEntryRefusesAndStaysUntilOk) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  ASSERT_TRUE(e.isVisible());
  platform::sound::ClearRequests();
  EXPECT_FALSE(e.close());
  EXPECT_FALSE(Anfrage(e));
  EXPECT_TRUE(e.isVisible());
  EXPECT_FALSE(form->isEnabled());
  EXPECT_FALSE(form->HighscoreGeladen());
  EXPECT_TRUE(Sounds().isEmpty());
  EXPECT_EQ(Datei(), StandardDatei());
  SpielErreichbar();

  // OK still works afterwards and leads on as usual.
  Highscore& hs = NameBestaetigen(QStringLiteral("Pia"));
  EXPECT_FALSE(e.isVisible());
  EXPECT_TRUE(hs.isVisible());
  EXPECT_EQ(hs.HSName[0]->text(), "Pia");
  SpielErreichbar();
  Anfrage(hs);
  ZurueckImSpiel(hs);
}

TEST_F(SchliessAnfrage, TheEntryRefusesWhileTheGameOverSignsSlideAndAfterTheWarning) {
  StartWith(20);
  form->SteinY = -40;
  form->Punktestand = 520;
  for (int c = 1; c <= 9; ++c) Fill(c, 1);
  Advance(250);
  ASSERT_TRUE(form->SpielVorbei);
  Eingabe& e = form->EingabeForm();
  ASSERT_TRUE(e.isVisible());
  for (int i = 0; i < 5; ++i) {
    Anfrage(e);
    Advance(50);
    EXPECT_TRUE(e.isVisible()) << i;
    EXPECT_FALSE(form->isEnabled()) << i;
    SpielErreichbar();
  }
  EXPECT_TRUE(form->GameOverTimer.Enabled());

  // With an empty name the warning comes first; the window still stays.
  e.HSEingabe->clear();
  e.picButtonOK_Click();
  ASSERT_EQ(meldungen.size(), 1u);
  EXPECT_FALSE(Anfrage(e));
  EXPECT_TRUE(e.isVisible());
  SpielErreichbar();
}

TEST_F(SchliessAnfrage, AHiddenEntryAcceptsARequestWithoutEffect) {
  SpielEndetMit(520);
  Highscore& hs = NameBestaetigen(QStringLiteral("Uma"));
  Eingabe& e = form->EingabeForm();
  Anfrage(e);
  EXPECT_FALSE(e.isVisible());
  EXPECT_TRUE(hs.isVisible());
  EXPECT_TRUE(form->isEnabled());
  SpielErreichbar();
}

}  // namespace
