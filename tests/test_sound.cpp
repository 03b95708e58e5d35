// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Which sound each event of the game requests, how (in the background or to
// the end), and that every request first stops the sound still playing.

#include <QFile>
#include <QLineEdit>
#include <functional>
#include <string>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace platform::sound {
// Readable log entries in failure messages.
inline std::ostream& operator<<(std::ostream& os, const Aufnahme& a) {
  const char* art = a.art == Aufnahme::Art::Async ? "async " : a.art == Aufnahme::Art::Sync ? "sync " : "stop ";
  return os << art << a.datei.toStdString();
}
}  // namespace platform::sound

namespace {

using platform::sound::Aufnahme;
using Art = Aufnahme::Art;

// The game's sound table, file by file:
//   CLICK.WAV     first thing in the click of each picture button of the main window (new game,
//                 highscores, instructions, about, quit), of the back buttons of the list and the
//                 instructions, of OK in the name entry and of OK in the about window
//   HELP.WAV      after the instructions are shown and the main window hidden
//   HIGHSCOR.WAV  after the list is shown by the main window's highscore button
//   ROTATE.WAV    Up while a piece may be turned, before the turn is tested
//   DOWN.WAV      a piece has come to rest and completed no row
//   ROW<n>.WAV    a piece has come to rest and completed n rows (n in decimal, no blanks)
//   GAMEOVER.WAV  a game ended with a score that earns no place in the list
//   ENTRY.WAV     the name entry becomes active
//   INPUT.WAV     each key typed into the name field, except Enter
//   TADA.WAV      the about window becomes active
//   EXIT.WAV      the quit button, played synchronously: the program waits for its end
// Every other request plays in the background.
const Aufnahme Click{Art::Async, "CLICK.WAV"}, Help{Art::Async, "HELP.WAV"}, Highscor{Art::Async, "HIGHSCOR.WAV"},
    Rotate{Art::Async, "ROTATE.WAV"}, Down{Art::Async, "DOWN.WAV"}, GameOver{Art::Async, "GAMEOVER.WAV"},
    Entry{Art::Async, "ENTRY.WAV"}, Input{Art::Async, "INPUT.WAV"}, Tada{Art::Async, "TADA.WAV"},
    Exit{Art::Sync, "EXIT.WAV"};
Aufnahme Row(int n) { return {Art::Async, QStringLiteral("ROW%1.WAV").arg(n)}; }

class Klang : public FormTest {
 public:
  using FormTest::Advance;
  using FormTest::form;
  using FormTest::StartWith;
  using FormTest::Tap;

  void SetUp() override {
    FormTest::SetUp();
    QFile::remove(Eingabe::Dateipfad());
    ShowActive();
  }
  void TearDown() override {
    FormTest::TearDown();
    QFile::remove(Eingabe::Dateipfad());
  }

  void Laufend() {
    StartWith(8);
    Advance(1000);
  }
  // An upright I at the left wall over n full rows that it completes.
  void Reihen(int n) {
    StartWith(5);
    form->SteinX = 0;
    for (int r = 21 - n; r <= 20; ++r)
      for (int c = 2; c <= 10; ++c) Fill(c, r);
  }
  void EintragOffen() {
    form->Punktestand = 520;
    form->HighscoreEintrag();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->EingabeForm().isVisible());
  }
  static void Aktiv() { QCoreApplication::processEvents(); }

  std::vector<Aufnahme> Abspielen() const {
    std::vector<Aufnahme> v;
    for (const Aufnahme& a : platform::sound::Log())
      if (a.art != Art::Stop) v.push_back(a);
    return v;
  }
};

struct Ereignis {
  const char* name;
  std::function<void(Klang&)> vorher;
  std::function<void(Klang&)> tun;
  std::vector<Aufnahme> soll;
};

void PrintTo(const Ereignis& e, std::ostream* os) { *os << e.name; }

enum class Ton { An, Aus, KeinGeraet };
void PrintTo(Ton t, std::ostream* os) { *os << (t == Ton::An ? "SoundOn" : t == Ton::Aus ? "SoundOff" : "NoDevice"); }

class KlangTabelle : public Klang, public ::testing::WithParamInterface<std::tuple<Ereignis, Ton>> {};

