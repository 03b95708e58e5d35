// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output.h"

#include "icons.h"
#include "pictures.h"
#include "sounds.h"
#include "synth.h"
#include "wav.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace assetgen {

QByteArray encodePng(const QImage& img) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  // Always RGBA, whatever the content, so every picture is 32-bit.
  writer.write(img.convertToFormat(QImage::Format_ARGB32));
  return bytes;
}

std::vector<AssetFile> renderAllFiles() {
  std::vector<AssetFile> files;
  for (const NamedImage& p : renderPictures())
    files.push_back({QStringLiteral("pictures/") + p.file, encodePng(p.image)});
  for (const NamedImage& i : renderIcons()) files.push_back({QStringLiteral("icons/") + i.file, encodePng(i.image)});
  files.push_back({QStringLiteral("icons/norvane.svg"), appIconSvg()});
  for (const NamedSound& s : renderSounds())
    files.push_back({QStringLiteral("sounds/") + s.file, encodeWav(s.samples, kSampleRate)});
  return files;
}

bool writeAssets(const QString& root, QString* error, int* written) {
  const QDir base(root);
  int count = 0;
  for (const AssetFile& f : renderAllFiles()) {
    const QString target = base.filePath(f.path);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
      if (error) *error = QStringLiteral("cannot create directory for %1").arg(target);
      return false;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(f.bytes) != f.bytes.size()) {
      if (error) *error = QStringLiteral("cannot write %1: %2").arg(target, out.errorString());
      return false;
    }
    ++count;
  }
  if (written) *written = count;
  return true;
}

}  // namespace assetgen
