// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The three counters and the well as they appear on screen: each digit
// position of a counter, grabbed from the visible widget, must show the glyph
// of the digit strip that the number calls for.

#include <QPixmap>
#include <random>
#include <string>
#include <vector>

#include "fixture.h"

namespace {

// The digit strip as shipped: 11 glyphs of 14 x 20 side by side, glyph g
// (0 ... 10) at x = 14 g; 0 ... 9 are the digits, 10 is the blank cell.
// Position p of a counter (from 1 at the left) covers x = 16 (p - 1) to
// 16 (p - 1) + 13; a counter with P positions is 16 (P - 1) + 14 wide.
constexpr int kGlyphBreite = 14, kGlyphHoehe = 20, kGlyphen = 11, kAbstand = 16, kLeer = 10;

QImage Streifen() {
  return QImage(QStringLiteral(":/assets/pictures/digital.png")).convertToFormat(QImage::Format_RGB32);
}

QImage Glyphe(int g) {
  static const std::vector<QImage> glyphen = [] {
    std::vector<QImage> v;
    const QImage streifen = Streifen();
    for (int i = 0; i < kGlyphen; ++i) v.push_back(streifen.copy(kGlyphBreite * i, 0, kGlyphBreite, kGlyphHoehe));
    return v;
  }();
  return glyphen[static_cast<size_t>(g)];
}

QImage AufDemSchirm(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32).scaled(w->size()); }

// The glyph numbers a counter shows, read back from the screen; -1 where a
// position shows none of the glyphs.
std::vector<int> Ablesen(QWidget* zaehler, int stellen) {
  const QImage bild = AufDemSchirm(zaehler);
  std::vector<int> v;
  for (int p = 1; p <= stellen; ++p) {
    const QImage zelle = bild.copy(kAbstand * (p - 1), 0, kGlyphBreite, kGlyphHoehe);
    int gefunden = -1;
    for (int g = 0; g < kGlyphen; ++g)
      if (zelle == Glyphe(g)) gefunden = g;
    v.push_back(gefunden);
  }
  return v;
}

// What a counter of P positions must show for v: leading zeros, and only the
// last P digits of a longer number.
std::vector<int> Soll(long v, int stellen) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) > stellen) s = s.substr(s.size() - static_cast<size_t>(stellen));
  std::vector<int> d(static_cast<size_t>(stellen) - s.size(), 0);
  for (char c : s) d.push_back(c - '0');
  return d;
}

std::vector<int> Leer(int stellen) { return std::vector<int>(static_cast<size_t>(stellen), kLeer); }

class Zaehler : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ShowActive();
    for (auto* z : {form->PunkteDigAnz, form->LevelDigAnz, form->ReihenDigAnz}) anfang_.push_back(AufDemSchirm(z));
  }

  // The 2-pixel gaps between positions are never painted: they stay as they
  // were before the first number was shown.
  void LueckenUnberuehrt(int i, QWidget* zaehler, int stellen) {
    const QImage jetzt = AufDemSchirm(zaehler);
    for (int p = 1; p < stellen; ++p)
      EXPECT_EQ(jetzt.copy(kAbstand * (p - 1) + kGlyphBreite, 0, kAbstand - kGlyphBreite, kGlyphHoehe),
                anfang_[static_cast<size_t>(i)].copy(kAbstand * (p - 1) + kGlyphBreite, 0, kAbstand - kGlyphBreite,
                                                     kGlyphHoehe))
          << "gap after position " << p;
  }

  void Punktzahl(long v) {
    form->Punktestand = static_cast<int>(v);
    const int vorher = form->PunkteDigAnz->RefreshCount();
    form->Punkte(0);
    EXPECT_GT(form->PunkteDigAnz->RefreshCount(), vorher) << "shown on screen";
  }
  void Reihenzahl(long v) {
    form->Reihen = static_cast<int>(v);
    const int vorher = form->ReihenDigAnz->RefreshCount();
    form->ReihenAnzeige();
    EXPECT_GT(form->ReihenDigAnz->RefreshCount(), vorher) << "shown on screen";
  }

  std::vector<QImage> anfang_;
};

