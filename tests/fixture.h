#pragma once
// A loaded main window on the virtual clock, with helpers to drive a game.

#include <gtest/gtest.h>
#include <QApplication>

#include <memory>

#include "app/tform.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/timer.h"
#include "shell/sound.h"

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::display::SetOverride(96, QSize(1024, 768));
    platform::sound::SetDeviceCountOverride(1);
    platform::sound::ClearRequests();
    platform::random::Reset(12345);
    form = std::make_unique<TForm>();
    form->Form_Load();
    platform::sound::ClearRequests();
  }

  void TearDown() override {
    form.reset();
    platform::sound::SetDeviceCountOverride(std::nullopt);
    platform::display::SetOverride(std::nullopt, std::nullopt);
    HauptModul::SoundAn = true;
  }

  void Advance(int ms) { platform::clock::Advance(ms); }

  void Key(int code) { form->Form_KeyDown(code, 0); }
  void KeyUp(int code) { form->Form_KeyUp(code, 0); }

  const QStringList& Sounds() const { return platform::sound::Requests(); }

  // An empty well with a chosen piece about to fall.
  void StartWith(int picture) {
    form->picButtonNeuesSpiel_Click();
    form->AktStein = picture;
    platform::sound::ClearRequests();
  }

  void Fill(int c, int r, int farbe = 1) {
    form->Belegt[c][r] = true;
    form->Farbe[c][r] = farbe;
  }

  std::unique_ptr<TForm> form;
};
