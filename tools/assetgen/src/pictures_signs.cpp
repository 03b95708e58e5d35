// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Masked signs: the game-over and pause signs, the titles and the logo.

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

// ------------------------------------------------------- signs & titles ----

void paintTitleText(QPainter& p, const QPainterPath& path, const QRectF& box, const TitleStyle& st) {
  p.setPen(QPen(kNavyOutline, st.outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kNavyOutline);
  p.drawPath(path);
  p.setPen(QPen(st.ring, st.ringWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  const QRectF b = path.boundingRect();
  QLinearGradient g(0, b.top(), 0, b.bottom());
  g.setColorAt(0.0, st.top);
  g.setColorAt(0.5, st.middle);
  g.setColorAt(1.0, st.bottom);
  p.fillPath(path, g);
  // Gloss on the upper half of the letters.
  p.save();
  p.setClipPath(path);
  QLinearGradient gloss(0, b.top(), 0, b.center().y());
  gloss.setColorAt(0.0, QColor(255, 255, 240, 110));
  gloss.setColorAt(1.0, QColor(255, 255, 240, 20));
  p.fillRect(QRectF(box.left(), b.top(), box.width(), b.height() * 0.5), gloss);
  p.restore();
}

MaskedPair titleSign(int w, int h, const QString& text, const TitleStyle& st, double margin, double stretch) {
  QImage layer = transparentLayer(w, h);
  QPainter p(&layer);
  setupPainter(p);
  const QRectF box(margin, margin, w - 2 * margin, h - 2 * margin);
  paintTitleText(p, fitPath(textPath(text), box, stretch), box, st);
  p.end();
  return toMaskedPair(layer, kNavyOutline);
}

MaskedPair pauseSign() {
  const int w = 190, h = 48;
  QImage layer = transparentLayer(w, h);
  QPainter p(&layer);
  setupPainter(p);
  const QRectF plateR(1.0, 1.0, w - 2.0, h - 2.0);
  QLinearGradient body(0, 0, 0, h);
  body.setColorAt(0.0, QColor(0x2F, 0x43, 0x6C));
  body.setColorAt(1.0, QColor(0x12, 0x1B, 0x31));
  p.setPen(QPen(kNavyOutline, 2.0));
  p.setBrush(body);
  p.drawRoundedRect(plateR, 12, 12);
  QLinearGradient rim(0, 0, 0, h);
  rim.setColorAt(0.0, QColor(0xFF, 0xDE, 0x78));
  rim.setColorAt(1.0, QColor(0xB8, 0x78, 0x1C));
  p.setPen(QPen(QBrush(rim), 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(plateR.adjusted(2.5, 2.5, -2.5, -2.5), 9.5, 9.5);
  QLinearGradient inner(0, 0, 0, h);
  inner.setColorAt(0.0, QColor(0x86, 0xA2, 0xD6, 160));
  inner.setColorAt(0.5, QColor(0x86, 0xA2, 0xD6, 0));
  p.setPen(QPen(QBrush(inner), 1.0));
  p.drawRoundedRect(plateR.adjusted(5.0, 5.0, -5.0, -5.0), 7, 7);

  // Pause bars and the word, centred together on the plate.
  const QPainterPath word = textPath(QStringLiteral("PAUSE"), QStringLiteral("DejaVu Sans"), 6);
  const double textH = 22.0;
  const double scale = textH / word.boundingRect().height();
  const double textW = word.boundingRect().width() * scale;
  const double barsW = 16.0, gap = 12.0;
  const double left = (w - (barsW + gap + textW)) / 2.0;
  const QRectF textBox(left + barsW + gap, (h - textH) / 2.0, textW, textH);
  const QPainterPath fitted = fitPath(word, textBox);
  QLinearGradient gold(0, textBox.top(), 0, textBox.bottom());
  gold.setColorAt(0.0, QColor(0xFF, 0xE6, 0x8C));
  gold.setColorAt(1.0, QColor(0xF2, 0xA8, 0x2C));
  p.setPen(Qt::NoPen);
  p.setBrush(kLabelShadow);
  p.drawPath(fitted.translated(1.5, 1.5));
  p.fillPath(fitted, gold);
  for (int i = 0; i < 2; ++i) {
    const QRectF bar(left + i * 10.0, textBox.top(), 6.0, textH);
    p.setBrush(kLabelShadow);
    p.drawRoundedRect(bar.translated(1.5, 1.5), 1.5, 1.5);
    p.setBrush(gold);
    p.drawRoundedRect(bar, 1.5, 1.5);
  }
  p.end();
  return toMaskedPair(layer, kNavyOutline);
}

void paintMiniPiece(QImage& layer, const std::vector<QPoint>& cells, int size, int kind) {
  // Outline first, then bevelled cells: the pieces keep a dark edge on any
  // background the logo is shown on.
  for (const QPoint& c : cells) fillRect(layer, QRect(c.x() - 1, c.y() - 1, size + 2, size + 2), kNavyOutline);
  for (const QPoint& c : cells) bevelCell(layer, QRect(c, QSize(size, size)), pieceColor(kind), 2, false);
}

MaskedPair logo() {
  // The picture keeps its 220 x 91 size, but in the game the well frame
  // covers everything from x = kLogoVisibleWidth + 4 on, so the title is
  // set on two lines inside the visible part and the rest stays white.
  const int w = 220, h = 91;
  const int visible = kLogoVisibleWidth;

  // Letter outlines at 100 px, one path per letter so each gets its colour.
  QFont f = boldFont(100);
  f.setHintingPreference(QFont::PreferNoHinting);
  const QFontMetricsF fm(f);
  const double spacing = 5.0;
  auto setLine = [&](const QString& word) {
    std::vector<QPainterPath> letters;
    for (int i = 0; i < word.size(); ++i) {
      QPainterPath l;
      l.addText(fm.horizontalAdvance(word.left(i)) + i * spacing, 0, f, word.mid(i, 1));
      letters.push_back(l);
    }
    return letters;
  };
  auto bounds = [](const std::vector<QPainterPath>& letters) {
    QRectF b;
    for (const QPainterPath& l : letters) b = b.united(l.boundingRect());
    return b;
  };
  const std::vector<QPainterPath> top = setLine(QStringLiteral("NOR"));
  const std::vector<QPainterPath> bottom = setLine(QStringLiteral("VANE"));
  const QRectF tb = bounds(top), bb = bounds(bottom);

  // Both lines share one scale; the longer bottom line spans the block and
  // the piece dropping beside "NOR" makes the top line as long.
  const double outline = 7.0;
  const double margin = outline / 2.0 + 1.0;
  const double gap = 5.0;
  const QRectF block(margin, margin, visible - 2 * margin, h - 2 * margin);
  const double sx = block.width() / bb.width();
  const double lineH = (block.height() - gap) / 2.0;
  const double sy = std::min(lineH / bb.height(), sx * 1.3);
  const double used = 2 * bb.height() * sy + gap;
  const double top0 = block.top() + (block.height() - used) / 2.0;
  QTransform tTop, tBottom;
  tTop.translate(block.left(), top0);
  tTop.scale(sx, sy);
  tTop.translate(-tb.left(), -bb.top());
  tBottom.translate(block.left(), top0 + bb.height() * sy + gap);
  tBottom.scale(sx, sy);
  tBottom.translate(-bb.left(), -bb.top());

  QImage layer(w, h, QImage::Format_ARGB32);
  layer.fill(Qt::transparent);

  // A small piece falling into the space right of "NOR", centred between
  // the outline of the R and the edge of the visible part.
  const int s = 10;
  const double roomLeft = tTop.map(QPointF(tb.right(), 0)).x() + outline / 2.0;
  const int px = static_cast<int>(std::lround((roomLeft + visible - 2 * s) / 2.0));
  const int py = static_cast<int>(std::lround(top0 + (bb.height() * sy - 3 * s) / 2.0));
  paintMiniPiece(layer, {{px, py}, {px, py + s}, {px + s, py + s}, {px + s, py + 2 * s}}, s, 3);  // S

  QImage text = transparentLayer(w, h);
  QPainter p(&text);
  setupPainter(p);
  QPainterPath all;
  for (const QPainterPath& l : top) all.addPath(tTop.map(l));
  for (const QPainterPath& l : bottom) all.addPath(tBottom.map(l));
  p.setPen(QPen(kNavyOutline, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kNavyOutline);
  p.drawPath(all);
  p.setPen(QPen(QColor(0xE6, 0xEE, 0xFF), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(all);
  // One piece colour per letter, each line shaded on its own.
  const int order[7] = {1, 6, 0, 5, 3, 4, 2};
  int next = 0;
  for (const auto& [letters, t] : {std::pair{&top, tTop}, std::pair{&bottom, tBottom}}) {
    QPainterPath line;
    for (const QPainterPath& l : *letters) line.addPath(t.map(l));
    const QRectF lb = line.boundingRect();
    for (const QPainterPath& l : *letters) {
      const QColor base = pieceColor(order[next++]);
      QLinearGradient g(0, lb.top(), 0, lb.bottom());
      g.setColorAt(0.0, lighten(base, 0.45));
      g.setColorAt(0.55, base);
      g.setColorAt(1.0, darken(base, 0.3));
      p.fillPath(t.map(l), g);
    }
    p.save();
    p.setClipPath(line);
    QLinearGradient gloss(0, lb.top(), 0, lb.center().y());
    gloss.setColorAt(0.0, QColor(255, 255, 240, 120));
    gloss.setColorAt(1.0, QColor(255, 255, 240, 25));
    p.fillRect(QRectF(0, lb.top(), visible, lb.height() * 0.48), gloss);
    p.restore();
  }
  p.end();

  QPainter merge(&layer);
  merge.drawImage(0, 0, text);
  merge.end();
  return toMaskedPair(layer, kNavyOutline);
}

}  // namespace picparts

using namespace picparts;

const std::vector<MaskedFiles>& maskedFiles() {
  static const std::vector<MaskedFiles> m{
      {"gameoverpic1.png", "gameoverbl1.png"}, {"gameoverpic2.png", "gameoverbl2.png"},
      {"pausepic.png", "pausepicbl.png"},      {"logo.png", "logoblack.png"},
      {"hstitel.png", "hstitelbl.png"},        {"anleittitel.png", "anleittitelbl.png"},
  };
  return m;
}

}  // namespace assetgen
