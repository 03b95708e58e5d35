// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preview.h"

#include "canvas.h"
#include "pictures.h"

#include <QPainter>

#include <map>

namespace assetgen {

namespace {

void tile(QPainter& p, const QRect& area, const QImage& img) {
  p.save();
  p.setClipRect(area);
  for (int y = area.top(); y <= area.bottom(); y += img.height())
    for (int x = area.left(); x <= area.right(); x += img.width()) p.drawImage(x, y, img);
  p.restore();
}

}  // namespace

QImage composePreview() {
  std::map<QString, QImage> pic;
  for (NamedImage& n : renderPictures()) pic[n.file] = n.image;
  auto P = [&](const char* name) -> const QImage& { return pic.at(QString::fromLatin1(name)); };
  auto masked = [&](const char* picture, const char* mask) { return applyMask(P(picture), P(mask)); };

  QImage out(640, 480, QImage::Format_ARGB32);
  out.fill(Qt::black);
  QPainter p(&out);
  tile(p, out.rect(), P("hg_main.png"));

  // Border: strips and corners, mirrored for the bottom and right edges.
  const QImage& top = P("picrandhorizontal.png");
  const QImage& left = P("picrandvertikal.png");
  const QImage& corner = P("picecke.png");
  tile(p, QRect(6, 0, 628, 6), top);
  tile(p, QRect(6, 474, 628, 6), top.mirrored(false, true));
  tile(p, QRect(0, 6, 6, 468), left);
  tile(p, QRect(634, 6, 6, 468), left.mirrored(true, false));
  p.drawImage(0, 0, corner);
  p.drawImage(634, 0, corner.mirrored(true, false));
  p.drawImage(0, 474, corner.mirrored(false, true));
  p.drawImage(634, 474, corner.mirrored(true, true));

  // The rest follows the game's main window. The logo goes first: the well
  // frame is a widget lying over it, which hides the logo from panel x 356.
  p.drawImage(kLogoPanelPos, masked("logo.png", "logoblack.png"));

  // Well: frame walls and floor around the 10 x 20 field.
  const QPoint well(kWellFramePanelX + 20, 32);
  const QImage& frame = P("rahmenmuster.png");
  for (int y = well.y(); y < well.y() + 420; y += 20) {
    p.drawImage(well.x() - 20, y, frame);
    p.drawImage(well.x() + 200, y, frame);
  }
  for (int x = well.x(); x < well.x() + 200; x += 20) p.drawImage(x, well.y() + 400, frame);
  p.drawImage(well, P("tboxsich.png"));
  auto cell = [&](int col, int row, int kind) {
    p.drawImage(well.x() + col * 20, well.y() + row * 20,
                P(QStringLiteral("muster%1.png").arg(kind).toLatin1().constData()));
  };
  static const char* stack[] = {"..........", "..........", "..........", "..........", "..........",
                                "..........", "..........", "..........", "..........", "..........",
                                "..........", "..........", "......O...", "..Z..OO..I", ".ZZ.LOO..I",
                                ".ZSSL.TJJI", "SSLLLTTTJI", "OOJJJZZTLL", "OOIIIISZZL", "TTTLLSSJJJ"};
  static const char* kinds = "LITSZOJ";
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 10; ++c)
      if (stack[r][c] != '.') cell(c, r, static_cast<int>(std::string_view(kinds).find(stack[r][c])));
  // A falling T and one row flashing as it is removed.
  cell(3, 4, 2);
  cell(4, 4, 2);
  cell(5, 4, 2);
  cell(4, 5, 2);
  for (int c = 0; c < 10; ++c) p.drawImage(well.x() + c * 20, well.y() + 17 * 20, P("reihe.png"));
  // Pause sign over the well.
  const QImage pause = masked("pausepic.png", "pausepicbl.png");
  p.drawImage(well.x() + (200 - pause.width()) / 2, well.y() + 120, pause);
  const QImage game = masked("gameoverpic1.png", "gameoverbl1.png");
  const QImage over = masked("gameoverpic2.png", "gameoverbl2.png");
  p.drawImage(well.x() + (200 - game.width()) / 2, well.y() + 190, game);
  p.drawImage(well.x() + (200 - over.width()) / 2, well.y() + 232, over);

  // Left of the well: counters, next piece, buttons.
  const QPoint counters(45, 152);
  p.drawImage(counters, P("pkteform.png"));
  p.drawImage(counters + QPoint(16, 11), P("punktetitel.png"));
  p.drawImage(counters + QPoint(16, 35), P("leveltitel.png"));
  p.drawImage(counters + QPoint(16, 59), P("reihentitel.png"));
  const QImage& digits = P("digital.png");
  auto number = [&](QPoint at, int width, long value) {
    const int glyphs = width / kGlyphW;
    const int pad = width - glyphs * kGlyphW;
    for (int g = glyphs - 1; g >= 0; --g) {
      const bool blank = value == 0 && g < glyphs - 1;
      const int digit = blank ? 10 : static_cast<int>(value % 10);
      p.drawImage(at + QPoint(pad + g * kGlyphW, 0), digits, QRect(digit * kGlyphW, 0, kGlyphW, kGlyphH));
      value /= 10;
    }
  };
  number(counters + kCounterSlots[0].topLeft(), kCounterSlots[0].width(), 12840);
  number(counters + kCounterSlots[1].topLeft(), kCounterSlots[1].width(), 7);
  number(counters + kCounterSlots[2].topLeft(), kCounterSlots[2].width(), 11);

  const QPoint preview(85, 248);
  p.drawImage(preview, P("vorschaurahmen.png"));
  p.drawImage(preview + QPoint(53, 8), P("vorschautitel.png"));
  const QPoint slot = preview + kPreviewSlot.topLeft();
  for (int c = 0; c < 3; ++c) p.drawImage(slot + QPoint(10 + c * 20, 20), P("muster6.png"));
  p.drawImage(slot + QPoint(10, 0), P("muster6.png"));

  struct Button {
    const char* file;
    QPoint at;
  };
  const Button buttons[] = {{"btn_neuesspiel.png", {48, 360}},
                            {"btn_highscore.png", {141, 360}},
                            {"btn_copyright.png", {240, 360}},
                            {"btn_anleitung.png", {48, 408}},
                            {"btn_beenden.png", {240, 408}}};
  for (const Button& b : buttons) p.drawImage(b.at, P(b.file));
  p.drawImage(160, 420, P("linkcursor.png"));
  p.end();
  return out;
}

}  // namespace assetgen
