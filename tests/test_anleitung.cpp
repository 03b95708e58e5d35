// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The instructions window: the help text as written, a box that cannot be
// edited, the switch keys, the borrowed back button and the halt and return.

#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <string>
#include <vector>

#include "fixture.h"
#include "highscore/highscore_form.h"
#include "input/keys.h"
#include "platform/blit.h"
#include "platform/joystick.h"
#include "shell/anleitung.h"

namespace {

const std::vector<std::string> kZeilen = {
    "  Game control:",
    "  -------------",
    "  ",
    "  Arrow left/right  -  block moves left/right",
    "  Arrow up          -  rotates the block",
    "  Arrow down        -  block is accelerated downward as long",
    "                       as the key is pressed",
    "  Space key         -  block falls downward",
    "  ",
    "  ",
    "  Game principle: ",
    "  ---------------",
    "  ",
    "  The task with Norvane is to arrange the falling blocks",
    "  in an intelligent way in order to line them up horizontally",
    "  without gaps. If a line is throughoutly filled from left to",
    "  right it disappears and the lines above advance.",
    "  ",
    "  The game's goal is to attain a score as high as possible",
    "  which becomes more and more difficult with the time because",
    "  every 500 points the level and with it the speed of the",
    "  falling stones increases (up to level 10).",
    "  ",
    "  If you don't get rid of the lines before the blocks pile up",
    "  to the top of the playing field the game is over. ",
    "  ",
    "  ",
    "  Key assignment:",
    "  ---------------",
    "  ",
    "  P  -  Pause",
    "  V  -  Preview (shows the next block) on/off",
    "  S  -  Sound on/off",
    "  J  -  Joystick-control on/off",
};

class AnleitungTest : public FormTest {
 protected:
  void TearDown() override {
    platform::joystick::SetFake(nullptr);
    FormTest::TearDown();
  }

  Anleitung& Oeffnen() {
    form->picButtonAnleitung_Click();
    QCoreApplication::processEvents();
    return form->AnleitungForm();
  }

  static void Taste(QWidget* ziel, Qt::Key taste, const QString& text = {}) {
    QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, text);
    QCoreApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, taste, Qt::NoModifier, text);
    QCoreApplication::sendEvent(ziel, &los);
  }
};

TEST_F(AnleitungTest, TheHelpTextLineByLine) {
  ASSERT_EQ(kZeilen.size(), 34u);
  std::string erwartet;
  for (const std::string& z : kZeilen) erwartet += z + "\r\n";
  EXPECT_EQ(Anleitung::Hilfetext().toStdString(), erwartet);

  // The box holds the text with its line ends: after the 34th line an empty one follows.
  const QPlainTextEdit* box = Oeffnen().AnleitText;
  ASSERT_EQ(box->document()->blockCount(), 35);
  QTextBlock block = box->document()->firstBlock();
  for (size_t i = 0; i < kZeilen.size(); ++i, block = block.next())
    EXPECT_EQ(block.text().toStdString(), kZeilen[i]) << "line " << i + 1;
  EXPECT_TRUE(block.isValid() && block.text().isEmpty());
  EXPECT_TRUE(box->toPlainText().endsWith(QStringLiteral("J  -  Joystick-control on/off\n")));
}

