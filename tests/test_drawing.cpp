// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures of the main window, each against a model painted pixel by pixel:
// the well's frame and empty background, the piece pictures and masks, the
// preview, the falling piece, the pause sign and the game-over pictures.
// Every source picture is random, so a shifted, mirrored or unmasked copy shows.

#include <cmath>
#include <string>
#include <vector>

#include "fixture.h"
#include "input/keys.h"
#include "test_layout_pixels.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

// The shapes of the 28 piece pictures, rows from top to bottom, X a cell.
// clang-format off
const char* const kShapes[28] = {
    "XXX / X..",   "XX / .X / .X", "..X / XXX",    "X. / X. / XX",   // L
    "XXXX",        "X / X / X / X", "XXXX",        "X / X / X / X",  // I
    "XXX / .X.",   ".X / XX / .X", ".X. / XXX",    "X. / XX / X.",   // T
    ".XX / XX.",   "X. / XX / .X", ".XX / XX.",    "X. / XX / .X",   // S
    "XX. / .XX",   ".X / XX / X.", "XX. / .XX",    ".X / XX / X.",   // Z
    "XX / XX",     "XX / XX",      "XX / XX",      "XX / XX",        // O
    "XXX / ..X",   ".X / .X / XX", "X.. / XXX",    "XX / X. / X.",   // J
};
// clang-format on

std::vector<std::string> Rows(int p) {
  std::vector<std::string> rows(1);
  for (const char* c = kShapes[p]; *c; ++c) {
    if (*c == '/') rows.emplace_back();
    if (*c == 'X' || *c == '.') rows.back() += *c;
  }
  return rows;
}

// The picture of p on `back`: its cells in the kind's pattern, `back` elsewhere.
QImage PiecePicture(int p, const QImage& pattern, QRgb back) {
  const auto rows = Rows(p);
  QImage img = pixels::Filled(20 * static_cast<int>(rows[0].size()), 20 * static_cast<int>(rows.size()), back);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (rows[static_cast<size_t>(y / 20)][static_cast<size_t>(x / 20)] == 'X')
        img.setPixel(x, y, pattern.pixel(x % 20, y % 20));
  return img;
}

// A loaded main window whose source pictures are all random.
class Drawing : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = std::make_unique<TForm>();
    for (int k = 0; k < 7; ++k)
      form->Muster[static_cast<size_t>(k)] = pixels::Random(20, 20, 100 + static_cast<uint32_t>(k));
    form->RahmenMuster = pixels::Random(20, 20, 200);
    form->TBoxSich = pixels::Random(200, 400, 201);
    form->PausePic = pixels::Random(190, 48, 300);
    form->PausePicBl = pixels::Random(190, 48, 301);
    form->GameOverPic1 = pixels::Random(146, 39, 400);
    form->GameOverBl1 = pixels::Random(146, 39, 401);
    form->GameOverPic2 = pixels::Random(142, 39, 402);
    form->GameOverBl2 = pixels::Random(142, 39, 403);
    form->Form_Load();
    platform::sound::ClearRequests();
  }
  const QImage& Well() const { return form->TBox->Image(); }
};

TEST_F(Drawing, LoadClearsTheWellAndTilesTheFrameCellIntoItsThreeParts) {
  EXPECT_TRUE(pixels::Same(Well(), form->TBoxSich));
  const QImage& cell = form->RahmenMuster;
  const QImage* walls[] = {&form->TBoxRahmen[0]->Image(), &form->TBoxRahmen[2]->Image()};
  for (const QImage* wall : walls) {
    QImage want = pixels::Filled(20, 400, 0);
    for (int y = 0; y < 400; ++y)
      for (int x = 0; x < 20; ++x) want.setPixel(x, y, cell.pixel(x, y % 20));
    EXPECT_TRUE(pixels::Same(*wall, want)) << (wall == walls[0] ? "left wall" : "right wall");
  }
  QImage floor = pixels::Filled(240, 20, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 240; ++x) floor.setPixel(x, y, cell.pixel(x % 20, y));
  EXPECT_TRUE(pixels::Same(form->TBoxRahmen[1]->Image(), floor)) << "floor";
}

