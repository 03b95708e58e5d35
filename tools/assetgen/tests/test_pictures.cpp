// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpers.h"

#include "canvas.h"
#include "color.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

using namespace assetgen;
using assetgen::test::picture;
using assetgen::test::pictures;

namespace {

struct Expected {
  const char* file;
  int w, h;
};
// Test names and failures show the file, not the bytes of the case.
void PrintTo(const Expected& e, std::ostream* os) { *os << e.file; }

// Sizes the game's layout code relies on.
const Expected kExpected[] = {
    {"muster0.png", 20, 20},         {"muster1.png", 20, 20},        {"muster2.png", 20, 20},
    {"muster3.png", 20, 20},         {"muster4.png", 20, 20},        {"muster5.png", 20, 20},
    {"muster6.png", 20, 20},         {"rahmenmuster.png", 20, 20},   {"reihe.png", 20, 20},
    {"tboxsich.png", 200, 400},      {"digital.png", 154, 20},       {"gameoverpic1.png", 146, 39},
    {"gameoverbl1.png", 146, 39},    {"gameoverpic2.png", 142, 39},  {"gameoverbl2.png", 142, 39},
    {"pausepic.png", 190, 48},       {"pausepicbl.png", 190, 48},    {"picrandhorizontal.png", 30, 6},
    {"picrandvertikal.png", 6, 27},  {"picecke.png", 6, 6},          {"hg_main.png", 150, 120},
    {"logo.png", 220, 91},           {"logoblack.png", 220, 91},     {"pkteform.png", 273, 81},
    {"punktetitel.png", 107, 14},    {"leveltitel.png", 98, 14},     {"reihentitel.png", 95, 14},
    {"vorschaurahmen.png", 193, 89}, {"vorschautitel.png", 88, 14},  {"btn_neuesspiel.png", 80, 28},
    {"btn_highscore.png", 86, 28},   {"btn_copyright.png", 80, 28},  {"btn_anleitung.png", 80, 28},
    {"btn_beenden.png", 80, 28},     {"btn_zurueck.png", 140, 28},   {"btn_ok.png", 100, 28},
    {"hg_highscore.png", 144, 144},  {"hstitel.png", 416, 71},       {"hstitelbl.png", 416, 71},
    {"hg_eingabe.png", 145, 145},    {"hg_anleitung.png", 189, 194}, {"anleittitel.png", 176, 67},
    {"anleittitelbl.png", 176, 67},  {"hg_info.png", 219, 163},      {"infopic.png", 61, 166},
    {"makerlogo.png", 140, 48},      {"linkcursor.png", 32, 32},
};

std::string fileName(const char* f) {
  std::string s(f);
  for (char& c : s)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return s;
}

}  // namespace

// ------------------------------------------------------------ catalogue ----

class PictureSize : public ::testing::TestWithParam<Expected> {};

TEST_P(PictureSize, HasExactSizeAndAlphaFormat) {
  const Expected e = GetParam();
  ASSERT_EQ(pictures().count(QString::fromLatin1(e.file)), 1u) << e.file << " is not generated";
  const QImage& img = picture(e.file);
  EXPECT_EQ(img.width(), e.w);
  EXPECT_EQ(img.height(), e.h);
  EXPECT_EQ(img.format(), QImage::Format_ARGB32);
}

INSTANTIATE_TEST_SUITE_P(All, PictureSize, ::testing::ValuesIn(kExpected),
                         [](const auto& info) { return fileName(info.param.file); });

TEST(PictureCatalogue, ContainsNothingBeyondTheList) {
  std::set<QString> expected;
  for (const Expected& e : kExpected) expected.insert(QString::fromLatin1(e.file));
  for (const auto& [file, img] : pictures()) EXPECT_TRUE(expected.count(file)) << file.toStdString();
  EXPECT_EQ(pictures().size(), std::size(kExpected));
}

// ---------------------------------------------------------------- cells ----

class PieceCell : public ::testing::TestWithParam<int> {};

