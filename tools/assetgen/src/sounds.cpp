// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sounds.h"

#include "synth.h"

#include <cmath>

namespace assetgen {

namespace {

Envelope env(double attack, double decay, double release) { return Envelope{attack, decay, release}; }

std::vector<std::int16_t> click() {
  Mix m(0.040);
  m.tone(0.0, 0.040, 2100, 1500, 0.8, Wave::Sine, env(0.0015, 0.008, 0.01));
  m.noise(0.0, 0.012, 0.15, 2500, env(0.0008, 0.003, 0.005), 0xC11Cu);
  return m.render();
}

std::vector<std::int16_t> rotate() {
  Mix m(0.070);
  m.tone(0.0, 0.070, 620, 940, 0.8, Wave::Triangle, env(0.004, 0.035, 0.02));
  m.tone(0.0, 0.070, 1240, 1880, 0.15, Wave::Sine, env(0.004, 0.02, 0.02));
  return m.render();
}

std::vector<std::int16_t> down() {
  Mix m(0.100);
  m.tone(0.0, 0.100, 150, 62, 1.0, Wave::Sine, env(0.003, 0.035, 0.03));
  m.noise(0.0, 0.050, 0.35, 700, env(0.002, 0.012, 0.02), 0xD0E1u);
  return m.render();
}

// Row clears: an upward arpeggio that grows with the number of rows; more
// rows add notes, an octave layer and finally a sparkle.
std::vector<std::int16_t> rows(int count) {
  static const double lengths[4] = {0.26, 0.38, 0.52, 0.70};
  static const int arpeggio[6] = {72, 76, 79, 84, 88, 91};  // C major, rising
  const double total = lengths[count - 1];
  Mix m(total);
  const int notes = count + 1;
  const double step = count == 4 ? 0.07 : 0.06;
  for (int i = 0; i < notes; ++i) {
    const double start = i * step;
    const double f = midiToHz(arpeggio[i] + (count - 1) * 2);
    const double len = total - start;
    const bool last = i == notes - 1;
    m.tone(start, len, f, f, last ? 0.7 : 0.5, Wave::Soft, env(0.006, last ? len * 0.45 : 0.07, 0.05));
    if (count >= 2) m.tone(start, len, f * 2, f * 2, 0.16, Wave::Sine, env(0.006, 0.06, 0.04));
    if (count >= 3) m.tone(start, len, f * 1.003, f * 1.003, 0.2, Wave::Triangle, env(0.01, 0.1, 0.05));
  }
  if (count == 4) {
    for (int i = 0; i < 6; ++i) {
      const double f = midiToHz(96 + (i % 3) * 4);
      m.tone(0.3 + i * 0.05, 0.25, f, f, 0.12, Wave::Bell, env(0.002, 0.06, 0.05));
    }
  }
  return m.render();
}

std::vector<std::int16_t> input() {
  Mix m(0.030);
  m.tone(0.0, 0.030, 2600, 2300, 0.8, Wave::Sine, env(0.001, 0.006, 0.008));
  return m.render();
}

std::vector<std::int16_t> entry() {
  Mix m(0.40);
  m.tone(0.00, 0.40, midiToHz(88), midiToHz(88), 0.6, Wave::Bell, env(0.002, 0.16, 0.08));
  m.tone(0.09, 0.31, midiToHz(95), midiToHz(95), 0.5, Wave::Bell, env(0.002, 0.14, 0.08));
  return m.render();
}

std::vector<std::int16_t> highscore() {
  Mix m(0.60);
  const int notes[4] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    const double start = i * 0.075;
    const double len = i == 3 ? 0.60 - start : 0.11;
    const double f = midiToHz(notes[i]);
    m.tone(start, len, f, f, i == 3 ? 0.7 : 0.55, Wave::Brass, env(0.012, i == 3 ? 0.22 : 0.09, i == 3 ? 0.12 : 0.03),
           i == 3 ? 0.006 : 0.0);
  }
  m.tone(0.225, 0.375, midiToHz(76), midiToHz(76), 0.3, Wave::Soft, env(0.02, 0.2, 0.12));
  m.echo(0.07, 0.22);
  return m.render();
}

std::vector<std::int16_t> help() {
  Mix m(0.30);
  m.tone(0.00, 0.14, midiToHz(79), midiToHz(79), 0.6, Wave::Triangle, env(0.006, 0.08, 0.04));
  m.tone(0.11, 0.19, midiToHz(86), midiToHz(86), 0.6, Wave::Triangle, env(0.006, 0.09, 0.06), 0.004);
  return m.render();
}

std::vector<std::int16_t> tada() {
  Mix m(1.20);
  // Two pick-up notes, then a held major chord.
  m.tone(0.00, 0.12, midiToHz(67), midiToHz(67), 0.5, Wave::Brass, env(0.01, 0.08, 0.03));
  m.tone(0.12, 0.12, midiToHz(72), midiToHz(72), 0.5, Wave::Brass, env(0.01, 0.08, 0.03));
  const int chord[4] = {60, 64, 67, 72};
  for (int i = 0; i < 4; ++i) {
    const double f = midiToHz(chord[i]);
    m.tone(0.26, 0.94, f, f, 0.35, Wave::Brass, env(0.02, 0.5, 0.25), 0.005, 5.0 + i * 0.3);
  }
  m.tone(0.26, 0.94, midiToHz(84), midiToHz(84), 0.12, Wave::Bell, env(0.003, 0.3, 0.2));
  m.noise(0.26, 0.2, 0.04, 3500, env(0.002, 0.05, 0.05), 0x7ADAu);
  m.echo(0.09, 0.2);
  return m.render();
}

std::vector<std::int16_t> gameOver() {
  Mix m(1.50);
  // Falling minor line that slows down, ending on a low sighing note.
  const int notes[4] = {72, 68, 65, 60};
  const double starts[4] = {0.0, 0.22, 0.46, 0.74};
  for (int i = 0; i < 4; ++i) {
    const double len = i == 3 ? 1.50 - starts[i] : 0.26;
    const double f = midiToHz(notes[i]);
    const double f1 = i == 3 ? f * std::pow(2.0, -1.0 / 12.0) : f;
    m.tone(starts[i], len, f, f1, 0.6, Wave::Soft, env(0.015, i == 3 ? 0.4 : 0.14, i == 3 ? 0.3 : 0.06),
           i == 3 ? 0.008 : 0.0, 4.5);
    m.tone(starts[i], len, f * 0.5, f1 * 0.5, 0.25, Wave::Triangle, env(0.02, i == 3 ? 0.45 : 0.16, 0.08));
  }
  m.echo(0.11, 0.18);
  return m.render();
}

std::vector<std::int16_t> goodbye() {
  Mix m(1.20);
  const int notes[4] = {84, 79, 76, 72};
  for (int i = 0; i < 4; ++i) {
    const double start = i * 0.14;
    const double len = i == 3 ? 1.20 - start : 0.2;
    const double f = midiToHz(notes[i]);
    m.tone(start, len, f, f, 0.55, Wave::Bell, env(0.003, i == 3 ? 0.35 : 0.12, i == 3 ? 0.2 : 0.05));
    m.tone(start, len, f, f, 0.25, Wave::Triangle, env(0.01, i == 3 ? 0.3 : 0.1, 0.06));
  }
  // Closing soft chord under the last note.
  for (int n : {60, 64, 67}) {
    const double f = midiToHz(n);
    m.tone(0.42, 0.78, f, f, 0.18, Wave::Soft, env(0.06, 0.4, 0.25));
  }
  m.echo(0.1, 0.2);
  return m.render();
}

}  // namespace

std::vector<NamedSound> renderSounds() {
  return {
      {QStringLiteral("CLICK.WAV"), click()},       {QStringLiteral("ROTATE.WAV"), rotate()},
      {QStringLiteral("DOWN.WAV"), down()},         {QStringLiteral("ROW1.WAV"), rows(1)},
      {QStringLiteral("ROW2.WAV"), rows(2)},        {QStringLiteral("ROW3.WAV"), rows(3)},
      {QStringLiteral("ROW4.WAV"), rows(4)},        {QStringLiteral("INPUT.WAV"), input()},
      {QStringLiteral("ENTRY.WAV"), entry()},       {QStringLiteral("HIGHSCOR.WAV"), highscore()},
      {QStringLiteral("HELP.WAV"), help()},         {QStringLiteral("TADA.WAV"), tada()},
      {QStringLiteral("GAMEOVER.WAV"), gameOver()}, {QStringLiteral("EXIT.WAV"), goodbye()},
  };
}

}  // namespace assetgen
