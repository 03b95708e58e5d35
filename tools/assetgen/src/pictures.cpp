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

namespace {

constexpr double kPi = 3.14159265358979323846;

// Night-blue / slate theme.
const QColor kInk(0x07, 0x0B, 0x14);          // outlines
const QColor kNavyOutline(0x0A, 0x10, 0x22);  // outline of signs and titles
const QColor kPlateTop(0x16, 0x20, 0x34);
const QColor kPlateBottom(0x0F, 0x16, 0x26);
const QColor kCaptionText(0xB9, 0xCB, 0xEA);
const QColor kLabelText(0xF0, 0xF4, 0xFF);
const QColor kLabelShadow(0x09, 0x0E, 0x1C);
const QColor kPanelBehind(0x16, 0x1F, 0x31);  // average of the dark window backgrounds

QImage transparentLayer(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

void setupPainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
}

// Adds v to every channel of every pixel of a tile, shaped by `f(x, y)`.
void modulate(QImage& img, const std::function<double(int, int)>& f) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      img.setPixelColor(x, y, shift(c, static_cast<int>(std::lround(f(x, y)))));
    }
}

// ---------------------------------------------------------------- cells ----

QImage frameCell() {
  // Brushed steel with a blue cast, lit from the top-left, one rivet.
  QImage img = newImage(kCell, kCell, Qt::black);
  const QColor hi(0xA7, 0xB3, 0xC6), lo(0x5A, 0x65, 0x7A);
  Rng rng(0x5EE1u);
  std::array<int, kCell> grain{};
  for (int& g : grain) g = static_cast<int>(rng.below(5)) - 2;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const double t = (x + y) / double(2 * kCell - 2);
      img.setPixelColor(x, y, shift(mix(hi, lo, t), grain[static_cast<std::size_t>(y)]));
    }
  fillRect(img, QRect(0, 0, kCell, 1), QColor(0xD2, 0xDB, 0xE8));
  fillRect(img, QRect(0, 1, 1, kCell - 1), QColor(0xC4, 0xCE, 0xDC));
  fillRect(img, QRect(1, kCell - 1, kCell - 1, 1), QColor(0x30, 0x38, 0x48));
  fillRect(img, QRect(kCell - 1, 1, 1, kCell - 2), QColor(0x3A, 0x43, 0x55));
  // Rivet: a dome shaded by the top-left light, with a shadow down-right.
  const QColor shadowC(0x3A, 0x42, 0x52), domeLight(0xE6, 0xEC, 0xF4), domeDark(0x4E, 0x58, 0x6B);
  const double cx = 10.0, cy = 10.0, radius = 3.2;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      const double nx = (x + 0.5 - cx) / radius, ny = (y + 0.5 - cy) / radius;
      const double d = std::hypot(nx, ny);
      if (d <= 1.0) {
        const double lit = std::clamp(0.5 - 0.6 * (nx + ny) / std::sqrt(2.0), 0.0, 1.0);
        img.setPixelColor(x, y, mix(domeDark, domeLight, lit));
      } else if (std::hypot(nx - 0.35, ny - 0.35) <= 1.05) {
        img.setPixelColor(x, y, shadowC);
      }
    }
  return img;
}

QImage flashCell() {
  // White rim around a pale-gold glow: readable as a flash on any piece colour.
  QImage img = newImage(kCell, kCell, Qt::white);
  const QColor pale(0xFF, 0xF6, 0xC8), gold(0xFF, 0xD2, 0x4A);
  for (int y = 2; y < kCell - 2; ++y)
    for (int x = 2; x < kCell - 2; ++x) {
      const double d = std::hypot(x + 0.5 - 10.0, y + 0.5 - 10.0) / 8.5;
      img.setPixelColor(x, y, mix(gold, pale, std::clamp(d, 0.0, 1.0)));
    }
  fillRect(img, QRect(1, 1, kCell - 2, 1), QColor(0xFF, 0xFB, 0xE6));
  fillRect(img, QRect(1, kCell - 2, kCell - 2, 1), QColor(0xFF, 0xEE, 0xA8));
  return img;
}

