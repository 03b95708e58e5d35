// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>
#include <bit>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

namespace platform::files {

QString ProgramDirectory() {
  QString dir = QCoreApplication::applicationDirPath();
  if (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) dir.chop(1);
  return dir;
}

QString SoundDirectory() {
  const QString beside = ProgramDirectory();
  if (QFileInfo::exists(beside + QStringLiteral("/CLICK.WAV"))) return beside;
  const QString installed = QDir::cleanPath(beside + QStringLiteral("/../share/norvane"));
  if (QFileInfo(installed).isDir()) return installed;
  return beside;
}

QString HighscoreDirectory() {
  // The per-user data directory: a system-wide one would not be writable by a
  // normal user, and every save would be lost.
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
  const QString dir = base + QStringLiteral("/norvane");
  QDir().mkpath(dir);
  return dir;
}

}  // namespace platform::files

namespace platform::random {

namespace {
// xoshiro256** : small, fast and good enough for choosing pieces.
uint64_t g_s[4] = {0x9E3779B97F4A7C15ull, 0xBF58476D1CE4E5B9ull, 0x94D049BB133111EBull, 0x2545F4914F6CDD1Dull};

uint64_t SplitMix(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t Next() {
  const uint64_t result = std::rotl(g_s[1] * 5, 7) * 9;
  const uint64_t t = g_s[1] << 17;
  g_s[2] ^= g_s[0];
  g_s[3] ^= g_s[1];
  g_s[1] ^= g_s[2];
  g_s[0] ^= g_s[3];
  g_s[2] ^= t;
  g_s[3] = std::rotl(g_s[3], 45);
  return result;
}
}  // namespace

void Randomize(double seed) {
  // Mixed into the running state rather than replacing it, so two reseeds in
  // the same clock instant still give independent choices.
  uint64_t bits = 0;
  std::memcpy(&bits, &seed, sizeof bits);
  uint64_t x = bits ^ Next();
  for (auto& s : g_s) s ^= SplitMix(x);
  if ((g_s[0] | g_s[1] | g_s[2] | g_s[3]) == 0) g_s[0] = 1;
}

double Rnd() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

void Reset(uint64_t seed) {
  uint64_t x = seed;
  for (auto& s : g_s) s = SplitMix(x);
}

}  // namespace platform::random

namespace platform::links {

namespace {
std::function<void(const QString&)> g_seam;
}

void SetSeam(std::function<void(const QString&)> seam) { g_seam = std::move(seam); }

void Open(const QString& url) {
  if (g_seam) {
    g_seam(url);
    return;
  }
  QDesktopServices::openUrl(QUrl(url));
}

}  // namespace platform::links

namespace platform::ende {

namespace {
int g_pipe[2] = {-1, -1};
std::function<void()> g_ende;

void Handler(int) {
  // Only async-signal-safe work here: one byte to wake the event loop.
  const int saved = errno;
  const char c = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &c, 1);
  errno = saved;
}
}  // namespace

void OnTerminate(std::function<void()> ende) {
  g_ende = std::move(ende);
  if (g_pipe[0] < 0) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
      char buffer[16];
      while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
      }
      if (g_ende) g_ende();
    });
  }
  struct sigaction sa {};
  sa.sa_handler = Handler;
  sigemptyset(&sa.sa_mask);
  // After the first signal the default action is back: a second one is not held up by a slow exit.
  sa.sa_flags = SA_RESTART | SA_RESETHAND;
  ::sigaction(SIGTERM, &sa, nullptr);
  ::sigaction(SIGINT, &sa, nullptr);
}

namespace {
void NachExit(int status, void*) {
  if (status != 0) {
    static const char text[] = "norvane: the connection to the display is lost; the game ends.\n";
    [[maybe_unused]] const ssize_t n = ::write(2, text, sizeof text - 1);
  }
  std::_Exit(status);
}
}  // namespace

void Wache() { ::on_exit(NachExit, nullptr); }

void Release() {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  g_ende = nullptr;
}

}  // namespace platform::ende
