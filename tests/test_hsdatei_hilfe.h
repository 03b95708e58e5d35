// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the highscore-file tests keep their files.

#include <QDir>
#include <QFileInfo>
#include <QString>

// In memory where the machine offers it: the random tests rewrite thousands of
// small files, and on a disk that discards freed blocks each rewrite waits.
inline QString HsTestVorlage() {
  const QFileInfo shm(QStringLiteral("/dev/shm"));
  const QString basis = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
  return basis + QStringLiteral("/norvane-hs-XXXXXX");
}
