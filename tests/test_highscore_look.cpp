// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The look of the two highscore windows: captions, texts, fonts, colours,
// the rounded shape of the entry and its tiled background.

#include <algorithm>
#include <cmath>

#include "highscore_fenster.h"

using namespace hstest;

namespace {

TEST_F(HighscoreFenster, ListLayout) {
  Highscore& hs = form->HighscoreForm();
  EXPECT_EQ(hs.windowTitle(), kListenTitel);
  EXPECT_TRUE(hs.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(hs.size(), QSize(1024, 768));
  EXPECT_EQ(hs.HighscorePic->geometry(), QRect(192, 144, 640, 480));
  EXPECT_EQ(hs.picButtonZurueck->parentWidget(), hs.HighscorePic);
  EXPECT_EQ(hs.picButtonZurueck->geometry(), QRect(248, 431, 140, 28));
  const QObjectList reihenfolge = hs.HighscorePic->children();
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const int rang = k + 1;
    const int y = 96 + 32 * k;
    QLabel* pos = hs.HSPos[static_cast<size_t>(k)];
    QLabel* schatten = hs.HSPos[static_cast<size_t>(20 - rang)];
    QLabel* name = hs.HSName[static_cast<size_t>(k)];
    QLabel* score = hs.HSScore[static_cast<size_t>(k)];
    EXPECT_EQ(pos->geometry(), QRect(56, y, 33, 25));
    EXPECT_EQ(schatten->geometry(), QRect(59, y + 1, 33, 25));
    EXPECT_EQ(name->geometry(), QRect(104, y, 361, 25));
    EXPECT_EQ(score->geometry(), QRect(480, y, 81, 25));
    EXPECT_EQ(schatten->text(), pos->text());
    EXPECT_EQ(Highscore::Textfarbe(*pos), kWeiss);
    EXPECT_EQ(Highscore::Textfarbe(*schatten), kSchwarz);
    // The shadow lies under its number.
    EXPECT_LT(reihenfolge.indexOf(schatten), reihenfolge.indexOf(pos));
    EXPECT_TRUE(pos->alignment() & Qt::AlignRight);
    EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(score->alignment() & Qt::AlignHCenter);
    for (QLabel* l : {pos, schatten, name, score}) {
      EXPECT_EQ(l->parentWidget(), hs.HighscorePic);
      EXPECT_EQ(l->font().family(), "Liberation Sans");
      EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 13.5);
      EXPECT_TRUE(l->font().bold());
      EXPECT_FALSE(l->autoFillBackground());
      EXPECT_EQ(l->textFormat(), Qt::PlainText);
    }
  }
}

// ---- The entry window's look ---------------------------------------------------------

TEST_F(HighscoreFenster, EntryLayout) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  EXPECT_EQ(e.windowTitle(), kEingabeTitel);
  EXPECT_TRUE(e.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(e.size(), QSize(362, 201));
  EXPECT_EQ(e.pos(), QPoint((1024 - 362) / 2, (768 - 201) / 2));

  struct Zeile {
    QRect lage;
    const char* text;
    double punkte;
    QColor farbe;
  };
  const Zeile zeilen[] = {
      {{0, 8, 361, 33}, kEingabeTexte[0], 20.25, kGruen},
      {{0, 44, 361, 25}, kEingabeTexte[1], 12, kWeiss},
      {{40, 64, 281, 49}, kEingabeTexte[2], 12, kWeiss},
  };
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    QLabel* l = e.EingabeText[i];
    EXPECT_EQ(l->geometry(), zeilen[i].lage);
    EXPECT_EQ(l->text(), zeilen[i].text);
    EXPECT_EQ(l->font().family(), "Liberation Sans");
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), zeilen[i].punkte);
    EXPECT_TRUE(l->font().bold());
    EXPECT_EQ(l->palette().color(QPalette::WindowText), zeilen[i].farbe);
    EXPECT_TRUE(l->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(l->autoFillBackground());
  }
  // The long line wraps inside its 281 pixels.
  EXPECT_TRUE(e.EingabeText[2]->wordWrap());
  EXPECT_GT(e.EingabeText[2]->heightForWidth(281), e.EingabeText[1]->sizeHint().height());

  EXPECT_EQ(e.HSEingabe->geometry(), QRect(24, 114, 313, 32));
  EXPECT_TRUE(e.HSEingabe->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(e.HSEingabe->palette().color(QPalette::Base), kSchwarz);
  EXPECT_EQ(e.HSEingabe->palette().color(QPalette::Text), kWeiss);
  EXPECT_DOUBLE_EQ(e.HSEingabe->font().pointSizeF(), 14.25);
  EXPECT_TRUE(e.HSEingabe->font().bold());
  EXPECT_EQ(e.picButtonOK->geometry(), QRect(128, 160, 100, 28));
  EXPECT_EQ(e.mask(), Eingabe::RundeForm(362, 201, 110));
}

