// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The about box.

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QLine>
#include <QWidget>
#include <array>

#include "platform/picturebox.h"

class QLabel;
class QPushButton;
class TForm;

class InfoForm : public QWidget {
  Q_OBJECT
 public:
  explicit InfoForm(TForm& haupt);

  void Form_Load();
  void Form_Activate();
  void Form_KeyDown(int& KeyCode, int Shift);
  void CRTxt_Click(int Index);
  void OKButton_Click();

  QImage HGPic;
  QLabel* InfoPic = nullptr;
  std::array<QLabel*, 4> InfoTitel{};
  QWidget* picRahmen = nullptr;
  QLabel* ZOQLogo = nullptr;
  std::array<QLabel*, 4> CRTxt{};
  QPushButton* OKButton = nullptr;
  // The separator: two lines on the same coordinates, the later one drawn on top.
  std::array<QLine, 2> Linie{};
  std::array<QColor, 2> LinieFarbe{};

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The way back to the game screen, shared by the OK button and the window's close box.
  void Zurueck();

  TForm& haupt_;
  QImage hintergrund_;
  QCursor linkZeiger_;
  bool aktiv_ = false;  // active since it was last shown
  int gedrueckt_ = -1;  // the link label the mouse went down on
};
