// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The game's other windows belong to the game screen: the window manager keeps
// each one above it and raises them together, none is minimised on its own,
// and a click on the disabled game screen hands the keyboard back to the
// window over it.

#include <Qt>

class QWidget;

namespace dialogfenster {

enum class Art {
  Titel,     // a fixed-size dialog with a title bar that offers only closing
  Ohne,      // a fixed-size dialog without any frame
  Vollbild,  // a frameless dialog that covers the screen
};

// The window flags of each kind: never a minimise or maximise button.
Qt::WindowFlags Flags(Art art);

// Makes `fenster` (with the flags of `art`) a window of `haupt`: transient for
// it whenever it is shown, and brought back at once, together with the game
// screen, when the desktop minimises either of them while it is up.
void Anbinden(QWidget& fenster, QWidget& haupt, Art art);

}  // namespace dialogfenster
