// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up, the counters and the sound switch.

#include "app/hauptmodul.h"
#include "fixture.h"
#include "input/keys.h"
#include "platform/blit.h"

namespace {

// A digit strip whose eleven glyphs are solid colours 1 ... 11, so a painted
// position tells which glyph it got.
QImage ColourStrip() {
  QImage strip = platform::NewImage(154, 20, 0xFF000000u);
  for (int g = 0; g <= 10; ++g)
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 14; ++x) strip.setPixel(14 * g + x, y, 0xFF000000u | static_cast<QRgb>(g + 1));
  return strip;
}

// The glyphs shown by a counter, one per position; -1 where no single glyph fills the position.
std::vector<int> Glyphs(const platform::PictureBox& box) {
  std::vector<int> out;
  for (int x0 = 0; x0 + 14 <= box.width(); x0 += 16) {
    const QRgb c = box.Image().pixel(x0, 0);
    int g = static_cast<int>(c & 0xFFu) - 1;
    for (int y = 0; y < 20 && g >= 0; ++y)
      for (int x = x0; x < x0 + 14; ++x)
        if (box.Image().pixel(x, y) != c) g = -1;
    out.push_back(g);
  }
  return out;
}

class StartUp : public ::testing::Test {
 protected:
  std::unique_ptr<TForm> form_;
  void TearDown() override {
    form_.reset();
    platform::display::SetOverride(std::nullopt, std::nullopt);
    platform::dialog::SetMessageBoxSeam(nullptr);
  }
};

TEST_F(StartUp, AnyResolutionOtherThanNinetySixDpiIsRefusedWithTheMessage) {
  for (int dpi : {72, 95, 97, 120, 144, 192}) {
    platform::display::SetOverride(dpi, QSize(1024, 768));
    QStringList shown;
    platform::dialog::SetMessageBoxSeam(
        [&](QWidget* owner, const QString& text, const QString& title, platform::dialog::Icon icon) {
          EXPECT_EQ(owner, nullptr);
          EXPECT_EQ(icon, platform::dialog::Icon::Critical);
          shown << title << text;
        });
    EXPECT_EQ(HauptModul::Main(), nullptr) << dpi;
    EXPECT_EQ(HauptModul::Hauptfenster(), nullptr) << "no window is loaded";
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], "Error (wrong font size) :");
    EXPECT_EQ(shown[1],
              "Windows is currently running with a custom font size.\r\n"
              "As Norvane only works with the default font size (96 dpi)\r\n"
              "you should adjust your display settings to 'Small Fonts'.");
  }
}

TEST_F(StartUp, AtNinetySixDpiTheMainWindowOpensWithNoGameRunning) {
  platform::display::SetOverride(96, QSize(1280, 1024));
  bool messaged = false;
  platform::dialog::SetMessageBoxSeam([&](auto*, const auto&, const auto&, auto) { messaged = true; });
  form_ = HauptModul::Main();
  ASSERT_NE(form_, nullptr);
  EXPECT_FALSE(messaged);
  TForm* f = HauptModul::Hauptfenster();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), "Kelmora");
  EXPECT_TRUE(f->SpielVorbei);
  EXPECT_TRUE(HauptModul::SoundAn);
  // The panel is centred on the whole-screen window.
  EXPECT_EQ(f->geometry(), QRect(0, 0, 1280, 1024));
  EXPECT_EQ(f->TFormPic->geometry(), QRect(320, 272, 640, 480));
}

TEST_F(StartUp, ThePanelFillsA640By480Screen) {
  platform::display::SetOverride(96, QSize(640, 480));
  form_ = HauptModul::Main();
  ASSERT_NE(form_, nullptr);
  EXPECT_EQ(HauptModul::Hauptfenster()->TFormPic->geometry(), QRect(0, 0, 640, 480));
}

TEST_F(StartUp, EveryCounterPositionShowsTheBlankGlyph) {
  platform::display::SetOverride(96, QSize(1024, 768));
  TForm f;
  f.Digital = ColourStrip();
  f.Form_Load();
  EXPECT_EQ(Glyphs(*f.PunkteDigAnz), std::vector<int>(6, 10));
  EXPECT_EQ(Glyphs(*f.LevelDigAnz), std::vector<int>(2, 10));
  EXPECT_EQ(Glyphs(*f.ReihenDigAnz), std::vector<int>(4, 10));
}

class Counters : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->Digital = ColourStrip();
  }
};

