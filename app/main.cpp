#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/hauptmodul.h"

int main(int argc, char* argv[]) {
  // Without any display the toolkit would abort with a backtrace; say it plainly instead.
  const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
  const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (!platformChosen && !display) {
    std::fprintf(stderr, "norvane: no graphical display found (DISPLAY and WAYLAND_DISPLAY are not set).\n");
    return 1;
  }
  QApplication app(argc, argv);
  HauptModul::Anwendung();
  if (!HauptModul::Main()) return 0;
  const int rc = QApplication::exec();
  HauptModul::Entladen();
  return rc;
}