TEST_P(KlangTabelle, EachEventRequestsItsFileAndEveryRequestStopsTheSoundBefore) {
  const auto& [ereignis, ton] = GetParam();
  ereignis.vorher(*this);
  HauptModul::SoundAn = ton != Ton::Aus;
  platform::sound::SetDeviceCountOverride(ton == Ton::KeinGeraet ? 0 : 1);
  const bool spielteVorher = platform::sound::RemainingMs() > 0;
  platform::sound::ClearRequests();

  ereignis.tun(*this);
  if (ton != Ton::An) {
    EXPECT_TRUE(platform::sound::Log().empty()) << "nothing at all, not even a stop";
    return;
  }
  EXPECT_EQ(Abspielen(), ereignis.soll);

  // The stop-first rule over the whole log: a request that finds a sound still
  // playing ends it first, and only a sound played to its end leaves silence.
  bool spielt = spielteVorher;
  QString laufend;
  for (const Aufnahme& a : platform::sound::Log()) {
    if (a.art == Art::Stop) {
      EXPECT_TRUE(spielt) << "a stop with nothing playing";
      if (!laufend.isEmpty()) {
        EXPECT_EQ(a.datei, laufend);
      }
      spielt = false;
      continue;
    }
    EXPECT_FALSE(spielt) << a << " requested over a sound still playing";
    spielt = a.art == Art::Async;
    laufend = a.datei;
  }
}

void Nichts(Klang&) {}

const Ereignis kEreignisse[] = {
    {"NewGameButton", Nichts, [](Klang& k) { k.form->picButtonNeuesSpiel_Click(); }, {Click}},
    {"HighscoreButton", Nichts, [](Klang& k) { k.form->picButtonHighscore_Click(); }, {Click, Highscor}},
    {"InstructionsButton", Nichts, [](Klang& k) { k.form->picButtonAnleitung_Click(); }, {Click, Help}},
    {"AboutButton",
     Nichts,
     [](Klang& k) {
       k.form->picButtonCopyright_Click();
       Klang::Aktiv();
     },
     {Click, Tada}},
    {"QuitButton", Nichts, [](Klang& k) { k.form->picButtonBeenden_Click(); }, {Click, Exit}},
    {"QuitButtonDuringAGame",
     [](Klang& k) { k.Laufend(); },
     [](Klang& k) { k.form->picButtonBeenden_Click(); },
     {Click, Exit}},
    {"ListBackButton",
     [](Klang& k) { k.form->picButtonHighscore_Click(); },
     [](Klang& k) { k.form->HighscoreForm().picButtonZurueck_Click(); },
     {Click}},
    {"InstructionsBackButton",
     [](Klang& k) { k.form->picButtonAnleitung_Click(); },
     [](Klang& k) { k.form->AnleitungForm().picButtonZurueck_Click(); },
     {Click}},
    {"AboutOk",
     [](Klang& k) {
       k.form->picButtonCopyright_Click();
       Klang::Aktiv();
     },
     [](Klang& k) {
       k.form->InfoFormForm().OKButton_Click();
       Klang::Aktiv();
     },
     {Click}},
    {"UpKey", [](Klang& k) { k.Laufend(); }, [](Klang&) { Klang::Tap(Qt::Key_Up); }, {Rotate}},
    {"UpKeyAgainstTheWall",
     [](Klang& k) {
       k.StartWith(5);  // the upright I at the right wall cannot turn flat
       k.form->SteinX = 180;
       k.Advance(1000);
     },
     [](Klang&) { Klang::Tap(Qt::Key_Up); },
     {Rotate}},
    {"LandingWithoutARow", [](Klang& k) { k.Laufend(); }, [](Klang&) { Klang::Tap(Qt::Key_Space); }, {Down}},
    {"OneRow", [](Klang& k) { k.Reihen(1); }, [](Klang&) { Klang::Tap(Qt::Key_Space); }, {Row(1)}},
    {"TwoRows", [](Klang& k) { k.Reihen(2); }, [](Klang&) { Klang::Tap(Qt::Key_Space); }, {Row(2)}},
    {"ThreeRows", [](Klang& k) { k.Reihen(3); }, [](Klang&) { Klang::Tap(Qt::Key_Space); }, {Row(3)}},
    {"FourRows", [](Klang& k) { k.Reihen(4); }, [](Klang&) { Klang::Tap(Qt::Key_Space); }, {Row(4)}},
    {"GameOverWithoutAPlace",
     [](Klang& k) {
       k.Laufend();
       k.form->Punktestand = 0;
     },
     [](Klang& k) { k.form->GameOver(); },
     {GameOver}},
    {"EntryBecomesActive",
     [](Klang& k) {
       k.Laufend();
       k.form->Punktestand = 520;
     },
     [](Klang& k) {
       k.form->GameOver();
       Klang::Aktiv();
     },
     {Entry}},
    {"TypingIntoTheName",
     [](Klang& k) { k.EintragOffen(); },
     [](Klang& k) {
       for (Qt::Key t : {Qt::Key_O, Qt::Key_D, Qt::Key_E}) QTest::keyClick(k.form->EingabeForm().HSEingabe, t);
     },
     {Input, Input, Input}},
    {"EnterInTheName",
     [](Klang& k) {
       k.EintragOffen();
       k.form->EingabeForm().HSEingabe->setText("Ode");
     },
     [](Klang& k) { QTest::keyClick(k.form->EingabeForm().HSEingabe, Qt::Key_Return); },
     {Click}},
    {"EntryOk",
     [](Klang& k) {
       k.EintragOffen();
       k.form->EingabeForm().HSEingabe->setText("Ode");
     },
     [](Klang& k) { k.form->EingabeForm().picButtonOK_Click(); },
     {Click}},
};

