// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/display.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace platform::display {

namespace {
std::optional<int> g_dpi;
std::optional<QSize> g_size;
}  // namespace

int LogicalDpiX() {
  if (g_dpi) return *g_dpi;
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInchX()) : 96;
}

QSize ScreenSize() {
  if (g_size) return *g_size;
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(640, 480);
}

int TwipsPerPixelX() {
  const int dpi = LogicalDpiX();
  return dpi > 0 ? kTwipsPerInch / dpi : 15;
}

int TwipsPerPixelY() { return TwipsPerPixelX(); }

void SetOverride(std::optional<int> dpi, std::optional<QSize> size) {
  g_dpi = dpi;
  g_size = size;
}

}  // namespace platform::display

namespace platform::dialog {

namespace {
MessageBoxSeam g_seam;
}

void SetMessageBoxSeam(MessageBoxSeam seam) { g_seam = std::move(seam); }

void MessageBox(QWidget* owner, const QString& text, const QString& title, Icon icon) {
  if (g_seam) {
    g_seam(owner, text, title, icon);
    return;
  }
  QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Warning, title, text, QMessageBox::Ok,
                  owner);
  box.setTextFormat(Qt::PlainText);
  // Keep each line of the message on one line instead of letting the box wrap it.
  int widest = 0;
  for (const QString& line : text.split(QStringLiteral("\r\n")))
    widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
  box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(widest + 8));
  box.exec();
}

}  // namespace platform::dialog
