// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#include "app/hauptmodul.h"
#include "app/optionen.h"
#include "app/tform.h"
#include "platform/display.h"
#include "platform/instanz.h"
#include "platform/system.h"
#include "replay/programm.h"

int main(int argc, char* argv[]) {
  const optionen::Auswertung aufruf = optionen::Lesen(argc, argv);
  if (const std::optional<int> rc = optionen::Beantworten(aufruf, stdout, stderr)) return *rc;
  // Without any display the toolkit would abort with a backtrace; say it plainly instead.
  const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
  const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (!platformChosen && !display) {
    std::fprintf(stderr, "norvane: no graphical display found (DISPLAY and WAYLAND_DISPLAY are not set).\n");
    return 1;
  }
  // A playback neither plays nor touches the highscore file, so it may run beside a game.
  const bool wiedergabe = aufruf.optionen.wiedergabe.has_value();
  // One game per highscore file: a later start hands over to the running game and ends here.
  const QString daten = platform::files::HighscoreDirectory();
  platform::instanz::Instanz instanz(platform::instanz::Ordner(daten), daten);
  if (!wiedergabe)
    if (const auto rc = HauptModul::Zweitstart(instanz)) return *rc;

  // The toolkit takes its enlargement only when the application object is made.
  if (!platform::display::FixScale(aufruf.optionen.faktor, argv[0])) return optionen::kFalscherAufruf;
  QApplication app(argc, argv);
  platform::display::RestoreEnvironment();
  HauptModul::Anwendung();
  if (wiedergabe && !replay::Vorbereiten(QFile::decodeName(aufruf.optionen.wiedergabe->c_str()))) {
    std::fflush(nullptr);
    std::_Exit(optionen::kFalscherAufruf);
  }
  if (!wiedergabe) HauptModul::Zuhoeren(instanz);
  int rc = 0;
  // The window lives in this scope only: nothing of the game outlives the application object.
  if (const std::unique_ptr<TForm> form = HauptModul::Main()) {
    platform::ende::Wache();
    if (wiedergabe) replay::Starten(*form);
    rc = QApplication::exec();
    if (replay::MitFehler()) rc = optionen::kFalscherAufruf;
    platform::ende::Release();
  }
  // Everything worth keeping is saved by now. The toolkit's own teardown is
  // skipped: on Wayland it can wait forever for its event thread (Qt 6.4).
  std::fflush(nullptr);
  std::_Exit(rc);
}
