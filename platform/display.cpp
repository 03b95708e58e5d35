#include "platform/display.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

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
  box.exec();
}

}  // namespace platform::dialog
