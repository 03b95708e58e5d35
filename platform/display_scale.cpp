// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The enlargement factor, fixed before the application object exists. The
// toolkit reads its scaling settings once, when that object is made, so the
// screen is measured first by a child process that opens the display, reads
// the primary screen and ends without the toolkit's teardown.

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/display.h"

namespace platform::display {

namespace {

int g_scale = 1;
// Variables the game set for the toolkit, with the values they had before.
std::vector<std::pair<const char*, std::optional<std::string>>> g_saved;

void Set(const char* name, const std::optional<std::string>& value) {
  const char* old = std::getenv(name);
  g_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  if (value)
    setenv(name, value->c_str(), 1);
  else
    unsetenv(name);
}

// Child side of the probe: one line "width height factor" on the pipe.
[[noreturn]] void Measure(int fd, const char* program) {
  // The game's own start reports any trouble with the display; the probe stays quiet.
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) dup2(null, STDERR_FILENO);
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  int argc = 1;
  char* argv[] = {const_cast<char*>(program), nullptr};
  QGuiApplication app(argc, argv);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const double native = screen->devicePixelRatio();
    const QSize logical = screen->geometry().size();
    char line[96];
    const int n = std::snprintf(line, sizeof line, "%ld %ld %.17g\n", std::lround(logical.width() * native),
                                std::lround(logical.height() * native), native);
    if (write(fd, line, static_cast<size_t>(n)) != n) _exit(1);
  }
  _exit(0);
}

}  // namespace

int FittingFactor(QSize px) {
  return std::max(1, std::min(px.width() / kPanel.width(), px.height() / kPanel.height()));
}

std::optional<Screen> ProbeScreen(const char* program) {
  int fd[2];
  if (pipe(fd) != 0) return std::nullopt;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    close(fd[0]);
    close(fd[1]);
    return std::nullopt;
  }
  if (child == 0) {
    close(fd[0]);
    Measure(fd[1], program);
  }
  close(fd[1]);
  std::string text;
  // A display that does not answer must not hold the start forever.
  pollfd p{fd[0], POLLIN, 0};
  char buffer[128];
  while (poll(&p, 1, 15000) > 0) {
    const ssize_t n = read(fd[0], buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  close(fd[0]);
  if (waitpid(child, nullptr, WNOHANG) == 0) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  long w = 0, h = 0;
  double native = 0;
  if (std::sscanf(text.c_str(), "%ld %ld %lf", &w, &h, &native) != 3 || w <= 0 || h <= 0 || !(native > 0))
    return std::nullopt;
  return Screen{QSize(static_cast<int>(w), static_cast<int>(h)), native};
}

std::optional<int> FixScale(std::optional<int> asked, const char* program) {
  const char* enabled = std::getenv("QT_ENABLE_HIGHDPI_SCALING");
  if (enabled && std::atoi(enabled) == 0) {
    if (asked.value_or(1) != 1) {
      std::fprintf(stderr,
                   "norvane: --scale %d is not possible: the toolkit's scaling is switched off "
                   "(QT_ENABLE_HIGHDPI_SCALING=0)\n",
                   *asked);
      return std::nullopt;
    }
    return g_scale = 1;
  }
  const std::optional<Screen> screen = ProbeScreen(program);
  const int fits = screen ? FittingFactor(screen->physicalPixels) : 1;
  if (asked && *asked > fits) {
    if (screen)
      std::fprintf(stderr, "norvane: --scale %d does not fit the screen: %d x %d pixels take at most %d\n", *asked,
                   screen->physicalPixels.width(), screen->physicalPixels.height(), fits);
    else
      std::fprintf(stderr, "norvane: --scale %d cannot be checked: the screen's size could not be read\n", *asked);
    return std::nullopt;
  }
  g_scale = asked.value_or(fits);
  // Our factor replaces the desktop's: no factor of its own, fonts at the
  // 96 dpi the layout is made for, and only the window system's own output
  // scale (Wayland) divided out.
  const double native = screen ? screen->nativeFactor : 1.0;
  char factor[40];
  std::snprintf(factor, sizeof factor, "%.17g", g_scale / native);
  Set("QT_ENABLE_HIGHDPI_SCALING", "0");
  Set("QT_SCALE_FACTOR", std::string(factor));
  Set("QT_SCREEN_SCALE_FACTORS", std::nullopt);
  Set("QT_FONT_DPI", "96");
  return g_scale;
}

void RestoreEnvironment() {
  for (auto it = g_saved.rbegin(); it != g_saved.rend(); ++it) {
    if (it->second)
      setenv(it->first, it->second->c_str(), 1);
    else
      unsetenv(it->first);
  }
  g_saved.clear();
}

int Scale() { return g_scale; }

}  // namespace platform::display
