// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A loaded main window on the virtual clock, with helpers to drive a game.

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

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

  // Shows the main window and makes it the active window, as the desktop would.
  void ShowActive() {
    form->show();
    form->activateWindow();
    QCoreApplication::processEvents();
  }

  // Where the toolkit delivers a key now: the widget with the focus, or the
  // active window itself when no widget has it.
  static QWidget* KeyTarget() {
    if (QWidget* w = QApplication::focusWidget()) return w;
    return QApplication::activeWindow();
  }

  // A real key event through the toolkit, delivered to KeyTarget(). Letters
  // carry their character (lower case unless Shift is held).
  static void SendKey(bool press, Qt::Key key, bool autoRepeat = false, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* ziel = KeyTarget();
    ASSERT_NE(ziel, nullptr) << "no widget to receive the key";
    QString text;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
      const QChar c(static_cast<char16_t>(key));
      text = (mods & Qt::ShiftModifier) ? QString(c) : QString(c.toLower());
    } else if (key == Qt::Key_Space || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
      text = QString(QChar(static_cast<char16_t>(key)));
    }
    QTest::simulateEvent(ziel, press, key, mods, text, autoRepeat);
  }
  static void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { SendKey(true, key, false, mods); }
  static void Release(Qt::Key key) { SendKey(false, key, false); }
  // A key pressed and let go at once.
  static void Tap(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    SendKey(true, key, false, mods);
    SendKey(false, key, false, mods);
  }
  // One step of a held key's auto-repeat: the toolkit sends a repeated release
  // and a repeated press.
  static void Repeat(Qt::Key key) {
    SendKey(false, key, true);
    SendKey(true, key, true);
  }

  std::unique_ptr<TForm> form;
};
