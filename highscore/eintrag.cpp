// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The way from the main window into the highscores: the check after a game
// and the highscore button.

#include "app/tform.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "highscore/hsdatei.h"
#include "replay/aufnahme.h"
#include "shell/skin.h"
#include "shell/sound.h"

void TForm::HighscoreEintrag() {
  const QString pfad = Eingabe::Dateipfad();
  if (!highscore::Vorhanden(pfad)) highscore::StandardAnlegen(pfad);
  // Ranks a short file does not provide count as 0, so any result beats them.
  highscore::Punkteliste gespeichert{};
  highscore::WerteLesen(pfad, gespeichert);
  // A game played back is entered nowhere: it ends as a result without a place.
  const int platz = replay::WiedergabeAktiv() ? 0 : highscore::EintragsPlatz(gespeichert, Punktestand);
  if (platz == 0) {
    HauptModul::SoundAbspielen(QStringLiteral("GAMEOVER.WAV"));
    return;
  }
  // The game-over signs go on sliding behind the entry window; the game
  // screen takes no input until the name is confirmed.
  setEnabled(false);
  Eingabe& eingabe = EingabeForm();
  eingabe.move(skin::BildschirmMitte(eingabe.size()));
  eingabe.NeueEingabe(platz, Punktestand);
  eingabe.show();
  eingabe.raise();
  eingabe.activateWindow();
}

void TForm::picButtonHighscore_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  SpielAnhalten();
  const QString pfad = Eingabe::Dateipfad();
  if (!highscore::Vorhanden(pfad)) highscore::StandardAnlegen(pfad);
  Highscore& liste = HighscoreForm();
  liste.LesenFallsNochLeer();
  liste.move(skin::BildschirmMitte(liste.size()));
  liste.showFullScreen();
  liste.raise();
  liste.activateWindow();
  hide();
  HauptModul::SoundAbspielen(QStringLiteral("HIGHSCOR.WAV"));
}
