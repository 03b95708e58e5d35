// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace assetgen {

struct NamedSound {
  QString file;                       // upper-case 8.3 name, e.g. CLICK.WAV
  std::vector<std::int16_t> samples;  // mono, kSampleRate
};

// All sounds of assets/sounds, in a fixed order.
std::vector<NamedSound> renderSounds();

}  // namespace assetgen
