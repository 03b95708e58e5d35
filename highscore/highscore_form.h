// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The full-screen list of the ten best results.

#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>

#include "platform/picturebox.h"

class QLabel;
class TForm;

class Highscore : public QWidget {
  Q_OBJECT
 public:
  explicit Highscore(TForm& haupt);

  void Form_Load();
  void FormAnpassen();
  void Form_KeyDown(int& KeyCode, int Shift);
  void picButtonZurueck_Click();
  // Shown by the highscore button: a list loaded before the file existed
  // reads it now.
  void LesenFallsNochLeer();

  // Text colour of a list label: white, or green for the entry just made.
  static void Textfarbe(QLabel& label, const QColor& farbe);
  static QColor Textfarbe(const QLabel& label);
  // What a name label shows: the whole name, or as much of it as fits followed by "…".
  static QString Angezeigt(const QLabel& label);

  platform::PictureBox* HighscorePic = nullptr;
  std::array<QLabel*, 20> HSPos{};  // 0-9 rank numbers, 10-19 their black shadows
  std::array<QLabel*, 10> HSName{};
  std::array<QLabel*, 10> HSScore{};
  platform::PictureButton* picButtonZurueck = nullptr;
  QImage picHG, HSTitel, HSTitelBl;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  TForm& haupt_;
  bool dateiGelesen_ = false;

  void DateiLesen();
};
