#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/hauptmodul.h"
#include "platform/system.h"
#include "replay/programm.h"

int main(int argc, char* argv[]) {
  // Without any display the toolkit would abort with a backtrace; say it plainly instead.
  const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
  const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (!platformChosen && !display) {
    std::fprintf(stderr, "norvane: no graphical display found (DISPLAY and WAYLAND_DISPLAY are not set).\n");
    return 1;
  }
  const replay::Aufruf wiedergabe = replay::BefehlszeileLesen(argc, argv);
  if (!wiedergabe.fehler.isEmpty()) {
    std::fprintf(stderr, "norvane: %s\n", qPrintable(wiedergabe.fehler));
    return 2;
  }
  QApplication app(argc, argv);
  HauptModul::Anwendung();
  if (wiedergabe.wiedergabe && !replay::Vorbereiten(wiedergabe.pfad)) {
    std::fflush(nullptr);
    std::_Exit(2);
  }
  int rc = 0;
  if (HauptModul::Main()) {
    if (wiedergabe.wiedergabe) replay::Starten(*HauptModul::Hauptfenster());
    rc = QApplication::exec();
    if (replay::MitFehler()) rc = 2;
    platform::ende::Release();
    HauptModul::Entladen();
  }
  // Everything worth keeping is saved by now. The toolkit's own teardown is
  // skipped: on Wayland it can wait forever for its event thread (Qt 6.4).
  std::fflush(nullptr);
  std::_Exit(rc);
}
