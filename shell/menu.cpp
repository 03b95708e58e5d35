// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The menu buttons of the main window and the way to and from the secondary
// windows.

#include <QCloseEvent>
#include <QCoreApplication>

#include "app/tform.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "platform/sound.h"
#include "replay/aufnahme.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"
#include "shell/skin.h"
#include "shell/sound.h"

void TForm::SpielAnhalten() {
  replay::Fenster(*this, true);
  FensterOffen = true;
  if (FallTimer.Enabled()) {
    FallTimer.SetEnabled(false);
    TimerWarAktiv = true;
  }
}

void TForm::HSZurueck() {
  replay::Fenster(*this, false);
  FensterOffen = false;
  if (TimerWarAktiv && !Pausiert) {
    TimerWarAktiv = false;
    // During a flash the halted piece is already placed; the spawn after the
    // flash starts the fall of the next one. A landing behind the window may
    // also have ended the game, which then stays over.
    if (!ReiheFortsetzung && !SpielVorbei) FallTimer.SetEnabled(true);
  }
  if (EintragWartet) {
    EintragWartet = false;
    HighscoreEintrag();
  }
}

void TForm::ZurueckZumSpiel(QWidget* fenster) {
  showFullScreen();
  if (fenster) fenster->hide();
  // Ask for the keyboard outright: hiding the focused window lets the desktop
  // drop the focus, and a window manager may then not hand it to the game.
  raise();
  activateWindow();
  TBox->setFocus();
  HSZurueck();
}

void TForm::picButtonAnleitung_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  SpielAnhalten();
  Anleitung& anleitung = AnleitungForm();
  anleitung.move(skin::BildschirmMitte(anleitung.size()));
  anleitung.showFullScreen();
  hide();
  anleitung.raise();
  anleitung.activateWindow();
  HauptModul::SoundAbspielen(QStringLiteral("HELP.WAV"));
}

void TForm::picButtonCopyright_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  SpielAnhalten();
  setEnabled(false);
  InfoForm& info = InfoFormForm();
  // Modal for the player through the disabled main window, not for the toolkit:
  // it would drop the desktop's close requests on the game screen.
  info.show();
  info.raise();
  info.activateWindow();
}

void TForm::picButtonBeenden_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  if (platform::sound::OutputDeviceCount() != 0 && HauptModul::SoundAn)
    platform::sound::PlaySync(HauptModul::SoundPfad(QStringLiteral("EXIT.WAV")));
  FensterEntladen();
}

void TForm::FensterEntladen() {
  highscore_.reset();
  eingabe_.reset();
  infoForm_.reset();
  anleitung_.reset();
  for (platform::Timer* t : {&FallTimer, &WartenTimer, &ReiheTimer, &GameOverTimer, &timJoystick}) t->SetEnabled(false);
  hide();
  beendet_ = true;
  QCoreApplication::quit();
}

void TForm::closeEvent(QCloseEvent* event) {
  // A close request from the desktop (a close box, a shortcut, a logout) leaves
  // the game as the quit button does; the window itself closes only then.
  if (beendet_) {
    event->accept();
    return;
  }
  event->ignore();
  // The game screen waits for a name: only the entry's OK leads on.
  if (eingabe_ && eingabe_->isVisible()) return;
  picButtonBeenden_Click();
}

TForm::~TForm() { replay::FormEntfernt(*this); }

Highscore& TForm::HighscoreForm() {
  if (!highscore_) {
    highscore_ = std::make_unique<Highscore>(*this);
    highscore_->Form_Load();
  }
  return *highscore_;
}

Eingabe& TForm::EingabeForm() {
  if (!eingabe_) {
    eingabe_ = std::make_unique<Eingabe>(*this);
    eingabe_->Form_Load();
  }
  return *eingabe_;
}

Anleitung& TForm::AnleitungForm() {
  if (!anleitung_) {
    anleitung_ = std::make_unique<Anleitung>(*this);
    anleitung_->Form_Load();
  }
  return *anleitung_;
}

InfoForm& TForm::InfoFormForm() {
  if (!infoForm_) {
    infoForm_ = std::make_unique<InfoForm>(*this);
    infoForm_->Form_Load();
  }
  return *infoForm_;
}
