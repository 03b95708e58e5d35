// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The highscore list opened from the game screen: what it reads, when, and
// the keys it answers.

#include "highscore_fenster.h"
#include "input/keys.h"
#include "platform/joystick.h"
#include "shell/anleitung.h"

using namespace hstest;

namespace {

TEST_F(HighscoreFenster, FirstOpeningCreatesTheDefaultFileAndShowsIt) {
  ASSERT_FALSE(highscore::Vorhanden(Eingabe::Dateipfad()));
  form->picButtonHighscore_Click();
  EXPECT_EQ(Datei(), StandardDatei());
  ASSERT_TRUE(form->HighscoreGeladen());
  Highscore& hs = form->HighscoreForm();
  for (int rang = 1; rang <= 10; ++rang) {
    SCOPED_TRACE(rang);
    const auto k = static_cast<size_t>(rang - 1);
    EXPECT_EQ(hs.HSPos[k]->text(), QStringLiteral("%1.").arg(rang));
    EXPECT_EQ(hs.HSName[k]->text(), kStandardName);
    EXPECT_EQ(hs.HSScore[k]->text(), QString::number(StandardPunkte(rang)));
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[k]), kWeiss);
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[k]), kWeiss);
  }
  EXPECT_EQ(Sounds(), (QStringList{kClick, kHighscor}));
  EXPECT_TRUE(hs.isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(hs.windowTitle(), kListenTitel);
}

TEST_F(HighscoreFenster, TheListShowsTheStoredTextsAndReadsTheFileOnlyOnce) {
  SchreibeDatei(
      "[Highscore]\r\n"
      "99999,Ada, the first\r\n"
      "12ab ,Bo\r\n"
      "0    ,  Cy  \r\n"
      "7    ,A hand-edited name longer than twenty\r\n"
      "6    ,\u00a0tab\t\r\n");
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  EXPECT_EQ(hs.HSScore[0]->text(), "99999");
  EXPECT_EQ(hs.HSName[0]->text(), "Ada, the first");
  EXPECT_EQ(hs.HSScore[1]->text(), "12ab");  // shown as stored, not as a number
  EXPECT_EQ(hs.HSName[1]->text(), "Bo");
  EXPECT_EQ(hs.HSScore[2]->text(), "0");
  EXPECT_EQ(hs.HSName[2]->text(), "Cy");
  EXPECT_EQ(hs.HSName[3]->text(), "A hand-edited name longer than twenty");
  EXPECT_EQ(hs.HSName[4]->text(), QStringLiteral("\u00a0tab\t"));
  for (size_t k = 5; k < 10; ++k) {
    EXPECT_EQ(hs.HSScore[k]->text(), "") << k;
    EXPECT_EQ(hs.HSName[k]->text(), "") << k;
  }
  // The short file is not replaced by the default one.
  EXPECT_TRUE(Datei().startsWith("[Highscore]\r\n99999,Ada"));

  hs.picButtonZurueck_Click();
  SchreibeDatei(StandardDatei());
  form->picButtonHighscore_Click();
  EXPECT_EQ(hs.HSName[0]->text(), "Ada, the first");
  EXPECT_EQ(hs.HSScore[1]->text(), "12ab");
  EXPECT_EQ(hs.HSName[5]->text(), "");
}

TEST_F(HighscoreFenster, ALoadAfterTheLabelsWereFilledKeepsThem) {
  SchreibeDatei(StandardDatei());
  Highscore hs(*form);
  hs.HSName[0]->setText(QStringLiteral("Neu"));
  hs.Form_Load();
  EXPECT_EQ(hs.HSName[0]->text(), "Neu");
  EXPECT_EQ(hs.HSScore[0]->text(), "");
  EXPECT_EQ(hs.HSName[1]->text(), "");
  // The window is laid out all the same.
  EXPECT_EQ(hs.HighscorePic->geometry(), QRect(192, 144, 640, 480));
  // Nor does the highscore button read it later: those labels are newer than the file.
  hs.LesenFallsNochLeer();
  EXPECT_EQ(hs.HSScore[0]->text(), "");
  EXPECT_EQ(hs.HSName[1]->text(), "");
}

TEST_F(HighscoreFenster, MarkupInTheFileIsShownAsPlainText) {
  SchreibeDatei("[Highscore]\r\n500  ,<i>y</i> &amp;\r\n");
  form->picButtonHighscore_Click();
  EXPECT_EQ(form->HighscoreForm().HSName[0]->text(), "<i>y</i> &amp;");
  EXPECT_EQ(form->HighscoreForm().HSName[0]->textFormat(), Qt::PlainText);
}

// The instructions borrow the list's back-button picture and so load the list
// before any file exists; the list must not stay blank for the rest of the run.
TEST_F(HighscoreFenster, AListLoadedByTheInstructionsReadsTheFileWhenShown) {
  ASSERT_FALSE(highscore::Vorhanden(Eingabe::Dateipfad()));
  form->picButtonAnleitung_Click();
  ASSERT_TRUE(form->HighscoreGeladen());
  Highscore& hs = form->HighscoreForm();
  EXPECT_EQ(hs.HSName[0]->text(), "");
  form->AnleitungForm().picButtonZurueck_Click();

  form->picButtonHighscore_Click();
  EXPECT_EQ(Datei(), StandardDatei());
  for (int rang = 1; rang <= 10; ++rang) {
    const auto k = static_cast<size_t>(rang - 1);
    EXPECT_EQ(hs.HSName[k]->text(), kStandardName) << rang;
    EXPECT_EQ(hs.HSScore[k]->text(), QString::number(StandardPunkte(rang))) << rang;
  }

  // Read once: a later change of the file does not reach the list.
  hs.picButtonZurueck_Click();
  SchreibeDatei("[Highscore]\r\n7    ,Later\r\n");
  form->picButtonHighscore_Click();
  EXPECT_EQ(hs.HSName[0]->text(), kStandardName);
  EXPECT_EQ(hs.HSScore[0]->text(), "500");
}

