// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The screen as the game sees it: its logical resolution and size, and the
// twips the window sizes are measured in. Also the message box.

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace platform::display {

inline constexpr int kTwipsPerInch = 1440;

// Logical dots per inch along x of the primary screen.
int LogicalDpiX();
// Size of the primary screen in pixels.
QSize ScreenSize();
// Twips per pixel (15 on a 96-dpi screen).
int TwipsPerPixelX();
int TwipsPerPixelY();

// Lets tests pretend to run on another screen.
void SetOverride(std::optional<int> dpi, std::optional<QSize> size);

// ---- Enlargement ------------------------------------------------------------------
// The game is laid out for a 640 x 480 panel. On a larger screen the toolkit
// enlarges everything by one whole factor, fixed before the application object
// exists and kept for the whole run; the game itself only ever sees 640 x 480.

inline constexpr QSize kPanel{640, 480};

// The largest whole factor at which the panel fits a screen of that many
// physical pixels; 1 on a smaller screen.
int FittingFactor(QSize physicalPixels);

// The primary screen in physical pixels and the window system's own factor
// (the output scale on Wayland, 1 on X11), read by a short-lived child process
// before the game's own application object exists.
struct Screen {
  QSize physicalPixels;
  double nativeFactor = 1.0;
};
std::optional<Screen> ProbeScreen(const char* program);

// Picks the factor (the asked one, or the largest that fits) and sets the
// toolkit's environment for it, replacing the desktop's own scaling. Returns
// the factor, or none after telling on stderr why the asked one cannot be used.
// With the toolkit's scaling switched off (QT_ENABLE_HIGHDPI_SCALING=0) the game
// runs unenlarged and the display check of the start-up decides.
std::optional<int> FixScale(std::optional<int> asked, const char* program);
// Call once the application object exists: programs the game starts (a browser)
// get the environment the game was started with.
void RestoreEnvironment();
// The factor fixed at start, 1 when none was.
int Scale();

}  // namespace platform::display

namespace platform::dialog {

enum class Icon { Critical, Exclamation };

// A message box with one OK button; returns when it is closed.
void MessageBox(QWidget* owner, const QString& text, const QString& title, Icon icon);

// Tests route message boxes here instead of showing them.
using MessageBoxSeam = std::function<void(QWidget* owner, const QString& text, const QString& title, Icon icon)>;
void SetMessageBoxSeam(MessageBoxSeam seam);

}  // namespace platform::dialog