TEST_F(Drawing, EveryPiecePictureAndMaskIsBuiltFromItsKindsPattern) {
  const QImage black = pixels::Filled(20, 20, kBlack);
  for (int p = 0; p < 28; ++p) {
    SCOPED_TRACE("picture " + std::to_string(p) + " " + kShapes[p]);
    EXPECT_TRUE(pixels::Same(form->N[static_cast<size_t>(p)],
                             PiecePicture(p, form->Muster[static_cast<size_t>(p / 4)], kWhite)));
    EXPECT_TRUE(pixels::Same(form->NB[static_cast<size_t>(p)], PiecePicture(p, black, kWhite)));
  }
}

// The next piece centred on black in its 80 x 40 box.
QImage PreviewModel(int kind, const QImage& pattern) {
  // Offsets of the kinds' first pictures: (10, 0) for 3 x 2, (0, 10) for the I, (20, 0) for the O.
  const QPoint offset[7] = {{10, 0}, {0, 10}, {10, 0}, {10, 0}, {10, 0}, {20, 0}, {10, 0}};
  QImage want = pixels::Filled(80, 40, kBlack);
  const QImage piece = PiecePicture(4 * kind, pattern, kBlack);
  pixels::Blt(want, offset[kind].x(), offset[kind].y(), piece.width(), piece.height(), piece, 0, 0, pixels::Op::Copy);
  return want;
}

TEST_F(Drawing, ThePreviewShowsEachKindCentredOnBlack) {
  for (int kind = 0; kind < 7; ++kind) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    form->Vorschau->Image() = pixels::Random(80, 40, 500 + static_cast<uint32_t>(kind));  // the last preview
    form->NaechsterStein = 4 * kind;
    const int shown = form->Vorschau->RefreshCount();
    form->VorschauZeigen();
    EXPECT_TRUE(pixels::Same(form->Vorschau->Image(), PreviewModel(kind, form->Muster[static_cast<size_t>(kind)])));
    EXPECT_GT(form->Vorschau->RefreshCount(), shown);
  }
}

TEST_F(Drawing, ANewGamePreviewsTheNextPiece) {
  form->picButtonNeuesSpiel_Click();
  const int kind = form->NaechsterStein / 4;
  ASSERT_EQ(form->NaechsterStein, 4 * kind);
  EXPECT_TRUE(pixels::Same(form->Vorschau->Image(), PreviewModel(kind, form->Muster[static_cast<size_t>(kind)])));
}

// Each gravity tick takes the piece off where it was last painted, saves what
// lies under its new place and paints it there through its mask.
TEST_F(Drawing, TheFallingPieceIsPaintedOverTheWellThroughItsMask) {
  form->picButtonNeuesSpiel_Click();
  form->Fallschritt = form->FallschrittSich = 20;  // several pieces land within the run
  QImage want = Well();
  QImage saved = pixels::Filled(80, 80, kWhite);
  QRect last;
  // The landing repaints the piece by rules of its own; after it the model takes up the
  // well and the saved background as the game left them.
  auto takeUp = [&] {
    want = Well();
    saved = form->SichBox;
    last = form->SteinNeu
               ? QRect()
               : QRect(static_cast<int>(std::lround(form->SichX)), static_cast<int>(std::lround(form->SichY)),
                       form->SichBreite / 15, form->SichHoehe / 15);
  };
  int checked = 0;
  for (int tick = 0; tick < 150 && !form->SpielVorbei; ++tick) {
    if (!form->FallTimer.Enabled()) {  // resting: placed and the next one spawned, or still waiting
      Advance(50);
      takeUp();
      continue;
    }
    if (tick % 9 == 4) Key(tick % 2 ? keys::Hoch : keys::Links);  // turns and moves between ticks
    const int p = form->AktStein;
    const int x = static_cast<int>(std::lround(form->SteinX)), y = static_cast<int>(std::lround(form->SteinY));
    const QImage picture = PiecePicture(p, form->Muster[static_cast<size_t>(p / 4)], kWhite);
    const QImage mask = PiecePicture(p, pixels::Filled(20, 20, kBlack), kWhite);
    if (!last.isNull())
      pixels::Blt(want, last.x(), last.y(), last.width(), last.height(), saved, 0, 0, pixels::Op::Copy);
    pixels::Blt(saved, 0, 0, picture.width(), picture.height(), want, x, y, pixels::Op::Copy);
    pixels::Blt(want, x, y, mask.width(), mask.height(), mask, 0, 0, pixels::Op::Merge);
    pixels::Blt(want, x, y, picture.width(), picture.height(), picture, 0, 0, pixels::Op::And);
    last = QRect(x, y, picture.width(), picture.height());
    Advance(50);
    if (!form->FallTimer.Enabled()) {
      takeUp();
      continue;
    }
    ASSERT_TRUE(pixels::Same(Well(), want)) << "tick " << tick << ", picture " << p << " at " << x << "," << y;
    ++checked;
  }
  EXPECT_GT(checked, 50);
}