TEST_P(PieceCell, HasNoPureWhiteAndIsLitFromTopLeft) {
  const QImage& img = picture(("muster" + std::to_string(GetParam()) + ".png").c_str());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) ASSERT_NE(img.pixel(x, y), kWhite) << x << "," << y;
  EXPECT_GT(test::meanLuma(img, QRect(0, 0, 20, 2)), test::meanLuma(img, QRect(0, 18, 20, 2)) + 30);
  EXPECT_GT(test::meanLuma(img, QRect(0, 0, 2, 20)), test::meanLuma(img, QRect(18, 0, 2, 20)) + 30);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PieceCell, ::testing::Range(0, kPieceKinds),
                         [](const auto& info) { return "muster" + std::to_string(info.param); });

TEST(PieceCells, SevenClearlyDistinctColours) {
  for (int a = 0; a < kPieceKinds; ++a)
    for (int b = a + 1; b < kPieceKinds; ++b) {
      const QColor ca = picture(("muster" + std::to_string(a) + ".png").c_str()).pixelColor(10, 10);
      const QColor cb = picture(("muster" + std::to_string(b) + ".png").c_str()).pixelColor(10, 10);
      const double d = std::hypot(ca.red() - cb.red(), ca.green() - cb.green(), ca.blue() - cb.blue());
      EXPECT_GT(d, 65.0) << "kinds " << a << " and " << b << " look alike";
    }
}

TEST(FrameCell, SteelLitFromTopLeft) {
  const QImage& img = picture("rahmenmuster.png");
  EXPECT_GT(test::meanLuma(img, QRect(0, 0, 20, 1)), test::meanLuma(img, QRect(0, 19, 20, 1)) + 60);
  EXPECT_GT(test::meanLuma(img, QRect(0, 0, 1, 20)), test::meanLuma(img, QRect(19, 0, 1, 20)) + 60);
  // Grey: no channel strays far from the others.
  const QColor c = img.pixelColor(4, 15);
  EXPECT_LT(std::abs(c.red() - c.blue()), 40);
}

TEST(FlashCell, IsBrightWithTwoColours) {
  const QImage& img = picture("reihe.png");
  EXPECT_GT(test::meanLuma(img, img.rect()), 200.0);
  EXPECT_EQ(img.pixel(0, 0), kWhite);
  const QColor centre = img.pixelColor(10, 10);
  EXPECT_GT(centre.red() - centre.blue(), 80) << "centre should be gold, not white";
}

TEST(WellBackground, DarkBlueWithGridOnCellBoundaries) {
  const QImage& img = picture("tboxsich.png");
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) ASSERT_NE(img.pixel(x, y), kWhite);
  EXPECT_LT(test::meanLuma(img, img.rect()), 40.0);
  const QColor mid = img.pixelColor(10, 10);
  EXPECT_GT(mid.blue(), mid.red());
  for (int i = 0; i < 10; ++i) {
    const int x = i * 20;
    for (int y : {5, 133, 391}) EXPECT_GT(luma(img.pixel(x, y)), luma(img.pixel(x + 10, y))) << x << "," << y;
  }
  for (int j = 0; j < 20; ++j) {
    const int y = j * 20;
    for (int x : {7, 111, 193}) EXPECT_GT(luma(img.pixel(x, y)), luma(img.pixel(x, y + 10))) << x << "," << y;
  }
}

// --------------------------------------------------------------- digits ----

namespace {
// Which segments (a..g) each glyph lights; glyph 10 is the blank cell.
const char* const kDigitSegments[kGlyphCount] = {"abcdef", "bc",  "abdeg",   "abcdg",  "bcfg", "acdfg",
                                                 "acdefg", "abc", "abcdefg", "abcdfg", ""};
}  // namespace

class DigitGlyph : public ::testing::TestWithParam<int> {};

