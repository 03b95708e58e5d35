// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The look the full-screen windows share: black all around, a 640 x 480 panel
// in the middle with a tiled background, a thin mirrored border and a title
// drawn through its mask.

#include <QImage>

class QWidget;
namespace platform {
class PictureBox;
}

namespace skin {

struct Rahmen {
  const QImage& horizontal;  // top border strip
  const QImage& vertikal;    // left border strip
  const QImage& ecke;        // top-left corner
};

// Sizes the window to the whole screen, centres the panel and paints it.
void FormAnpassen(QWidget& fenster, platform::PictureBox& panel, const QImage& hintergrund, const Rahmen& rahmen,
                  const QImage& titel, const QImage& titelMaske, int titelOben);

// Makes a window black, borderless and full-screen sized (before it is shown).
void Vollbild(QWidget& fenster);

// Where a window of the given size stands in the middle of the screen.
QPoint BildschirmMitte(QSize fenster);

}  // namespace skin
