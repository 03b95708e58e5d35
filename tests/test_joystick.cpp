// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Joystick play through a stand-in device: edge-triggered moves, the soft drop
// on the stick's pull-back, the two buttons, and polls that must do nothing.

#include <QLineEdit>

#include <functional>
#include <string>

#include "fixture.h"
#include "input/keys.h"
#include "invariants.h"
#include "platform/joystick.h"
#include "shell/anleitung.h"

namespace {

using platform::joystick::Caps;
using platform::joystick::Position;

constexpr uint32_t kMitte = 32768, kMin = 0, kMax = 65535;

class Stick : public platform::joystick::Device {
 public:
  bool Read(Position& pos) override {
    ++lesungen;
    if (!liest) return false;
    pos = stand;
    return true;
  }
  Caps Range() override { return bereich; }

  Position stand{kMitte, kMitte, 0, 0};
  Caps bereich{kMin, kMax, kMin, kMax};
  bool liest = true;  // false: unplugged or failing
  int lesungen = 0;
};

class Joystick : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    platform::joystick::SetFake(&stick);
    form->show();
    Aktivieren(form.get());
    form->TBox->setFocus();
    ASSERT_EQ(QApplication::activeWindow(), form.get());
    ASSERT_EQ(form->focusWidget(), form->TBox);
  }
  void TearDown() override {
    platform::joystick::SetFake(nullptr);
    FormTest::TearDown();
  }

  static void Aktivieren(QWidget* fenster) {
    fenster->activateWindow();
    QCoreApplication::processEvents();
  }

  // A game with a T piece in the middle of the well, its top row inside it, joystick on.
  void Spiel() {
    StartWith(8);
    Advance(1000);
    ASSERT_GT(form->SteinY, 0);
    Key(keys::J);
    ASSERT_TRUE(form->timJoystick.Enabled());
    platform::sound::ClearRequests();
  }

  // Holds the stick for the given number of 10-ms polls.
  void Halten(uint32_t x, uint32_t y, uint32_t knoepfe = 0, int polls = 1) {
    stick.stand = {x, y, 0, knoepfe};
    Advance(10 * polls);
  }

  int Zellen() const {
    int n = 0;
    for (int c = 1; c <= 10; ++c)
      for (int r = 1; r <= 20; ++r) n += form->Belegt[c][r];
    return n;
  }

  Stick stick;

 public:
  TForm& Form() { return *form; }
};

TEST_F(Joystick, AHeldStickMovesOnceAndStraightAcrossMovesOnceTheOtherWay) {
  Spiel();
  const float x0 = form->SteinX;
  Halten(kMin, kMitte, 0, 8);
  EXPECT_EQ(form->SteinX, x0 - 20);
  Halten(kMax, kMitte, 0, 8);
  EXPECT_EQ(form->SteinX, x0);
  Halten(kMitte, kMitte, 0, 3);
  Halten(kMax, kMitte, 0, 3);
  EXPECT_EQ(form->SteinX, x0 + 20);
  EXPECT_TRUE(GameIsConsistent(*form));
}

TEST_F(Joystick, PullingBackHoldsTheSoftDropUntilTheStickPassesTheCentre) {
  Spiel();
  const int normal = form->Fallschritt;
  ASSERT_NE(normal, 19);
  Halten(kMitte, kMax, 0, 2);
  EXPECT_EQ(form->Fallschritt, 19);
  EXPECT_EQ(form->FallschrittSich, normal);
  Halten(kMitte, kMitte);
  EXPECT_EQ(form->Fallschritt, normal);

  // Back, then straight forward: the turn is sent, the soft drop stays on.
  const int stein = form->AktStein;
  Halten(kMitte, kMax);
  Halten(kMitte, kMin, 0, 3);
  EXPECT_EQ(form->AktStein, stein + 1);
  EXPECT_EQ(Sounds().count(QStringLiteral("ROTATE.WAV")), 1);
  EXPECT_EQ(form->Fallschritt, 19);
  Halten(kMitte, kMitte);
  EXPECT_EQ(form->Fallschritt, 19) << "the centre after forward ends nothing";
  Halten(kMitte, kMax);
  Halten(kMitte, kMitte);
  EXPECT_EQ(form->Fallschritt, normal);
}

