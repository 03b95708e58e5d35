// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "synth.h"

#include "color.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
constexpr double kTau = 6.28318530717958647692;

double envelopeAt(const Envelope& e, double t, double length) {
  double a = e.attack > 0 ? std::min(1.0, t / e.attack) : 1.0;
  // Raised-cosine attack: no click at the onset.
  a = 0.5 - 0.5 * std::cos(a * kTau / 2.0);
  const double d = std::exp(-std::max(0.0, t - e.attack) / std::max(1e-4, e.decay));
  const double left = length - t;
  const double r = e.release > 0 ? std::clamp(left / e.release, 0.0, 1.0) : 1.0;
  return a * d * r;
}

double oscillator(Wave w, double phase) {
  const double s1 = std::sin(phase);
  switch (w) {
    case Wave::Sine: return s1;
    case Wave::Triangle: {
      const double x = phase / kTau - std::floor(phase / kTau);
      return 1.0 - 4.0 * std::abs(x - 0.5);
    }
    case Wave::Soft:  // odd harmonics falling as 1/n^2: rounded square
      return (s1 + std::sin(3 * phase) / 9.0 + std::sin(5 * phase) / 25.0 + std::sin(7 * phase) / 49.0) * 0.9;
    case Wave::Brass:  // all harmonics falling as 1/n: warm and bright, not buzzy
      return (s1 + std::sin(2 * phase) / 2.0 + std::sin(3 * phase) / 3.0 + std::sin(4 * phase) / 5.0 +
              std::sin(5 * phase) / 8.0) *
             0.6;
    case Wave::Bell:  // handled in tone(): inharmonic partials decay separately
      return s1;
  }
  return s1;
}
}  // namespace

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

Mix::Mix(double seconds) : buf_(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0) {}

void Mix::tone(double start, double length, double f0, double f1, double amp, Wave wave, const Envelope& env,
               double vibratoDepth, double vibratoRate) {
  const auto first = static_cast<long>(std::lround(start * kSampleRate));
  const auto count = static_cast<long>(std::lround(length * kSampleRate));
  double phase = 0.0;
  // Bell partials: ratio, relative level, relative decay.
  static const double bell[4][3] = {{1.0, 1.0, 1.0}, {2.76, 0.45, 0.55}, {5.40, 0.22, 0.3}, {2.0, 0.3, 0.8}};
  double bellPhase[4] = {0, 0, 0, 0};
  for (long i = 0; i < count; ++i) {
    const long idx = first + i;
    if (idx < 0) continue;
    if (idx >= static_cast<long>(buf_.size())) break;
    const double t = static_cast<double>(i) / kSampleRate;
    double f = f0 * std::pow(f1 / f0, t / std::max(1e-6, length));
    if (vibratoDepth > 0) f *= 1.0 + vibratoDepth * std::sin(kTau * vibratoRate * t) * std::min(1.0, t / 0.15);
    double v;
    if (wave == Wave::Bell) {
      v = 0.0;
      for (int k = 0; k < 4; ++k) {
        bellPhase[k] += kTau * f * bell[k][0] / kSampleRate;
        Envelope pe = env;
        pe.decay = env.decay * bell[k][2];
        v += bell[k][1] * std::sin(bellPhase[k]) * envelopeAt(pe, t, length);
      }
      v *= 0.6;
    } else {
      phase += kTau * f / kSampleRate;
      v = oscillator(wave, phase) * envelopeAt(env, t, length);
    }
    buf_[static_cast<std::size_t>(idx)] += amp * v;
  }
}

void Mix::noise(double start, double length, double amp, double cutoff, const Envelope& env, std::uint32_t seed) {
  Rng rng(seed);
  const auto first = static_cast<long>(std::lround(start * kSampleRate));
  const auto count = static_cast<long>(std::lround(length * kSampleRate));
  const double k = 1.0 - std::exp(-kTau * cutoff / kSampleRate);
  double y = 0.0;
  for (long i = 0; i < count; ++i) {
    const long idx = first + i;
    y += k * (rng.signedUnit() - y);
    if (idx < 0) continue;
    if (idx >= static_cast<long>(buf_.size())) break;
    const double t = static_cast<double>(i) / kSampleRate;
    buf_[static_cast<std::size_t>(idx)] += amp * y * envelopeAt(env, t, length);
  }
}

void Mix::echo(double delay, double feedback) {
  const auto d = static_cast<std::size_t>(std::lround(delay * kSampleRate));
  if (d == 0) return;
  for (std::size_t i = d; i < buf_.size(); ++i) buf_[i] += feedback * buf_[i - d];
}

std::vector<std::int16_t> Mix::render(double peakDb) const {
  std::vector<double> s = buf_;
  // Short raised-cosine fades at both ends guarantee silence at the edges.
  const std::size_t fadeIn = std::min<std::size_t>(s.size() / 4, kSampleRate / 1000);
  const std::size_t fadeOut = std::min<std::size_t>(s.size() / 4, kSampleRate * 6 / 1000);
  for (std::size_t i = 0; i < fadeIn; ++i) s[i] *= 0.5 - 0.5 * std::cos(kTau / 2.0 * static_cast<double>(i) / fadeIn);
  for (std::size_t i = 0; i < fadeOut; ++i)
    s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kTau / 2.0 * static_cast<double>(i) / fadeOut);
  double peak = 0.0;
  for (double v : s) peak = std::max(peak, std::abs(v));
  const double target = std::pow(10.0, peakDb / 20.0) * 32767.0;
  const double gain = peak > 0 ? target / peak : 0.0;
  std::vector<std::int16_t> out(s.size());
  for (std::size_t i = 0; i < s.size(); ++i)
    out[i] = static_cast<std::int16_t>(std::clamp(std::lround(s[i] * gain), -32767L, 32767L));
  return out;
}

}  // namespace assetgen
