// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wav.h"

#include <cstring>

namespace assetgen {

namespace {
void put16(QByteArray& b, std::uint16_t v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>(v >> 8));
}
void put32(QByteArray& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}
std::uint32_t get(const QByteArray& b, qsizetype at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}
}  // namespace

QByteArray encodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  QByteArray b;
  b.reserve(static_cast<qsizetype>(44 + dataBytes));
  b.append("RIFF", 4);
  put32(b, 36 + dataBytes);
  b.append("WAVE", 4);
  b.append("fmt ", 4);
  put32(b, 16);
  put16(b, 1);  // PCM
  put16(b, 1);  // mono
  put32(b, static_cast<std::uint32_t>(sampleRate));
  put32(b, static_cast<std::uint32_t>(sampleRate) * 2);  // byte rate
  put16(b, 2);                                           // block align
  put16(b, 16);
  b.append("data", 4);
  put32(b, dataBytes);
  for (std::int16_t s : samples) put16(b, static_cast<std::uint16_t>(s));
  return b;
}

WavInfo decodeWav(const QByteArray& b) {
  WavInfo info;
  if (b.size() < 12 || std::memcmp(b.constData(), "RIFF", 4) != 0 || std::memcmp(b.constData() + 8, "WAVE", 4) != 0 ||
      get(b, 4, 4) + 8 != static_cast<std::uint32_t>(b.size()))
    return info;
  bool haveFmt = false;
  qsizetype at = 12;
  while (at + 8 <= b.size()) {
    const QByteArray id = b.mid(at, 4);
    const qsizetype len = get(b, at + 4, 4);
    const qsizetype body = at + 8;
    if (body + len > b.size()) return info;
    if (id == "fmt " && len >= 16) {
      info.format = static_cast<int>(get(b, body, 2));
      info.channels = static_cast<int>(get(b, body + 2, 2));
      info.sampleRate = static_cast<int>(get(b, body + 4, 4));
      info.bitsPerSample = static_cast<int>(get(b, body + 14, 2));
      haveFmt = true;
    } else if (id == "data" && haveFmt && info.bitsPerSample == 16) {
      info.samples.resize(static_cast<std::size_t>(len / 2));
      for (qsizetype i = 0; i < len / 2; ++i)
        info.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(get(b, body + 2 * i, 2));
      info.valid = true;
    }
    at = body + len + (len & 1);
  }
  return info;
}

}  // namespace assetgen