QImage wellBackground() {
  QImage img = newImage(200, 400, Qt::black);
  const QColor top(0x0D, 0x16, 0x2A), bottom(0x07, 0x0C, 0x19);
  const QColor line(0x17, 0x23, 0x3C), node(0x21, 0x30, 0x4F);
  for (int y = 0; y < img.height(); ++y) {
    const QColor row = mix(top, bottom, y / double(img.height() - 1));
    for (int x = 0; x < img.width(); ++x) {
      const bool vx = x % kCell == 0, hy = y % kCell == 0;
      QColor c = row;
      if (vx && hy)
        c = node;
      else if (vx || hy)
        c = mix(row, line, 0.85);
      img.setPixelColor(x, y, c);
    }
  }
  return img;
}

// -------------------------------------------------------------- digits ----

void paintGlyph(QImage& img, int glyph) {
  const QColor litHi(0xFF, 0xCB, 0x5C), litLo(0xF0, 0x98, 0x1C);
  const QColor offHi(0x16, 0x0F, 0x05), offLo(0x12, 0x0C, 0x04);
  const int ox = glyph * kGlyphW;
  const std::uint8_t lit = litSegments(glyph);
  for (std::size_t s = 0; s < 7; ++s) {
    const QRect r = segmentRects()[s].translated(ox, 0);
    const bool on = (lit >> s) & 1u;
    const bool horizontal = r.width() > r.height();
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) {
        // The first row/column of a segment catches the top-left light.
        const bool front = horizontal ? y == r.top() : x == r.left();
        img.setPixelColor(x, y, on ? (front ? litHi : litLo) : (front ? offHi : offLo));
      }
  }
}

// --------------------------------------------------------------- plates ----

// Rounded-tube profile of the panel border, from the outer edge inwards.
// Symmetric enough that the mirrored copies of the strips still look lit.
const std::array<QColor, 6>& borderProfile() {
  static const std::array<QColor, 6> p{QColor(0x06, 0x0A, 0x13), QColor(0x42, 0x52, 0x72), QColor(0x86, 0x98, 0xB9),
                                       QColor(0x5C, 0x6D, 0x8E), QColor(0x35, 0x42, 0x5E), QColor(0x0B, 0x11, 0x20)};
  return p;
}

QImage borderStrip(bool horizontal) {
  const int length = horizontal ? 30 : 27;
  QImage img = horizontal ? newImage(length, 6, Qt::black) : newImage(6, length, Qt::black);
  for (int along = 0; along < length; ++along)
    for (int depth = 0; depth < 6; ++depth) {
      QColor c = borderProfile()[static_cast<std::size_t>(depth)];
      // One small groove per repeat so the strip reads as segmented metal.
      const int groove = length / 2;
      if (depth >= 1 && depth <= 4) {
        if (along == groove) c = darken(c, 0.35);
        if (along == groove + 1) c = lighten(c, 0.12);
      }
      if (horizontal)
        img.setPixelColor(along, depth, c);
      else
        img.setPixelColor(depth, along, c);
    }
  return img;
}

QImage borderCorner() {
  // Mitred: each pixel takes the profile of the nearer outer edge.
  QImage img = newImage(6, 6, Qt::black);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) img.setPixelColor(x, y, borderProfile()[static_cast<std::size_t>(std::min(x, y))]);
  return img;
}

