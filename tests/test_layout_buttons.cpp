// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The picture buttons react to a click and to nothing else: a left press and
// release on the button, delivered as mouse events through the toolkit.

#include <QApplication>
#include <QMouseEvent>

#include "fixture.h"

namespace {

void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent e(type, QPointF(at), w.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

struct Gesture {
  const char* name;
  QPoint press, release;  // relative to the button's centre; a null press means none
  Qt::MouseButton button, releasedButton;
  int clicks;
};
void PrintTo(const Gesture& g, std::ostream* os) { *os << g.name; }

class Buttons : public FormTest, public ::testing::WithParamInterface<Gesture> {};

TEST_P(Buttons, EveryMainWindowButtonClicksOnlyOnALeftPressAndReleaseOnIt) {
  const Gesture g = GetParam();
  platform::PictureButton* buttons[] = {form->picButtonNeuesSpiel, form->picButtonHighscore, form->picButtonCopyright,
                                        form->picButtonAnleitung, form->picButtonBeenden};
  for (platform::PictureButton* b : buttons) {
    SCOPED_TRACE(b->objectName().toStdString());
    int clicks = 0;
    b->OnClick = [&] { ++clicks; };
    const QPoint centre = b->rect().center();
    if (!g.press.isNull()) Mouse(*b, QEvent::MouseButtonPress, centre + g.press, g.button);
    Mouse(*b, QEvent::MouseButtonRelease, centre + g.release, g.releasedButton);
    EXPECT_EQ(clicks, g.clicks);
    // A later click of its own still counts once: no press is left over.
    Mouse(*b, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    Mouse(*b, QEvent::MouseButtonRelease, centre, Qt::LeftButton);
    EXPECT_EQ(clicks, g.clicks + 1);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Gestures, Buttons, ::testing::Values(
    Gesture{"click",                    {1, 1},     {0, 0},   Qt::LeftButton,  Qt::LeftButton,  1},
    Gesture{"click_near_the_edge",      {-38, -13}, {38, 13}, Qt::LeftButton,  Qt::LeftButton,  1},
    Gesture{"released_beside_it",       {1, 1},     {0, 40},  Qt::LeftButton,  Qt::LeftButton,  0},
    Gesture{"released_left_of_it",      {1, 1},     {-60, 0}, Qt::LeftButton,  Qt::LeftButton,  0},
    Gesture{"right_button",             {1, 1},     {0, 0},   Qt::RightButton, Qt::RightButton, 0},
    Gesture{"right_press_left_release", {1, 1},     {0, 0},   Qt::RightButton, Qt::LeftButton,  0},
    Gesture{"release_without_a_press",  {},         {0, 0},   Qt::LeftButton,  Qt::LeftButton,  0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
