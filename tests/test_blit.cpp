// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <random>

#include "platform/blit.h"
#include "test_layout_pixels.h"

using platform::BitBlt;
using platform::NewImage;
using platform::Rop;
using platform::StretchBlt;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kGreen = 0xFF00FF00u;
constexpr QRgb kBlue = 0xFF0000FFu;

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y); }

// A source whose every pixel is distinct, so a misplaced copy shows.
QImage Gradient(int w, int h) {
  QImage img = NewImage(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | static_cast<QRgb>((x << 8) | y));
  return img;
}

TEST(BitBlt, SrcCopyCopiesTheRectangleAndNothingElse) {
  QImage dst = NewImage(10, 10, kBlue);
  const QImage src = Gradient(8, 8);
  BitBlt(dst, 2, 3, 4, 5, src, 1, 2, Rop::SrcCopy);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 3 && y < 8;
      EXPECT_EQ(At(dst, x, y), inside ? At(src, x - 2 + 1, y - 3 + 2) : kBlue) << x << "," << y;
    }
  }
}

struct RopCase {
  Rop rop;
  QRgb src, dst, expected;
};
void PrintTo(const RopCase& c, std::ostream* os) {
  *os << "rop " << static_cast<int>(c.rop) << std::hex << " src " << c.src << " dst " << c.dst;
}

class RopTable : public ::testing::TestWithParam<RopCase> {};

TEST_P(RopTable, EachPixelFollowsItsFormula) {
  const RopCase c = GetParam();
  QImage dst = NewImage(3, 3, c.dst);
  const QImage src = NewImage(3, 3, c.src);
  BitBlt(dst, 0, 0, 3, 3, src, 0, 0, c.rop);
  EXPECT_EQ(At(dst, 1, 1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, RopTable,
    ::testing::Values(RopCase{Rop::SrcCopy, kRed, kBlue, kRed},
                      // ~src | dst: a black mask pixel turns the destination white ...
                      RopCase{Rop::MergePaint, kBlack, kBlue, kWhite},
                      // ... a white one leaves it alone.
                      RopCase{Rop::MergePaint, kWhite, kBlue, kBlue},
                      RopCase{Rop::MergePaint, 0xFF0F0F0Fu, 0xFF101010u, 0xFFF0F0F0u | 0xFF101010u},
                      // src & dst: white is transparent, any colour on white shows itself.
                      RopCase{Rop::SrcAnd, kWhite, kBlue, kBlue}, RopCase{Rop::SrcAnd, kRed, kWhite, kRed},
                      RopCase{Rop::SrcAnd, 0xFFF0F0F0u, 0xFF3C3C3Cu, 0xFF303030u}),
    [](const auto& info) {
      const Rop rop = info.param.rop;
      return (rop == Rop::SrcCopy      ? "SrcCopy"
              : rop == Rop::MergePaint ? "MergePaint"
                                       : "SrcAnd") +
             std::to_string(info.index);
    });

TEST(BitBlt, MaskedPaintLeavesTheSurroundingsUntouched) {
  // An L-shaped sprite on white with its mask, painted over a busy background.
  QImage sprite = NewImage(4, 4, kWhite);
  QImage mask = NewImage(4, 4, kWhite);
  for (auto [x, y] : {std::pair{0, 0}, {0, 1}, {0, 2}, {1, 2}}) {
    sprite.setPixel(x, y, kRed);
    mask.setPixel(x, y, kBlack);
  }
  const QImage background = Gradient(6, 6);
  QImage dst = background;
  BitBlt(dst, 1, 1, 4, 4, mask, 0, 0, Rop::MergePaint);
  BitBlt(dst, 1, 1, 4, 4, sprite, 0, 0, Rop::SrcAnd);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool cell = mask.valid(x - 1, y - 1) && mask.pixel(x - 1, y - 1) == kBlack;
      EXPECT_EQ(At(dst, x, y), cell ? kRed : At(background, x, y)) << x << "," << y;
    }
  }
}

struct ClipCase {
  const char* name;
  int x, y, w, h, sx, sy;
};
void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

class Clipping : public ::testing::TestWithParam<ClipCase> {};

