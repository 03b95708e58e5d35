// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Start-up of the game.

#include <QByteArray>
#include <memory>
#include <optional>

class TForm;
class QWidget;

namespace platform::instanz {
class Instanz;
}

namespace HauptModul {

// Names the program for the desktop and routes the end signals to the quit
// path. Called once the application object exists.
void Anwendung();

// Checks the screen and loads and shows the main window. The caller owns it and
// lets it go before the application object; null when the program must end at
// once (the screen is not at 96 dpi and the player has been told so).
std::unique_ptr<TForm> Main();

// The main window while Main's window lives, otherwise null.
TForm* Hauptfenster();

// One game per highscore file: decides before the toolkit starts whether this
// start runs the game. Otherwise it has handed over to the running game (status
// 0) or says on stderr that it could not (status 1); that status is returned.
std::optional<int> Zweitstart(platform::instanz::Instanz& instanz);

// The running game answers later starts: it brings its front window forward.
void Zuhoeren(platform::instanz::Instanz& instanz);

// The window the player should see: the name entry when it shows, otherwise the
// secondary window on top, otherwise the main window. Null without a main window.
QWidget* VordersteFenster();

// Brings that window to the front; `marke` is a start's activation token.
void NachVorn(const QByteArray& marke);

}  // namespace HauptModul
