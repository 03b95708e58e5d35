// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/sound.h"

#include "platform/sound.h"
#include "platform/system.h"

namespace HauptModul {

bool SoundAn = true;

QString SoundPfad(const QString& Datei) {
  QString dir = platform::files::SoundDirectory();
  // A program started from the root directory: keep exactly one separator.
  if (dir.endsWith(QLatin1Char('/'))) dir.chop(1);
  return dir + QLatin1Char('/') + Datei;
}

void SoundAbspielen(const QString& Datei) {
  if (platform::sound::OutputDeviceCount() == 0) return;
  if (!SoundAn) return;
  platform::sound::PlayAsync(SoundPfad(Datei));
}

}  // namespace HauptModul