TEST_P(DigitGlyph, LightsExactlyItsSegmentsOnBlack) {
  const int g = GetParam();
  const QImage& img = picture("digital.png");
  const std::string lit = kDigitSegments[g];
  for (int s = 0; s < 7; ++s) {
    const QRect r = segmentRects()[static_cast<std::size_t>(s)].translated(g * kGlyphW, 0);
    const double l = luma(img.pixel(r.center()));
    if (lit.find(static_cast<char>('a' + s)) != std::string::npos)
      EXPECT_GT(l, 120.0) << "segment " << char('a' + s) << " should be lit";
    else {
      // Dim enough that a lit "1" beside unlit segments still reads as a 1.
      EXPECT_LT(l, 20.0) << "segment " << char('a' + s) << " should be unlit";
      EXPECT_GT(l, 8.0) << "unlit segment " << char('a' + s) << " should stay faintly visible";
    }
  }
  // Glyph background (corners and the spacing columns) is black.
  for (const QPoint p : {QPoint(0, 0), QPoint(13, 0), QPoint(0, 19), QPoint(13, 19), QPoint(6, 5), QPoint(6, 14),
                         QPoint(0, 10), QPoint(13, 10)})
    EXPECT_EQ(img.pixel(p + QPoint(g * kGlyphW, 0)), kBlack) << p.x() << "," << p.y();
}

INSTANTIATE_TEST_SUITE_P(Glyphs, DigitGlyph, ::testing::Range(0, kGlyphCount),
                         [](const auto& info) { return "Glyph" + std::to_string(info.param); });

TEST(DigitGlyphs, SegmentsStayInsideTheirGlyph) {
  for (const QRect& r : segmentRects()) EXPECT_TRUE(QRect(0, 0, kGlyphW, kGlyphH).contains(r));
}

// --------------------------------------------------------------- masked ----

namespace assetgen {
void PrintTo(const MaskedFiles& m, std::ostream* os) { *os << m.picture << " with " << m.mask; }
void PrintTo(const CaptionPlacement& c, std::ostream* os) { *os << c.file; }
}  // namespace assetgen

class MaskedPicture : public ::testing::TestWithParam<MaskedFiles> {};

TEST_P(MaskedPicture, MaskIsBlackExactlyOnTheShape) {
  const QImage& pic = picture(GetParam().picture);
  const QImage& mask = picture(GetParam().mask);
  ASSERT_EQ(pic.size(), mask.size());
  int shape = 0;
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x) {
      const QRgb m = mask.pixel(x, y);
      ASSERT_TRUE(m == kBlack || m == kWhite) << "grey mask pixel at " << x << "," << y;
      ASSERT_EQ(m == kBlack, pic.pixel(x, y) != kWhite) << x << "," << y;
      shape += m == kBlack;
    }
  const int area = pic.width() * pic.height();
  EXPECT_GT(shape, area / 5) << "shape too small";
  EXPECT_LE(shape, area);
}

