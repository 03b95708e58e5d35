// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Keyboard play. The main window sees every key first, whichever of its
// controls has the focus.

#include "app/tform.h"
#include "engine/tables.h"
#include "input/keys.h"
#include "replay/aufnahme.h"
#include "shell/sound.h"

void TForm::Form_KeyDown(int& KeyCode, int /*Shift*/) {
  replay::Taste(*this, true, KeyCode);
  if (KeyCode == keys::V) Vorschau->setVisible(Vorschau->isHidden());
  if (KeyCode == keys::S) HauptModul::SoundAn = !HauptModul::SoundAn;
  if (KeyCode == keys::P && !SpielVorbei) Pause();
  if (KeyCode == keys::J) {
    if (timJoystick.Enabled()) {
      timJoystick.SetEnabled(false);
    } else {
      JoystickInit();
    }
  }
  const bool spielTasten = !ReiheTimer.Enabled() && !Pausiert && !SpielVorbei;
  if (!spielTasten) return;
  if (KeyCode == keys::Rechts) RechtsBewegen();
  if (KeyCode == keys::Links) LinksBewegen();
  // Read after the side moves: a move that ends the landing delay lets the rest act too.
  if (!Wartet) {
    if (KeyCode == keys::Hoch) Drehen();
    if (KeyCode == keys::Leertaste) FallStein();
    if (KeyCode == keys::Runter && Fallschritt != engine::kSoftDropSchritt) {
      FallschrittSich = Fallschritt;
      Fallschritt = engine::kSoftDropSchritt;
    }
  }
}

void TForm::Form_KeyPress(int& /*KeyAscii*/) {
  // Characters have no meaning in the main window.
}

void TForm::Form_KeyUp(int& KeyCode, int /*Shift*/) {
  replay::Taste(*this, false, KeyCode);
  if (KeyCode == keys::Runter && Fallschritt == engine::kSoftDropSchritt) Fallschritt = FallschrittSich;
}
