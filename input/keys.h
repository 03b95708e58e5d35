// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Virtual-key codes of the keys the game knows.

#include <functional>

class QEvent;
class QKeyEvent;
class QObject;
class TForm;

namespace keys {

inline constexpr int Leertaste = 32;
inline constexpr int Links = 37;
inline constexpr int Hoch = 38;
inline constexpr int Rechts = 39;
inline constexpr int Runter = 40;
inline constexpr int Eingabe = 13;
inline constexpr int J = 74;
inline constexpr int P = 80;
inline constexpr int S = 83;
inline constexpr int V = 86;

// The toolkit's key as a virtual-key code; 0 for keys the game ignores.
int VirtualKey(const QKeyEvent& event);

// Key preview for a control of a secondary window: the window's handler sees
// the key first, then the control gets it exactly once. Returns true when the
// event was a key press and has been handled so.
bool ZuerstFenster(QObject* control, QEvent* event, const std::function<void(int&)>& fensterTaste);

// The switch keys of the secondary windows, in their order: S sound,
// V the main window's preview, J the joystick.
void SchalterTasten(TForm& form, int KeyCode);

}  // namespace keys