TEST_F(HighscoreFenster, AListLoadedByTheInstructionsThenFilledByAnEntryKeepsTheEntry) {
  form->picButtonAnleitung_Click();
  form->AnleitungForm().picButtonZurueck_Click();
  SpielEndetMit(60);
  Highscore& hs = NameBestaetigen(QStringLiteral("Ines"));
  hs.picButtonZurueck_Click();
  // Put the old list back behind the game's back: only the labels know the new entry.
  SchreibeDatei(StandardDatei());
  form->picButtonHighscore_Click();
  EXPECT_EQ(hs.HSName[9]->text(), "Ines");
  EXPECT_EQ(hs.HSScore[9]->text(), "60");
}

TEST_F(HighscoreFenster, TheListLoadedByTheEntryShowsTheNewList) {
  // The list window was never opened: loading it reads the old file, then the entry overwrites it.
  SpielEndetMit(60);
  Highscore& hs = NameBestaetigen(QStringLiteral("Eli"));
  EXPECT_EQ(hs.HSName[9]->text(), "Eli");
  EXPECT_EQ(hs.HSScore[9]->text(), "60");
  EXPECT_EQ(hs.HSScore[8]->text(), "100");
  EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[9]), kGruen);
  EXPECT_TRUE(Datei().endsWith("100  ,Jorin Falkat\r\n60   ,Eli\r\n"));
}

TEST_F(HighscoreFenster, TheBackButtonReturnsToTheGameWithTheClickSound) {
  StartWith(0);
  Advance(100);
  form->picButtonHighscore_Click();
  ASSERT_FALSE(form->FallTimer.Enabled());
  ASSERT_TRUE(form->TimerWarAktiv);
  Highscore& hs = form->HighscoreForm();
  form->TBox->clearFocus();
  ASSERT_NE(form->focusWidget(), form->TBox);
  platform::sound::ClearRequests();
  hs.picButtonZurueck->Click();
  EXPECT_EQ(Sounds(), QStringList{kClick});
  EXPECT_FALSE(hs.isVisible());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->focusWidget(), form->TBox);
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->TimerWarAktiv);
}

TEST_F(HighscoreFenster, OpeningWithoutAGameLeavesTheFallTimerAlone) {
  form->picButtonHighscore_Click();
  EXPECT_FALSE(form->TimerWarAktiv);
  form->HighscoreForm().picButtonZurueck_Click();
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->TimerWarAktiv);
  EXPECT_TRUE(form->isVisible());
}

// The three switch keys work in the list window exactly as in the game screen;
// the play keys do nothing there.
struct SchalterFall {
  const char* name;
  int qtKey;
  const char* text;
  bool sound, vorschau, joystick;  // the state after one press, starting from on / visible / off
};
void PrintTo(const SchalterFall& f, std::ostream* os) { *os << f.name; }

class ListeTasten : public HighscoreFenster, public ::testing::WithParamInterface<SchalterFall> {};

class EinJoystick : public platform::joystick::Device {
 public:
  EinJoystick() { platform::joystick::SetFake(this); }
  ~EinJoystick() override { platform::joystick::SetFake(nullptr); }
  bool Read(platform::joystick::Position& pos) override {
    pos = {32768, 32768, 0, 0};
    return true;
  }
  platform::joystick::Caps Range() override { return {0, 65535, 0, 65535}; }
};

TEST_P(ListeTasten, SwitchKeysActOnTheGame) {
  const SchalterFall& fall = GetParam();
  EinJoystick stick;
  StartWith(0);
  Advance(100);
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  const float y = form->SteinY;
  ASSERT_TRUE(HauptModul::SoundAn);
  ASSERT_FALSE(form->Vorschau->isHidden());
  ASSERT_FALSE(form->timJoystick.Enabled());

  Taste(&hs, fall.qtKey, QString::fromLatin1(fall.text));
  EXPECT_EQ(HauptModul::SoundAn, fall.sound);
  EXPECT_EQ(!form->Vorschau->isHidden(), fall.vorschau);
  EXPECT_EQ(form->timJoystick.Enabled(), fall.joystick);
  EXPECT_FALSE(form->Pausiert);
  EXPECT_EQ(form->SteinY, y);
  EXPECT_TRUE(hs.isVisible());
  EXPECT_FALSE(form->isVisible());

  // A second press switches back.
  Taste(&hs, fall.qtKey, QString::fromLatin1(fall.text));
  EXPECT_TRUE(HauptModul::SoundAn);
  EXPECT_FALSE(form->Vorschau->isHidden());
  EXPECT_FALSE(form->timJoystick.Enabled());
}

INSTANTIATE_TEST_SUITE_P(HighscoreFenster, ListeTasten,
                         ::testing::Values(SchalterFall{"S", Qt::Key_S, "s", false, true, false},
                                           SchalterFall{"V", Qt::Key_V, "v", true, false, false},
                                           SchalterFall{"J", Qt::Key_J, "j", true, true, true},
                                           SchalterFall{"P", Qt::Key_P, "p", true, true, false},
                                           SchalterFall{"Space", Qt::Key_Space, " ", true, true, false},
                                           SchalterFall{"Escape", Qt::Key_Escape, "\x1b", true, true, false},
                                           SchalterFall{"Return", Qt::Key_Return, "\r", true, true, false},
                                           SchalterFall{"Down", Qt::Key_Down, "", true, true, false}),
                         [](const ::testing::TestParamInfo<SchalterFall>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
