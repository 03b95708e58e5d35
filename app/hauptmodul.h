#pragma once
// Start-up of the game.

class TForm;

namespace HauptModul {

// Names the program for the desktop and routes the end signals to the quit
// path. Called once the application object exists.
void Anwendung();

// Checks the screen and shows the main window. False when the program must end
// at once (the screen is not at 96 dpi and the player has been told so).
bool Main();

// The main window, once Main has loaded it.
TForm* Hauptfenster();

// Unloads the main window (at the end of the program, and between tests).
void Entladen();

}  // namespace HauptModul