TEST_P(MaskedPicture, ShapeIsCentred) {
  const QImage& mask = picture(GetParam().mask);
  QRect box;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (mask.pixel(x, y) == kBlack) box = box.united(QRect(x, y, 1, 1));
  // The logo is centred on the part of it the well frame leaves visible.
  const bool logo = std::string(GetParam().mask) == "logoblack.png";
  const int width = logo ? kLogoVisibleWidth : mask.width();
  EXPECT_NEAR(box.center().x(), width / 2.0, 3.0);
  EXPECT_NEAR(box.center().y(), mask.height() / 2.0, 3.0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, MaskedPicture, ::testing::ValuesIn(maskedFiles()),
                         [](const auto& info) { return fileName(info.param.picture); });

// ----------------------------------------------------------------- logo ----

TEST(Logo, NothingUnderTheWellFrame) {
  // The game hides the logo from x = 146 on; keep a small gap before that.
  ASSERT_LE(kLogoVisibleWidth, 142);
  EXPECT_LE(kLogoPanelPos.x() + kLogoVisibleWidth + 4, kWellFramePanelX);
  const QImage& pic = picture("logo.png");
  const QImage& mask = picture("logoblack.png");
  for (int y = 0; y < pic.height(); ++y)
    for (int x = kLogoVisibleWidth; x < pic.width(); ++x) {
      ASSERT_EQ(pic.pixel(x, y), kWhite) << "logo.png " << x << "," << y;
      ASSERT_EQ(mask.pixel(x, y), kWhite) << "logoblack.png " << x << "," << y;
    }
}

TEST(Logo, FillsTheVisibleAreaOnTwoColourfulLines) {
  const QImage& pic = picture("logo.png");
  const QImage& mask = picture("logoblack.png");
  QRect box;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (mask.pixel(x, y) == kBlack) box = box.united(QRect(x, y, 1, 1));
  EXPECT_GE(box.width(), kLogoVisibleWidth - 8);
  EXPECT_GE(box.height(), pic.height() - 8);
  // Letters take the piece colours: the upper line ("NOR" and the falling
  // piece) and the lower line ("VANE") each show at least four of them.
  auto kindsIn = [&](int top, int bottom) {
    std::set<int> kinds;
    for (int k = 0; k < kPieceKinds; ++k) {
      const QColor base = pieceColor(k);
      int near = 0;
      for (int y = top; y <= bottom; ++y)
        for (int x = 0; x < kLogoVisibleWidth; ++x) {
          const QColor c = pic.pixelColor(x, y);
          near += std::hypot(c.red() - base.red(), c.green() - base.green(), c.blue() - base.blue()) < 40.0;
        }
      if (near >= 15) kinds.insert(k);
    }
    return kinds.size();
  };
  EXPECT_GE(kindsIn(0, pic.height() / 2 - 1), 4u);
  EXPECT_GE(kindsIn(pic.height() / 2, pic.height() - 1), 4u);
}

TEST(MaskedPair, ConversionThresholdsHalfCoverage) {
  QImage layer(4, 1, QImage::Format_ARGB32);
  layer.setPixel(0, 0, qRgba(200, 10, 10, 255));
  layer.setPixel(1, 0, qRgba(200, 10, 10, 127));
  layer.setPixel(2, 0, qRgba(200, 10, 10, 128));
  layer.setPixel(3, 0, qRgba(255, 255, 255, 255));
  const MaskedPair pair = toMaskedPair(layer, QColor(0, 0, 40));
  EXPECT_EQ(pair.mask.pixel(0, 0), kBlack);
  EXPECT_EQ(pair.mask.pixel(1, 0), kWhite);
  EXPECT_EQ(pair.picture.pixel(1, 0), kWhite);
  EXPECT_EQ(pair.mask.pixel(2, 0), kBlack);
  // Half-covered pixels are flattened onto the edge colour, not onto white.
  EXPECT_LT(qBlue(pair.picture.pixel(2, 0)), 40);
  // An opaque white pixel of the shape must not vanish into the background.
  EXPECT_EQ(pair.mask.pixel(3, 0), kBlack);
  EXPECT_NE(pair.picture.pixel(3, 0), kWhite);
}

// ---------------------------------------------------------------- tiles ----

namespace {
struct Seam {
  const char* file;
  bool wrapsX, wrapsY;
};
void PrintTo(const Seam& s, std::ostream* os) { *os << s.file; }

double columnDiff(const QImage& img, int a, int b) {
  double s = 0;
  for (int y = 0; y < img.height(); ++y) s += std::abs(luma(img.pixel(a, y)) - luma(img.pixel(b, y)));
  return s / img.height();
}
double rowDiff(const QImage& img, int a, int b) {
  double s = 0;
  for (int x = 0; x < img.width(); ++x) s += std::abs(luma(img.pixel(x, a)) - luma(img.pixel(x, b)));
  return s / img.width();
}
}  // namespace

class SeamlessTile : public ::testing::TestWithParam<Seam> {};

// The wrap-around edge may be no harsher than the harshest edge inside the
// picture; a visible seam would stand out above all of them.
TEST_P(SeamlessTile, WrapEdgeLooksLikeAnInnerEdge) {
  const QImage& img = picture(GetParam().file);
  if (GetParam().wrapsX) {
    double inner = 0;
    for (int x = 0; x + 1 < img.width(); ++x) inner = std::max(inner, columnDiff(img, x, x + 1));
    EXPECT_LE(columnDiff(img, img.width() - 1, 0), inner + 0.5);
  }
  if (GetParam().wrapsY) {
    double inner = 0;
    for (int y = 0; y + 1 < img.height(); ++y) inner = std::max(inner, rowDiff(img, y, y + 1));
    EXPECT_LE(rowDiff(img, img.height() - 1, 0), inner + 0.5);
  }
}

INSTANTIATE_TEST_SUITE_P(Tiles, SeamlessTile,
                         ::testing::Values(Seam{"hg_main.png", true, true}, Seam{"hg_highscore.png", true, true},
                                           Seam{"hg_eingabe.png", true, true}, Seam{"hg_anleitung.png", true, true},
                                           Seam{"hg_info.png", true, true}, Seam{"picrandhorizontal.png", true, false},
                                           Seam{"picrandvertikal.png", false, true}),
                         [](const auto& info) { return fileName(info.param.file); });

TEST(BorderPieces, CornerJoinsBothStrips) {
  const QImage& corner = picture("picecke.png");
  const QImage& top = picture("picrandhorizontal.png");
  const QImage& left = picture("picrandvertikal.png");
  // Right column of the corner continues the top strip's profile, bottom
  // row continues the left strip's profile.
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(corner.pixel(5, i), top.pixel(0, i)) << i;
    EXPECT_EQ(corner.pixel(i, 5), left.pixel(i, 0)) << i;
  }
}

