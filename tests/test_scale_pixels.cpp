// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The enlarged screen: drawn at k device pixels per game pixel, every picture of
// the game screen (skin, well, walls, counters, preview, buttons, pause sign) is
// the 1x picture with each pixel a k x k block of its colour, no smoothing and
// no seams; text is drawn anew at the larger size rather than doubled.

#include <QLabel>

#include "fixture.h"
#include "highscore/highscore_form.h"

namespace {

// The widget as the toolkit paints it at k device pixels per pixel.
QImage Zeichnen(QWidget& w, int k) {
  QImage bild(w.size() * k, QImage::Format_RGB32);
  bild.setDevicePixelRatio(k);
  bild.fill(0xFF123456u);
  w.render(&bild);
  bild.setDevicePixelRatio(1);
  return bild;
}

// Every pixel of `klein` as a k x k block.
QImage Vergroessert(const QImage& klein, int k) {
  QImage gross(klein.size() * k, QImage::Format_RGB32);
  for (int y = 0; y < gross.height(); ++y)
    for (int x = 0; x < gross.width(); ++x) gross.setPixel(x, y, klein.pixel(x / k, y / k));
  return gross;
}

int Abweichungen(const QImage& a, const QImage& b, QPoint* erste) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu) && n++ == 0) *erste = {x, y};
  return n;
}

using GrossesBild = FormTest;

TEST_F(GrossesBild, TheGameScreenIsTheOriginalWithEveryPixelAWholeBlock) {
  // A game in progress, paused: piece, preview, counters and the pause sign all show.
  platform::random::Reset(4711);
  form->picButtonNeuesSpiel_Click();
  for (int i = 0; i < 30; ++i) Advance(50);
  Key(80);  // P
  QWidget& panel = *form->TFormPic;
  const QImage eins = Zeichnen(panel, 1);
  ASSERT_EQ(eins.size(), QSize(640, 480));
  for (int k = 2; k <= 4; ++k) {
    SCOPED_TRACE(k);
    const QImage bild = Zeichnen(panel, k);
    ASSERT_EQ(bild.size(), QSize(640 * k, 480 * k));
    QPoint erste;
    EXPECT_EQ(Abweichungen(bild, Vergroessert(eins, k), &erste), 0)
        << "first at device pixel (" << erste.x() << ", " << erste.y() << ")";
  }
}

TEST_F(GrossesBild, TextIsDrawnAtTheLargerSizeNotDoubled) {
  Highscore& liste = form->HighscoreForm();
  QLabel& name = *liste.HSName[0];
  name.setText(QStringLiteral("Mabel Quist"));
  const QImage eins = Zeichnen(name, 1);
  const QImage zwei = Zeichnen(name, 2);
  // Doubled text would consist of 2 x 2 blocks of one colour only.
  int feiner = 0;
  for (int y = 0; y < zwei.height(); y += 2)
    for (int x = 0; x < zwei.width(); x += 2) {
      const QRgb p = zwei.pixel(x, y);
      if (zwei.pixel(x + 1, y) != p || zwei.pixel(x, y + 1) != p || zwei.pixel(x + 1, y + 1) != p) ++feiner;
    }
  EXPECT_GT(feiner, 20);
  // Same words, same place: the ink covers about four times the area and stays in the label.
  auto tinte = [](const QImage& b) {
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) n += qGray(b.pixel(x, y)) > 160;
    return n;
  };
  const int t1 = tinte(eins), t2 = tinte(zwei);
  ASSERT_GT(t1, 50);
  EXPECT_GT(t2, 3 * t1);
  EXPECT_LT(t2, 5 * t1);
}

}  // namespace
