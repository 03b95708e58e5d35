// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The highscore list and the name entry under test: a loaded game with a
// fresh highscore file, and what the player sees and hears written down once.

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <vector>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "highscore/hsdatei.h"

namespace hstest {

// Texts, colours and sounds as the player meets them.
inline const QString kListenTitel = QStringLiteral("Highscore (Kelmora) :");
inline const QString kEingabeTitel = QStringLiteral("Highscore-Eingabe:");
inline const QString kLeerMeldung = QStringLiteral("Please enter your name first");
inline const QString kLeerTitel = QStringLiteral("-=Attention=-");
inline const char* const kEingabeTexte[3] = {"Congratulations !!!", "You got a high score !",
                                             "Please enter your name and press 'OK'."};
inline const QColor kWeiss(0xFF, 0xFF, 0xFF);
inline const QColor kGruen(0x00, 0xFF, 0x00);
inline const QColor kSchwarz(0, 0, 0);
inline const QString kGameOver = QStringLiteral("GAMEOVER.WAV");
inline const QString kEntry = QStringLiteral("ENTRY.WAV");
inline const QString kInput = QStringLiteral("INPUT.WAV");
inline const QString kClick = QStringLiteral("CLICK.WAV");
inline const QString kHighscor = QStringLiteral("HIGHSCOR.WAV");

// The list a missing file is replaced by: 500 down to 50 in steps of 50.
inline const QString kStandardName = QStringLiteral("Jorin Falkat");
inline int StandardPunkte(int rang) { return 550 - 50 * rang; }

inline QByteArray StandardDatei() {
  return "[Highscore]\r\n"
         "500  ,Jorin Falkat\r\n450  ,Jorin Falkat\r\n400  ,Jorin Falkat\r\n350  ,Jorin Falkat\r\n"
         "300  ,Jorin Falkat\r\n250  ,Jorin Falkat\r\n200  ,Jorin Falkat\r\n150  ,Jorin Falkat\r\n"
         "100  ,Jorin Falkat\r\n50   ,Jorin Falkat\r\n";
}

struct Meldung {
  QWidget* owner;
  QString text, title;
  platform::dialog::Icon icon;
};

}  // namespace hstest

class HighscoreFenster : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    // The game screen is up, as after start-up, so that hiding it shows.
    form->showFullScreen();
    platform::sound::ClearRequests();
    QFile::remove(Eingabe::Dateipfad());
    platform::dialog::SetMessageBoxSeam(
        [this](QWidget* owner, const QString& text, const QString& title, platform::dialog::Icon icon) {
          meldungen.push_back({owner, text, title, icon});
        });
  }

  void TearDown() override {
    platform::dialog::SetMessageBoxSeam(nullptr);
    FormTest::TearDown();
    QFile::remove(Eingabe::Dateipfad());
  }

  static QByteArray Datei() {
    QFile f(Eingabe::Dateipfad());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  static void SchreibeDatei(const QByteArray& inhalt) {
    QFile f(Eingabe::Dateipfad());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
  }

  // A game that has just ended with the given points.
  void SpielEndetMit(int punkte) {
    form->Punktestand = punkte;
    form->HighscoreEintrag();
  }

  // One key press and release, as the toolkit delivers them.
  static void Taste(QWidget* ziel, int key, const QString& text = {}) {
    QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &los);
  }

  static void Tippe(QWidget* ziel, const QString& text) {
    for (QChar c : text) Taste(ziel, c.toUpper().unicode(), QString(c));
  }

  // Confirms a name in the entry window and returns the list it leads to.
  Highscore& NameBestaetigen(const QString& name) {
    Eingabe& e = form->EingabeForm();
    e.HSEingabe->setText(name);
    e.picButtonOK_Click();
    return form->HighscoreForm();
  }

  qsizetype Anzahl(const QString& sound) const { return Sounds().count(sound); }

  // The game can always be reached: a disabled game screen only ever sits
  // behind another visible window of the game.
  void SpielErreichbar() const {
    bool andereSichtbar = false;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != form.get() && w->isVisible()) andereSichtbar = true;
    EXPECT_TRUE(andereSichtbar || (form->isVisible() && form->isEnabled()))
        << "game screen " << (form->isVisible() ? "shown" : "hidden") << ", "
        << (form->isEnabled() ? "enabled" : "disabled") << ", no other window";
  }

  std::vector<hstest::Meldung> meldungen;
};
