// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/instanz.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::instanz {

namespace {

// A request is one short line; anything longer is not from a start of the game.
constexpr size_t kZeileMax = 512;
constexpr size_t kMarkeMax = 256;

long long JetztMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool Adresse(const QString& pfad, sockaddr_un& a) {
  const QByteArray p = QFile::encodeName(pfad);
  std::memset(&a, 0, sizeof a);
  a.sun_family = AF_UNIX;
  if (p.isEmpty() || static_cast<size_t>(p.size()) >= sizeof a.sun_path) return false;
  std::memcpy(a.sun_path, p.constData(), static_cast<size_t>(p.size()));
  return true;
}

// Only printable characters without blanks: a token goes into one line of the request.
QByteArray Gueltig(const QByteArray& marke) {
  if (marke.size() > static_cast<qsizetype>(kMarkeMax)) return {};
  for (char c : marke)
    if (c < 0x21 || c > 0x7e) return {};
  return marke;
}

enum class Antwort { Ja, Keine, Nochmal };

// Hands the token to the running game and waits for its "ok" until `bisMs`.
// Nochmal: nobody listens (yet), or the game ended before it answered.
Antwort Fragen(const QString& socketPfad, const QByteArray& marke, long long bisMs) {
  sockaddr_un a;
  if (!Adresse(socketPfad, a)) return Antwort::Keine;
  const int c = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (c < 0) return Antwort::Nochmal;
  Antwort antwort = Antwort::Nochmal;
  if (::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    const QByteArray zeile = "raise " + marke + "\n";
    if (::send(c, zeile.constData(), static_cast<size_t>(zeile.size()), MSG_NOSIGNAL) == zeile.size()) {
      QByteArray gelesen;
      antwort = Antwort::Keine;
      for (;;) {
        const long long rest = bisMs - JetztMs();
        if (rest <= 0) break;
        pollfd p{c, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(rest)) <= 0) continue;
        char puffer[16];
        const ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) {
          antwort = Antwort::Nochmal;  // the game closed without an answer: it is ending
          break;
        }
        gelesen.append(puffer, n);
        if (gelesen.startsWith("ok\n")) {
          antwort = Antwort::Ja;
          break;
        }
        if (gelesen.size() > 16) break;
      }
    }
  }
  ::close(c);
  return antwort;
}

}  // namespace

QString Ordner(const QString& ersatz) {
  const QString laufzeit = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!laufzeit.isEmpty() && QFileInfo(laufzeit).isDir()) return laufzeit;
  return ersatz;
}

QByteArray StartMarke() { return Gueltig(qgetenv("XDG_ACTIVATION_TOKEN")); }

Instanz::Instanz(const QString& ordner, const QString& schluessel) {
  const QByteArray name = QCryptographicHash::hash(QDir::cleanPath(QFileInfo(schluessel).absoluteFilePath()).toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(12);
  const QString basis = ordner + QStringLiteral("/norvane-") + QString::fromLatin1(name);
  sperrPfad_ = basis + QStringLiteral(".lock");
  socketPfad_ = basis + QStringLiteral(".sock");
}

Instanz::~Instanz() {
  if (server_ >= 0) ::close(server_);
  // Removed only while the lock still says the socket is ours.
  if (erster_) ::unlink(QFile::encodeName(socketPfad_).constData());
  if (sperre_ >= 0) ::close(sperre_);
}

bool Instanz::Sperren() {
  const QByteArray pfad = QFile::encodeName(sperrPfad_);
  for (int versuch = 0; versuch < 3; ++versuch) {
    if (sperre_ < 0) sperre_ = ::open(pfad.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (sperre_ < 0) return false;
    if (::flock(sperre_, LOCK_EX | LOCK_NB) != 0) {
      // A folder without locks (some network file systems): the game runs unguarded.
      if (errno != EWOULDBLOCK && errno != EINTR) ::close(sperre_), sperre_ = -1;
      return false;
    }
    // A lock on a file that was removed meanwhile guards nothing: take the one at the path.
    struct stat offen {
    }, amPfad{};
    if (::fstat(sperre_, &offen) == 0 && ::stat(pfad.constData(), &amPfad) == 0 && offen.st_ino == amPfad.st_ino &&
        offen.st_dev == amPfad.st_dev) {
      // The sticky bit keeps a cleaner of the runtime folder away from the file.
      ::fchmod(sperre_, 01600);
      return true;
    }
    ::close(sperre_);
    sperre_ = -1;
  }
  return false;
}

Start Instanz::Anmelden(const QByteArray& marke, int wartenMs) {
  const long long bis = JetztMs() + wartenMs;
  for (;;) {
    if (Sperren()) {
      erster_ = true;
      sockaddr_un a;
      const QByteArray pfad = QFile::encodeName(socketPfad_);
      // A socket left by a copy that was killed: we hold the lock, so it is nobody's.
      ::unlink(pfad.constData());
      server_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
      if (server_ >= 0 &&
          (!Adresse(socketPfad_, a) || ::bind(server_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
           ::listen(server_, 16) != 0)) {
        ::close(server_);
        server_ = -1;
      }
      if (server_ >= 0) ::chmod(pfad.constData(), 01600);
      return Start::Erster;
    }
    if (sperre_ < 0) {
      // No lock can be made in the folder: the game runs unguarded rather than not at all.
      erster_ = false;
      return Start::Erster;
    }
    switch (Fragen(socketPfad_, Gueltig(marke), bis)) {
      case Antwort::Ja: return Start::Weitergereicht;
      case Antwort::Keine: return Start::KeineAntwort;
      case Antwort::Nochmal: break;
    }
    const long long rest = bis - JetztMs();
    if (rest <= 0) return Start::KeineAntwort;
    // The first start may not listen yet, or may be ending: look again shortly.
    ::poll(nullptr, 0, static_cast<int>(std::min<long long>(rest, 20)));
  }
}

void Instanz::Zuhoeren(QObject* eltern, std::function<void(const QByteArray&)> nachVorn) {
  if (server_ < 0) return;
  auto* wache = new QSocketNotifier(server_, QSocketNotifier::Read, eltern);
  auto rufen = std::make_shared<std::function<void(const QByteArray&)>>(std::move(nachVorn));
  const int server = server_;
  QObject::connect(wache, &QSocketNotifier::activated, eltern, [server, eltern, rufen] {
    for (;;) {
      const int c = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (c < 0) return;
      auto* leser = new QSocketNotifier(c, QSocketNotifier::Read, eltern);
      auto zeile = std::make_shared<QByteArray>();
      QObject::connect(leser, &QSocketNotifier::activated, leser, [c, leser, zeile, rufen] {
        char puffer[256];
        const ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (n > 0) zeile->append(puffer, n);
        const qsizetype ende = zeile->indexOf('\n');
        if (ende >= 0 && zeile->startsWith("raise")) {
          const QByteArray rest = zeile->left(ende).mid(5).trimmed();
          (*rufen)(Gueltig(rest));
          ::send(c, "ok\n", 3, MSG_NOSIGNAL | MSG_DONTWAIT);
        } else if (n > 0 && ende < 0 && static_cast<size_t>(zeile->size()) < kZeileMax) {
          return;  // more of the line is on its way
        }
        leser->setEnabled(false);
        ::close(c);
        leser->deleteLater();
      });
    }
  });
}

}  // namespace platform::instanz
