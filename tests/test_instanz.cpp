// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// One game per highscore file: the lock and the socket that make a later
// start hand over to the running game, and what a killed copy leaves behind.
// Several starts live in this one process, each with temporary folders.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/instanz.h"

namespace {

using platform::instanz::Instanz;
using platform::instanz::Start;

// Runs the event loop of this thread until the other starts have their answer.
template <typename T>
T Warten(std::future<T>& f) {
  while (f.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return f.get();
}

class EinSpiel : public ::testing::Test {
 protected:
  QTemporaryDir laufzeit, daten;
  QObject eltern;
  std::vector<QByteArray> gerufen;

  std::unique_ptr<Instanz> Neu(const QString& schluessel = {}) {
    return std::make_unique<Instanz>(laufzeit.path(), schluessel.isEmpty() ? daten.path() : schluessel);
  }
  // A first start that answers like the game.
  std::unique_ptr<Instanz> Erster() {
    auto i = Neu();
    EXPECT_EQ(i->Anmelden("", 5000), Start::Erster);
    i->Zuhoeren(&eltern, [this](const QByteArray& m) { gerufen.push_back(m); });
    return i;
  }
  Start Spaeter(const QByteArray& marke, int wartenMs = 10000) {
    auto i = Neu();
    auto f = std::async(std::launch::async, [&] { return i->Anmelden(marke, wartenMs); });
    return Warten(f);
  }
};

TEST_F(EinSpiel, LaterStartsHandTheirTokenToTheRunningGameAndNeverRunASecond) {
  auto erster = Erster();
  EXPECT_EQ(Spaeter("launcher-token_1.2"), Start::Weitergereicht);
  EXPECT_EQ(Spaeter(""), Start::Weitergereicht);
  // A token that would break the request line is not passed on.
  EXPECT_EQ(Spaeter("two words"), Start::Weitergereicht);
  EXPECT_EQ(Spaeter("line\nbreak"), Start::Weitergereicht);
  EXPECT_EQ(Spaeter(QByteArray(300, 'x')), Start::Weitergereicht);
  EXPECT_EQ(gerufen, (std::vector<QByteArray>{"launcher-token_1.2", "", "", "", ""}));
  // A game on another highscore file is another game.
  QTemporaryDir andere;
  EXPECT_EQ(Neu(andere.path())->Anmelden("", 0), Start::Erster);
}

TEST_F(EinSpiel, ThreeStartsAtOnceGiveOneGame) {
  std::vector<std::unique_ptr<Instanz>> starts;
  std::vector<std::future<Start>> ergebnisse;
  for (int n = 0; n < 3; ++n) starts.push_back(Neu());
  for (auto& s : starts) ergebnisse.push_back(std::async(std::launch::async, [&s] { return s->Anmelden("", 10000); }));
  // The one that wins answers the others from this thread's event loop.
  std::vector<Start> r(3);
  std::vector<bool> fertig(3, false);
  for (int offen = 3; offen > 0;) {
    for (int n = 0; n < 3; ++n) {
      if (fertig[n] || ergebnisse[n].wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) continue;
      r[n] = ergebnisse[n].get();
      fertig[n] = true;
      --offen;
      if (r[n] == Start::Erster) starts[n]->Zuhoeren(&eltern, [this](const QByteArray& m) { gerufen.push_back(m); });
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_EQ(std::count(r.begin(), r.end(), Start::Erster), 1);
  EXPECT_EQ(std::count(r.begin(), r.end(), Start::Weitergereicht), 2);
  EXPECT_EQ(gerufen.size(), 2u);
}

TEST_F(EinSpiel, ACopyKilledWhileRunningBlocksNothing) {
  const pid_t kind = ::fork();
  ASSERT_GE(kind, 0);
  if (kind == 0) {
    Instanz i(laufzeit.path(), daten.path());
    if (i.Anmelden("", 0) != Start::Erster) ::_exit(3);
    ::kill(::getpid(), SIGKILL);
    ::_exit(4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(kind, &status, 0), kind);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  auto probe = Neu();
  // It left its lock file and its socket behind.
  ASSERT_TRUE(QFile::exists(probe->SperrPfad()));
  ASSERT_TRUE(QFile::exists(probe->SocketPfad()));
  probe.reset();
  auto erster = Erster();
  EXPECT_EQ(Spaeter("after"), Start::Weitergereicht);
  EXPECT_EQ(gerufen, std::vector<QByteArray>{"after"});
}

TEST_F(EinSpiel, AStaleSocketOrAPlainFileInItsPlaceIsReplaced) {
  for (bool echterSocket : {true, false}) {
    auto probe = Neu();
    const QByteArray pfad = QFile::encodeName(probe->SocketPfad());
    probe.reset();
    ::unlink(pfad.constData());
    if (echterSocket) {
      const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un a{};
      a.sun_family = AF_UNIX;
      std::memcpy(a.sun_path, pfad.constData(), static_cast<size_t>(pfad.size()));
      ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
      ::close(s);  // bound, never listened, gone: what a crash leaves
    } else {
      QFile f(QString::fromLocal8Bit(pfad));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    gerufen.clear();
    auto erster = Erster();
    EXPECT_EQ(Spaeter("x"), Start::Weitergereicht) << echterSocket;
    EXPECT_EQ(gerufen.size(), 1u) << echterSocket;
  }
}

// The lock held by a game that is still starting (no socket yet) or is ending.
class GehalteneSperre : public EinSpiel {
 protected:
  int sperre = -1;
  void SetUp() override {
    const QByteArray pfad = QFile::encodeName(Neu()->SperrPfad());
    sperre = ::open(pfad.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(sperre, 0);
    ASSERT_EQ(::flock(sperre, LOCK_EX | LOCK_NB), 0);
  }
  void TearDown() override {
    if (sperre >= 0) ::close(sperre);
  }
  // A socket that listens at `pfad` and answers nothing: a game that hangs; -1 on failure.
  static int Zuhoerer(const QString& pfad) {
    const QByteArray name = QFile::encodeName(pfad);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::memcpy(a.sun_path, name.constData(), static_cast<size_t>(name.size()));
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(s, 4) != 0) {
      ::close(s);
      return -1;
    }
    return s;
  }
};

TEST_F(GehalteneSperre, AGameThatNeverAnswersIsReportedAfterTheWaitNotJoined) {
  EXPECT_EQ(Spaeter("", 300), Start::KeineAntwort);
  // Listening, but it reads nothing and never answers.
  auto probe = Neu();
  const int s = Zuhoerer(probe->SocketPfad());
  ASSERT_GE(s, 0);
  EXPECT_EQ(Spaeter("", 300), Start::KeineAntwort);
  ::close(s);
}

TEST_F(GehalteneSperre, AGameEndingWithoutAnAnswerLeavesTheGameToTheWaitingStart) {
  auto probe = Neu();
  const int s = Zuhoerer(probe->SocketPfad());
  ASSERT_GE(s, 0);
  auto spaeter = Neu();
  auto f = std::async(std::launch::async, [&] { return spaeter->Anmelden("", 10000); });
  // The request has arrived and been read; the game ends without answering it.
  const int c = ::accept(s, nullptr, nullptr);
  ASSERT_GE(c, 0);
  QByteArray zeile;
  char b[64];
  for (ssize_t n; !zeile.contains('\n') && (n = ::recv(c, b, sizeof b, 0)) > 0;) zeile.append(b, n);
  EXPECT_EQ(zeile, "raise \n");
  ::close(c);
  ::close(s);
  ::close(sperre);
  sperre = -1;
  EXPECT_EQ(Warten(f), Start::Erster);
}

TEST_F(EinSpiel, GarbageOnTheSocketIsDroppedWithoutARequest) {
  auto erster = Erster();
  for (const QByteArray& zeile : {QByteArray("hello\n"), QByteArray(600, 'r')}) {
    const int c = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    const QByteArray pfad = QFile::encodeName(erster->SocketPfad());
    std::memcpy(a.sun_path, pfad.constData(), static_cast<size_t>(pfad.size()));
    ASSERT_EQ(::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::send(c, zeile.constData(), static_cast<size_t>(zeile.size()), MSG_NOSIGNAL), zeile.size());
    // The game closes such a connection: the read ends without an answer.
    char b[8];
    auto f = std::async(std::launch::async, [&] { return ::recv(c, b, sizeof b, 0); });
    EXPECT_LE(Warten(f), 0) << zeile.left(8).constData();
    ::close(c);
  }
  EXPECT_TRUE(gerufen.empty());
  EXPECT_EQ(Spaeter("ok"), Start::Weitergereicht);
}

TEST(Laufzeitordner, TheRuntimeFolderWhenItExistsOtherwiseTheHighscoreFolder) {
  const QByteArray vorher = qgetenv("XDG_RUNTIME_DIR");
  QTemporaryDir d;
  qputenv("XDG_RUNTIME_DIR", d.path().toUtf8());
  EXPECT_EQ(platform::instanz::Ordner("/daten"), d.path());
  qputenv("XDG_RUNTIME_DIR", (d.path() + "/fehlt").toUtf8());
  EXPECT_EQ(platform::instanz::Ordner("/daten"), "/daten");
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(platform::instanz::Ordner("/daten"), "/daten");
  if (!vorher.isNull()) qputenv("XDG_RUNTIME_DIR", vorher);
}

}  // namespace
