// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The keyboard as the player uses it: real key events through the toolkit to
// the widget that has the focus, in every phase of a game, held keys with
// their auto-repeat, and keys that must do nothing.

#include <QLineEdit>
#include <QWindow>
#include <functional>
#include <string>

#include "fixture.h"
#include "platform/joystick.h"

namespace {

// The keyboard table of the game, as written down for the player:
//   key          code  when it acts                              action
//   V            86    always                                    toggle the preview
//   S            83    always                                    toggle the sound
//   P            80    no game over                              pause / continue
//   J            74    always                                    joystick off, or on if one is present
//   Right        39    play keys allowed                         move right
//   Left         37    play keys allowed                         move left
//   Up           38    play keys allowed, no landing delay       turn (requests ROTATE.WAV)
//   Space        32    play keys allowed, no landing delay       hard drop
//   Down         40    play keys allowed, no landing delay,      soft drop on: step 19, normal step kept
//                      step not 19
//   Down up      40    soft drop on                              soft drop off: normal step back
// Play keys are allowed unless rows are being cleared, the game is paused or no game runs.
enum class Wann { Immer, KeinSpielende, Spieltaste, SpieltasteOhneWarten };
enum class Wirkung { Vorschau, Ton, Pause, Joystick, Rechts, Links, Drehen, Fallen, Schnell, Nichts };

struct Taste {
  const char* name;
  Qt::Key key;
  Wann wann;
  Wirkung wirkung;
};

void PrintTo(const Taste& t, std::ostream* os) { *os << t.name; }

const Taste kTasten[] = {
    {"V", Qt::Key_V, Wann::Immer, Wirkung::Vorschau},
    {"S", Qt::Key_S, Wann::Immer, Wirkung::Ton},
    {"P", Qt::Key_P, Wann::KeinSpielende, Wirkung::Pause},
    {"J", Qt::Key_J, Wann::Immer, Wirkung::Joystick},
    {"Right", Qt::Key_Right, Wann::Spieltaste, Wirkung::Rechts},
    {"Left", Qt::Key_Left, Wann::Spieltaste, Wirkung::Links},
    {"Up", Qt::Key_Up, Wann::SpieltasteOhneWarten, Wirkung::Drehen},
    {"Space", Qt::Key_Space, Wann::SpieltasteOhneWarten, Wirkung::Fallen},
    {"Down", Qt::Key_Down, Wann::SpieltasteOhneWarten, Wirkung::Schnell},
    // No other key has a meaning in the main window.
    {"Escape", Qt::Key_Escape, Wann::Immer, Wirkung::Nichts},
    {"Enter", Qt::Key_Return, Wann::Immer, Wirkung::Nichts},
    {"Digit5", Qt::Key_5, Wann::Immer, Wirkung::Nichts},
    {"A", Qt::Key_A, Wann::Immer, Wirkung::Nichts},
    {"Q", Qt::Key_Q, Wann::Immer, Wirkung::Nichts},
    {"Tab", Qt::Key_Tab, Wann::Immer, Wirkung::Nichts},
};

// A joystick that is plugged in and left in the centre.
class RuhigerStick : public platform::joystick::Device {
 public:
  bool Read(platform::joystick::Position& pos) override {
    pos = {32768, 32768, 0, 0};
    return true;
  }
  platform::joystick::Caps Range() override { return {0, 65535, 0, 65535}; }
};

// Everything a key can change, as the player would notice it.
struct Stand {
  float x, y;
  int stein, schritt, schrittSich, zellen;
  bool pausiert, ton, vorschau, joystick, wartet, faellt;
  QStringList toene;
  bool operator==(const Stand&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Stand& s) {
  return os << "x " << s.x << " y " << s.y << " piece " << s.stein << " step " << s.schritt << "/" << s.schrittSich
            << " cells " << s.zellen << " paused " << s.pausiert << " sound " << s.ton << " preview " << s.vorschau
            << " joystick " << s.joystick << " landing " << s.wartet << " falling " << s.faellt << " sounds "
            << s.toene.join(',').toStdString();
}

class Tastatur : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    platform::joystick::SetFake(&stick_);
    ShowActive();
    ASSERT_EQ(QApplication::activeWindow(), form.get());
  }
  void TearDown() override {
    platform::joystick::SetFake(nullptr);
    FormTest::TearDown();
  }

