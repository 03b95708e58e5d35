// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Joystick play: the stick and two buttons, polled every 10 ms, become the
// main window's own key events. Edge-triggered: a held stick acts once.

#include <QApplication>

#include "app/tform.h"
#include "input/keys.h"
#include "platform/joystick.h"

namespace {
const QString kLinks = QStringLiteral("links");
const QString kRechts = QStringLiteral("rechts");
const QString kOben = QStringLiteral("oben");
const QString kUnten = QStringLiteral("unten");
const QString kDown = QStringLiteral("down");
const QString kUp = QStringLiteral("up");
}  // namespace

void TForm::JoystickInit() {
  platform::joystick::Position pos;
  if (platform::joystick::GetPos(0, pos) != 0) return;
  platform::joystick::Caps caps;
  platform::joystick::GetDevCaps(0, caps);
  JoyXMin = static_cast<int32_t>(caps.xMin);
  JoyXMax = static_cast<int32_t>(caps.xMax);
  JoyYMin = static_cast<int32_t>(caps.yMin);
  JoyYMax = static_cast<int32_t>(caps.yMax);
  timJoystick.SetEnabled(true);
}

void TForm::timJoystick_Timer() {
  QWidget* fenster = QApplication::activeWindow();
  if (!fenster || fenster->objectName() != QLatin1String("TForm")) return;
  QWidget* control = fenster->focusWidget();
  if (!control || control->objectName() != QLatin1String("TBox")) return;

  platform::joystick::Position pos;
  // A failed read would look like the stick pushed to a corner; it changes nothing.
  if (platform::joystick::GetPos(0, pos) != 0) return;

  const double rx = static_cast<double>(JoyXMax) - JoyXMin;
  const double ry = static_cast<double>(JoyYMax) - JoyYMin;
  const double x = pos.x;
  const double y = pos.y;
  QString xZustand, yZustand;
  if (x < JoyXMin + rx / 4) {
    xZustand = kLinks;
  } else if (x > JoyXMin + 3 * rx / 4) {
    xZustand = kRechts;
  }
  if (y < JoyYMin + ry / 4) {
    yZustand = kOben;
  } else if (y > JoyYMin + 3 * ry / 4) {
    yZustand = kUnten;
  }
  const QString knopf1 = (pos.buttons & 1u) ? kDown : kUp;
  const QString knopf2 = (pos.buttons & 2u) ? kDown : kUp;

  int code = 0;
  if (xZustand != JoyXAlt && !xZustand.isEmpty()) {
    code = xZustand == kLinks ? keys::Links : keys::Rechts;
    Form_KeyDown(code, 0);
  }
  if (yZustand != JoyYAlt) {
    if (yZustand.isEmpty() && JoyYAlt == kUnten) {
      code = keys::Runter;
      Form_KeyUp(code, 0);
    }
    if (yZustand == kOben) {
      code = keys::Hoch;
      Form_KeyDown(code, 0);
    }
    if (yZustand == kUnten) {
      code = keys::Runter;
      Form_KeyDown(code, 0);
    }
  }
  if (knopf1 != JoyKnopf1Alt && knopf1 != kUp) {
    code = keys::Hoch;
    Form_KeyDown(code, 0);
  }
  if (knopf2 != JoyKnopf2Alt && knopf2 != kUp) {
    code = keys::Leertaste;
    Form_KeyDown(code, 0);
  }
  JoyXAlt = xZustand;
  JoyYAlt = yZustand;
  JoyKnopf1Alt = knopf1;
  JoyKnopf2Alt = knopf2;
}