TEST_F(Joystick, EachButtonPressActsOnce) {
  Spiel();
  const int stein = form->AktStein;
  Halten(kMitte, kMitte, 1u, 5);
  EXPECT_EQ(form->AktStein, stein + 1);
  Halten(kMitte, kMitte, 0, 2);
  Halten(kMitte, kMitte, 1u, 2);
  EXPECT_EQ(form->AktStein, stein + 2);
  EXPECT_EQ(Sounds().count(QStringLiteral("ROTATE.WAV")), 2);

  Halten(kMitte, kMitte, 2u, 30);
  EXPECT_EQ(Zellen(), 4) << "one hard drop, though the next piece came while the button was held";
  EXPECT_EQ(Sounds().count(QStringLiteral("DOWN.WAV")), 1);
  Halten(kMitte, kMitte, 0);
  Halten(kMitte, kMitte, 2u);
  EXPECT_EQ(Zellen(), 8);
}

TEST_F(Joystick, DuringTheLandingDelayOnlySidewaysMovesAct) {
  Spiel();
  Halten(kMitte, kMitte);
  for (int t = 0; t < 10000 && !form->Wartet; t += 10) Advance(10);
  ASSERT_TRUE(form->Wartet);
  const int stein = form->AktStein;
  stick.stand = {kMitte, kMin, 0, 1u};  // forward and button 1: both a turn
  Advance(10);
  EXPECT_EQ(form->AktStein, stein);
  EXPECT_TRUE(Sounds().isEmpty());
  const float x0 = form->SteinX;
  Halten(kMin, kMitte);
  EXPECT_EQ(form->SteinX, x0 - 20);
  EXPECT_FALSE(form->Wartet);
  EXPECT_TRUE(form->FallTimer.Enabled());
}

// Where the quarter marks lie in a calibrated range: the comparisons are strict.
struct Schwelle {
  uint32_t x, y;
  int dx;
  bool dreht, schnell;
};

void PrintTo(const Schwelle& s, std::ostream* os) { *os << "x " << s.x << ", y " << s.y; }

class JoystickSchwelle : public Joystick, public ::testing::WithParamInterface<Schwelle> {};

TEST_P(JoystickSchwelle, QuarterMarksOfTheRange) {
  const Schwelle& s = GetParam();
  stick.bereich = {1000, 2000, 3000, 5000};
  Spiel();
  EXPECT_EQ(form->JoyXMin, 1000);
  EXPECT_EQ(form->JoyXMax, 2000);
  EXPECT_EQ(form->JoyYMin, 3000);
  EXPECT_EQ(form->JoyYMax, 5000);
  Halten(1500, 4000);
  const float x0 = form->SteinX;
  const int stein = form->AktStein;
  const int schritt = form->Fallschritt;
  Halten(s.x, s.y);
  EXPECT_EQ(form->SteinX, x0 + 20 * s.dx);
  EXPECT_EQ(form->AktStein, s.dreht ? stein + 1 : stein);
  EXPECT_EQ(form->Fallschritt, s.schnell ? 19 : schritt);
}

INSTANTIATE_TEST_SUITE_P(Grenzen, JoystickSchwelle,
                         ::testing::Values(Schwelle{1249, 4000, -1, false, false},
                                           Schwelle{1250, 4000, 0, false, false}, Schwelle{1750, 4000, 0, false, false},
                                           Schwelle{1751, 4000, +1, false, false}, Schwelle{1500, 3499, 0, true, false},
                                           Schwelle{1500, 3500, 0, false, false}, Schwelle{1500, 4500, 0, false, false},
                                           Schwelle{1500, 4501, 0, false, true}),
                         [](const auto& info) {
                           return "X" + std::to_string(info.param.x) + "Y" + std::to_string(info.param.y);
                         });

