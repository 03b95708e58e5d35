// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Leaving the game screen for the highscore list and coming back, in every
// phase of a game, and the quit button.

#include <QFile>
#include <QLineEdit>
#include <functional>

#include "engine/tables.h"
#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "input/keys.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace {

class Menue : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    QFile::remove(Eingabe::Dateipfad());
  }
  void TearDown() override {
    FormTest::TearDown();
    QFile::remove(Eingabe::Dateipfad());
  }

  void ListeOeffnen() { form->picButtonHighscore_Click(); }
  void Zurueck() { form->HighscoreForm().picButtonZurueck_Click(); }

  bool AdvanceUntil(const std::function<bool()>& fertig, int maxMs = 20000) {
    for (int t = 0; t < maxMs && !fertig(); t += 10) Advance(10);
    return fertig();
  }

  int BelegteZellen() const {
    int n = 0;
    for (int c = 1; c <= 10; ++c)
      for (int r = 1; r <= 20; ++r) n += form->Belegt[c][r] ? 1 : 0;
    return n;
  }

  // A horizontal bar dropped at once onto a bottom row that it completes:
  // returns while the removed row flashes.
  void ReiheBlinkt() {
    StartWith(4);
    for (int c = 1; c <= 10; ++c)
      if (c < 5 || c > 8) Fill(c, 20);
    Key(keys::Leertaste);
    ASSERT_TRUE(form->ReiheTimer.Enabled());
    ASSERT_EQ(form->Reihen, 1);
  }

  // The piece that comes next must wait, unseen-proof, until the player is back.
  void NeuerSteinWartet() {
    ASSERT_TRUE(form->SteinNeu);
    ASSERT_FALSE(form->FallTimer.Enabled());
    const float y = form->SteinY;
    EXPECT_EQ(y, static_cast<float>(-TForm::BildHoehe(form->AktStein)));
    Advance(2000);
    EXPECT_EQ(form->SteinY, y);
    EXPECT_TRUE(form->SteinNeu);
    EXPECT_FALSE(form->SpielVorbei);
  }
};

// ---- Halting and resuming in each phase -----------------------------------------------

struct Phase {
  const char* name;
  std::function<void(Menue&)> herstellen;
  bool haltMerken;    // TimerWarAktiv after opening the list
  bool faelltDanach;  // FallTimer after coming back
  bool pausiert;
};
void PrintTo(const Phase& e, std::ostream* os) { *os << e.name; }

class MenuePhase : public Menue, public ::testing::WithParamInterface<Phase> {
 public:
  // The fixture's helpers for the table's set-up functions.
  void Starten() {
    StartWith(0);
    Advance(100);
  }
  void PauseTaste() { Key(keys::P); }
  void Spielende() {
    form->Punktestand = 0;
    form->GameOver();
    Advance(2000);
  }
};

TEST_P(MenuePhase, OpeningTheListHaltsOnlyARunningGameAndTheReturnResumesIt) {
  const Phase& phase = GetParam();
  phase.herstellen(static_cast<Menue&>(*this));
  const bool liefVorher = form->FallTimer.Enabled();
  ASSERT_FALSE(form->TimerWarAktiv);
  const float y = form->SteinY;
  platform::sound::ClearRequests();

  ListeOeffnen();
  EXPECT_EQ(Sounds(), (QStringList{"CLICK.WAV", "HIGHSCOR.WAV"}));
  EXPECT_FALSE(form->FallTimer.Enabled());
  EXPECT_EQ(form->TimerWarAktiv, phase.haltMerken);
  EXPECT_EQ(form->TimerWarAktiv, liefVorher);
  Advance(1000);
  EXPECT_EQ(form->SteinY, y) << "the piece moved behind the list";

  Zurueck();
  EXPECT_EQ(form->FallTimer.Enabled(), phase.faelltDanach);
  EXPECT_FALSE(form->TimerWarAktiv);
  EXPECT_EQ(form->Pausiert, phase.pausiert);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->HighscoreForm().isVisible());
  EXPECT_EQ(form->focusWidget(), form->TBox);
  Advance(50);
  if (phase.faelltDanach) {
    EXPECT_GT(form->SteinY, y) << "the piece falls on from where it was";
  } else {
    EXPECT_EQ(form->SteinY, y);
  }
}

INSTANTIATE_TEST_SUITE_P(Menue, MenuePhase,
                         ::testing::Values(Phase{"Running", [](Menue& m) { static_cast<MenuePhase&>(m).Starten(); },
                                                 true, true, false},
                                           Phase{"Paused",
                                                 [](Menue& m) {
                                                   auto& p = static_cast<MenuePhase&>(m);
                                                   p.Starten();
                                                   p.PauseTaste();
                                                 },
                                                 false, false, true},
                                           Phase{"NotStarted", [](Menue&) {}, false, false, false},
                                           Phase{"Ended",
                                                 [](Menue& m) {
                                                   auto& p = static_cast<MenuePhase&>(m);
                                                   p.Starten();
                                                   p.Spielende();
                                                 },
                                                 false, false, false}),
                         [](const ::testing::TestParamInfo<Phase>& info) { return std::string(info.param.name); });

