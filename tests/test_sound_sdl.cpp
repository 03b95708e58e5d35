// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The real playback path through the audio library's dummy driver.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "platform/sound.h"

namespace {

QByteArray Wav(int samples) {
  QByteArray pcm(samples * 2, '\0');
  QByteArray out;
  auto u32 = [&](quint32 v) { out.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](quint16 v) { out.append(reinterpret_cast<const char*>(&v), 2); };
  out.append("RIFF");
  u32(static_cast<quint32>(36 + pcm.size()));
  out.append("WAVEfmt ");
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(44100);
  u16(2);
  u16(16);
  out.append("data");
  u32(static_cast<quint32>(pcm.size()));
  out.append(pcm);
  return out;
}

class RealSound : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sound::ClearRequests();
    platform::sound::SetRecording(false);
  }
  void TearDown() override { platform::sound::SetRecording(true); }
};

TEST_F(RealSound, TheDummyDeviceCountsAndPlaysWithoutBlockingLong) {
  EXPECT_GE(platform::sound::OutputDeviceCount(), 1);
  QTemporaryDir dir;
  const QString path = dir.filePath("SHORT.WAV");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Wav(441));  // 20 ms
  f.close();
  platform::sound::PlayAsync(path);
  platform::sound::PlaySync(path);
  EXPECT_TRUE(platform::sound::Requests().isEmpty()) << "played, not recorded";
}

TEST_F(RealSound, MissingAndBrokenFilesPlayNothingAndDoNotFail) {
  QTemporaryDir dir;
  platform::sound::PlayAsync(dir.filePath("NOPE.WAV"));
  platform::sound::PlaySync(dir.filePath("NOPE.WAV"));
  const QString broken = dir.filePath("BROKEN.WAV");
  QFile f(broken);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Wav(441).left(30));
  f.close();
  platform::sound::PlayAsync(broken);
  platform::sound::PlaySync(broken);
  // The device stays usable after the failed requests.
  EXPECT_GE(platform::sound::OutputDeviceCount(), 1);
  EXPECT_TRUE(platform::sound::Requests().isEmpty());
}

// Writes a silent wave file of the given length in milliseconds.
QString WavDatei(const QTemporaryDir& dir, const QString& name, int ms) {
  const QString path = dir.filePath(name);
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(Wav(22050 * ms / 1000));
  return path;
}

TEST_F(RealSound, EveryRequestStopsTheSoundPlayingEvenWhenItsOwnFileIsMissingOrBroken) {
  QTemporaryDir dir;
  const QString lang = WavDatei(dir, "LONG.WAV", 20000);
  const QString kurz = WavDatei(dir, "SHORT.WAV", 20);
  const QString kaputt = dir.filePath("BROKEN.WAV");
  QFile f(kaputt);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Wav(441).left(30));
  f.close();

  for (const QString& naechste : {dir.filePath("NOPE.WAV"), kaputt, kurz}) {
    platform::sound::PlayAsync(lang);
    ASSERT_GT(platform::sound::RemainingMs(), 10000) << "the long sound plays";
    platform::sound::PlayAsync(naechste);
    EXPECT_LE(platform::sound::RemainingMs(), 20) << naechste.toStdString();
  }
  // The synchronous request ends the long sound too, and returns when its own has played.
  platform::sound::PlayAsync(lang);
  platform::sound::PlaySync(WavDatei(dir, "EXIT.WAV", 300));
  EXPECT_EQ(platform::sound::RemainingMs(), 0) << "returned before its sound had played";
  platform::sound::PlayAsync(lang);
  platform::sound::PlaySync(dir.filePath("NOPE.WAV"));
  EXPECT_EQ(platform::sound::RemainingMs(), 0);
}

}  // namespace