// Ways the main window's well can lose the joystick; each is undone to check that
// the polls meanwhile stored nothing.
struct Abwesend {
  std::string name;
  std::function<void(Joystick&, std::unique_ptr<QWidget>&)> weg;
  std::function<void(Joystick&)> zurueck;
};

void PrintTo(const Abwesend& a, std::ostream* os) { *os << a.name; }

class JoystickAbwesend : public Joystick, public ::testing::WithParamInterface<Abwesend> {};

TEST_P(JoystickAbwesend, PollsDoNothingAndTheReturnComparesWithTheStatesBefore) {
  Spiel();
  Halten(kMitte, kMitte);
  std::unique_ptr<QWidget> anderes;
  GetParam().weg(*this, anderes);
  ASSERT_FALSE(QApplication::activeWindow() == form.get() && form->focusWidget() == form->TBox);
  const float x0 = form->SteinX;
  const int stein = form->AktStein;
  platform::sound::ClearRequests();
  for (uint32_t knoepfe : {1u, 2u, 3u}) Halten(kMin, kMin, knoepfe, 5);
  Halten(kMin, kMax, 0, 5);
  EXPECT_EQ(form->SteinX, x0);
  EXPECT_EQ(form->AktStein, stein);
  EXPECT_EQ(Zellen(), 0);
  EXPECT_NE(form->Fallschritt, 19);
  EXPECT_TRUE(form->JoyXAlt.isEmpty());
  EXPECT_TRUE(form->JoyYAlt.isEmpty());
  EXPECT_FALSE(Sounds().contains(QStringLiteral("ROTATE.WAV")));

  GetParam().zurueck(*this);
  anderes.reset();
  Aktivieren(form.get());
  form->TBox->setFocus();
  Halten(kMin, kMitte);
  EXPECT_EQ(form->SteinX, x0 - 20) << "the stick held left all along counts as new";
  EXPECT_TRUE(form->FallTimer.Enabled());
}

void NichtsZurueck(Joystick&) {}

INSTANTIATE_TEST_SUITE_P(Fenster, JoystickAbwesend,
                         ::testing::Values(Abwesend{"AnotherWindow",
                                                    [](Joystick&, std::unique_ptr<QWidget>& anderes) {
                                                      // Even a control of the same name elsewhere is not the well.
                                                      anderes = std::make_unique<QWidget>();
                                                      auto* feld = new QLineEdit(anderes.get());
                                                      feld->setObjectName(QStringLiteral("TBox"));
                                                      anderes->show();
                                                      anderes->activateWindow();
                                                      QCoreApplication::processEvents();
                                                      feld->setFocus();
                                                    },
                                                    NichtsZurueck},
                                           Abwesend{"AnotherControl",
                                                    [](Joystick& t, std::unique_ptr<QWidget>&) {
                                                      auto* feld = new QLineEdit(t.Form().TFormPic);
                                                      feld->setObjectName(QStringLiteral("Feld"));
                                                      feld->show();
                                                      feld->setFocus();
                                                    },
                                                    NichtsZurueck},
                                           Abwesend{
                                               "Instructions",
                                               [](Joystick& t, std::unique_ptr<QWidget>&) {
                                                 t.Form().picButtonAnleitung_Click();
                                                 t.Form().AnleitungForm().activateWindow();
                                                 QCoreApplication::processEvents();
                                               },
                                               [](Joystick& t) { t.Form().AnleitungForm().picButtonZurueck_Click(); }}),
                         [](const ::testing::TestParamInfo<Abwesend>& info) { return info.param.name; });

