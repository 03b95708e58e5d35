#pragma once
// Virtual-key codes of the keys the game knows.

class QKeyEvent;
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

// The switch keys of the secondary windows, in their order: S sound,
// V the main window's preview, J the joystick.
void SchalterTasten(TForm& form, int KeyCode);

}  // namespace keys
