// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The instructions: the help text in a read-only box on the shared full-screen
// skin, and a back button that borrows the highscore list's picture.

#include "shell/anleitung.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringList>

#include "app/tform.h"
#include "highscore/highscore_form.h"
#include "input/keys.h"
#include "shell/dialogfenster.h"
#include "shell/skin.h"
#include "shell/sound.h"

using platform::LoadPicture;

namespace {

// Every line starts with two blanks; the blanks at the end of two lines are part of the text.
constexpr const char* kHilfe[] = {
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

QStringList HilfeZeilen() {
  QStringList zeilen;
  for (const char* z : kHilfe) zeilen << QString::fromLatin1(z);
  return zeilen;
}

}  // namespace

Anleitung::Anleitung(TForm& haupt) : haupt_(haupt) {
  setObjectName(QStringLiteral("Anleitung"));
  setWindowTitle(QStringLiteral("Anleitung (Kelmora) :"));
  skin::Vollbild(*this);
  dialogfenster::Anbinden(*this, haupt, dialogfenster::Art::Vollbild);

  AnleitungPic = new platform::PictureBox(this, 0, 0, 640, 480, 0xFFE0E0E0u);
  AnleitungPic->setObjectName(QStringLiteral("AnleitungPic"));

  AnleitText = new QPlainTextEdit(AnleitungPic);
  AnleitText->setObjectName(QStringLiteral("AnleitText"));
  AnleitText->setGeometry(40, 79, 555, 345);
  AnleitText->setReadOnly(true);
  AnleitText->setLineWrapMode(QPlainTextEdit::NoWrap);
  AnleitText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  AnleitText->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QFont schrift(QStringLiteral("DejaVu Sans Mono"));
  schrift.setStyleHint(QFont::TypeWriter);
  schrift.setFixedPitch(true);
  schrift.setPointSize(9);
  AnleitText->setFont(schrift);
  QPalette pal = AnleitText->palette();
  pal.setColor(QPalette::Base, QColor(0, 0, 64));
  pal.setColor(QPalette::Text, Qt::white);
  AnleitText->setPalette(pal);
  AnleitText->setPlainText(Hilfetext());
  AnleitText->installEventFilter(this);

  picButtonZurueck = new platform::PictureButton(AnleitungPic, 248, 439, 140, 28);
  picButtonZurueck->setObjectName(QStringLiteral("picButtonZurueck"));
  picButtonZurueck->OnClick = [this] { picButtonZurueck_Click(); };

  picHG = LoadPicture(QStringLiteral("hg_anleitung"), 189, 194);
  AnleitTitel = LoadPicture(QStringLiteral("anleittitel"), 176, 67);
  AnleitTitelBl = LoadPicture(QStringLiteral("anleittitelbl"), 176, 67);
}

void Anleitung::Form_Load() {
  // Both back buttons look the same: this one copies the list window's picture,
  // which loads that window (hidden) if nobody has opened it yet.
  picButtonZurueck->SetPicture(haupt_.HighscoreForm().picButtonZurueck->Image());
  FormAnpassen();
}

void Anleitung::FormAnpassen() {
  skin::FormAnpassen(*this, *AnleitungPic, picHG, {haupt_.picRandHorizontal, haupt_.picRandVertikal, haupt_.picEcke},
                     AnleitTitel, AnleitTitelBl, 10);
}

void Anleitung::Form_KeyDown(int& KeyCode, int /*Shift*/) { keys::SchalterTasten(haupt_, KeyCode); }

void Anleitung::picButtonZurueck_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  haupt_.ZurueckZumSpiel(this);
}

QString Anleitung::Hilfetext() {
  QString text;
  for (const QString& zeile : HilfeZeilen()) text += zeile + QStringLiteral("\r\n");
  return text;
}

bool Anleitung::eventFilter(QObject* watched, QEvent* event) {
  // The window sees the key first; then the text box gets it (arrows scroll), and
  // a key the box leaves alone must not reach the window a second time.
  if (watched == AnleitText && keys::ZuerstFenster(AnleitText, event, [this](int& code) { Form_KeyDown(code, 0); }))
    return true;
  return QWidget::eventFilter(watched, event);
}

void Anleitung::keyPressEvent(QKeyEvent* event) {
  int code = keys::VirtualKey(*event);
  if (code != 0) Form_KeyDown(code, 0);
  event->accept();
}

void Anleitung::closeEvent(QCloseEvent* event) {
  // A close request from the desktop leads back to the game like the back button.
  event->ignore();
  if (isVisible()) picButtonZurueck_Click();
}
