// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace assetgen {

struct NamedImage {
  QString file;  // file name inside its output directory
  QImage image;
};

// The seven piece kinds in game order: 0 L, 1 I, 2 T, 3 S, 4 Z, 5 O, 6 J.
inline constexpr int kPieceKinds = 7;
inline constexpr int kCell = 20;
QColor pieceColor(int kind);
QImage pieceCell(int kind);

// Seven-segment digit strip: 11 glyphs of 14 x 20, glyph 10 is all unlit.
inline constexpr int kGlyphW = 14;
inline constexpr int kGlyphH = 20;
inline constexpr int kGlyphCount = 11;
// Segments a..g in the usual order (a top, b top-right, c bottom-right,
// d bottom, e bottom-left, f top-left, g middle), relative to a glyph.
const std::array<QRect, 7>& segmentRects();
// Bit s set means segment s is lit for that glyph; glyph 10 lights none.
std::uint8_t litSegments(int glyph);
QImage digitStrip();

// Counter panel and its digit slots / caption boxes, in panel coordinates.
inline constexpr QSize kCounterPanelSize{273, 81};
inline constexpr std::array<QRect, 3> kCounterSlots{QRect(160, 8, 94, 20), QRect(224, 32, 30, 20),
                                                    QRect(192, 56, 62, 20)};
QImage counterPanel();

inline constexpr QSize kPreviewFrameSize{193, 89};
inline constexpr QRect kPreviewSlot{56, 40, 80, 40};
QImage previewFrame();

// A caption picture cut from the plate it sits on, so it blends in.
struct CaptionPlacement {
  const char* file;
  const char* text;
  QRect box;       // position on its plate; the size is the picture size
  bool onPreview;  // false: counter panel, true: preview frame
  bool centred;
};
const std::vector<CaptionPlacement>& captionPlacements();
QImage caption(const CaptionPlacement& c);

// The masked picture pairs: picture file, mask file.
struct MaskedFiles {
  const char* picture;
  const char* mask;
};
const std::vector<MaskedFiles>& maskedFiles();

// The game draws the 220 x 91 logo at panel x = 210 and its well frame from
// panel x = 356 on, over the logo: only the logo's columns x < 146 ever show.
// The title keeps to x < kLogoVisibleWidth; the columns right of it are white
// in the picture and in the mask.
inline constexpr QPoint kLogoPanelPos{210, 35};
inline constexpr int kWellFramePanelX = 356;
inline constexpr int kLogoVisibleWidth = 142;
static_assert(kLogoPanelPos.x() + kLogoVisibleWidth <= kWellFramePanelX);

// Tiles meant to be repeated in both directions.
const std::vector<const char*>& seamlessTiles();

// All pictures of assets/pictures, in a fixed order.
std::vector<NamedImage> renderPictures();

// Hotspot of linkcursor.png (tip of the index finger).
inline constexpr QPoint kCursorHotspot{10, 2};

}  // namespace assetgen
