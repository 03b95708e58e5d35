// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace assetgen {

// Canonical 44-byte-header RIFF/WAVE, PCM 16-bit little-endian, mono.
QByteArray encodeWav(const std::vector<std::int16_t>& samples, int sampleRate);

struct WavInfo {
  bool valid = false;
  int format = 0;  // 1 = PCM
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  std::vector<std::int16_t> samples;
};

// Reads back what encodeWav writes (walks the chunks, so extra chunks are fine).
WavInfo decodeWav(const QByteArray& bytes);

}  // namespace assetgen
