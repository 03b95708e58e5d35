// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input/keys.h"

#include <QKeyEvent>

#include "app/tform.h"
#include "replay/aufnahme.h"
#include "shell/sound.h"

namespace keys {

int VirtualKey(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Left: return Links;
    case Qt::Key_Up: return Hoch;
    case Qt::Key_Right: return Rechts;
    case Qt::Key_Down: return Runter;
    case Qt::Key_Space: return Leertaste;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Eingabe;
    default: break;
  }
  // Letters and digits have the codes of their upper-case characters, with or without Shift.
  if ((e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z) || (e.key() >= Qt::Key_0 && e.key() <= Qt::Key_9)) return e.key();
  return 0;
}

bool ZuerstFenster(QObject* control, QEvent* event, const std::function<void(int&)>& fensterTaste) {
  if (event->type() != QEvent::KeyPress) return false;
  int code = VirtualKey(*static_cast<QKeyEvent*>(event));
  if (code != 0) fensterTaste(code);
  control->event(event);
  event->accept();
  return true;
}

void SchalterTasten(TForm& form, int KeyCode) {
  if (KeyCode == S || KeyCode == V || KeyCode == J) replay::Taste(form, true, KeyCode);
  if (KeyCode == S) HauptModul::SoundAn = !HauptModul::SoundAn;
  if (KeyCode == V) form.Vorschau->setVisible(form.Vorschau->isHidden());
  if (KeyCode == J) {
    if (form.timJoystick.Enabled()) {
      form.timJoystick.SetEnabled(false);
    } else {
      form.JoystickInit();
    }
  }
}

}  // namespace keys
