// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas.h"
#include "output.h"
#include "pictures.h"
#include "preview.h"
#include "wav.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace assetgen;

namespace {

const std::vector<AssetFile>& files() {
  static const std::vector<AssetFile> all = renderAllFiles();
  return all;
}

}  // namespace

TEST(Output, OneFileOfEachKindInTheRightFolder) {
  std::set<QString> paths;
  int pictures = 0, icons = 0, sounds = 0;
  for (const AssetFile& f : files()) {
    EXPECT_TRUE(paths.insert(f.path).second) << "duplicate " << f.path.toStdString();
    if (f.path.startsWith(QLatin1String("pictures/"))) {
      ++pictures;
      EXPECT_TRUE(f.path.endsWith(QLatin1String(".png")));
    } else if (f.path.startsWith(QLatin1String("icons/"))) {
      ++icons;
    } else if (f.path.startsWith(QLatin1String("sounds/"))) {
      ++sounds;
      EXPECT_TRUE(f.path.endsWith(QLatin1String(".WAV")));
      EXPECT_EQ(f.path, f.path.toUpper().replace(QLatin1String("SOUNDS/"), QLatin1String("sounds/")));
    } else {
      ADD_FAILURE() << "unexpected " << f.path.toStdString();
    }
  }
  EXPECT_EQ(pictures, 47);
  EXPECT_EQ(icons, 5);
  EXPECT_EQ(sounds, 14);
  EXPECT_TRUE(paths.count(QStringLiteral("icons/norvane.svg")));
  EXPECT_TRUE(paths.count(QStringLiteral("icons/norvane-256.png")));
}

TEST(Output, EveryPngIsRgba8) {
  for (const AssetFile& f : files()) {
    if (!f.path.endsWith(QLatin1String(".png"))) continue;
    ASSERT_GT(f.bytes.size(), 33) << f.path.toStdString();
    EXPECT_EQ(f.bytes.mid(1, 3), "PNG");
    EXPECT_EQ(f.bytes.mid(12, 4), "IHDR");
    EXPECT_EQ(static_cast<int>(f.bytes[24]), 8) << "bit depth of " << f.path.toStdString();
    EXPECT_EQ(static_cast<int>(f.bytes[25]), 6) << "colour type of " << f.path.toStdString();
  }
}

TEST(Output, EveryWavDecodes) {
  for (const AssetFile& f : files()) {
    if (!f.path.endsWith(QLatin1String(".WAV"))) continue;
    const WavInfo info = decodeWav(f.bytes);
    EXPECT_TRUE(info.valid) << f.path.toStdString();
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_EQ(info.channels, 1);
    EXPECT_FALSE(info.samples.empty());
  }
}

TEST(Output, RenderingTwiceGivesTheSameBytes) {
  const std::vector<AssetFile> again = renderAllFiles();
  ASSERT_EQ(again.size(), files().size());
  for (std::size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].path, files()[i].path);
    EXPECT_TRUE(again[i].bytes == files()[i].bytes) << again[i].path.toStdString() << " is not reproducible";
  }
}

TEST(Output, WritesTheTreeBelowTheRoot) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString root = dir.filePath(QStringLiteral("assets"));
  QString error;
  int written = 0;
  ASSERT_TRUE(writeAssets(root, &error, &written)) << error.toStdString();
  EXPECT_EQ(written, static_cast<int>(files().size()));
  for (const AssetFile& f : files()) {
    QFile in(QDir(root).filePath(f.path));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << f.path.toStdString();
    EXPECT_TRUE(in.readAll() == f.bytes) << f.path.toStdString();
  }
}

TEST(Output, ReportsAnUnwritableRoot) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A plain file where the root directory should be.
  const QString blocker = dir.filePath(QStringLiteral("file"));
  QFile f(blocker);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  QString error;
  EXPECT_FALSE(writeAssets(blocker, &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(Preview, PanelOfTheRightSizeShowingTheParts) {
  const QImage img = composePreview();
  ASSERT_EQ(img.size(), QSize(640, 480));
  std::set<QRgb> colours;
  for (int y = 0; y < img.height(); y += 3)
    for (int x = 0; x < img.width(); x += 3) colours.insert(img.pixel(x, y));
  EXPECT_GT(colours.size(), 500u);
}

TEST(Preview, WellFrameCoversTheLogoAsInTheGame) {
  const QImage img = composePreview();
  std::map<QString, QImage> pic;
  for (NamedImage& n : renderPictures()) pic[n.file] = n.image;
  const QImage logo = applyMask(pic.at(QStringLiteral("logo.png")), pic.at(QStringLiteral("logoblack.png")));
  const QImage& frame = pic.at(QStringLiteral("rahmenmuster.png"));
  int shown = 0;
  for (int y = 0; y < logo.height(); ++y) {
    const int py = kLogoPanelPos.y() + y;
    for (int x = 0; x < logo.width(); ++x) {
      const int px = kLogoPanelPos.x() + x;
      if (px >= kWellFramePanelX && px < kWellFramePanelX + 20) {
        // The left wall of the well, one frame cell every 20 px from y 32.
        ASSERT_EQ(img.pixel(px, py), frame.pixel(px - kWellFramePanelX, (py - 32) % 20)) << px << "," << py;
      } else if (px < kWellFramePanelX && qAlpha(logo.pixel(x, y)) == 255) {
        ASSERT_EQ(img.pixel(px, py), logo.pixel(x, y)) << px << "," << py;
        ++shown;
      }
    }
  }
  EXPECT_GT(shown, 3000);
}
