// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One running game per highscore file in a player's session. The first start
// holds an exclusive lock and listens on a local socket beside it; a later
// start finds the lock taken, asks the first to come to the front and ends.
// The kernel drops the lock with the process, so a copy that was killed
// blocks nothing; a socket it left behind is replaced by the next first start.

#include <QByteArray>
#include <QString>
#include <functional>

class QObject;

namespace platform::instanz {

enum class Start {
  Erster,          // this start runs the game
  Weitergereicht,  // the running game took the request to come to the front
  KeineAntwort,    // a game runs, but did not answer in time
};

// Folder of the lock and the socket: $XDG_RUNTIME_DIR when it names a folder,
// otherwise `ersatz` (the highscore folder).
QString Ordner(const QString& ersatz);

// The token a launcher handed this start to let its window take the focus
// (Wayland's XDG_ACTIVATION_TOKEN); empty when there is none.
QByteArray StartMarke();

class Instanz {
 public:
  // `ordner` holds the lock and the socket; `schluessel` names what is guarded
  // (the highscore folder), so games on other files do not meet.
  Instanz(const QString& ordner, const QString& schluessel);
  ~Instanz();
  Instanz(const Instanz&) = delete;
  Instanz& operator=(const Instanz&) = delete;

  // Decides who runs the game. A later start hands `marke` to the running one
  // and waits at most `wartenMs` for its answer; a running game that ends
  // meanwhile leaves the lock to this start.
  Start Anmelden(const QByteArray& marke, int wartenMs);

  // The first start, once the event loop runs: `nachVorn` is called with the
  // token of every later start. The watchers are children of `eltern`.
  void Zuhoeren(QObject* eltern, std::function<void(const QByteArray&)> nachVorn);

  QString SperrPfad() const { return sperrPfad_; }
  QString SocketPfad() const { return socketPfad_; }

 private:
  bool Sperren();

  QString sperrPfad_, socketPfad_;
  int sperre_ = -1;
  int server_ = -1;
  bool erster_ = false;
};

}  // namespace platform::instanz