TEST_F(Counters, ANewGameShowsZerosAndLevelOne) {
  form->picButtonNeuesSpiel_Click();
  EXPECT_EQ(Glyphs(*form->PunkteDigAnz), std::vector<int>(6, 0));
  EXPECT_EQ(Glyphs(*form->LevelDigAnz), (std::vector<int>{0, 1}));
  EXPECT_EQ(Glyphs(*form->ReihenDigAnz), std::vector<int>(4, 0));
}

TEST_F(Counters, PointsHaveLeadingZerosAndStopAt99999) {
  form->picButtonNeuesSpiel_Click();
  form->Punktestand = 1234;
  form->Punkte(1);
  EXPECT_EQ(Glyphs(*form->PunkteDigAnz), (std::vector<int>{0, 0, 1, 2, 5, 4}));
  form->Punktestand = 99985;
  form->Level = 10;
  form->Punkte(1);
  EXPECT_EQ(form->Punktestand, 99999);
  EXPECT_EQ(Glyphs(*form->PunkteDigAnz), (std::vector<int>{0, 9, 9, 9, 9, 9}));
}

TEST_F(Counters, LevelTenShowsBothDigitsAndGoesNoHigher) {
  form->picButtonNeuesSpiel_Click();
  form->Punktestand = 4499;
  form->Level = 9;
  form->Fallschritt = 11;
  form->Punkte(1);
  EXPECT_EQ(form->Level, 10);
  EXPECT_EQ(Glyphs(*form->LevelDigAnz), (std::vector<int>{1, 0}));
  form->Punktestand = 9000;
  form->Punkte(4);
  EXPECT_EQ(form->Level, 10);
  EXPECT_EQ(form->Fallschritt, 12);
}

TEST_F(Counters, ARowsCountAboveTheCounterShowsItsLastFourDigits) {
  form->picButtonNeuesSpiel_Click();
  for (auto [rows, glyphs] : {std::pair{7, std::vector<int>{0, 0, 0, 7}},
                              {9999, {9, 9, 9, 9}},
                              {10000, {0, 0, 0, 0}},
                              {123456, {3, 4, 5, 6}}}) {
    form->Reihen = rows;
    form->ReihenAnzeige();
    EXPECT_EQ(Glyphs(*form->ReihenDigAnz), glyphs) << rows;
  }
}

TEST_F(Counters, TheGapsBetweenDigitsAreLeftAlone) {
  form->PunkteDigAnz->Image().fill(0xFF123456u);
  form->picButtonNeuesSpiel_Click();
  for (int gapX : {14, 15, 30, 31, 78, 79}) EXPECT_EQ(form->PunkteDigAnz->Image().pixel(gapX, 10), 0xFF123456u) << gapX;
}

// ---- Sound ------------------------------------------------------------------------

class Sound : public FormTest {};

TEST_F(Sound, RequestsGoToTheSoundDirectoryWhenOnAndADeviceExists) {
  HauptModul::SoundAbspielen("CLICK.WAV");
  EXPECT_EQ(Sounds(), QStringList{"CLICK.WAV"});
  EXPECT_TRUE(HauptModul::SoundPfad("CLICK.WAV").endsWith("/CLICK.WAV"));
  EXPECT_FALSE(HauptModul::SoundPfad("CLICK.WAV").contains("//"));
}

TEST_F(Sound, NothingIsRequestedWithSoundOffOrWithoutADevice) {
  Key(keys::S);
  EXPECT_FALSE(HauptModul::SoundAn);
  HauptModul::SoundAbspielen("CLICK.WAV");
  form->picButtonNeuesSpiel_Click();
  EXPECT_TRUE(Sounds().isEmpty());
  Key(keys::S);
  platform::sound::SetDeviceCountOverride(0);
  HauptModul::SoundAbspielen("CLICK.WAV");
  EXPECT_TRUE(Sounds().isEmpty());
  // A device plugged in later is used from then on: the count is asked every time.
  platform::sound::SetDeviceCountOverride(2);
  HauptModul::SoundAbspielen("CLICK.WAV");
  EXPECT_EQ(Sounds(), QStringList{"CLICK.WAV"});
}

TEST_F(Sound, TheSwitchKeyTogglesBackAndForth) {
  for (int i = 0; i < 4; ++i) {
    const bool before = HauptModul::SoundAn;
    Key(keys::S);
    EXPECT_NE(HauptModul::SoundAn, before);
  }
}

TEST_F(Sound, ThreeRowsRequestRow3) {
  StartWith(5);
  form->SteinX = 0;
  for (int r = 18; r <= 20; ++r)
    for (int c = 2; c <= 10; ++c) Fill(c, r);
  Key(keys::Leertaste);
  EXPECT_EQ(Sounds(), QStringList{"ROW3.WAV"});
}

}  // namespace
