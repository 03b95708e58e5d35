// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sounds.h"
#include "synth.h"
#include "wav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

using namespace assetgen;

namespace {

const std::map<QString, std::vector<std::int16_t>>& sounds() {
  static const auto all = [] {
    std::map<QString, std::vector<std::int16_t>> m;
    for (NamedSound& s : renderSounds()) m.emplace(s.file, std::move(s.samples));
    return m;
  }();
  return all;
}

double seconds(const std::vector<std::int16_t>& s) { return static_cast<double>(s.size()) / kSampleRate; }

int peak(const std::vector<std::int16_t>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  int p = 0;
  for (std::size_t i = from; i < std::min(to, s.size()); ++i) p = std::max(p, std::abs(int(s[i])));
  return p;
}

// Strongest period between 80 and 1200 Hz by normalised autocorrelation.
double pitch(const std::vector<std::int16_t>& s, double from, double to) {
  const auto a = static_cast<std::size_t>(from * kSampleRate), b = static_cast<std::size_t>(to * kSampleRate);
  double best = -1;
  int bestLag = 0;
  for (int lag = kSampleRate / 1200; lag <= kSampleRate / 80; ++lag) {
    double num = 0, den = 0;
    for (std::size_t i = a; i + lag < b; ++i) {
      num += double(s[i]) * s[i + lag];
      den += double(s[i]) * s[i];
    }
    const double r = den > 0 ? num / den : 0;
    if (r > best + 1e-9) {
      best = r;
      bestLag = lag;
    }
  }
  return double(kSampleRate) / bestLag;
}

struct SoundCase {
  const char* file;
  double minSeconds, maxSeconds;
};
// Test names and failures show the file, not the bytes of the case.
void PrintTo(const SoundCase& c, std::ostream* os) { *os << c.file; }

const SoundCase kSounds[] = {
    {"CLICK.WAV", 0.025, 0.06}, {"ROTATE.WAV", 0.05, 0.1},    {"DOWN.WAV", 0.07, 0.14}, {"ROW1.WAV", 0.25, 0.7},
    {"ROW2.WAV", 0.25, 0.7},    {"ROW3.WAV", 0.25, 0.7},      {"ROW4.WAV", 0.25, 0.7},  {"INPUT.WAV", 0.02, 0.045},
    {"ENTRY.WAV", 0.3, 0.5},    {"HIGHSCOR.WAV", 0.45, 0.75}, {"HELP.WAV", 0.2, 0.4},   {"TADA.WAV", 1.0, 1.5},
    {"GAMEOVER.WAV", 1.2, 1.8}, {"EXIT.WAV", 1.0, 1.5},
};

}  // namespace

class Sound : public ::testing::TestWithParam<SoundCase> {};

TEST_P(Sound, LengthLevelAndSoftEdges) {
  const SoundCase want = GetParam();
  ASSERT_EQ(sounds().count(QString::fromLatin1(want.file)), 1u) << want.file << " missing";
  const auto& s = sounds().at(QString::fromLatin1(want.file));
  EXPECT_GE(seconds(s), want.minSeconds);
  EXPECT_LE(seconds(s), want.maxSeconds);
  const int p = peak(s);
  const double db = 20.0 * std::log10(p / 32768.0);
  EXPECT_NEAR(db, -3.0, 0.5);
  EXPECT_LT(p, 32767) << "clipped";
  // Starts and ends in silence: no click at either end.
  EXPECT_LT(std::abs(int(s.front())), 300);
  EXPECT_LT(std::abs(int(s.back())), 300);
  EXPECT_LT(peak(s, s.size() - 8), p / 4);
}

INSTANTIATE_TEST_SUITE_P(All, Sound, ::testing::ValuesIn(kSounds), [](const auto& info) {
  std::string n = info.param.file;
  return n.substr(0, n.find('.'));
});

TEST(Sounds, ExactlyTheListedFiles) { EXPECT_EQ(sounds().size(), std::size(kSounds)); }

TEST(Sounds, RowClearsGrowWithTheRowCount) {
  double previous = 0;
  for (const char* f : {"ROW1.WAV", "ROW2.WAV", "ROW3.WAV", "ROW4.WAV"}) {
    const double len = seconds(sounds().at(QString::fromLatin1(f)));
    EXPECT_GT(len, previous) << f;
    previous = len;
  }
}

TEST(Sounds, AllDifferent) {
  for (auto a = sounds().begin(); a != sounds().end(); ++a)
    for (auto b = std::next(a); b != sounds().end(); ++b)
      EXPECT_NE(a->second, b->second) << a->first.toStdString() << " == " << b->first.toStdString();
}

