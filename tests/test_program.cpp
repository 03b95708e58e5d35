// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a process: the end signals take the quit path, and the window
// system receives the captions exactly as written.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <optional>
#include <thread>

#include "app/hauptmodul.h"
#include "app/tform.h"
#include "fixture.h"
#include "highscore/eingabe.h"
#include "platform/system.h"
#include "shell/anleitung.h"

namespace {

QString Programm() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../norvane"); }

// Signals the process has set a handler for, from its status in /proc.
quint64 AbgefangeneSignale(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& zeile : status.readAll().split('\n'))
    if (zeile.startsWith("SigCgt:")) return zeile.mid(7).trimmed().toULongLong(nullptr, 16);
  return 0;
}

bool Bis(const std::function<bool()>& fertig, int maxMs) {
  QElapsedTimer uhr;
  uhr.start();
  while (!fertig()) {
    if (uhr.elapsed() > maxMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));  // one step of a bounded poll
  }
  return true;
}

QProcessEnvironment Umgebung(const QTemporaryDir& daten) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
  env.insert(QStringLiteral("SDL_JOYSTICK_DISABLED"), QStringLiteral("1"));
  env.insert(QStringLiteral("XDG_DATA_HOME"), daten.path());
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), daten.path());
  return env;
}

// ---- End signals ------------------------------------------------------------------

struct EndSignal {
  const char* name;
  int signal;
};
void PrintTo(const EndSignal& e, std::ostream* os) { *os << e.name; }

class EndeDurchSignal : public ::testing::TestWithParam<EndSignal> {};

TEST_P(EndeDurchSignal, TheProgramEndsPromptlyAndCleanly) {
  ASSERT_TRUE(QFile::exists(Programm())) << Programm().toStdString();
  QTemporaryDir daten;
  QProcess spiel;
  QProcessEnvironment env = Umgebung(daten);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  spiel.setProcessEnvironment(env);
  spiel.start(Programm(), {});
  ASSERT_TRUE(spiel.waitForStarted(10000));
  const quint64 bit = 1ull << (GetParam().signal - 1);
  // Once the handler is in place the signal can no longer kill the process outright.
  ASSERT_TRUE(Bis([&] { return (AbgefangeneSignale(spiel.processId()) & bit) != 0; }, 20000));

  QElapsedTimer uhr;
  uhr.start();
  ::kill(static_cast<pid_t>(spiel.processId()), GetParam().signal);
  const bool beendet = spiel.waitForFinished(10000);
  const qint64 dauer = uhr.elapsed();
  if (!beendet) spiel.kill(), spiel.waitForFinished(5000);
  ASSERT_TRUE(beendet) << "still running after the signal";
  EXPECT_EQ(spiel.exitStatus(), QProcess::NormalExit) << "ended by the signal instead of by its own quit path";
  EXPECT_EQ(spiel.exitCode(), 0);
  // Well below the length of the exit sound (1.2 s): the signal's end does not wait for it.
  EXPECT_LT(dauer, 1000) << spiel.readAllStandardError().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signale, EndeDurchSignal,
                         ::testing::Values(EndSignal{"Term", SIGTERM}, EndSignal{"Int", SIGINT}),
                         [](const ::testing::TestParamInfo<EndSignal>& info) { return std::string(info.param.name); });

// The same path inside this process, where the sounds can be counted.
class SignalImSpiel : public FormTest {
 protected:
  std::unique_ptr<TForm> haupt_;
  void TearDown() override {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    haupt_.reset();
    FormTest::TearDown();
  }
};

TEST_F(SignalImSpiel, TheSignalUnloadsEveryWindowWithoutASound) {
  HauptModul::Anwendung();
  // No display name: the toolkit would append it to every caption.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.norvane.Norvane"));
  for (int sig : {SIGTERM, SIGINT}) {
    haupt_ = HauptModul::Main();
    ASSERT_NE(haupt_, nullptr);
    TForm& f = *HauptModul::Hauptfenster();
    f.picButtonNeuesSpiel_Click();
    f.picButtonAnleitung_Click();
    ASSERT_TRUE(f.AnleitungGeladen());
    platform::sound::ClearRequests();

    HauptModul::Anwendung();  // the first signal puts the default action back
    ASSERT_EQ(std::raise(sig), 0);
    EXPECT_TRUE(Bis([&] { return f.Beendet(); }, 5000)) << sig;
    EXPECT_TRUE(Sounds().isEmpty()) << "neither the click nor the exit sound";
    EXPECT_FALSE(f.AnleitungGeladen());
    EXPECT_FALSE(f.HighscoreGeladen());
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(f.FallTimer.Enabled());
  }
}

TEST_F(SignalImSpiel, OnceTheLoopHasEndedASignalEndsTheProgramAtOnce) {
  // Nothing reads the wake-up byte during the teardown, so the handler must be gone.
  HauptModul::Anwendung();
  platform::ende::Release();
  for (int sig : {SIGTERM, SIGINT}) {
    struct sigaction jetzt {};
    ASSERT_EQ(::sigaction(sig, nullptr, &jetzt), 0);
    EXPECT_EQ(jetzt.sa_handler, SIG_DFL) << sig;
  }
}

TEST_F(SignalImSpiel, ASignalDuringAMessageBoxAnswersItAndUnloadsAfterIt) {
  HauptModul::Anwendung();
  haupt_ = HauptModul::Main();
  ASSERT_NE(haupt_, nullptr);
  TForm& f = *HauptModul::Hauptfenster();
  Eingabe& eingabe = f.EingabeForm();
  // The name entry's warning waits for OK in a loop of its own; the signal comes meanwhile.
  QTimer::singleShot(0, [] { std::raise(SIGTERM); });
  platform::dialog::MessageBox(&eingabe, QStringLiteral("Please enter your name first"),
                               QStringLiteral("-=Attention=-"), platform::dialog::Icon::Exclamation);
  EXPECT_FALSE(f.Beendet()) << "nothing is unloaded from under a waiting box";
  EXPECT_TRUE(f.EingabeGeladen());
  EXPECT_TRUE(Bis([&] { return f.Beendet(); }, 5000));
  EXPECT_FALSE(f.EingabeGeladen());
}