INSTANTIATE_TEST_SUITE_P(Tabelle, KlangTabelle,
                         ::testing::Combine(::testing::ValuesIn(kEreignisse),
                                            ::testing::Values(Ton::An, Ton::Aus, Ton::KeinGeraet)),
                         [](const ::testing::TestParamInfo<std::tuple<Ereignis, Ton>>& info) {
                           const Ton t = std::get<1>(info.param);
                           return std::string(std::get<0>(info.param).name) + (t == Ton::An    ? "_SoundOn"
                                                                               : t == Ton::Aus ? "_SoundOff"
                                                                                               : "_NoDevice");
                         });

// ---- The request itself --------------------------------------------------------------------

TEST_F(Klang, ANewRequestStopsTheOnePlayingAndASynchronousOneEndsBeforeItReturns) {
  platform::sound::ResetRecorder();
  ASSERT_EQ(platform::sound::RemainingMs(), 0);
  HauptModul::SoundAbspielen("CLICK.WAV");
  HauptModul::SoundAbspielen("HELP.WAV");
  // A file that is not there still ends what plays.
  HauptModul::SoundAbspielen("NOSUCH.WAV");
  form->picButtonBeenden_Click();
  HauptModul::SoundAbspielen("DOWN.WAV");
  const std::vector<Aufnahme> soll{Click,
                                   {Art::Stop, "CLICK.WAV"},
                                   Help,
                                   {Art::Stop, "HELP.WAV"},
                                   {Art::Async, "NOSUCH.WAV"},
                                   {Art::Stop, "NOSUCH.WAV"},
                                   Click,
                                   {Art::Stop, "CLICK.WAV"},
                                   Exit,
                                   Down};
  EXPECT_EQ(platform::sound::Log(), soll);
  // The plain list of names that older checks read stays as it was.
  EXPECT_EQ(Sounds(), (QStringList{"CLICK.WAV", "HELP.WAV", "NOSUCH.WAV", "CLICK.WAV", "EXIT.WAV", "DOWN.WAV"}));
}

TEST_F(Klang, SwitchingTheSoundOffLeavesAPlayingSoundAndTheDeviceIsAskedEveryTime) {
  HauptModul::SoundAbspielen("CLICK.WAV");
  Tap(Qt::Key_S);
  ASSERT_FALSE(HauptModul::SoundAn);
  platform::sound::ClearRequests();
  HauptModul::SoundAbspielen("HELP.WAV");
  EXPECT_TRUE(platform::sound::Log().empty());
  EXPECT_GT(platform::sound::RemainingMs(), 0);
  Tap(Qt::Key_S);
  platform::sound::SetDeviceCountOverride(0);
  HauptModul::SoundAbspielen("HELP.WAV");
  EXPECT_TRUE(platform::sound::Log().empty());
  // A device that appears later is used from then on.
  platform::sound::SetDeviceCountOverride(2);
  HauptModul::SoundAbspielen("HELP.WAV");
  EXPECT_EQ(platform::sound::Log(), (std::vector<Aufnahme>{{Art::Stop, "CLICK.WAV"}, Help}));
}

}  // namespace
