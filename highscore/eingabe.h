// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The small rounded window that asks a new highscore holder for a name.

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <array>

#include "highscore/hsdatei.h"
#include "platform/picturebox.h"

class QLabel;
class QLineEdit;
class TForm;

class Eingabe : public QWidget {
  Q_OBJECT
 public:
  explicit Eingabe(TForm& haupt);

  void Form_Load();
  void Form_Activate();
  void NeueEingabe(int Stelle, double Punkte);
  void HSSpeichern();
  // Returns true when the key is swallowed (Enter).
  bool HSEingabe_KeyPress(int& KeyAscii);
  void picButtonOK_Click();

  // Full path of the highscore file.
  static QString Dateipfad();
  // Characters as the player counts them: an emoji, a flag or a letter with
  // its accents is one.
  static int Zeichenzahl(const QString& text);
  // The text without control characters, line breaks and unpaired halves of
  // a surrogate pair: none of them can be part of a name.
  static QString OhneSteuerzeichen(const QString& text);
  static constexpr int kMaxZeichen = 20;

  // The window's shape: a rectangle whose corners are quarters of an ellipse
  // of the given size in pixels.
  static QRegion RundeForm(int breite, int hoehe, int ellipse);

  std::array<QLabel*, 3> EingabeText{};
  QLineEdit* HSEingabe = nullptr;
  platform::PictureButton* picButtonOK = nullptr;
  QImage picHG;

  highscore::Punkteliste HSPunkte{};
  highscore::Textliste HSNamen;
  int HSPlatz = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  TForm& haupt_;
  QImage hintergrund_;
  // Our own message box took the focus; coming back from it is no new activation.
  bool meldungOffen_ = false;
  // The name as last accepted, to tell what an edit added.
  QString letzterName_;
  bool korrigiert_ = false;
  // The character before offenBis_ was typed by the last key press and may
  // still grow (an accent, a skin tone, a joiner after it); taste_ marks the
  // change the key press now being handled makes.
  bool offen_ = false;
  qsizetype offenBis_ = -1;
  bool taste_ = false;
  bool tasteSetztFort_ = false;

  void NameGeaendert(const QString& neu);
};