TEST(Sounds, GameOverDescends) {
  const auto& s = sounds().at(QStringLiteral("GAMEOVER.WAV"));
  EXPECT_GT(pitch(s, 0.02, 0.2), pitch(s, 0.8, 1.1) * 1.3);
}

TEST(Synth, RenderNormalisesToTheRequestedPeak) {
  Mix m(0.1);
  m.tone(0.0, 0.1, 440, 440, 0.1, Wave::Sine, Envelope{0.01, 1.0, 0.01});
  for (double db : {-3.0, -6.0, -12.0}) {
    const auto s = m.render(db);
    EXPECT_NEAR(peak(s), std::pow(10.0, db / 20.0) * 32767.0, 1.0) << db;
  }
}

TEST(Synth, SilenceStaysSilent) {
  const Mix m(0.05);
  const auto s = m.render();
  ASSERT_EQ(s.size(), static_cast<std::size_t>(std::lround(0.05 * kSampleRate)));
  EXPECT_EQ(peak(s), 0);
}

TEST(Synth, AttackRisesSoftly) {
  Mix m(0.2);
  m.tone(0.0, 0.2, 300, 300, 1.0, Wave::Triangle, Envelope{0.02, 10.0, 0.02});
  const auto& raw = m.samples();
  double early = 0, late = 0;
  for (std::size_t i = 0; i < 44; ++i) early = std::max(early, std::abs(raw[i]));  // first 2 ms
  for (std::size_t i = 1000; i < 2000; ++i) late = std::max(late, std::abs(raw[i]));
  EXPECT_LT(early, 0.1 * late);
  EXPECT_GT(late, 0.9);
}

TEST(Synth, ToneLandsWhereItIsScheduled) {
  Mix m(0.3);
  m.tone(0.1, 0.1, 500, 500, 1.0, Wave::Sine, Envelope{0.005, 1.0, 0.005});
  const auto& raw = m.samples();
  const auto at = [](double t) { return static_cast<std::size_t>(t * kSampleRate); };
  for (std::size_t i = 0; i < at(0.1); ++i) ASSERT_EQ(raw[i], 0.0) << i;
  for (std::size_t i = at(0.2) + 1; i < raw.size(); ++i) ASSERT_EQ(raw[i], 0.0) << i;
  double mid = 0;
  for (std::size_t i = at(0.14); i < at(0.16); ++i) mid = std::max(mid, std::abs(raw[i]));
  EXPECT_GT(mid, 0.9);
}

TEST(Synth, GlideMovesThePitch) {
  Mix m(0.6);
  m.tone(0.0, 0.6, 200, 400, 1.0, Wave::Sine, Envelope{0.005, 100.0, 0.005});
  const auto s = m.render();
  EXPECT_NEAR(pitch(s, 0.0, 0.06), 200.0 * std::pow(2.0, 0.05), 12.0);
  EXPECT_NEAR(pitch(s, 0.54, 0.6), 400.0 * std::pow(2.0, -0.05), 25.0);
}

TEST(Wav, HeaderIsCanonicalPcm16Mono) {
  const std::vector<std::int16_t> samples{0, 1, -1, 32767, -32767, 1234};
  const QByteArray b = encodeWav(samples, kSampleRate);
  ASSERT_EQ(b.size(), 44 + 2 * static_cast<qsizetype>(samples.size()));
  EXPECT_EQ(b.left(4), "RIFF");
  EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
  EXPECT_EQ(b.mid(36, 4), "data");
  const WavInfo info = decodeWav(b);
  ASSERT_TRUE(info.valid);
  EXPECT_EQ(info.format, 1);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.sampleRate, 22050);
  EXPECT_EQ(info.bitsPerSample, 16);
  EXPECT_EQ(info.samples, samples);
  // Little-endian sample data: 32767 at index 3.
  EXPECT_EQ(static_cast<unsigned char>(b[44 + 6]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(b[44 + 7]), 0x7F);
}

TEST(Wav, DecodeRejectsDamagedFiles) {
  const QByteArray good = encodeWav({1, 2, 3, 4}, kSampleRate);
  EXPECT_FALSE(decodeWav(good.left(good.size() - 2)).valid);
  QByteArray wrongMagic = good;
  wrongMagic[0] = 'X';
  EXPECT_FALSE(decodeWav(wrongMagic).valid);
  EXPECT_FALSE(decodeWav(QByteArray()).valid);
}