TEST_F(AnleitungTest, LayoutAndLook) {
  Anleitung& a = Oeffnen();
  EXPECT_EQ(a.windowTitle().toStdString(), "Anleitung (Kelmora) :");
  EXPECT_TRUE(a.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(a.AnleitungPic->geometry(), QRect(192, 144, 640, 480));
  EXPECT_EQ(a.AnleitText->geometry(), QRect(40, 79, 555, 345));
  EXPECT_EQ(a.picButtonZurueck->geometry(), QRect(248, 439, 140, 28));
  EXPECT_EQ(a.AnleitText->palette().color(QPalette::Base), QColor(0, 0, 64));
  EXPECT_EQ(a.AnleitText->palette().color(QPalette::Text), QColor(Qt::white));
  const QFontInfo schrift(a.AnleitText->font());
  EXPECT_TRUE(schrift.fixedPitch()) << schrift.family().toStdString();
  EXPECT_EQ(schrift.pointSize(), 9);
  // Every line is readable without scrolling sideways; the lines below need the vertical bar.
  EXPECT_EQ(a.AnleitText->horizontalScrollBar()->maximum(), 0);
  EXPECT_TRUE(a.AnleitText->verticalScrollBar()->isVisible());
  EXPECT_GT(a.AnleitText->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(a.AnleitungPic->Image().pixel(0, 0), form->picEcke.pixel(0, 0));
}

TEST_F(AnleitungTest, TheTextCannotBeEditedButScrolls) {
  Anleitung& a = Oeffnen();
  QPlainTextEdit* box = a.AnleitText;
  EXPECT_TRUE(box->isReadOnly());
  const QString vorher = box->toPlainText();
  box->setFocus();
  box->selectAll();
  Taste(box, Qt::Key_X, QStringLiteral("x"));
  Taste(box, Qt::Key_Delete);
  Taste(box, Qt::Key_Backspace);
  Taste(box, Qt::Key_Return, QStringLiteral("\r"));
  box->cut();
  QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
  box->paste();
  EXPECT_EQ(box->toPlainText().toStdString(), vorher.toStdString());
  EXPECT_FALSE(box->document()->isModified());
  // The window's own key handling comes first, but the box still gets its keys.
  const int oben = box->verticalScrollBar()->value();
  Taste(box, Qt::Key_PageDown);
  EXPECT_GT(box->verticalScrollBar()->value(), oben);
}

// S, V and J, sent to the text box (which has the focus) or to the window itself.
struct Schalter {
  const char* name;
  bool anDieBox;
};

void PrintTo(const Schalter& s, std::ostream* os) { *os << s.name; }

class AnleitungSchalter : public AnleitungTest, public ::testing::WithParamInterface<Schalter> {};

TEST_P(AnleitungSchalter, SwitchKeysActOnceEach) {
  struct Stick : platform::joystick::Device {
    bool Read(platform::joystick::Position& pos) override {
      pos = {32768, 32768, 0, 0};
      return true;
    }
    platform::joystick::Caps Range() override { return {0, 65535, 0, 65535}; }
  } stick;
  platform::joystick::SetFake(&stick);
  Anleitung& a = Oeffnen();
  QWidget* ziel = GetParam().anDieBox ? static_cast<QWidget*>(a.AnleitText) : &a;

  Taste(ziel, Qt::Key_S, QStringLiteral("s"));
  EXPECT_FALSE(HauptModul::SoundAn);
  Taste(ziel, Qt::Key_S, QStringLiteral("s"));
  EXPECT_TRUE(HauptModul::SoundAn);
  Taste(ziel, Qt::Key_V, QStringLiteral("v"));
  EXPECT_TRUE(form->Vorschau->isHidden());
  Taste(ziel, Qt::Key_V, QStringLiteral("v"));
  EXPECT_FALSE(form->Vorschau->isHidden());
  Taste(ziel, Qt::Key_J, QStringLiteral("j"));
  EXPECT_TRUE(form->timJoystick.Enabled());
  Taste(ziel, Qt::Key_J, QStringLiteral("j"));
  EXPECT_FALSE(form->timJoystick.Enabled());
  // No key leaves the window.
  for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_P, Qt::Key_Space}) Taste(ziel, k);
  EXPECT_TRUE(a.isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->Pausiert);
}

INSTANTIATE_TEST_SUITE_P(Ziele, AnleitungSchalter,
                         ::testing::Values(Schalter{"TextBox", true}, Schalter{"Window", false}),
                         [](const ::testing::TestParamInfo<Schalter>& info) { return info.param.name; });

TEST_F(AnleitungTest, OpeningLoadsTheListWindowHiddenAndBorrowsItsBackButton) {
  ASSERT_FALSE(form->HighscoreGeladen());
  Anleitung& a = Oeffnen();
  EXPECT_TRUE(form->HighscoreGeladen());
  EXPECT_FALSE(form->HighscoreForm().isVisible());
  EXPECT_TRUE(a.isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Sounds(), QStringList({QStringLiteral("CLICK.WAV"), QStringLiteral("HELP.WAV")}));
  EXPECT_EQ(a.picButtonZurueck->Image(), form->HighscoreForm().picButtonZurueck->Image());
  // A second opening shows the same window without loading it again.
  a.picButtonZurueck_Click();
  EXPECT_EQ(&Oeffnen(), &a);
}

TEST_F(AnleitungTest, TheBackButtonIsACopyOfTheListWindowsPicture) {
  // A list window loaded first, with a picture no file could give.
  QImage& bild = form->HighscoreForm().picButtonZurueck->Image();
  bild = platform::NewImage(140, 28, 0xFF123456u);
  platform::BitBlt(bild, 10, 5, 20, 10, platform::NewImage(20, 10, 0xFFFEDCBAu), 0, 0, platform::Rop::SrcCopy);
  const QImage vorlage = bild;
  Anleitung& a = Oeffnen();
  EXPECT_EQ(a.picButtonZurueck->Image(), vorlage);
  bild.fill(0xFF000000u);
  EXPECT_EQ(a.picButtonZurueck->Image(), vorlage) << "a copy, not a shared picture";
}

TEST_F(AnleitungTest, ARunningGameHaltsAndFallsOnFromTheSamePlace) {
  StartWith(8);
  Advance(500);
  const float y = form->SteinY;
  Anleitung& a = Oeffnen();
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_TRUE(form->TimerWarAktiv);
  Advance(2000);
  EXPECT_EQ(form->SteinY, y);

  platform::sound::ClearRequests();
  a.picButtonZurueck->Click();
  EXPECT_EQ(Sounds(), QStringList{QStringLiteral("CLICK.WAV")});
  EXPECT_FALSE(a.isVisible());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->focusWidget(), form->TBox);
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->TimerWarAktiv);
  Advance(100);
  EXPECT_GT(form->SteinY, y);
}

TEST_F(AnleitungTest, APausedGameStaysPaused) {
  StartWith(8);
  Advance(200);
  Key(keys::P);
  ASSERT_TRUE(form->Pausiert);
  const float y = form->SteinY;
  Oeffnen().picButtonZurueck_Click();
  Advance(1000);
  EXPECT_TRUE(form->Pausiert);
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_EQ(form->SteinY, y);
}

}  // namespace