struct Punkt {
  int x, y;
  bool drin;
};
void PrintTo(const Punkt& p, std::ostream* os) { *os << p.x << "," << p.y; }

class RundeForm : public ::testing::TestWithParam<Punkt> {};

TEST_P(RundeForm, CornersAreCutAsQuarterEllipses) {
  const Punkt p = GetParam();
  EXPECT_EQ(Eingabe::RundeForm(362, 201, 110).contains(QPoint(p.x, p.y)), p.drin) << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(HighscoreFenster, RundeForm,
                         ::testing::Values(
                             // the four corners themselves and points near them
                             Punkt{0, 0, false}, Punkt{361, 0, false}, Punkt{0, 200, false}, Punkt{361, 200, false},
                             Punkt{10, 10, false}, Punkt{351, 190, false}, Punkt{20, 20, true}, Punkt{341, 180, true},
                             // where the rounding starts and ends: 55 pixels from each corner
                             Punkt{0, 55, true}, Punkt{0, 40, false}, Punkt{55, 0, true}, Punkt{40, 0, false},
                             Punkt{361, 145, true}, Punkt{361, 160, false},
                             // the middle of each edge and the centre
                             Punkt{181, 0, true}, Punkt{181, 200, true}, Punkt{0, 100, true}, Punkt{361, 100, true},
                             Punkt{181, 100, true}, Punkt{362, 100, false}, Punkt{181, 201, false}),
                         [](const ::testing::TestParamInfo<Punkt>& info) {
                           return "At" + std::to_string(info.param.x) + "_" + std::to_string(info.param.y);
                         });

// Every pixel of the shown entry window against a rounded rectangle whose
// corners are circles of 55 pixels (the 110 x 110 corner ellipse), judged at
// pixel centres; pixels within a pixel of an arc may fall either way.
TEST(EingabeForm, IsTheRoundedRectangleInEveryPixel) {
  TForm haupt;
  Eingabe e(haupt);
  e.Form_Load();
  const QRegion form = e.mask();
  const int w = 362, h = 201;
  const double r = 55;
  ASSERT_EQ(form.boundingRect(), QRect(0, 0, w, h));
  int geprueft = 0, weggeschnitten = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool drin = form.contains(QPoint(x, y));
      ASSERT_EQ(drin, form.contains(QPoint(w - 1 - x, y))) << x << "," << y << " mirrored left to right";
      ASSERT_EQ(drin, form.contains(QPoint(x, h - 1 - y))) << x << "," << y << " mirrored top to bottom";
      weggeschnitten += !drin;
      const double px = x + 0.5, py = y + 0.5;
      const double d = std::hypot(px - std::clamp(px, r, w - r), py - std::clamp(py, r, h - r));
      const bool ecke = (px < r || px > w - r) && (py < r || py > h - r);
      if (ecke && std::abs(d - r) < 1.0) continue;
      ++geprueft;
      ASSERT_EQ(drin, d < r) << x << "," << y << " lies " << d - r << " pixels outside the arc";
    }
  }
  EXPECT_GT(geprueft, w * h - 1000);  // the band around the arcs is about 700 pixels
  // Four corners of a square less a quarter circle each: r * r * (4 - pi).
  EXPECT_NEAR(weggeschnitten, r * r * (4 - M_PI), 120);
}

TEST(EingabeHintergrund, TheTileRepeatsOverTheWholeWindow) {
  TForm haupt;
  Eingabe e(haupt);
  // A tile with a different colour in every pixel, so any offset shows.
  QImage kachel(145, 145, QImage::Format_RGB32);
  for (int y = 0; y < 145; ++y)
    for (int x = 0; x < 145; ++x) kachel.setPixel(x, y, qRgb(x, y, (x * 7 + y * 3) % 256));
  e.picHG = kachel;
  e.Form_Load();
  e.HSEingabe->hide();
  e.picButtonOK->hide();
  for (auto* l : e.EingabeText) l->hide();
  const QImage bild = e.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(bild.size(), QSize(362, 201));
  // Points inside the rounded shape: outside it nothing is drawn.
  for (const QPoint p :
       {QPoint(0, 100), QPoint(144, 144), QPoint(145, 0), QPoint(300, 150), QPoint(361, 100), QPoint(100, 199)}) {
    EXPECT_EQ(bild.pixel(p), kachel.pixel(p.x() % 145, p.y() % 145)) << p.x() << "," << p.y();
  }
}

}  // namespace
