// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Test runner: a headless toolkit, the virtual clock, recorded sounds and a
// private data directory, so every test is deterministic and leaves no trace.
// NORVANE_MONKEY_SEED and NORVANE_MONKEY_EVENTS set the long random run.

#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "monkey.h"
#include "platform/sound.h"
#include "platform/timer.h"

namespace {
QtMessageHandler g_handler = nullptr;
// The headless platform says so whenever a window asks to be raised or shaped.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  g_handler(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
  std::string error;
  if (!monkey::ReadEnvironment(error)) {
    std::fprintf(stderr, "norvane_tests: %s\n", error.c_str());
    return 2;
  }
  g_handler = qInstallMessageHandler(QuietHandler);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("SDL_AUDIODRIVER", "dummy");
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  platform::clock::UseVirtual();
  platform::sound::SetRecording(true);
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("norvane"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
