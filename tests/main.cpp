// Test runner: a headless toolkit, the virtual clock, recorded sounds and a
// private data directory, so every test is deterministic and leaves no trace.

#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include "platform/sound.h"
#include "platform/timer.h"

int main(int argc, char** argv) {
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