TEST_F(Drawing, ThePauseSignIsMaskedIntoTheMiddleOfTheWellAndTakenOffAgain) {
  form->picButtonNeuesSpiel_Click();
  Advance(1000);
  const QImage before = Well();
  Key(keys::P);
  ASSERT_TRUE(form->Pausiert);
  // The sign's rectangle runs from (5, 176) to (195, 224).
  QImage want = before;
  pixels::Blt(want, 5, 176, 190, 48, form->PausePicBl, 0, 0, pixels::Op::Merge);
  pixels::Blt(want, 5, 176, 190, 48, form->PausePic, 0, 0, pixels::Op::And);
  EXPECT_TRUE(pixels::Same(Well(), want));
  EXPECT_TRUE(pixels::Same(form->PauseSich, before.copy(5, 176, 190, 48)));
  Key(keys::P);
  ASSERT_FALSE(form->Pausiert);
  EXPECT_TRUE(pixels::Same(Well(), before));
}

// The two game-over pictures slide in, frame by frame, each restoring what it
// covered before it moves on by 7 pixels.
TEST_F(Drawing, TheGameOverPicturesSlideInFrameByFrame) {
  form->picButtonNeuesSpiel_Click();
  Advance(500);
  form->TBox->Image() = pixels::Random(200, 400, 600);  // a busy well to slide over
  form->GameOver();
  QImage want = Well();
  QImage sich1 = pixels::Filled(146, 39, kWhite), sich2 = pixels::Filled(142, 39, kWhite);
  int frames = 0;
  for (int s = -33; s < 161; s += 7, ++frames) {
    const int y2 = 367 - s;
    if (s > -33) pixels::Blt(want, 27, s - 7, 146, 39, sich1, 0, 0, pixels::Op::Copy);
    pixels::Blt(sich1, 0, 0, 146, 39, want, 27, s, pixels::Op::Copy);
    pixels::Blt(want, 27, s, 146, 39, form->GameOverBl1, 0, 0, pixels::Op::Merge);
    pixels::Blt(want, 27, s, 146, 39, form->GameOverPic1, 0, 0, pixels::Op::And);
    if (y2 < 400) pixels::Blt(want, 29, y2 + 7, 142, 39, sich2, 0, 0, pixels::Op::Copy);
    pixels::Blt(sich2, 0, 0, 142, 39, want, 29, y2, pixels::Op::Copy);
    pixels::Blt(want, 29, y2, 142, 39, form->GameOverBl2, 0, 0, pixels::Op::Merge);
    pixels::Blt(want, 29, y2, 142, 39, form->GameOverPic2, 0, 0, pixels::Op::And);
    const int shown = form->TBox->RefreshCount();
    Advance(50);
    ASSERT_TRUE(pixels::Same(Well(), want)) << "frame at S = " << s;
    EXPECT_GT(form->TBox->RefreshCount(), shown);
  }
  EXPECT_EQ(frames, 28);
  Advance(50);
  EXPECT_FALSE(form->GameOverTimer.Enabled());
  Advance(500);
  EXPECT_TRUE(pixels::Same(Well(), want)) << "the last frame stays";
}

}  // namespace
