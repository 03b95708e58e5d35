// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shared by the picture families: the colour theme, painter set-up and the
// parts one family borrows from another. Internal to the generator.

#include "canvas.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace assetgen::picparts {

inline constexpr double kPi = 3.14159265358979323846;

// Night-blue / slate theme.
inline const QColor kInk(0x07, 0x0B, 0x14);          // outlines
inline const QColor kNavyOutline(0x0A, 0x10, 0x22);  // outline of signs and titles
inline const QColor kPlateTop(0x16, 0x20, 0x34);
inline const QColor kPlateBottom(0x0F, 0x16, 0x26);
inline const QColor kCaptionText(0xB9, 0xCB, 0xEA);
inline const QColor kLabelText(0xF0, 0xF4, 0xFF);
inline const QColor kLabelShadow(0x09, 0x0E, 0x1C);
inline const QColor kPanelBehind(0x16, 0x1F, 0x31);  // average of the dark window backgrounds

QImage transparentLayer(int w, int h);
void setupPainter(QPainter& p);
// Adds v to every channel of every pixel of a tile, shaped by `f(x, y)`.
void modulate(QImage& img, const std::function<double(int, int)>& f);

// Cells.
QImage frameCell();
QImage flashCell();
QImage wellBackground();
void paintGlyph(QImage& img, int glyph);

// Plates.
QImage borderStrip(bool horizontal);
QImage borderCorner();
QImage plate(QSize size, std::uint32_t seed);
void cutSlot(QImage& img, const QRect& r);

// Signs and titles.
struct TitleStyle {
  QColor top, middle, bottom;  // letter fill gradient
  QColor ring;                 // bright ring between fill and outline
  double outline;              // outline pen width
  double ringWidth;
};

inline const TitleStyle kGameOverStyle{
    QColor(0xFF, 0xE0, 0x5A), QColor(0xFF, 0x86, 0x2E), QColor(0xE2, 0x34, 0x4E), QColor(0x7F, 0xE6, 0xFF), 6.5, 3.0};
inline const TitleStyle kTitleStyle{
    QColor(0xFF, 0xE8, 0x8A), QColor(0xFF, 0xC1, 0x3A), QColor(0xE8, 0x82, 0x1A), QColor(0x7F, 0xE6, 0xFF), 8.0, 3.6};

MaskedPair titleSign(int w, int h, const QString& text, const TitleStyle& st, double margin, double stretch = 1.0);
MaskedPair pauseSign();
MaskedPair logo();

// Buttons and tiles.
QImage button(int w, int h, const QString& label);
QImage mainTile();
QImage highscoreTile();
QImage entryTile();
QImage helpTile();
QImage infoTile();

// Other pictures.
QImage infoPicture();
QImage makerLogo();
QImage linkCursor();

}  // namespace assetgen::picparts