TEST_F(Menue, APieceLandingBehindTheListWaitsForTheReturn) {
  StartWith(0);
  ASSERT_TRUE(AdvanceUntil([&] { return form->Wartet; }));
  ASSERT_FALSE(form->FallTimer.Enabled());
  ASSERT_TRUE(form->WartenTimer.Enabled());

  ListeOeffnen();
  // Nothing was running to halt: the landing delay is not the fall.
  EXPECT_FALSE(form->TimerWarAktiv);
  Advance(200);
  EXPECT_EQ(BelegteZellen(), 4) << "the landed piece is placed as usual";
  EXPECT_TRUE(form->TimerWarAktiv);
  NeuerSteinWartet();

  const float y = form->SteinY;
  Zurueck();
  EXPECT_TRUE(form->FallTimer.Enabled());
  EXPECT_FALSE(form->TimerWarAktiv);
  Advance(50);
  EXPECT_GT(form->SteinY, y);
}

TEST_F(Menue, APieceAfterARowFlashBehindTheListWaitsForTheReturn) {
  ReiheBlinkt();
  ListeOeffnen();
  EXPECT_FALSE(form->TimerWarAktiv);
  Advance(200);
  EXPECT_FALSE(form->ReiheTimer.Enabled());
  EXPECT_TRUE(form->TimerWarAktiv);
  NeuerSteinWartet();

  const float y = form->SteinY;
  Zurueck();
  EXPECT_TRUE(form->FallTimer.Enabled());
  Advance(50);
  EXPECT_GT(form->SteinY, y);
}

TEST_F(Menue, AGamePausedDuringTheFlashStaysPausedAfterTheList) {
  ReiheBlinkt();
  Key(keys::P);  // P still acts while the row flashes
  ASSERT_TRUE(form->Pausiert);
  ListeOeffnen();
  Advance(200);
  EXPECT_FALSE(form->TimerWarAktiv);
  NeuerSteinWartet();

  const float y = form->SteinY;
  Zurueck();
  EXPECT_TRUE(form->Pausiert);
  EXPECT_FALSE(form->FallTimer.Enabled());
  Advance(1000);
  EXPECT_EQ(form->SteinY, y);

  Key(keys::P);
  EXPECT_TRUE(form->FallTimer.Enabled());
  Advance(50);
  EXPECT_GT(form->SteinY, y);
}

// The return step on its own: a halted game resumes unless it is paused, and
// a pause keeps the memory of the halt for a later return.
struct Rueckkehr {
  bool warAktiv, pausiert;
  bool faellt, bleibtGemerkt;
};
void PrintTo(const Rueckkehr& r, std::ostream* os) { *os << "halted " << r.warAktiv << ", paused " << r.pausiert; }

class HSZurueckTabelle : public Menue, public ::testing::WithParamInterface<Rueckkehr> {};

TEST_P(HSZurueckTabelle, ResumesOnlyAHaltedUnpausedGame) {
  const Rueckkehr r = GetParam();
  form->SpielVorbei = false;  // a game under way; one that ended stays over (test_monkey_found)
  form->TimerWarAktiv = r.warAktiv;
  form->Pausiert = r.pausiert;
  form->HSZurueck();
  EXPECT_EQ(form->FallTimer.Enabled(), r.faellt);
  EXPECT_EQ(form->TimerWarAktiv, r.bleibtGemerkt);
}

INSTANTIATE_TEST_SUITE_P(Menue, HSZurueckTabelle,
                         ::testing::Values(Rueckkehr{true, false, true, false}, Rueckkehr{true, true, false, true},
                                           Rueckkehr{false, false, false, false}, Rueckkehr{false, true, false, false}),
                         [](const ::testing::TestParamInfo<Rueckkehr>& info) {
                           return std::string(info.param.warAktiv ? "Halted" : "NotHalted") +
                                  (info.param.pausiert ? "Paused" : "Running");
                         });

// ---- Quitting -----------------------------------------------------------------------------

struct Ende {
  const char* name;
  bool soundAn;
  int geraete;
  bool spielLaeuft;
  bool fensterGeladen;  // the list and the entry window were used before
  QStringList erwartet;
};
void PrintTo(const Ende& e, std::ostream* os) { *os << e.name; }

class MenueBeenden : public Menue, public ::testing::WithParamInterface<Ende> {};

