// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The look the three full-screen windows share: each panel against a model of
// the rule that paints it, pixel for pixel, and the windows' size and place on
// screens of several sizes.

#include <QApplication>

#include <functional>
#include <memory>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"
#include "test_layout_pixels.h"

namespace {

constexpr int W = 640, H = 480;

// Per window: background tile, title size and the title's place on the panel.
struct Look {
  const char* window;
  QSize tile, title;
  int titleLeft, titleTop;
};
void PrintTo(const Look& l, std::ostream* os) { *os << l.window; }
// clang-format off
constexpr Look kLooks[] = {
    {"TForm",     {150, 120}, {220, 91}, 210, 35},
    {"Highscore", {144, 144}, {416, 71}, 112, 14},
    {"Anleitung", {189, 194}, {176, 67}, 232, 10},
};
// clang-format on
// Frame pieces, shared by all three: top strip 30 x 6, left strip 6 x 27, top-left corner 6 x 6.

struct Pictures {
  QImage tile, horizontal, vertical, corner, title, mask;
};

// What a panel pixel shows, layer by layer from the top: the title through its
// mask, a corner, a border strip, the background tile. The bottom and right
// pieces are the top and left ones mirrored, flush with the panel's edges.
QRgb Expected(const Pictures& p, const Look& look, int x, int y) {
  const bool left = x < 6, right = x >= W - 6, top = y < 6, bottom = y >= H - 6;
  const int ex = left ? x : W - 1 - x;  // column counted from the nearer side edge
  const int ey = top ? y : H - 1 - y;
  QRgb under;
  if ((left || right) && (top || bottom))
    under = p.corner.pixel(ex, ey);
  else if (top || bottom)
    under = p.horizontal.pixel(x % 30, ey);
  else if (left || right)
    under = p.vertical.pixel(ex, y % 27);
  else
    under = p.tile.pixel(x % look.tile.width(), y % look.tile.height());
  const int tx = x - look.titleLeft, ty = y - look.titleTop;
  if (tx >= 0 && ty >= 0 && tx < look.title.width() && ty < look.title.height()) {
    const QRgb m = p.mask.pixel(tx, ty), t = p.title.pixel(tx, ty);
    under = t & (~m | under);
  }
  return 0xFF000000u | (under & 0xFFFFFFu);
}

QImage ModelPanel(const Pictures& p, const Look& look) {
  QImage img = pixels::Filled(W, H, 0);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) img.setPixel(x, y, Expected(p, look, x, y));
  return img;
}

Pictures RandomPictures(const Look& look, uint32_t seed) {
  return {pixels::Random(look.tile.width(), look.tile.height(), seed),
          pixels::Random(30, 6, seed + 1),
          pixels::Random(6, 27, seed + 2),
          pixels::Random(6, 6, seed + 3),
          pixels::Random(look.title.width(), look.title.height(), seed + 4),
          pixels::Random(look.title.width(), look.title.height(), seed + 5)};
}

class Skin : public FormTest, public ::testing::WithParamInterface<Look> {
 protected:
  // Gives the main window the frame pieces, loads the window under test with
  // the other pictures and returns its painted panel.
  QImage Paint(const Pictures& p) {
    form->picRandHorizontal = p.horizontal;
    form->picRandVertikal = p.vertical;
    form->picEcke = p.corner;
    const std::string name = GetParam().window;
    if (name == "TForm") {
      form->picHG = p.tile;
      form->Logo = p.title;
      form->LogoBlack = p.mask;
      form->FormAnpassen();
      return form->TFormPic->Image();
    }
    if (name == "Highscore") {
      hs = std::make_unique<Highscore>(*form);
      hs->picHG = p.tile;
      hs->HSTitel = p.title;
      hs->HSTitelBl = p.mask;
      hs->FormAnpassen();
      return hs->HighscorePic->Image();
    }
    an = std::make_unique<Anleitung>(*form);
    an->picHG = p.tile;
    an->AnleitTitel = p.title;
    an->AnleitTitelBl = p.mask;
    an->FormAnpassen();
    return an->AnleitungPic->Image();
  }
  void TearDown() override {
    hs.reset();
    an.reset();
    FormTest::TearDown();
  }
  std::unique_ptr<Highscore> hs;
  std::unique_ptr<Anleitung> an;
};