// Dark plate with a raised rim and a recessed face, drawn pixel by pixel so
// captions can be cut out of it exactly.
QImage plate(QSize size, std::uint32_t seed) {
  const int w = size.width(), h = size.height();
  QImage img = newImage(w, h, kInk);
  Rng rng(seed);
  std::vector<int> grain(static_cast<std::size_t>(h));
  for (int& g : grain) g = static_cast<int>(rng.below(3)) - 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dl = x, dt = y, dr = w - 1 - x, db = h - 1 - y;
      const int ring = std::min({dl, dt, dr, db});
      const bool lit = (dt == ring && dt <= dr) || (dl == ring && dl <= db);
      QColor c;
      if (ring == 0)
        c = kInk;
      else if (ring == 1)
        c = lit ? QColor(0x6A, 0x7E, 0xA3) : QColor(0x1A, 0x23, 0x37);
      else if (ring == 2)
        c = lit ? QColor(0x44, 0x55, 0x77) : QColor(0x24, 0x2F, 0x47);
      else if (ring == 3)
        c = lit ? QColor(0x08, 0x0C, 0x17) : QColor(0x33, 0x40, 0x5C);  // recessed face
      else
        c = shift(mix(kPlateTop, kPlateBottom, (y - 4) / double(std::max(1, h - 9))),
                  grain[static_cast<std::size_t>(y)]);
      img.setPixelColor(x, y, c);
    }
  return img;
}

void cutSlot(QImage& img, const QRect& r) {
  recessedSlot(img, r, Qt::black, QColor(0x04, 0x06, 0x0C), QColor(0x3A, 0x49, 0x68));
}

// ------------------------------------------------------- signs & titles ----

struct TitleStyle {
  QColor top, middle, bottom;  // letter fill gradient
  QColor ring;                 // bright ring between fill and outline
  double outline;              // outline pen width
  double ringWidth;
};

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

MaskedPair titleSign(int w, int h, const QString& text, const TitleStyle& st, double margin, double stretch = 1.0) {
  QImage layer = transparentLayer(w, h);
  QPainter p(&layer);
  setupPainter(p);
  const QRectF box(margin, margin, w - 2 * margin, h - 2 * margin);
  paintTitleText(p, fitPath(textPath(text), box, stretch), box, st);
  p.end();
  return toMaskedPair(layer, kNavyOutline);
}

const TitleStyle kGameOverStyle{
    QColor(0xFF, 0xE0, 0x5A), QColor(0xFF, 0x86, 0x2E), QColor(0xE2, 0x34, 0x4E), QColor(0x7F, 0xE6, 0xFF), 6.5, 3.0};
const TitleStyle kTitleStyle{
    QColor(0xFF, 0xE8, 0x8A), QColor(0xFF, 0xC1, 0x3A), QColor(0xE8, 0x82, 0x1A), QColor(0x7F, 0xE6, 0xFF), 8.0, 3.6};

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

// -------------------------------------------------------------- buttons ----

