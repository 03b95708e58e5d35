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

}  // namespace platform::display

namespace platform::dialog {

enum class Icon { Critical, Exclamation };

// A message box with one OK button; returns when it is closed.
void MessageBox(QWidget* owner, const QString& text, const QString& title, Icon icon);

// Tests route message boxes here instead of showing them.
using MessageBoxSeam = std::function<void(QWidget* owner, const QString& text, const QString& title, Icon icon)>;
void SetMessageBoxSeam(MessageBoxSeam seam);

}  // namespace platform::dialog
