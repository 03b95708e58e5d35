// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

namespace assetgen {

// A mock 640 x 480 game panel assembled from the generated pictures, for
// judging the look as a whole.
QImage composePreview();

}  // namespace assetgen