TEST_P(MenueBeenden, QuitUnloadsEverythingAndPlaysTheExitSoundOnlyWithSound) {
  const Ende& fall = GetParam();
  if (fall.fensterGeladen) {
    form->Punktestand = 520;
    form->HighscoreEintrag();
    Eingabe& e = form->EingabeForm();
    e.HSEingabe->setText(QStringLiteral("Ode"));
    e.picButtonOK_Click();
    Zurueck();
    ASSERT_TRUE(form->HighscoreGeladen());
    ASSERT_TRUE(form->EingabeGeladen());
  }
  if (fall.spielLaeuft) {
    StartWith(0);
    Advance(100);
  }
  HauptModul::SoundAn = fall.soundAn;
  platform::sound::SetDeviceCountOverride(fall.geraete);
  platform::sound::ClearRequests();

  form->picButtonBeenden_Click();
  EXPECT_EQ(Sounds(), fall.erwartet);
  EXPECT_TRUE(form->Beendet());
  EXPECT_FALSE(form->HighscoreGeladen());
  EXPECT_FALSE(form->EingabeGeladen());
  EXPECT_FALSE(form->AnleitungGeladen());
  EXPECT_FALSE(form->InfoFormGeladen());
  EXPECT_FALSE(form->isVisible());
  for (auto* t : {&form->FallTimer, &form->WartenTimer, &form->ReiheTimer, &form->GameOverTimer, &form->timJoystick})
    EXPECT_FALSE(t->Enabled());
  // Nothing is left that could still act.
  const float y = form->SteinY;
  Advance(1000);
  EXPECT_EQ(form->SteinY, y);
}

const QStringList kMitTon{"CLICK.WAV", "EXIT.WAV"};

INSTANTIATE_TEST_SUITE_P(Menue, MenueBeenden,
                         ::testing::Values(Ende{"NeverLoadedSoundOn", true, 1, false, false, kMitTon},
                                           Ende{"NeverLoadedSoundOff", false, 1, false, false, {}},
                                           Ende{"NoSoundDevice", true, 0, false, false, {}},
                                           Ende{"DuringAGame", true, 1, true, false, kMitTon},
                                           Ende{"AfterAnEntrySoundOn", true, 1, false, true, kMitTon},
                                           Ende{"AfterAnEntrySoundOff", false, 1, true, true, {}}),
                         [](const ::testing::TestParamInfo<Ende>& info) { return std::string(info.param.name); });

// The quit button unloads the list, the name entry, the about window and the
// instructions in this order, then the main window; a window never loaded is
// skipped. Every subset of loaded windows, each loaded in the reverse order.
class MenueEntladen : public Menue, public ::testing::WithParamInterface<int> {};

TEST_P(MenueEntladen, TheQuitButtonUnloadsTheWindowsInTheirOrderAfterTheExitSound) {
  const int geladen = GetParam();
  const QStringList ordnung{"Highscore", "Eingabe", "InfoForm", "Anleitung"};
  const std::function<QWidget*()> laden[] = {[&] { return static_cast<QWidget*>(&form->HighscoreForm()); },
                                             [&] { return static_cast<QWidget*>(&form->EingabeForm()); },
                                             [&] { return static_cast<QWidget*>(&form->InfoFormForm()); },
                                             [&] { return static_cast<QWidget*>(&form->AnleitungForm()); }};
  QStringList entladen;
  bool exitVorher = true;
  for (int i = 3; i >= 0; --i) {
    if (!(geladen & (1 << i))) continue;
    QObject::connect(laden[i](), &QObject::destroyed, [&, i] {
      entladen.append(ordnung[i]);
      // The synchronous exit sound has played to its end before anything is unloaded.
      const auto& log = platform::sound::Log();
      exitVorher = exitVorher && !log.empty() &&
                   log.back() == platform::sound::Aufnahme{platform::sound::Aufnahme::Art::Sync, "EXIT.WAV"};
    });
  }
  form->show();
  QCoreApplication::processEvents();
  struct Versteckt : QObject {
    QStringList* liste;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Hide) liste->append("TForm");
      return false;
    }
  } beobachter;
  beobachter.liste = &entladen;
  form->installEventFilter(&beobachter);

  form->picButtonBeenden_Click();
  form->removeEventFilter(&beobachter);
  QStringList soll;
  for (int i = 0; i < 4; ++i)
    if (geladen & (1 << i)) soll.append(ordnung[i]);
  soll.append("TForm");
  EXPECT_EQ(entladen, soll);
  EXPECT_TRUE(exitVorher);
}

std::string Geladen(const ::testing::TestParamInfo<int>& info) {
  static const char* const kurz[] = {"List", "Entry", "About", "Instructions"};
  std::string name;
  for (int i = 0; i < 4; ++i)
    if (info.param & (1 << i)) name += kurz[i];
  return name.empty() ? std::string("NoneLoaded") : name + "Loaded";
}

INSTANTIATE_TEST_SUITE_P(Menue, MenueEntladen, ::testing::Range(0, 16), Geladen);

}  // namespace
