// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The full-screen instructions.

#include <QImage>
#include <QWidget>

#include "platform/picturebox.h"

class QPlainTextEdit;
class TForm;

class Anleitung : public QWidget {
  Q_OBJECT
 public:
  explicit Anleitung(TForm& haupt);

  void Form_Load();
  void FormAnpassen();
  void Form_KeyDown(int& KeyCode, int Shift);
  void picButtonZurueck_Click();

  // The help text exactly as shown: 34 lines, each ended by CR LF (the last one too).
  static QString Hilfetext();

  platform::PictureBox* AnleitungPic = nullptr;
  QPlainTextEdit* AnleitText = nullptr;
  platform::PictureButton* picButtonZurueck = nullptr;
  QImage picHG, AnleitTitel, AnleitTitelBl;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  TForm& haupt_;
};