// ---- Captions as the window system sees them ----------------------------------------

// A private X server on a free display, stopped at the end.
class XServer {
 public:
  XServer() {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
      return;
    xvfb_.start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!xvfb_.waitForStarted(10000)) return;
    QByteArray zahl;
    while (!zahl.contains('\n') && xvfb_.waitForReadyRead(20000)) zahl += xvfb_.readAllStandardOutput();
    if (zahl.trimmed().isEmpty()) return;
    display_ = QStringLiteral(":") + QString::fromLatin1(zahl.trimmed());
  }
  ~XServer() {
    if (xvfb_.state() != QProcess::NotRunning) {
      xvfb_.terminate();
      if (!xvfb_.waitForFinished(5000)) xvfb_.kill(), xvfb_.waitForFinished(5000);
    }
  }
  bool Laeuft() const { return !display_.isEmpty(); }
  const QString& Display() const { return display_; }

  QString Aufruf(const QString& programm, const QStringList& args) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.start(programm, args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  // Ids of the program's top-level windows that carry a name.
  QStringList Fenster() const {
    QStringList ids;
    static const QRegularExpression zeile(QStringLiteral(R"(^\s*(0x[0-9a-f]+) ".*": \("norvane" "norvane"\))"),
                                          QRegularExpression::MultilineOption);
    auto treffer =
        zeile.globalMatch(Aufruf(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}));
    while (treffer.hasNext()) ids << treffer.next().captured(1);
    return ids;
  }

  // Both names the window system holds for the window: {WM_NAME, _NET_WM_NAME}.
  std::pair<QString, QString> Namen(const QString& id) const {
    const QString aus = Aufruf(QStringLiteral("xprop"),
                               {QStringLiteral("-id"), id, QStringLiteral("WM_NAME"), QStringLiteral("_NET_WM_NAME")});
    static const QRegularExpression wm(QStringLiteral(R"re(^WM_NAME\([A-Z_]+\) = "(.*)"$)re"),
                                       QRegularExpression::MultilineOption);
    static const QRegularExpression net(QStringLiteral(R"re(^_NET_WM_NAME\([A-Z_0-9]+\) = "(.*)"$)re"),
                                        QRegularExpression::MultilineOption);
    return {wm.match(aus).captured(1), net.match(aus).captured(1)};
  }

 private:
  QProcess xvfb_;
  QString display_;
};

struct Bildschirm {
  const char* name;
  std::optional<int> dpi;  // a font resolution forced on the program
  bool skalieren;          // the toolkit scales for the resolution
  const char* titel;       // the one caption the program shows
};
void PrintTo(const Bildschirm& b, std::ostream* os) { *os << b.name; }

class Beschriftung : public ::testing::TestWithParam<Bildschirm> {};

TEST_P(Beschriftung, TheWindowSystemSeesTheCaptionUnchanged) {
  XServer x;
  if (!x.Laeuft()) GTEST_SKIP() << "Xvfb, xprop or xwininfo missing (scripts/setup.sh installs them)";
  QTemporaryDir daten;
  QProcessEnvironment env = Umgebung(daten);
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("DISPLAY"), x.Display());
  if (GetParam().dpi) env.insert(QStringLiteral("QT_FONT_DPI"), QString::number(*GetParam().dpi));
  if (!GetParam().skalieren) env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
  QProcess spiel;
  spiel.setProcessEnvironment(env);
  spiel.start(Programm(), {});
  ASSERT_TRUE(spiel.waitForStarted(10000));

  QString id;
  ASSERT_TRUE(Bis(
      [&] {
        for (const QString& w : x.Fenster())
          if (!x.Namen(w).first.isEmpty()) id = w;
        return !id.isEmpty() || spiel.state() == QProcess::NotRunning;
      },
      30000));
  ASSERT_FALSE(id.isEmpty()) << "no window appeared; the program said: " << spiel.readAllStandardError().toStdString();
  const auto [wmName, netName] = x.Namen(id);
  EXPECT_EQ(wmName.toStdString(), GetParam().titel);
  EXPECT_EQ(netName.toStdString(), GetParam().titel);
  EXPECT_EQ(x.Fenster().size(), 1) << "one window only";

  ::kill(static_cast<pid_t>(spiel.processId()), SIGTERM);
  const bool beendet = spiel.waitForFinished(10000);
  if (!beendet) spiel.kill(), spiel.waitForFinished(5000);
  EXPECT_TRUE(beendet);
  EXPECT_EQ(spiel.exitStatus(), QProcess::NormalExit);
}

INSTANTIATE_TEST_SUITE_P(Xvfb, Beschriftung,
                         ::testing::Values(Bildschirm{"MainWindow", std::nullopt, true, "Kelmora"},
                                           // The toolkit scales a 120-dpi screen to the game's size, so the game runs.
                                           Bildschirm{"ScaledAt120Dpi", 120, true, "Kelmora"},
                                           // Without scaling the start-up check sees 120 dpi and only says so.
                                           Bildschirm{"UnscaledAt120Dpi", 120, false, "Error (wrong font size) :"}),
                         [](const ::testing::TestParamInfo<Bildschirm>& info) { return std::string(info.param.name); });

}  // namespace