struct Brightness {
  const char* file;
  double minLuma, maxLuma;
};
void PrintTo(const Brightness& b, std::ostream* os) { *os << b.file; }

class BackgroundBrightness : public ::testing::TestWithParam<Brightness> {};

TEST_P(BackgroundBrightness, SuitsTheTextWrittenOverIt) {
  const QImage& img = picture(GetParam().file);
  const double l = test::meanLuma(img, img.rect());
  EXPECT_GE(l, GetParam().minLuma);
  EXPECT_LE(l, GetParam().maxLuma);
}

INSTANTIATE_TEST_SUITE_P(Tiles, BackgroundBrightness,
                         ::testing::Values(Brightness{"hg_main.png", 10, 60}, Brightness{"hg_highscore.png", 10, 60},
                                           Brightness{"hg_eingabe.png", 5, 50}, Brightness{"hg_anleitung.png", 10, 60},
                                           Brightness{"hg_info.png", 190, 245}, Brightness{"tboxsich.png", 5, 40}),
                         [](const auto& info) { return fileName(info.param.file); });

// --------------------------------------------------- counters & captions ----

TEST(CounterPanel, DigitSlotsAreBlack) {
  const QImage& img = picture("pkteform.png");
  for (const QRect& r : kCounterSlots) {
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) ASSERT_EQ(img.pixel(x, y), kBlack) << x << "," << y;
    // The slot is sunk into the plate, not part of a black area.
    EXPECT_NE(img.pixel(r.left() - 1, r.center().y()), kBlack);
    EXPECT_NE(img.pixel(r.right() + 1, r.center().y()), kBlack);
    EXPECT_NE(img.pixel(r.center().x(), r.top() - 1), kBlack);
    EXPECT_NE(img.pixel(r.center().x(), r.bottom() + 1), kBlack);
  }
}

TEST(PreviewFrame, PieceSlotIsBlack) {
  const QImage& img = picture("vorschaurahmen.png");
  for (int y = kPreviewSlot.top(); y <= kPreviewSlot.bottom(); ++y)
    for (int x = kPreviewSlot.left(); x <= kPreviewSlot.right(); ++x)
      ASSERT_EQ(img.pixel(x, y), kBlack) << x << "," << y;
  EXPECT_NE(img.pixel(kPreviewSlot.left() - 2, kPreviewSlot.top() - 2), kBlack);
}

