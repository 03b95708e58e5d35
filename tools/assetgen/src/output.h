// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace assetgen {

struct AssetFile {
  QString path;  // relative to the output root, e.g. "pictures/logo.png"
  QByteArray bytes;
};

QByteArray encodePng(const QImage& img);

// Everything the generator produces, encoded, in a fixed order.
std::vector<AssetFile> renderAllFiles();

// Writes renderAllFiles() below `root`, creating pictures/, icons/, sounds/.
// Returns false and fills `error` on the first failure.
bool writeAssets(const QString& root, QString* error, int* written = nullptr);

}  // namespace assetgen
