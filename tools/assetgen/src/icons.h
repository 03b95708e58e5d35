// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pictures.h"

#include <QByteArray>
#include <QImage>

#include <array>
#include <vector>

namespace assetgen {

inline constexpr std::array<int, 4> kIconSizes{48, 64, 128, 256};

// App icon: four bevelled cells forming a T piece on a rounded dark square,
// transparent outside the square.
QImage appIcon(int size);
// The same design as hand-written SVG (256 x 256 view box).
QByteArray appIconSvg();

// norvane-48.png ... norvane-256.png (the SVG is written separately).
std::vector<NamedImage> renderIcons();

}  // namespace assetgen