// Every destination pixel must be either untouched or the source pixel that
// lines up with it; nothing may be written outside either image.
TEST_P(Clipping, CopiesOnlyWhatLiesInsideBothImages) {
  const ClipCase c = GetParam();
  const QImage src = Gradient(5, 4);
  QImage dst = NewImage(6, 6, kBlue);
  BitBlt(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, Rop::SrcCopy);
  int copied = 0;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const int sx = x - c.x + c.sx;
      const int sy = y - c.y + c.sy;
      const bool inRect = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
      const bool inSrc = sx >= 0 && sx < 5 && sy >= 0 && sy < 4;
      if (inRect && inSrc) {
        EXPECT_EQ(At(dst, x, y), At(src, sx, sy)) << c.name << " at " << x << "," << y;
        ++copied;
      } else {
        EXPECT_EQ(At(dst, x, y), kBlue) << c.name << " at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(copied, 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Edges, Clipping,
                         ::testing::Values(ClipCase{"above", 1, -2, 4, 4, 0, 0}, ClipCase{"left", -3, 1, 5, 3, 0, 0},
                                           ClipCase{"right", 4, 1, 5, 3, 0, 0}, ClipCase{"below", 0, 4, 5, 4, 0, 0},
                                           ClipCase{"source_left", 1, 1, 4, 3, -2, 0},
                                           ClipCase{"source_top", 1, 1, 3, 4, 0, -1},
                                           ClipCase{"source_right", 0, 0, 6, 2, 3, 0},
                                           ClipCase{"source_bottom", 0, 0, 2, 6, 0, 2},
                                           ClipCase{"corner", -1, -1, 8, 8, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitBlt, EntirelyOutsideWritesNothing) {
  const QImage src = Gradient(4, 4);
  QImage dst = NewImage(4, 4, kBlue);
  BitBlt(dst, 0, 400, 4, 4, src, 0, 0, Rop::SrcCopy);
  BitBlt(dst, -10, 0, 4, 4, src, 0, 0, Rop::MergePaint);
  BitBlt(dst, 0, 0, 0, 4, src, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(dst, NewImage(4, 4, kBlue));
}

TEST(StretchBlt, NegativeHeightMirrorsUpwardsFromTheEdge) {
  const QImage strip = Gradient(3, 2);
  QImage dst = NewImage(3, 6, kBlue);
  StretchBlt(dst, 0, 6, 3, -2, strip, 0, 0, 3, 2, Rop::SrcCopy);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(At(dst, x, 5), At(strip, x, 0));  // top row of the strip at the very bottom
    EXPECT_EQ(At(dst, x, 4), At(strip, x, 1));
    EXPECT_EQ(At(dst, x, 3), kBlue);
  }
}

TEST(StretchBlt, NegativeWidthMirrorsLeftwardsFromTheEdge) {
  const QImage strip = Gradient(2, 3);
  QImage dst = NewImage(5, 3, kBlue);
  StretchBlt(dst, 5, 0, -2, 3, strip, 0, 0, 2, 3, Rop::SrcCopy);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(At(dst, 4, y), At(strip, 0, y));
    EXPECT_EQ(At(dst, 3, y), At(strip, 1, y));
    EXPECT_EQ(At(dst, 2, y), kBlue);
  }
}

TEST(StretchBlt, BothNegativeRotatesByHalfATurn) {
  const QImage corner = Gradient(3, 3);
  QImage dst = NewImage(3, 3, kBlue);
  StretchBlt(dst, 3, 3, -3, -3, corner, 0, 0, 3, 3, Rop::SrcCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(dst, x, y), At(corner, 2 - x, 2 - y));
}

TEST(StretchBlt, ScalesAndClips) {
  QImage src = NewImage(2, 1, kRed);
  src.setPixel(1, 0, kGreen);
  QImage dst = NewImage(3, 1, kBlue);
  StretchBlt(dst, -1, 0, 4, 1, src, 0, 0, 2, 1, Rop::SrcCopy);  // columns -1 and 0 red, 1 and 2 green
  EXPECT_EQ(At(dst, 0, 0), kRed);
  EXPECT_EQ(At(dst, 1, 0), kGreen);
  EXPECT_EQ(At(dst, 2, 0), kGreen);
}

// ---- Against the per-pixel model, on seeded random pictures and rectangles ----------

pixels::Op ModelOf(Rop rop) {
  return rop == Rop::SrcCopy ? pixels::Op::Copy : rop == Rop::MergePaint ? pixels::Op::Merge : pixels::Op::And;
}

TEST(BitBlt, AgreesWithThePixelModelOnRandomRectangles) {
  std::mt19937 g(20261207);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g); };
  for (int n = 0; n < 3000; ++n) {
    QImage dst = pixels::Random(in(1, 12), in(1, 12), g());
    const QImage src = pixels::Random(in(1, 12), in(1, 12), g());
    const Rop rop = static_cast<Rop>(in(0, 2));
    const int x = in(-8, 14), y = in(-8, 14), w = in(-2, 14), h = in(-2, 14), sx = in(-8, 14), sy = in(-8, 14);
    const bool self = n % 10 == 0;  // now and then a copy within one picture
    QImage want = dst;
    pixels::Blt(want, x, y, w, h, self ? dst : src, sx, sy, ModelOf(rop));
    BitBlt(dst, x, y, w, h, self ? dst : src, sx, sy, rop);
    ASSERT_TRUE(pixels::Same(dst, want)) << "case " << n << ": " << x << "," << y << " " << w << "x" << h << " from "
                                         << sx << "," << sy << " rop " << static_cast<int>(rop)
                                         << (self ? " self" : "");
  }
}

TEST(StretchBlt, OneToOneCopiesAndMirrorsAgreeWithThePixelModel) {
  std::mt19937 g(7);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g); };
  for (int n = 0; n < 2000; ++n) {
    QImage dst = pixels::Random(in(1, 16), in(1, 16), g());
    const QImage src = pixels::Random(in(1, 8), in(1, 8), g());
    const Rop rop = static_cast<Rop>(in(0, 2));
    const int w = in(0, 1) ? src.width() : -src.width();
    const int h = in(0, 1) ? src.height() : -src.height();
    const int x = in(-10, 26), y = in(-10, 26);
    QImage want = dst;
    pixels::Mirror(want, x, y, w, h, src, ModelOf(rop));
    StretchBlt(dst, x, y, w, h, src, 0, 0, src.width(), src.height(), rop);
    ASSERT_TRUE(pixels::Same(dst, want)) << "case " << n << ": at " << x << "," << y << " " << w << "x" << h << " rop "
                                         << static_cast<int>(rop);
  }
}

}  // namespace