class Caption : public ::testing::TestWithParam<CaptionPlacement> {};

TEST_P(Caption, BlendsIntoItsPlateAndShowsText) {
  const CaptionPlacement c = GetParam();
  const QImage& cap = picture(c.file);
  const QImage& plateImg = picture(c.onPreview ? "vorschaurahmen.png" : "pkteform.png");
  ASSERT_EQ(cap.size(), c.box.size());
  ASSERT_TRUE(plateImg.rect().contains(c.box));
  int same = 0;
  for (int y = 0; y < cap.height(); ++y)
    for (int x = 0; x < cap.width(); ++x) same += cap.pixel(x, y) == plateImg.pixel(c.box.topLeft() + QPoint(x, y));
  // Mostly plate, so its edges vanish when drawn in place...
  EXPECT_GT(same, cap.width() * cap.height() * 6 / 10);
  // ...and the edge pixels are all plate.
  for (int x = 0; x < cap.width(); ++x) {
    EXPECT_EQ(cap.pixel(x, 0), plateImg.pixel(c.box.left() + x, c.box.top())) << x;
    EXPECT_EQ(cap.pixel(x, cap.height() - 1), plateImg.pixel(c.box.left() + x, c.box.bottom())) << x;
  }
  // The caption text is light on the dark plate, placed as intended.
  const QRect text = test::brightBox(cap, 120.0);
  ASSERT_FALSE(text.isNull()) << "no legible text";
  EXPECT_GE(text.height(), 7);
  if (c.centred)
    EXPECT_NEAR(text.left(), cap.width() - 1 - text.right(), 3);
  else
    EXPECT_LE(text.left(), 4);
}

INSTANTIATE_TEST_SUITE_P(All, Caption, ::testing::ValuesIn(captionPlacements()),
                         [](const auto& info) { return fileName(info.param.file); });

// -------------------------------------------------------------- buttons ----

class Button : public ::testing::TestWithParam<const char*> {};

TEST_P(Button, RoundedPlateWithCentredLabel) {
  const QImage& img = picture(GetParam());
  // Opaque (the game drops alpha), with rounded corners in the dark panel colour.
  const QRgb corner = img.pixel(0, 0);
  EXPECT_EQ(qAlpha(corner), 255);
  EXPECT_LT(luma(corner), 45.0);
  EXPECT_EQ(img.pixel(img.width() - 1, 0), corner);
  EXPECT_EQ(img.pixel(0, img.height() - 1), corner);
  EXPECT_EQ(img.pixel(img.width() - 1, img.height() - 1), corner);
  EXPECT_NE(img.pixel(img.width() / 2, 0), corner) << "top edge should be the plate's outline";
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) ASSERT_EQ(qAlpha(img.pixel(x, y)), 255);
  const QRect label = test::brightBox(img.copy(2, 3, img.width() - 4, img.height() - 6), 200.0).translated(2, 3);
  ASSERT_FALSE(label.isNull()) << "no label";
  EXPECT_GE(label.height(), 7);
  EXPECT_NEAR((label.left() + label.right()) / 2.0, (img.width() - 1) / 2.0, 2.0);
  EXPECT_NEAR((label.top() + label.bottom()) / 2.0, (img.height() - 1) / 2.0, 3.0);
  EXPECT_GE(label.left(), 3) << "label runs into the rim";
}

INSTANTIATE_TEST_SUITE_P(All, Button,
                         ::testing::Values("btn_neuesspiel.png", "btn_highscore.png", "btn_copyright.png",
                                           "btn_anleitung.png", "btn_beenden.png", "btn_zurueck.png", "btn_ok.png"),
                         [](const auto& info) { return fileName(info.param); });

// ---------------------------------------------------------------- other ----

