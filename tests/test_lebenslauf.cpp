// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The life of the program: nothing of the game outlives its owner, an exit
// inside the toolkit runs no destructor after the display is gone, and a
// later start of the real program hands over to the running one.

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/hauptmodul.h"
#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace {

class Lebenslauf : public FormTest {
 protected:
  std::unique_ptr<TForm> haupt_;
  void TearDown() override {
    haupt_.reset();
    FormTest::TearDown();
  }
};

TEST_F(Lebenslauf, OnceItsOwnerLetsGoNoWindowOfTheGameIsLeft) {
  const qsizetype vorher = QApplication::topLevelWidgets().size();
  haupt_ = HauptModul::Main();
  ASSERT_NE(haupt_, nullptr);
  EXPECT_EQ(HauptModul::Hauptfenster(), haupt_.get());
  haupt_->EingabeForm().show();
  haupt_->HighscoreForm().show();
  haupt_->AnleitungForm().show();
  haupt_->InfoFormForm().show();
  EXPECT_GE(QApplication::topLevelWidgets().size(), vorher + 5);
  haupt_.reset();
  EXPECT_EQ(HauptModul::Hauptfenster(), nullptr);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), vorher);
  // A window replaced by a new one does not take the new one's place with it.
  haupt_ = HauptModul::Main();
  auto zweites = HauptModul::Main();
  haupt_.reset();
  EXPECT_EQ(HauptModul::Hauptfenster(), zweites.get());
}

// Its destructor stands for a window's: after the guard it must never run.
struct Zeuge {
  ~Zeuge() { std::_Exit(7); }
};

TEST(Programmende, AnExitInsideTheToolkitEndsAtOnceWithItsStatusAndNoDestructor) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static Zeuge zeuge;
        platform::ende::Wache();
        std::exit(1);
      },
      ::testing::ExitedWithCode(1), "connection to the display is lost");
  EXPECT_EXIT(
      {
        static Zeuge zeuge;
        platform::ende::Wache();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(Lebenslauf, ALaterStartBringsForwardTheWindowThePlayerMustSee) {
  haupt_ = HauptModul::Main();
  ASSERT_NE(haupt_, nullptr);
  TForm& f = *haupt_;
  auto vorn = [](QWidget* w) {
    HauptModul::NachVorn("");
    QCoreApplication::processEvents();
    return QApplication::activeWindow() == w;
  };
  EXPECT_EQ(HauptModul::VordersteFenster(), &f);
  EXPECT_TRUE(vorn(&f));
  // The player may minimise the game screen alone; a later start brings it back.
  f.showMinimized();
  EXPECT_TRUE(vorn(&f));
  EXPECT_FALSE(f.isMinimized()) << "the game screen comes back from the task bar";
  f.picButtonNeuesSpiel_Click();
  f.picButtonAnleitung_Click();
  EXPECT_EQ(HauptModul::VordersteFenster(), &f.AnleitungForm());
  f.showMinimized();
  EXPECT_TRUE(vorn(&f.AnleitungForm()));
  EXPECT_FALSE(f.isMinimized()) << "the game screen comes back from the task bar";
  f.ZurueckZumSpiel(&f.AnleitungForm());
  f.picButtonCopyright_Click();
  EXPECT_EQ(HauptModul::VordersteFenster(), &f.InfoFormForm());
  f.ZurueckZumSpiel(&f.InfoFormForm());
  f.picButtonHighscore_Click();
  EXPECT_EQ(HauptModul::VordersteFenster(), &f.HighscoreForm());
  // The name entry goes before everything else.
  f.EingabeForm().show();
  EXPECT_EQ(HauptModul::VordersteFenster(), &f.EingabeForm());
  EXPECT_TRUE(vorn(&f.EingabeForm()));
  f.FensterEntladen();
  EXPECT_EQ(HauptModul::VordersteFenster(), nullptr) << "nothing is raised while the game ends";
}

// ---- The real program, twice ------------------------------------------------------

QString Programm() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../norvane"); }

bool Bis(const std::function<bool()>& fertig, int maxMs) {
  QElapsedTimer uhr;
  uhr.start();
  while (!fertig()) {
    if (uhr.elapsed() > maxMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // one step of a bounded poll
  }
  return true;
}

class ZweiterStart : public ::testing::Test {
 protected:
  QTemporaryDir daten, laufzeit;
  std::vector<std::unique_ptr<QProcess>> spiele;

  void TearDown() override {
    for (auto& p : spiele)
      if (p->state() != QProcess::NotRunning) p->kill(), p->waitForFinished(5000);
  }
  QProcess& Start(bool mitLaufzeit = true) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("SDL_JOYSTICK_DISABLED"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), daten.path());
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    if (mitLaufzeit) env.insert(QStringLiteral("XDG_RUNTIME_DIR"), laufzeit.path());
    p->setProcessEnvironment(env);
    p->start(Programm(), {});
    EXPECT_TRUE(p->waitForStarted(10000));
    spiele.push_back(std::move(p));
    return *spiele.back();
  }
  // The game listens once its socket is there.
  static bool Hoert(const QString& ordner) {
    return !QDir(ordner).entryList({QStringLiteral("norvane-*.sock")}, QDir::System).isEmpty();
  }
  // A game holds the lock in that folder.
  static bool Gesperrt(const QString& ordner) {
    const QStringList l = QDir(ordner).entryList({QStringLiteral("norvane-*.lock")}, QDir::Files);
    if (l.isEmpty()) return false;
    const int fd = ::open(QFile::encodeName(ordner + QLatin1Char('/') + l[0]).constData(), O_RDWR | O_CLOEXEC);
    const bool frei = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0) ::close(fd);
    return fd >= 0 && !frei;
  }
  static void Uebergibt(QProcess& p) {
    ASSERT_TRUE(p.waitForFinished(10000)) << "a second start still runs";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  }
};

TEST_F(ZweiterStart, HandsOverAndEndsAndAKilledFirstCopyBlocksNothing) {
  QProcess& erster = Start();
  ASSERT_TRUE(Bis([&] { return Hoert(laufzeit.path()) && Gesperrt(laufzeit.path()); }, 20000));
  Uebergibt(Start());
  Uebergibt(Start());
  EXPECT_EQ(erster.state(), QProcess::Running);

  erster.kill();
  ASSERT_TRUE(erster.waitForFinished(5000));
  // Its lock and socket are left behind; the next start runs the game all the same.
  QProcess& dritter = Start();
  ASSERT_TRUE(Bis([&] { return Gesperrt(laufzeit.path()) || dritter.state() == QProcess::NotRunning; }, 20000));
  ASSERT_EQ(dritter.state(), QProcess::Running) << dritter.readAllStandardError().toStdString();
  Uebergibt(Start());
  EXPECT_EQ(dritter.state(), QProcess::Running);
}

TEST_F(ZweiterStart, WithoutARuntimeFolderTheLockLivesBesideTheHighscoreFile) {
  QProcess& erster = Start(false);
  const QString ordner = daten.path() + QStringLiteral("/norvane");
  ASSERT_TRUE(Bis([&] { return Hoert(ordner); }, 20000));
  Uebergibt(Start(false));
  EXPECT_EQ(erster.state(), QProcess::Running);
}

}  // namespace
