// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// norvane-assetgen: draws every picture and synthesises every sound of the
// game, so the assets can be rebuilt byte for byte from source.
#include "output.h"
#include "preview.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
  // Nothing is shown on screen; default to the offscreen platform so the
  // tool also runs on machines without a display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();

  if (args.size() == 3 && args[1] == QStringLiteral("--preview")) {
    if (!assetgen::composePreview().save(args[2], "PNG")) {
      std::fprintf(stderr, "norvane-assetgen: cannot write %s\n", qPrintable(args[2]));
      return 1;
    }
    return 0;
  }
  if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
    std::fprintf(stderr,
                 "usage: norvane-assetgen <output-root>\n"
                 "       norvane-assetgen --preview <file.png>\n"
                 "Writes <output-root>/pictures, <output-root>/icons and <output-root>/sounds.\n");
    return 2;
  }
  QString error;
  int written = 0;
  if (!assetgen::writeAssets(args[1], &error, &written)) {
    std::fprintf(stderr, "norvane-assetgen: %s\n", qPrintable(error));
    return 1;
  }
  std::printf("norvane-assetgen: wrote %d files below %s\n", written, qPrintable(args[1]));
  return 0;
}