TEST(LinkCursor, TransparentWithFingerTipAtHotspot) {
  const QImage& img = picture("linkcursor.png");
  ASSERT_TRUE(img.hasAlphaChannel());
  EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(img.pixel(31, 31)), 0);
  EXPECT_EQ(qAlpha(img.pixel(kCursorHotspot)), 255);
  // Nothing opaque above the tip: the hotspot is the top of the hand.
  int topmost = 32;
  for (int y = 0; y < 32 && topmost == 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (qAlpha(img.pixel(x, y)) == 255) {
        topmost = y;
        break;
      }
  EXPECT_GE(kCursorHotspot.y(), topmost);
  EXPECT_LE(kCursorHotspot.y() - topmost, 1);
  EXPECT_EQ(qAlpha(img.pixel(kCursorHotspot.x(), topmost)), 255);
}

TEST(MakerLogo, WordmarkOnWhite) {
  const QImage& img = picture("makerlogo.png");
  for (const QPoint p : {QPoint(0, 0), QPoint(139, 0), QPoint(0, 47), QPoint(139, 47)}) EXPECT_EQ(img.pixel(p), kWhite);
  int dark = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) dark += luma(img.pixel(x, y)) < 80;
  EXPECT_GT(dark, 150) << "wordmark text missing";
  // The wordmark sits in the middle of the picture.
  QRect ink;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (luma(img.pixel(x, y)) < 200) ink = ink.united(QRect(x, y, 1, 1));
  EXPECT_NEAR((ink.left() + ink.right()) / 2.0, (img.width() - 1) / 2.0, 3.0);
  EXPECT_NEAR((ink.top() + ink.bottom()) / 2.0, (img.height() - 1) / 2.0, 3.0);
}

TEST(InfoPicture, OpaqueColumnWithColouredCells) {
  const QImage& img = picture("infopic.png");
  int coloured = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      ASSERT_EQ(qAlpha(img.pixel(x, y)), 255) << x << "," << y;
      coloured += img.pixelColor(x, y).hsvSaturation() > 120 && luma(img.pixel(x, y)) > 70;
    }
  EXPECT_GT(coloured, img.width() * img.height() / 4);
  // Steel frame lit from the top-left.
  EXPECT_GT(luma(img.pixel(30, 1)), luma(img.pixel(30, img.height() - 2)));
}

// --------------------------------------------------------------- helpers ----

TEST(Rng, SameSeedSameSequenceAndValuesInRange) {
  Rng a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    const std::uint32_t ra = a.raw(), rb = b.raw();
    EXPECT_EQ(ra, rb);
    differs |= ra != c.raw();
  }
  EXPECT_TRUE(differs);
  Rng r(7);
  int hits[5] = {};
  for (int i = 0; i < 5000; ++i) {
    const double u = r.unit();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    const std::uint32_t k = r.below(5);
    ASSERT_LT(k, 5u);
    ++hits[k];
  }
  for (int h : hits) EXPECT_GT(h, 800);
}

TEST(TileNoise, WrapsAtTheTileEdges) {
  const TileNoise n(5, 3, 99);
  for (double t : {0.0, 0.13, 0.5, 0.77}) {
    EXPECT_NEAR(n.at(0.0, t), n.at(1.0, t), 1e-12);
    EXPECT_NEAR(n.at(t, 0.0), n.at(t, 1.0), 1e-12);
    EXPECT_GE(n.at(t, t), 0.0);
    EXPECT_LE(n.at(t, t), 1.0);
  }
}

TEST(Colour, MixAndLightenStayOffPureWhite) {
  EXPECT_EQ(mix(QColor(0, 0, 0), QColor(200, 100, 50), 0.5), QColor(100, 50, 25));
  EXPECT_EQ(mix(QColor(10, 10, 10), QColor(20, 20, 20), 2.0), QColor(20, 20, 20));
  EXPECT_NE(lighten(QColor(250, 250, 250), 1.0).rgb(), QColor(Qt::white).rgb());
  EXPECT_EQ(darken(QColor(200, 100, 50), 1.0), QColor(0, 0, 0));
  EXPECT_EQ(shift(QColor(250, 5, 100), 10), QColor(255, 15, 110));
}
