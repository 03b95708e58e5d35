// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/blit.h"

namespace platform {

PictureBox::PictureBox(QWidget* parent, int x, int y, int width, int height, QRgb fill)
    : QWidget(parent), image_(NewImage(width, height, fill)) {
  setGeometry(x, y, width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetPicture(const QImage& picture) {
  image_ = picture.convertToFormat(QImage::Format_RGB32);
  update();
}

void PictureBox::Refresh() {
  ++refreshes_;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Nearest-neighbour scaling keeps the pixel art crisp on high-density screens.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(0, 0, width(), height()), image_);
}

PictureButton::PictureButton(QWidget* parent, int x, int y, int width, int height)
    : PictureBox(parent, x, y, width, height) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void PictureButton::Click() {
  if (OnClick) OnClick();
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool inside = rect().contains(event->position().toPoint());
  const bool wasPressed = pressed_;
  pressed_ = false;
  if (event->button() == Qt::LeftButton && wasPressed && inside) Click();
}

QImage LoadPicture(const QString& name, int width, int height) {
  QImage img(QStringLiteral(":/assets/pictures/") + name + QStringLiteral(".png"));
  if (img.isNull()) return NewImage(width, height, 0xFFFFFFFFu);
  return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace platform