QImage button(int w, int h, const QString& label) {
  QImage img = transparentLayer(w, h);
  QPainter p(&img);
  setupPainter(p);
  const QRectF r(0.5, 0.5, w - 1.0, h - 1.0);
  QLinearGradient body(0, 0, 0, h);
  body.setColorAt(0.0, QColor(0x4A, 0x64, 0x97));
  body.setColorAt(0.5, QColor(0x34, 0x4A, 0x75));
  body.setColorAt(1.0, QColor(0x22, 0x30, 0x51));
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(body);
  p.drawRoundedRect(r, 5, 5);
  QLinearGradient bevel(0, 1, 0, h - 1);
  bevel.setColorAt(0.0, QColor(0xA6, 0xBC, 0xE4));
  bevel.setColorAt(0.45, QColor(0x6A, 0x83, 0xB4, 90));
  bevel.setColorAt(0.55, QColor(0x10, 0x18, 0x2C, 90));
  bevel.setColorAt(1.0, QColor(0x10, 0x18, 0x2C));
  p.setPen(QPen(QBrush(bevel), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(1.0, 1.0, -1.0, -1.0), 4, 4);

  QFont f = boldFont(12);
  // Shrink the label if a long word would touch the rim.
  while (QFontMetricsF(f).horizontalAdvance(label) > w - 10 && f.pixelSize() > 8) f.setPixelSize(f.pixelSize() - 1);
  p.setFont(f);
  const QRectF textR(0, 0, w, h - 1);
  p.setPen(kLabelShadow);
  p.drawText(textR.translated(1, 1), Qt::AlignCenter, label);
  p.setPen(kLabelText);
  p.drawText(textR, Qt::AlignCenter, label);
  p.end();
  // The game loads pictures without alpha, so the rounded corners are
  // flattened onto the dark panel colour the buttons sit on.
  QImage flat = newImage(w, h, kPanelBehind);
  QPainter f2(&flat);
  f2.drawImage(0, 0, img);
  f2.end();
  return flat;
}

// ---------------------------------------------------------------- tiles ----

QImage mainTile() {
  const int w = 150, h = 120;
  QImage img = newImage(w, h, QColor(0x17, 0x20, 0x33));
  const TileNoise cloud(5, 4, 0xC10Du), fine(15, 12, 0xF17Eu);
  const int ghost = 15;  // faint embossed cells, 10 x 8 of them per tile
  modulate(img, [&](int x, int y) {
    const double u = x / double(w), v = y / double(h);
    double d = (cloud.at(u, v) - 0.5) * 7.0 + (fine.at(u, v) - 0.5) * 4.0;
    const int gx = x % ghost, gy = y % ghost;
    if (gx == 0 || gy == 0)
      d += 4.0;
    else if (gx == ghost - 1 || gy == ghost - 1)
      d -= 4.0;
    return d;
  });
  return img;
}

QImage highscoreTile() {
  // Night sky: diamond lattice and a sprinkle of stars.
  const int w = 144, h = 144;
  QImage img = newImage(w, h, QColor(0x12, 0x1A, 0x31));
  const TileNoise cloud(4, 4, 0x5CA1u);
  modulate(img, [&](int x, int y) {
    double d = (cloud.at(x / double(w), y / double(h)) - 0.5) * 9.0;
    if ((x + y) % 24 == 0 || ((x - y) % 24 + 24) % 24 == 0) d += 5.0;
    return d;
  });
  Rng rng(0x57A25u);
  for (int i = 0; i < 18; ++i) {
    const int x = static_cast<int>(rng.below(w)), y = static_cast<int>(rng.below(h));
    const int b = 40 + static_cast<int>(rng.below(60));
    img.setPixelColor(x, y, shift(img.pixelColor(x, y), b));
  }
  return img;
}

QImage entryTile() {
  const int w = 145, h = 145;
  QImage img = newImage(w, h, QColor(0x10, 0x17, 0x28));
  const TileNoise cloud(5, 5, 0xE7A1u);
  modulate(img, [&](int x, int y) {
    double d = (cloud.at(x / double(w), y / double(h)) - 0.5) * 8.0;
    if ((x + y) % 29 == 0) d += 5.0;  // 145 = 5 x 29, so the hatching wraps
    return d;
  });
  return img;
}

QImage helpTile() {
  const int w = 189, h = 194;
  QImage img = newImage(w, h, QColor(0x12, 0x1C, 0x2F));
  const TileNoise cloud(3, 3, 0x4E1Bu), fine(9, 9, 0x4E1Cu);
  modulate(img, [&](int x, int y) {
    const double u = x / double(w), v = y / double(h);
    double d = (cloud.at(u, v) - 0.5) * 12.0 + (fine.at(u, v) - 0.5) * 5.0;
    if (y % 2 == 1) d -= 3.0;  // soft scan lines; 194 is even so they wrap
    return d;
  });
  return img;
}

QImage infoTile() {
  // Light so that navy and black text stays readable.
  const int w = 219, h = 163;
  QImage img = newImage(w, h, QColor(0xDC, 0xE4, 0xEF));
  const TileNoise cloud(3, 3, 0x1AF0u);
  modulate(img, [&](int x, int y) {
    const double u = x / double(w), v = y / double(h);
    const double wave = std::sin(2 * kPi * (2 * u + 3 * v)) * std::sin(2 * kPi * (5 * u - v));
    return (cloud.at(u, v) - 0.5) * 10.0 + wave * 3.0;
  });
  return img;
}

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

}  // namespace