TEST_P(Skin, RandomPicturesArePaintedByTheRule) {
  const Pictures p = RandomPictures(GetParam(), 1000 + static_cast<uint32_t>(GetParam().titleTop));
  EXPECT_TRUE(pixels::Same(Paint(p), ModelPanel(p, GetParam())));
}

// A one-bit mask as the real titles have: black on the shape, white elsewhere.
TEST_P(Skin, ATwoColourMaskShowsTheTitleOnlyOnItsShape) {
  Pictures p = RandomPictures(GetParam(), 77);
  std::mt19937 g(5);
  for (int y = 0; y < p.mask.height(); ++y)
    for (int x = 0; x < p.mask.width(); ++x) {
      const bool shape = g() % 2;
      p.mask.setPixel(x, y, shape ? 0xFF000000u : 0xFFFFFFFFu);
      if (!shape && g() % 2) p.title.setPixel(x, y, 0xFFFFFFFFu);
    }
  EXPECT_TRUE(pixels::Same(Paint(p), ModelPanel(p, GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Windows, Skin, ::testing::ValuesIn(kLooks),
                         [](const auto& info) { return std::string(info.param.window); });

// The windows as loaded by the game, with the pictures they ship with.
class SkinAsShipped : public FormTest {};

TEST_F(SkinAsShipped, EachWindowsPanelShowsItsOwnPicturesByTheRule) {
  const Pictures rahmen{{}, form->picRandHorizontal, form->picRandVertikal, form->picEcke, {}, {}};
  ASSERT_EQ(rahmen.horizontal.size(), QSize(30, 6));
  ASSERT_EQ(rahmen.vertical.size(), QSize(6, 27));
  ASSERT_EQ(rahmen.corner.size(), QSize(6, 6));
  auto with = [&](const QImage& tile, const QImage& title, const QImage& mask) {
    Pictures p = rahmen;
    p.tile = tile, p.title = title, p.mask = mask;
    return p;
  };
  EXPECT_TRUE(
      pixels::Same(form->TFormPic->Image(), ModelPanel(with(form->picHG, form->Logo, form->LogoBlack), kLooks[0])));
  Highscore& hs = form->HighscoreForm();
  EXPECT_TRUE(pixels::Same(hs.HighscorePic->Image(), ModelPanel(with(hs.picHG, hs.HSTitel, hs.HSTitelBl), kLooks[1])));
  Anleitung& an = form->AnleitungForm();
  EXPECT_TRUE(
      pixels::Same(an.AnleitungPic->Image(), ModelPanel(with(an.picHG, an.AnleitTitel, an.AnleitTitelBl), kLooks[2])));
}

// ---- Size and place on screens of several sizes --------------------------------------

struct Screen {
  int w, h;
  QSize size() const { return {w, h}; }
};
void PrintTo(const Screen& s, std::ostream* os) { *os << s.w << "x" << s.h; }

class Screens : public ::testing::TestWithParam<Screen> {
 protected:
  void TearDown() override { platform::display::SetOverride(std::nullopt, std::nullopt); }
};

void ExpectFullScreenBlack(const QWidget& fenster, const QWidget& panel, QSize screen) {
  SCOPED_TRACE(fenster.objectName().toStdString());
  EXPECT_EQ(fenster.geometry(), QRect(QPoint(0, 0), screen));
  // The panel in the middle: (screen - panel) x 0.5 in each direction.
  EXPECT_EQ(panel.geometry(), QRect((screen.width() - W) / 2, (screen.height() - H) / 2, W, H));
  EXPECT_TRUE(fenster.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(fenster.autoFillBackground());
  EXPECT_EQ(fenster.palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_P(Screens, EveryFullScreenWindowCoversTheScreenWithItsPanelInTheMiddle) {
  const QSize screen = GetParam().size();
  platform::display::SetOverride(96, screen);
  TForm form;
  form.Form_Load();
  ExpectFullScreenBlack(form, *form.TFormPic, screen);
  ExpectFullScreenBlack(form.HighscoreForm(), *form.HighscoreForm().HighscorePic, screen);
  ExpectFullScreenBlack(form.AnleitungForm(), *form.AnleitungForm().AnleitungPic, screen);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Screens,
                         ::testing::Values(Screen{640, 480}, Screen{800, 600}, Screen{1024, 768}, Screen{1280, 1024},
                                           Screen{1366, 768}, Screen{1920, 1080}),
                         [](const auto& info) {
                           return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

// The screen as it should look: black, then every picture box's own picture at
// its place, containers before what they hold.
void Compose(QImage& screen, const platform::PictureBox& box, QPoint at, int* boxes) {
  pixels::Blt(screen, at.x(), at.y(), box.width(), box.height(), box.Image(), 0, 0, pixels::Op::Copy);
  ++*boxes;
  for (const auto* child : box.findChildren<platform::PictureBox*>(Qt::FindDirectChildrenOnly))
    if (!child->isHidden()) Compose(screen, *child, at + child->pos(), boxes);
}

// What the player sees: black all around the panel, and on it every picture box
// showing its own picture, pixel for pixel, at its place.
TEST(SkinOnScreen, TheScreenShowsBlackAroundThePanelAndEveryPictureAsPainted) {
  const QSize screen(800, 600);
  platform::display::SetOverride(96, screen);
  {
    TForm form;
    form.Form_Load();
    form.picButtonNeuesSpiel_Click();
    platform::clock::Advance(2000);  // a piece in the well, another one in the preview
    QImage want = pixels::Filled(800, 600, 0xFF000000u);
    int boxes = 0;
    Compose(want, *form.TFormPic, QPoint(80, 60), &boxes);
    // The panel, the well, its three walls, the two frames with their four pictures and the five buttons.
    EXPECT_EQ(boxes, 20);
    EXPECT_TRUE(pixels::Same(form.grab().toImage().convertToFormat(QImage::Format_RGB32), want));
  }
  platform::display::SetOverride(std::nullopt, std::nullopt);
}

// The about box stands in the middle of the screen.
TEST_P(Screens, TheAboutBoxStandsInTheMiddle) {
  const QSize screen = GetParam().size();
  platform::display::SetOverride(96, screen);
  TForm form;
  form.Form_Load();
  const InfoForm& info = form.InfoFormForm();
  EXPECT_EQ(info.pos(), QPoint((screen.width() - 408) / 2, (screen.height() - 237) / 2));
}

// ---- The two small windows tile their own backgrounds -----------------------------------------

// Where no control lies (nor the separator, nor a rounded corner), the window shows
// its tile repeated from its top-left corner.
::testing::AssertionResult ShowsTiles(QWidget& fenster, const QImage& tile, const QRegion& frei) {
  const QImage shot = fenster.grab().toImage();
  QRegion controls;
  for (const QWidget* c : fenster.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) controls += c->geometry();
  int checked = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      if (controls.contains(QPoint(x, y)) || !frei.contains(QPoint(x, y))) continue;
      const QRgb want = tile.pixel(x % tile.width(), y % tile.height()) & 0xFFFFFFu;
      if ((shot.pixel(x, y) & 0xFFFFFFu) != want)
        return ::testing::AssertionFailure() << "at " << x << "," << y << ": #" << std::hex
                                             << (shot.pixel(x, y) & 0xFFFFFFu) << " instead of #" << want;
      ++checked;
    }
  if (checked < shot.width() * shot.height() / 4)
    return ::testing::AssertionFailure() << "only " << checked << " pixels free";
  return ::testing::AssertionSuccess();
}

class SmallWindows : public FormTest {};

TEST_F(SmallWindows, TheNameEntryShowsItsTileFromTheCorner) {
  Eingabe e(*form);
  e.picHG = pixels::Random(145, 145, 31);
  e.Form_Load();
  ASSERT_EQ(e.size(), QSize(362, 201));
  EXPECT_TRUE(ShowsTiles(e, e.picHG, Eingabe::RundeForm(362, 201, 110)));
}

TEST_F(SmallWindows, TheAboutBoxShowsItsTileFromTheCorner) {
  InfoForm f(*form);
  f.HGPic = pixels::Random(219, 163, 32);
  f.Form_Load();
  ASSERT_EQ(f.size(), QSize(408, 237));
  EXPECT_TRUE(ShowsTiles(f, f.HGPic, QRegion(0, 0, 408, 237) - QRegion(0, 184, 408, 1)));
}

}  // namespace
