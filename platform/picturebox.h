// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A picture box: a widget that owns a persistent off-screen image, which all
// drawing goes into, and shows it when refreshed.

#include <QImage>
#include <QWidget>
#include <functional>

namespace platform {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  // Position and size in pixels relative to the parent; the image starts filled with `fill`.
  PictureBox(QWidget* parent, int x, int y, int width, int height, QRgb fill = 0xFF000000u);

  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }
  // Replaces the picture (for example with an asset); the box keeps its size.
  void SetPicture(const QImage& picture);
  // Shows the current image on screen at the next repaint.
  void Refresh();
  // How many times Refresh was called; lets tests check that a change was shown.
  int RefreshCount() const { return refreshes_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  int refreshes_ = 0;
};

// A picture that acts as a button: it reacts to a click only.
class PictureButton : public PictureBox {
  Q_OBJECT
 public:
  PictureButton(QWidget* parent, int x, int y, int width, int height);
  std::function<void()> OnClick;
  // Runs the click as if the player had pressed and released the mouse on it.
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// Loads a picture compiled into the program; a missing one gives a blank
// picture of the expected size instead of failing.
QImage LoadPicture(const QString& name, int width, int height);

}  // namespace platform
