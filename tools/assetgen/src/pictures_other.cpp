// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The about box picture, the maker logo and the link cursor.

#include "picture_kit.h"
#include "pictures.h"

#include "color.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace assetgen {

namespace picparts {

// ---------------------------------------------------------------- other ----

QImage infoPicture() {
  // A slim steel-framed well with a tower of settled cells and a piece
  // dropping onto it. Opaque, because the game loads pictures without alpha.
  const int w = 61, h = 166, rim = 5, cell = 17;
  QImage img = newImage(w, h, kInk);
  const QColor steelHi(0xC4, 0xCE, 0xDC), steelLo(0x4A, 0x54, 0x68);
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) {
      const int ring = std::min({x, y, w - 1 - x, h - 1 - y});
      if (ring >= rim) continue;
      const bool lit = (y == ring && y <= w - 1 - x) || (x == ring && x <= h - 1 - y);
      const double t = (x + y) / double(w + h);
      QColor c = mix(QColor(0x9A, 0xA6, 0xB8), QColor(0x5E, 0x69, 0x7E), t);
      if (ring == 1) c = lit ? steelHi : steelLo;
      if (ring == rim - 1) c = lit ? darken(c, 0.45) : lighten(c, 0.25);  // lip of the opening
      img.setPixelColor(x, y, c);
    }
  const QRect inside(rim, rim, w - 2 * rim, h - 2 * rim);  // 51 x 156: three cells across
  const QColor top(0x0D, 0x16, 0x2A), bottom(0x07, 0x0C, 0x19);
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QColor row = mix(top, bottom, (y - inside.top()) / double(inside.height()));
      const bool grid = (x - inside.left()) % cell == 0 || (inside.bottom() + 1 - y) % cell == 0;
      img.setPixelColor(x, y, grid ? shift(row, 10) : row);
    }
  // Rows counted from the bottom of the opening.
  static const char* rows[9] = {"OOI", "OOI", ".SI", "SSI", "S..", "...", "...", "TTT", ".T."};
  static const char* kinds = "LITSZOJ";
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 3; ++c) {
      const char k = rows[r][c];
      if (k == '.') continue;
      const int kind = static_cast<int>(std::string_view(kinds).find(k));
      bevelCell(img, QRect(inside.left() + c * cell, inside.bottom() + 1 - (r + 1) * cell, cell, cell),
                pieceColor(kind), 2);
    }
  return img;
}

QImage makerLogo() {
  const int w = 140, h = 48;
  QImage img = newImage(w, h, Qt::white);
  QPainter p(&img);
  setupPainter(p);
  const QFont nameFont = boldFont(19);
  QFont worksFont = boldFont(9, QStringLiteral("Liberation Sans"));
  worksFont.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
  const QString name = QStringLiteral("Norvane"), works = QStringLiteral("WORKS");
  const double nameW = QFontMetricsF(nameFont).horizontalAdvance(name);
  const int mark = 26, gap = 7;
  const int left = static_cast<int>(std::lround((w - (mark + gap + nameW)) / 2.0));
  p.end();
  // Mark: an O piece of four colours.
  const int cell = mark / 2, top = (h - mark) / 2;
  const int markKinds[4] = {0, 1, 2, 3};
  for (int i = 0; i < 4; ++i)
    bevelCell(img, QRect(left + (i % 2) * cell, top + (i / 2) * cell, cell, cell), pieceColor(markKinds[i]), 1, false);
  p.begin(&img);
  setupPainter(p);
  const double textX = left + mark + gap;
  p.setFont(nameFont);
  p.setPen(QColor(0x14, 0x21, 0x3D));
  p.drawText(QRectF(textX, 6, nameW + 2, 24), Qt::AlignLeft | Qt::AlignVCenter, name);
  p.setFont(worksFont);
  p.setPen(QColor(0xC2, 0x62, 0x1A));
  p.drawText(QRectF(textX, 29, nameW, 12), Qt::AlignHCenter | Qt::AlignVCenter, works);
  p.end();
  return img;
}

QImage linkCursor() {
  // Pixel-art pointing hand; X outline, o fill. The tip of the index
  // finger is the hotspot at (10, 2).
  static const char* art[] = {
      "",
      ".........XXXX",
      "........XooooX",
      "........XooooX",
      "........XooooX",
      "........XooooX",
      "........XooooX",
      "........XooooX",
      "........XooooXXXXX",
      "........XooooXooooXXXXX",
      "........XooooXooooXooooX",
      "........XooooXooooXooooXXXX",
      "........XooooXooooXooooXoooX",
      "........XooooXooooXooooXoooX",
      "..XXXX..XooooXooooXooooXoooX",
      ".XooooX.XooooXooooXooooXoooX",
      ".XooooooXooooXooooXooooXoooX",
      "..XoooooooooooooooooooooooooX",
      "..XoooooooooooooooooooooooooX",
      "...XooooooooooooooooooooooooX",
      "....XoooooooooooooooooooooooX",
      "....XoooooooooooooooooooooooX",
      ".....XooooooooooooooooooooooX",
      ".....XoooooooooooooooooooooX",
      "......XooooooooooooooooooooX",
      ".......XooooooooooooooooooX",
      ".......XooooooooooooooooooX",
      ".......XXXXXXXXXXXXXXXXXXXX",
  };
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  auto at = [&](int x, int y) -> char {
    if (y < 0 || y >= int(std::size(art))) return '.';
    const std::string_view row(art[y]);
    return x >= 0 && x < int(row.size()) ? row[static_cast<std::size_t>(x)] : '.';
  };
  // Soft drop shadow one pixel down-right.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (at(x - 1, y - 1) != '.' && at(x, y) == '.') img.setPixel(x, y, qRgba(0, 0, 0, 90));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const char c = at(x, y);
      if (c == 'X') img.setPixel(x, y, qRgba(0x0B, 0x10, 0x1C, 255));
      if (c == 'o') {
        // Shade the side of each finger that faces away from the light.
        const bool shaded = at(x + 1, y) == 'X' && y > 3;
        img.setPixel(x, y, shaded ? qRgba(0xC9, 0xD2, 0xE2, 255) : qRgba(0xF8, 0xFA, 0xFF, 255));
      }
    }
  return img;
}

}  // namespace picparts

using namespace picparts;

}  // namespace assetgen