// ------------------------------------------------------------- public ----

QColor pieceColor(int kind) {
  static const QColor colors[kPieceKinds] = {
      QColor(0xF0, 0x82, 0x24),  // L orange
      QColor(0x2B, 0xC8, 0xE2),  // I cyan
      QColor(0x9C, 0x52, 0xD8),  // T purple
      QColor(0x4C, 0xC4, 0x4A),  // S green
      QColor(0xE2, 0x3F, 0x3F),  // Z red
      QColor(0xF2, 0xD0, 0x2A),  // O yellow
      QColor(0x3A, 0x6E, 0xE8),  // J blue
  };
  return colors[std::clamp(kind, 0, kPieceKinds - 1)];
}

QImage pieceCell(int kind) {
  QImage img = newImage(kCell, kCell, Qt::black);
  bevelCell(img, img.rect(), pieceColor(kind), 2);
  // Pure white is the transparent key of the piece pictures built from these.
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x)
      if (img.pixel(x, y) == kWhite) img.setPixel(x, y, qRgb(0xFE, 0xFE, 0xFE));
  return img;
}

const std::array<QRect, 7>& segmentRects() {
  static const std::array<QRect, 7> r{
      QRect(3, 1, 8, 2),    // a
      QRect(11, 3, 2, 6),   // b
      QRect(11, 11, 2, 6),  // c
      QRect(3, 17, 8, 2),   // d
      QRect(1, 11, 2, 6),   // e
      QRect(1, 3, 2, 6),    // f
      QRect(3, 9, 8, 2),    // g
  };
  return r;
}

std::uint8_t litSegments(int glyph) {
  //                                  gfedcba
  static const std::uint8_t table[kGlyphCount] = {0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110, 0b1101101,
                                                  0b1111101, 0b0000111, 0b1111111, 0b1101111, 0b0000000};
  return glyph >= 0 && glyph < kGlyphCount ? table[glyph] : 0;
}

QImage digitStrip() {
  QImage img = newImage(kGlyphW * kGlyphCount, kGlyphH, Qt::black);
  for (int g = 0; g < kGlyphCount; ++g) paintGlyph(img, g);
  return img;
}

QImage counterPanel() {
  QImage img = plate(kCounterPanelSize, 0x9C7Eu);
  for (const QRect& r : kCounterSlots) cutSlot(img, r);
  return img;
}

QImage previewFrame() {
  QImage img = plate(kPreviewFrameSize, 0x9E57u);
  cutSlot(img, kPreviewSlot);
  return img;
}

const std::vector<CaptionPlacement>& captionPlacements() {
  static const std::vector<CaptionPlacement> c{
      {"punktetitel.png", "SCORE", QRect(16, 11, 107, 14), false, false},
      {"leveltitel.png", "LEVEL", QRect(16, 35, 98, 14), false, false},
      {"reihentitel.png", "ROWS", QRect(16, 59, 95, 14), false, false},
      {"vorschautitel.png", "NEXT", QRect(53, 8, 88, 14), true, true},
  };
  return c;
}

