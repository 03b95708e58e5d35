// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

// Oscillator shapes, all kept mellow (few, quickly falling harmonics).
enum class Wave { Sine, Triangle, Soft, Brass, Bell };

// Attack / exponential decay / release envelope, all in seconds.
struct Envelope {
  double attack = 0.005;
  double decay = 0.2;     // time constant of the exponential fall after the attack
  double release = 0.02;  // linear fade at the end of the note
};

double midiToHz(double note);

// Floating-point mono mix buffer of a fixed length.
class Mix {
 public:
  explicit Mix(double seconds);

  // A note from `start` lasting `length`, gliding exponentially from f0 to f1.
  void tone(double start, double length, double f0, double f1, double amp, Wave wave, const Envelope& env,
            double vibratoDepth = 0.0, double vibratoRate = 5.5);
  // Seeded noise through a one-pole low-pass at `cutoff` Hz.
  void noise(double start, double length, double amp, double cutoff, const Envelope& env, std::uint32_t seed);
  // Simple feedback echo for a little room on the longer jingles.
  void echo(double delay, double feedback);

  // Scales the peak to `peakDb` dBFS, fades the very ends, converts to PCM.
  std::vector<std::int16_t> render(double peakDb = -3.0) const;

  const std::vector<double>& samples() const { return buf_; }

 private:
  std::vector<double> buf_;
};

}  // namespace assetgen