TEST_F(Zaehler, TheStripHasElevenDistinctGlyphsAndTheCountersTheirWidths) {
  ASSERT_EQ(Streifen().size(), QSize(kGlyphBreite * kGlyphen, kGlyphHoehe));
  for (int a = 0; a < kGlyphen; ++a)
    for (int b = a + 1; b < kGlyphen; ++b) ASSERT_NE(Glyphe(a), Glyphe(b)) << "glyphs " << a << " and " << b;
  EXPECT_EQ(form->PunkteDigAnz->size(), QSize(kAbstand * 5 + kGlyphBreite, kGlyphHoehe));
  EXPECT_EQ(form->LevelDigAnz->size(), QSize(kAbstand * 1 + kGlyphBreite, kGlyphHoehe));
  EXPECT_EQ(form->ReihenDigAnz->size(), QSize(kAbstand * 3 + kGlyphBreite, kGlyphHoehe));
}

TEST_F(Zaehler, BeforeTheFirstGameEveryPositionIsBlankAndANewGameShowsZerosAndLevelOne) {
  EXPECT_EQ(Ablesen(form->PunkteDigAnz, 6), Leer(6));
  EXPECT_EQ(Ablesen(form->LevelDigAnz, 2), Leer(2));
  EXPECT_EQ(Ablesen(form->ReihenDigAnz, 4), Leer(4));
  Tap(Qt::Key_S);  // keys outside a game leave the counters alone
  Tap(Qt::Key_Space);
  EXPECT_EQ(Ablesen(form->PunkteDigAnz, 6), Leer(6));

  form->picButtonNeuesSpiel_Click();
  EXPECT_EQ(Ablesen(form->PunkteDigAnz, 6), (std::vector<int>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Ablesen(form->LevelDigAnz, 2), (std::vector<int>{0, 1}));
  EXPECT_EQ(Ablesen(form->ReihenDigAnz, 4), (std::vector<int>{0, 0, 0, 0}));
  LueckenUnberuehrt(0, form->PunkteDigAnz, 6);
  LueckenUnberuehrt(1, form->LevelDigAnz, 2);
  LueckenUnberuehrt(2, form->ReihenDigAnz, 4);
}

TEST_F(Zaehler, PointsShowSixPositionsWithLeadingZerosAndTheCap) {
  form->picButtonNeuesSpiel_Click();
  std::vector<long> werte{0, 5, 20, 99, 500, 4560, 12345, 98765, 99999};
  std::mt19937 zufall(7);
  for (int i = 0; i < 150; ++i) werte.push_back(static_cast<long>(zufall() % 100000));
  for (long v : werte) {
    Punktzahl(v);
    ASSERT_EQ(Ablesen(form->PunkteDigAnz, 6), Soll(v, 6)) << v;
  }
  // 20 or fewer below the cap plus one row's 20 points: 99999.
  for (int unter : {0, 1, 19, 20}) {
    form->Punktestand = 99999 - unter;
    form->Punkte(1);
    EXPECT_EQ(Ablesen(form->PunkteDigAnz, 6), (std::vector<int>{0, 9, 9, 9, 9, 9})) << unter;
  }
  form->Punktestand = 99990;
  form->Punkte(4);
  EXPECT_EQ(Ablesen(form->PunkteDigAnz, 6), (std::vector<int>{0, 9, 9, 9, 9, 9}));
  LueckenUnberuehrt(0, form->PunkteDigAnz, 6);
}

TEST_F(Zaehler, TheLevelShowsTwoPositionsUpToTen) {
  form->picButtonNeuesSpiel_Click();
  for (int level = 2; level <= 10; ++level) {
    const int vorher = form->LevelDigAnz->RefreshCount();
    form->NextLevel();
    ASSERT_EQ(form->Level, level);
    EXPECT_GT(form->LevelDigAnz->RefreshCount(), vorher);
    EXPECT_EQ(Ablesen(form->LevelDigAnz, 2), (std::vector<int>{level / 10, level % 10})) << level;
  }
  // At level 10 more points raise nothing; the counter keeps showing 10.
  form->Punktestand = 99000;
  form->Punkte(4);
  EXPECT_EQ(form->Level, 10);
  EXPECT_EQ(Ablesen(form->LevelDigAnz, 2), (std::vector<int>{1, 0}));
  LueckenUnberuehrt(1, form->LevelDigAnz, 2);
}

TEST_F(Zaehler, RowsShowFourPositionsAndTheLastFourDigitsBeyond) {
  form->picButtonNeuesSpiel_Click();
  std::vector<long> werte{0, 1, 9, 10, 99, 100, 999, 1000, 9999, 10000, 10001, 12345, 99999, 123456};
  std::mt19937 zufall(11);
  for (int i = 0; i < 100; ++i) werte.push_back(static_cast<long>(zufall() % 20000));
  for (long v : werte) {
    Reihenzahl(v);
    ASSERT_EQ(Ablesen(form->ReihenDigAnz, 4), Soll(v, 4)) << v;
  }
  LueckenUnberuehrt(2, form->ReihenDigAnz, 4);
}

TEST_F(Zaehler, RowsClearedInPlayShowUpInAllThreeCounters) {
  StartWith(5);  // the upright I at the left wall over four rows that it completes
  form->SteinX = 0;
  form->Punktestand = 390;
  for (int r = 17; r <= 20; ++r)
    for (int c = 2; c <= 10; ++c) Fill(c, r);
  Tap(Qt::Key_Space);
  EXPECT_EQ(Ablesen(form->PunkteDigAnz, 6), (std::vector<int>{0, 0, 0, 5, 9, 0}));
  EXPECT_EQ(Ablesen(form->LevelDigAnz, 2), (std::vector<int>{0, 2}));
  EXPECT_EQ(Ablesen(form->ReihenDigAnz, 4), (std::vector<int>{0, 0, 0, 4}));
}

// ---- The well --------------------------------------------------------------------------------

TEST_F(Zaehler, TheWellOnScreenShowsALandedSquareInItsCellsAndThePauseSignInTheMiddle) {
  // The square spawns over columns 5 and 6 and drops to the floor: rows 19 and 20.
  StartWith(20);
  Tap(Qt::Key_Space);
  const QImage muster = QImage(QStringLiteral(":/assets/pictures/muster5.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(muster.size(), QSize(20, 20));
  const QImage well = AufDemSchirm(form->TBox);
  ASSERT_EQ(well.size(), QSize(200, 400));
  for (int c = 1; c <= 10; ++c)
    for (int r = 1; r <= 20; ++r) {
      const bool quadrat = (c == 5 || c == 6) && (r == 19 || r == 20);
      // Cell (c, r) covers x = 20 (c - 1), y = 20 (r - 1).
      EXPECT_EQ(well.copy(20 * (c - 1), 20 * (r - 1), 20, 20) == muster, quadrat) << c << "," << r;
    }

  // Pause: the sign covers (5, 176) to (195, 224) and nothing else; P again gives the well back.
  Advance(50);
  const QImage vorher = AufDemSchirm(form->TBox);
  Tap(Qt::Key_P);
  const QImage pause = AufDemSchirm(form->TBox);
  QRect geaendert;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 200; ++x)
      if (pause.pixel(x, y) != vorher.pixel(x, y)) geaendert |= QRect(x, y, 1, 1);
  EXPECT_FALSE(geaendert.isEmpty());
  EXPECT_TRUE(QRect(5, 176, 190, 48).contains(geaendert))
      << geaendert.x() << "," << geaendert.y() << " " << geaendert.width() << "x" << geaendert.height();
  Tap(Qt::Key_P);
  EXPECT_EQ(AufDemSchirm(form->TBox), vorher);
}

}  // namespace