  Stand Jetzt() const {
    int zellen = 0;
    for (int c = 1; c <= 10; ++c)
      for (int r = 1; r <= 20; ++r) zellen += form->Belegt[c][r] ? 1 : 0;
    return {form->SteinX,
            form->SteinY,
            form->AktStein,
            form->Fallschritt,
            form->FallschrittSich,
            zellen,
            form->Pausiert,
            HauptModul::SoundAn,
            form->Vorschau->isVisible(),
            form->timJoystick.Enabled(),
            form->Wartet,
            form->FallTimer.Enabled(),
            Sounds()};
  }

  // A game started with the new-game button, a T piece (picture 8) falling
  // freely in the middle of the well; the button gives the focus to the well.
  void Laufend() {
    StartWith(8);
    Advance(1000);
    ASSERT_GT(form->SteinY, 0);
    ASSERT_EQ(QApplication::focusWidget(), form->TBox);
  }

  RuhigerStick stick_;
};

// ---- Every key in every phase ---------------------------------------------------------

struct Phase {
  const char* name;
  std::function<void(Tastatur&)> herstellen;
  bool spielVorbei, pausiert, reihe, wartet;
};

void PrintTo(const Phase& p, std::ostream* os) { *os << p.name; }

class TastenJePhase : public Tastatur, public ::testing::WithParamInterface<std::tuple<Phase, Taste>> {
 public:
  void Starten() { Laufend(); }
  void Pausieren() {
    Laufend();
    Tap(Qt::Key_P);
  }
  void Landen() {
    Laufend();
    for (int t = 0; t < 20000 && !form->Wartet; t += 10) Advance(10);
    platform::sound::ClearRequests();
  }
  void Blitzen() {
    StartWith(4);  // the flat I falls at once into the gap of the bottom row
    for (int c = 1; c <= 10; ++c)
      if (c < 5 || c > 8) Fill(c, 20);
    Tap(Qt::Key_Space);
    platform::sound::ClearRequests();
  }
  void Ende() {
    Laufend();
    form->Punktestand = 0;
    form->GameOver();
    Advance(2000);
    platform::sound::ClearRequests();
  }
};

TEST_P(TastenJePhase, ActsExactlyAsTheKeyboardTableSays) {
  const auto& [phase, taste] = GetParam();
  phase.herstellen(*this);
  ASSERT_EQ(form->SpielVorbei, phase.spielVorbei);
  ASSERT_EQ(form->Pausiert, phase.pausiert);
  ASSERT_EQ(form->ReiheTimer.Enabled(), phase.reihe);
  ASSERT_EQ(form->Wartet, phase.wartet);
  if (!phase.spielVorbei) {
    ASSERT_EQ(KeyTarget(), form->TBox);
  }

  const Stand vorher = Jetzt();
  const bool spieltaste = !phase.reihe && !phase.pausiert && !phase.spielVorbei;
  bool wirkt = false;
  switch (taste.wann) {
    case Wann::Immer: wirkt = true; break;
    case Wann::KeinSpielende: wirkt = !phase.spielVorbei; break;
    case Wann::Spieltaste: wirkt = spieltaste; break;
    case Wann::SpieltasteOhneWarten: wirkt = spieltaste && !phase.wartet; break;
  }

  Stand soll = vorher;
  if (wirkt) {
    switch (taste.wirkung) {
      case Wirkung::Vorschau: soll.vorschau = !vorher.vorschau; break;
      case Wirkung::Ton: soll.ton = !vorher.ton; break;
      case Wirkung::Pause:
        soll.pausiert = !vorher.pausiert;
        // Pausing stops the fall; continuing always starts it.
        soll.faellt = !soll.pausiert;
        break;
      case Wirkung::Joystick: soll.joystick = !vorher.joystick; break;
      case Wirkung::Rechts:
      case Wirkung::Links:
        soll.x = vorher.x + (taste.wirkung == Wirkung::Rechts ? 20 : -20);
        // A side move ends the landing delay: the piece falls on.
        soll.wartet = false;
        soll.faellt = true;
        break;
      case Wirkung::Drehen:
        soll.stein = 4 * (vorher.stein / 4) + (vorher.stein % 4 + 1) % 4;
        soll.toene.append("ROTATE.WAV");
        break;
      case Wirkung::Schnell:
        soll.schrittSich = vorher.schritt;
        soll.schritt = 19;
        break;
      case Wirkung::Fallen:
      case Wirkung::Nichts: break;
    }
  }

  Press(taste.key);
  Stand nachher = Jetzt();
  if (wirkt && taste.wirkung == Wirkung::Fallen) {
    // The piece is placed at once and the next one spawned.
    EXPECT_EQ(nachher.zellen, vorher.zellen + 4);
    EXPECT_EQ(nachher.toene, QStringList{"DOWN.WAV"});
    EXPECT_LT(nachher.y, 0) << "the next piece starts above the well";
  } else {
    EXPECT_EQ(nachher, soll) << "before: " << vorher;
  }

  // Letting the key go changes nothing more, except that Down ends the soft drop.
  const Stand gedrueckt = Jetzt();
  Release(taste.key);
  Stand losgelassen = gedrueckt;
  if (taste.key == Qt::Key_Down && gedrueckt.schritt == 19) losgelassen.schritt = gedrueckt.schrittSich;
  EXPECT_EQ(Jetzt(), losgelassen);
}