TEST_F(Joystick, AFailedReadChangesNothing) {
  Spiel();
  Halten(kMitte, kMitte);
  const float x0 = form->SteinX;
  const int stein = form->AktStein;
  // A failed read used to look like the stick in the top-left corner: a Left and a turn.
  stick.liest = false;
  Advance(100);
  EXPECT_EQ(form->SteinX, x0);
  EXPECT_EQ(form->AktStein, stein);
  EXPECT_TRUE(Sounds().isEmpty());

  stick.liest = true;
  Halten(kMin, kMax, 1u);
  ASSERT_EQ(form->SteinX, x0 - 20);
  ASSERT_EQ(form->AktStein, stein + 1);
  ASSERT_EQ(form->Fallschritt, 19);
  const QStringList vorher = {form->JoyXAlt, form->JoyYAlt, form->JoyKnopf1Alt, form->JoyKnopf2Alt};
  EXPECT_EQ(vorher.join(QLatin1Char(',')).toStdString(), "links,unten,down,up");
  stick.liest = false;
  Advance(100);
  const QStringList nachher = {form->JoyXAlt, form->JoyYAlt, form->JoyKnopf1Alt, form->JoyKnopf2Alt};
  EXPECT_EQ(nachher, vorher);
  EXPECT_EQ(form->Fallschritt, 19) << "a failed read is no return to the centre";
  stick.liest = true;
  Halten(kMin, kMax, 1u, 5);
  EXPECT_EQ(form->SteinX, x0 - 20);
  EXPECT_EQ(form->AktStein, stein + 1);
  EXPECT_EQ(Sounds().count(QStringLiteral("ROTATE.WAV")), 1);
}

TEST_F(Joystick, JWithoutADeviceChangesNothing) {
  stick.liest = false;
  stick.bereich = {10, 20, 30, 40};
  StartWith(8);
  Key(keys::J);
  EXPECT_FALSE(form->timJoystick.Enabled());
  EXPECT_EQ(form->JoyXMin, 0);
  EXPECT_EQ(form->JoyXMax, 0);
  EXPECT_EQ(form->JoyYMax, 0);
  EXPECT_TRUE(Sounds().isEmpty());
  const int lesungen = stick.lesungen;
  Advance(200);
  EXPECT_EQ(stick.lesungen, lesungen) << "no polling while off";
}

TEST_F(Joystick, JSwitchesPollingOffAndOn) {
  Spiel();
  Key(keys::J);
  EXPECT_FALSE(form->timJoystick.Enabled());
  const float x0 = form->SteinX;
  Halten(kMin, kMitte, 0, 5);
  EXPECT_EQ(form->SteinX, x0);
  Key(keys::J);
  Halten(kMin, kMitte, 0, 5);
  EXPECT_EQ(form->SteinX, x0 - 20);
}

TEST_F(Joystick, PollsEveryTenMillisecondsAndReadsTheRangeAtEachSwitchOn) {
  Spiel();
  int vorher = stick.lesungen;
  Advance(1000);
  EXPECT_EQ(stick.lesungen - vorher, 100);
  vorher = stick.lesungen;
  Advance(9);
  EXPECT_LE(stick.lesungen - vorher, 1);

  // A new calibration counts from the next switch-on: x 61000 is right in
  // 0 ... 65535 but left of the quarter mark 61383.75 of 60000 ... 65535.
  Halten(kMitte, kMitte);
  Key(keys::J);
  stick.bereich = {60000, 65535, kMin, kMax};
  Key(keys::J);
  ASSERT_TRUE(form->timJoystick.Enabled());
  const float x0 = form->SteinX;
  Halten(61000, kMitte);
  EXPECT_EQ(form->SteinX, x0 - 20);
}

TEST_F(Joystick, UnpluggingWhileOnIsSurvivedAndReplugging) {
  Spiel();
  Halten(kMitte, kMitte);
  const float x0 = form->SteinX;
  stick.liest = false;
  Advance(500);
  EXPECT_TRUE(form->timJoystick.Enabled());
  EXPECT_EQ(form->SteinX, x0);
  // No stand-in at all: the real joystick layer, which has no device here.
  platform::joystick::SetFake(nullptr);
  Advance(100);
  platform::joystick::SetFake(&stick);
  EXPECT_TRUE(GameIsConsistent(*form));
  stick.liest = true;
  Halten(kMin, kMitte);
  EXPECT_EQ(form->SteinX, x0 - 20);
}

}  // namespace