QImage caption(const CaptionPlacement& c) {
  QImage img = crop(c.onPreview ? previewFrame() : counterPanel(), c.box);
  QPainter p(&img);
  setupPainter(p);
  QFont f = boldFont(11);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
  p.setFont(f);
  const Qt::Alignment align = (c.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
  const QRectF r(1, 0, img.width() - 1, img.height());
  p.setPen(QColor(0x04, 0x07, 0x0E));
  p.drawText(r.translated(1, 1), align, QString::fromLatin1(c.text));
  p.setPen(kCaptionText);
  p.drawText(r, align, QString::fromLatin1(c.text));
  p.end();
  return img;
}

const std::vector<MaskedFiles>& maskedFiles() {
  static const std::vector<MaskedFiles> m{
      {"gameoverpic1.png", "gameoverbl1.png"}, {"gameoverpic2.png", "gameoverbl2.png"},
      {"pausepic.png", "pausepicbl.png"},      {"logo.png", "logoblack.png"},
      {"hstitel.png", "hstitelbl.png"},        {"anleittitel.png", "anleittitelbl.png"},
  };
  return m;
}

const std::vector<const char*>& seamlessTiles() {
  static const std::vector<const char*> t{"rahmenmuster.png", "hg_main.png",      "hg_highscore.png",
                                          "hg_eingabe.png",   "hg_anleitung.png", "hg_info.png"};
  return t;
}

std::vector<NamedImage> renderPictures() {
  std::vector<NamedImage> out;
  auto add = [&](const char* file, const QImage& img) {
    out.push_back({QString::fromLatin1(file), img.convertToFormat(QImage::Format_ARGB32)});
  };
  auto addPair = [&](const char* pic, const char* mask, const MaskedPair& pair) {
    add(pic, pair.picture);
    add(mask, pair.mask);
  };
  for (int k = 0; k < kPieceKinds; ++k) add(QStringLiteral("muster%1.png").arg(k).toLatin1().constData(), pieceCell(k));
  add("rahmenmuster.png", frameCell());
  add("reihe.png", flashCell());
  add("tboxsich.png", wellBackground());
  add("digital.png", digitStrip());

  addPair("gameoverpic1.png", "gameoverbl1.png", titleSign(146, 39, QStringLiteral("GAME"), kGameOverStyle, 3.5));
  addPair("gameoverpic2.png", "gameoverbl2.png", titleSign(142, 39, QStringLiteral("OVER"), kGameOverStyle, 3.5));
  addPair("pausepic.png", "pausepicbl.png", pauseSign());

  add("picrandhorizontal.png", borderStrip(true));
  add("picrandvertikal.png", borderStrip(false));
  add("picecke.png", borderCorner());
  add("hg_main.png", mainTile());
  addPair("logo.png", "logoblack.png", logo());

  add("pkteform.png", counterPanel());
  for (const CaptionPlacement& c : captionPlacements())
    if (!c.onPreview) add(c.file, caption(c));
  add("vorschaurahmen.png", previewFrame());
  for (const CaptionPlacement& c : captionPlacements())
    if (c.onPreview) add(c.file, caption(c));

  add("btn_neuesspiel.png", button(80, 28, QStringLiteral("New Game")));
  add("btn_highscore.png", button(86, 28, QStringLiteral("Highscores")));
  add("btn_copyright.png", button(80, 28, QStringLiteral("About")));
  add("btn_anleitung.png", button(80, 28, QStringLiteral("Help")));
  add("btn_beenden.png", button(80, 28, QStringLiteral("Quit")));
  add("btn_zurueck.png", button(140, 28, QStringLiteral("Back")));
  add("btn_ok.png", button(100, 28, QStringLiteral("OK")));

  add("hg_highscore.png", highscoreTile());
  addPair("hstitel.png", "hstitelbl.png", titleSign(416, 71, QStringLiteral("HIGHSCORES"), kTitleStyle, 6.0, 1.15));
  add("hg_eingabe.png", entryTile());
  add("hg_anleitung.png", helpTile());
  addPair("anleittitel.png", "anleittitelbl.png", titleSign(176, 67, QStringLiteral("HELP"), kTitleStyle, 6.0, 1.1));
  add("hg_info.png", infoTile());
  add("infopic.png", infoPicture());
  add("makerlogo.png", makerLogo());
  add("linkcursor.png", linkCursor());
  return out;
}

}  // namespace assetgen
