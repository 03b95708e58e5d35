// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icons.h"

#include "color.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace assetgen {

namespace {

// Design in a 256 unit square; both renderers read from here.
constexpr double kDesign = 256.0;
constexpr double kSquareInset = 8.0;
constexpr double kSquareRadius = 46.0;
constexpr double kCellSize = 56.0;
constexpr double kPieceLeft = 44.0;  // (256 - 3 * 56) / 2
constexpr double kPieceTop = 72.0;   // (256 - 2 * 56) / 2
constexpr double kBevel = 7.0;
// T piece: three across, one below the middle; one kind colour per cell.
constexpr int kCells[4][3] = {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {1, 1, 6}};  // col, row, kind
const QColor kSquareTop(0x2A, 0x3A, 0x5E), kSquareBottom(0x0C, 0x13, 0x25);
const QColor kSquareRim(0x4A, 0x5E, 0x8A);

QString hex(const QColor& c) { return c.name(QColor::HexRgb).toUpper(); }

}  // namespace

QImage appIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  const double s = size / kDesign;
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF sq(kSquareInset * s, kSquareInset * s, (kDesign - 2 * kSquareInset) * s,
                    (kDesign - 2 * kSquareInset) * s);
    QLinearGradient g(0, sq.top(), 0, sq.bottom());
    g.setColorAt(0.0, kSquareTop);
    g.setColorAt(1.0, kSquareBottom);
    p.setPen(QPen(kSquareRim, std::max(1.0, 4.0 * s)));
    p.setBrush(g);
    p.drawRoundedRect(sq, kSquareRadius * s, kSquareRadius * s);
  }
  QImage out = img.convertToFormat(QImage::Format_ARGB32);
  // Cells on whole pixels so they stay crisp at every size.
  const int cell = static_cast<int>(std::lround(kCellSize * s));
  const int left = (size - 3 * cell) / 2;
  const int top = (size - 2 * cell) / 2;
  const int bevel = std::max(1, static_cast<int>(std::lround(kBevel * s)));
  for (const auto& c : kCells)
    bevelCell(out, QRect(left + c[0] * cell, top + c[1] * cell, cell, cell), pieceColor(c[2]), bevel);
  return out;
}

QByteArray appIconSvg() {
  QString svg;
  svg += QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
             "  <title>Norvane</title>\n"
             "  <defs>\n"
             "    <linearGradient id=\"square\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
             "      <stop offset=\"0\" stop-color=\"%1\"/>\n"
             "      <stop offset=\"1\" stop-color=\"%2\"/>\n"
             "    </linearGradient>\n"
             "    <linearGradient id=\"body\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
             "      <stop offset=\"0\" stop-color=\"#FDFCF4\" stop-opacity=\"0.14\"/>\n"
             "      <stop offset=\"0.5\" stop-color=\"#FDFCF4\" stop-opacity=\"0\"/>\n"
             "      <stop offset=\"0.5\" stop-color=\"#000000\" stop-opacity=\"0\"/>\n"
             "      <stop offset=\"1\" stop-color=\"#000000\" stop-opacity=\"0.16\"/>\n"
             "    </linearGradient>\n"
             "  </defs>\n"
             "  <rect x=\"%3\" y=\"%3\" width=\"%4\" height=\"%4\" rx=\"%5\" fill=\"url(#square)\" "
             "stroke=\"%6\" stroke-width=\"4\"/>\n")
             .arg(hex(kSquareTop), hex(kSquareBottom))
             .arg(kSquareInset)
             .arg(kDesign - 2 * kSquareInset)
             .arg(kSquareRadius)
             .arg(hex(kSquareRim));
  for (const auto& c : kCells) {
    const double x = kPieceLeft + c[0] * kCellSize, y = kPieceTop + c[1] * kCellSize;
    const double x2 = x + kCellSize, y2 = y + kCellSize, b = kBevel;
    const QColor base = pieceColor(c[2]);
    auto n = [](double v) { return QString::number(v); };
    svg += QStringLiteral("  <g>\n");
    svg += QStringLiteral("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"%4\"/>\n")
               .arg(n(x), n(y), n(kCellSize), hex(base));
    // Lit top and left faces, shaded bottom and right faces of the chamfer.
    svg += QStringLiteral("    <polygon points=\"%1,%2 %3,%2 %4,%5 %6,%5\" fill=\"%7\"/>\n")
               .arg(n(x), n(y), n(x2), n(x2 - b), n(y + b), n(x + b), hex(lighten(base, 0.42)));
    svg += QStringLiteral("    <polygon points=\"%1,%2 %3,%4 %3,%5 %1,%6\" fill=\"%7\"/>\n")
               .arg(n(x), n(y), n(x + b), n(y + b), n(y2 - b), n(y2), hex(lighten(base, 0.42)));
    svg += QStringLiteral("    <polygon points=\"%1,%2 %3,%2 %4,%5 %6,%5\" fill=\"%7\"/>\n")
               .arg(n(x), n(y2), n(x2), n(x2 - b), n(y2 - b), n(x + b), hex(darken(base, 0.36)));
    svg += QStringLiteral("    <polygon points=\"%1,%2 %1,%3 %4,%5 %4,%6\" fill=\"%7\"/>\n")
               .arg(n(x2), n(y), n(y2), n(x2 - b), n(y2 - b), n(y + b), hex(darken(base, 0.36)));
    svg += QStringLiteral("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"url(#body)\"/>\n")
               .arg(n(x + b), n(y + b), n(kCellSize - 2 * b));
    svg += QStringLiteral("    <path d=\"M%1 %2h%3v%4h-%5v%6h-%4z\" fill=\"%7\"/>\n")
               .arg(n(x + b + 3), n(y + b + 3), n(11), n(3), n(8), n(8), hex(lighten(base, 0.6)));
    svg += QStringLiteral("  </g>\n");
  }
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}

std::vector<NamedImage> renderIcons() {
  std::vector<NamedImage> out;
  for (int size : kIconSizes) out.push_back({QStringLiteral("norvane-%1.png").arg(size), appIcon(size)});
  return out;
}

}  // namespace assetgen