const Phase kPhasen[] = {
    {"BeforeTheFirstGame", [](Tastatur&) {}, true, false, false, false},
    {"Falling", [](Tastatur& t) { static_cast<TastenJePhase&>(t).Starten(); }, false, false, false, false},
    {"Paused", [](Tastatur& t) { static_cast<TastenJePhase&>(t).Pausieren(); }, false, true, false, false},
    {"LandingDelay", [](Tastatur& t) { static_cast<TastenJePhase&>(t).Landen(); }, false, false, false, true},
    {"RowFlash", [](Tastatur& t) { static_cast<TastenJePhase&>(t).Blitzen(); }, false, false, true, false},
    {"GameEnded", [](Tastatur& t) { static_cast<TastenJePhase&>(t).Ende(); }, true, false, false, false},
};

INSTANTIATE_TEST_SUITE_P(Tabelle, TastenJePhase,
                         ::testing::Combine(::testing::ValuesIn(kPhasen), ::testing::ValuesIn(kTasten)),
                         [](const ::testing::TestParamInfo<std::tuple<Phase, Taste>>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

// ---- Held keys ----------------------------------------------------------------------------

TEST_F(Tastatur, HeldDownKeepsTheSoftDropThroughItsRepeatsAndOnlyTheRealReleaseEndsIt) {
  Laufend();
  const int normal = form->Fallschritt;
  ASSERT_EQ(normal, 3);
  Press(Qt::Key_Down);
  ASSERT_EQ(form->Fallschritt, 19);
  for (int i = 0; i < 12; ++i) {
    const float y = form->SteinY;
    Repeat(Qt::Key_Down);
    ASSERT_EQ(form->Fallschritt, 19) << "repeat " << i;
    ASSERT_EQ(form->FallschrittSich, normal) << "a repeat must not save 19 as the normal step";
    Advance(50);
    if (!form->Wartet) {
      ASSERT_EQ(form->SteinY, y + 19) << "19 pixels per tick while held";
    }
  }
  Release(Qt::Key_Down);
  EXPECT_EQ(form->Fallschritt, normal);
}

TEST_F(Tastatur, ARepeatedReleaseOfDownAloneEndsNothing) {
  Laufend();
  Press(Qt::Key_Down);
  SendKey(false, Qt::Key_Down, true);
  EXPECT_EQ(form->Fallschritt, 19);
  Release(Qt::Key_Down);
  EXPECT_EQ(form->Fallschritt, 3);
  // A release without a soft drop leaves the step alone.
  Release(Qt::Key_Down);
  EXPECT_EQ(form->Fallschritt, 3);
  EXPECT_EQ(form->FallschrittSich, 3);
}

TEST_F(Tastatur, HeldLeftAndRightMoveOncePerRepeatUntilTheWall) {
  StartWith(20);  // the 2 x 2 square, 40 pixels wide, at x 80
  Advance(1000);
  Press(Qt::Key_Left);
  std::vector<float> xs{form->SteinX};
  for (int i = 0; i < 6; ++i) {
    Repeat(Qt::Key_Left);
    xs.push_back(form->SteinX);
  }
  Release(Qt::Key_Left);
  EXPECT_EQ(xs, (std::vector<float>{60, 40, 20, 0, 0, 0, 0}));

  Press(Qt::Key_Right);
  xs = {form->SteinX};
  for (int i = 0; i < 9; ++i) {
    Repeat(Qt::Key_Right);
    xs.push_back(form->SteinX);
  }
  Release(Qt::Key_Right);
  EXPECT_EQ(xs, (std::vector<float>{20, 40, 60, 80, 100, 120, 140, 160, 160, 160}));
}

TEST_F(Tastatur, HeldUpTurnsOncePerRepeatAndHeldSpaceDropsOnlyOnce) {
  Laufend();
  Press(Qt::Key_Up);
  Repeat(Qt::Key_Up);
  Repeat(Qt::Key_Up);
  Release(Qt::Key_Up);
  EXPECT_EQ(form->AktStein, 11);
  EXPECT_EQ(Sounds().count("ROTATE.WAV"), 3);

  Press(Qt::Key_Space);
  ASSERT_EQ(Sounds().count("DOWN.WAV"), 1);
  // The next piece starts above the well; repeats of Space drop it as well,
  // one piece per repeated press.
  Repeat(Qt::Key_Space);
  Release(Qt::Key_Space);
  EXPECT_EQ(Sounds().count("DOWN.WAV"), 2);
}

TEST_F(Tastatur, LettersActWithShiftToo) {
  const bool ton = HauptModul::SoundAn;
  Tap(Qt::Key_S, Qt::ShiftModifier);
  EXPECT_EQ(HauptModul::SoundAn, !ton);
  const bool vorschau = form->Vorschau->isVisible();
  Tap(Qt::Key_V, Qt::ShiftModifier);
  EXPECT_EQ(form->Vorschau->isVisible(), !vorschau);
  Tap(Qt::Key_J, Qt::ShiftModifier);
  EXPECT_TRUE(form->timJoystick.Enabled());
  Laufend();
  Tap(Qt::Key_P, Qt::ShiftModifier);
  EXPECT_TRUE(form->Pausiert);
}

TEST_F(Tastatur, SVAndJToggleBackAndForthOutsideAGame) {
  ASSERT_TRUE(form->SpielVorbei);
  std::vector<int> gesehen;
  for (int i = 0; i < 4; ++i) {
    Tap(Qt::Key_S);
    Tap(Qt::Key_V);
    Tap(Qt::Key_J);
    gesehen.push_back(HauptModul::SoundAn * 4 + form->Vorschau->isVisible() * 2 + form->timJoystick.Enabled());
  }
  EXPECT_EQ(gesehen, (std::vector<int>{1, 6, 1, 6}));
}

// ---- Key preview --------------------------------------------------------------------------

TEST_F(Tastatur, KeysReachTheGameWhicheverOfTheWindowsControlsHasTheFocus) {
  Laufend();
  // The window itself, with no control focused.
  form->TBox->clearFocus();
  ASSERT_EQ(KeyTarget(), form.get());
  float x = form->SteinX;
  Tap(Qt::Key_Left);
  EXPECT_EQ(form->SteinX, x - 20);

  // Every control of the main window that can take the focus.
  int geprueft = 0;
  for (QWidget* control : form->findChildren<QWidget*>()) {
    if (control->focusPolicy() == Qt::NoFocus) continue;
    control->setFocus();
    ASSERT_EQ(KeyTarget(), control);
    x = form->SteinX;
    Tap(Qt::Key_Right);
    EXPECT_EQ(form->SteinX, x + 20) << control->objectName().toStdString();
    Tap(Qt::Key_Left);
    EXPECT_EQ(form->SteinX, x) << control->objectName().toStdString();
    ++geprueft;
  }
  EXPECT_GE(geprueft, 1) << "the well takes the focus";
}

TEST_F(Tastatur, TheNewGameButtonGivesTheFocusToTheWell) {
  form->TBox->clearFocus();
  ASSERT_NE(KeyTarget(), form->TBox);
  form->picButtonNeuesSpiel_Click();
  EXPECT_EQ(KeyTarget(), form->TBox);
}

TEST_F(Tastatur, TheToolkitsOwnDeliveryToTheWindowReachesTheFocusedWell) {
  Laufend();
  QWindow* fenster = form->windowHandle();
  ASSERT_NE(fenster, nullptr);
  const float x = form->SteinX;
  QTest::keyClick(fenster, Qt::Key_Left);
  EXPECT_EQ(form->SteinX, x - 20);
  QTest::keyPress(fenster, Qt::Key_Down);
  EXPECT_EQ(form->Fallschritt, 19);
  QTest::simulateEvent(fenster, false, Qt::Key_Down, Qt::NoModifier, QString(), true);
  QTest::simulateEvent(fenster, true, Qt::Key_Down, Qt::NoModifier, QString(), true);
  EXPECT_EQ(form->Fallschritt, 19);
  QTest::keyRelease(fenster, Qt::Key_Down);
  EXPECT_EQ(form->Fallschritt, 3);
}

}  // namespace
