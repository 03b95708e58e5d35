// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Close requests from the desktop: on the instructions and the about box they
// lead back to the game in every phase of it; on the main window they leave
// the program as the quit button does.

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <functional>
#include <string>
#include <vector>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "input/keys.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace {

struct Phase {
  const char* name;
  std::function<void(FormTest&)> herstellen;
  bool faellt;       // the piece falls again once the player is back
  bool pausiert;     // the game stays paused
  bool spielVorbei;  // no game is running
};

void PrintTo(const Phase& p, std::ostream* os) { *os << p.name; }

class Fensterweg : public FormTest, public ::testing::WithParamInterface<Phase> {
 public:
  using FormTest::Advance;
  using FormTest::Fill;
  using FormTest::Key;
  using FormTest::StartWith;
  TForm& Form() { return *form; }

  void SetUp() override {
    FormTest::SetUp();
    // As the program shows it at start-up.
    form->showFullScreen();
    form->activateWindow();
    QCoreApplication::processEvents();
  }

  bool AdvanceUntil(const std::function<bool()>& fertig, int maxMs = 20000) {
    for (int t = 0; t < maxMs && !fertig(); t += 10) Advance(10);
    return fertig();
  }

 protected:
  // The main window may be disabled only while another window of the game is on screen.
  void NieGesperrtOhneFenster(const char* wann) {
    if (form->isEnabled()) return;
    bool anderes = false;
    if (form->InfoFormGeladen()) anderes |= form->InfoFormForm().isVisible();
    if (form->EingabeGeladen()) anderes |= form->EingabeForm().isVisible();
    if (form->HighscoreGeladen()) anderes |= form->HighscoreForm().isVisible();
    if (form->AnleitungGeladen()) anderes |= form->AnleitungForm().isVisible();
    EXPECT_TRUE(anderes) << "main window disabled with nothing else shown, " << wann;
  }

  // Back on the game screen, and the game goes on as it was.
  void SpielGehtWeiter() {
    const Phase& p = GetParam();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(form->focusWidget(), form->TBox);
    NieGesperrtOhneFenster("after the way back");
    EXPECT_EQ(form->Pausiert, p.pausiert);
    EXPECT_EQ(form->SpielVorbei, p.spielVorbei);
    // Whatever ran behind the window (a landing delay, a flash) finishes; then a piece falls.
    Advance(450);
    EXPECT_EQ(form->FallTimer.Enabled(), p.faellt);
    if (p.faellt) {
      const float y = form->SteinY;
      const int stein = form->AktStein;
      Advance(100);
      EXPECT_TRUE(form->SteinY > y || form->AktStein != stein) << "the piece moves on";
    }
    if (p.pausiert) {
      Key(keys::P);
      EXPECT_TRUE(form->FallTimer.Enabled()) << "the pause ends as usual";
    }
    if (p.spielVorbei) {
      form->picButtonNeuesSpiel_Click();
      EXPECT_TRUE(form->FallTimer.Enabled()) << "a new game starts";
    }
  }
};

const std::vector<Phase> kPhasen = {
    {"NoGame", [](FormTest&) {}, false, false, true},
    {"Falling",
     [](FormTest& t) {
       auto& f = static_cast<Fensterweg&>(t);
       f.StartWith(8);
       f.Advance(300);
       ASSERT_TRUE(f.Form().FallTimer.Enabled());
     },
     true, false, false},
    {"LandingDelay",
     [](FormTest& t) {
       auto& f = static_cast<Fensterweg&>(t);
       f.StartWith(0);
       ASSERT_TRUE(f.AdvanceUntil([&] { return f.Form().Wartet; }));
       ASSERT_TRUE(f.Form().WartenTimer.Enabled());
     },
     true, false, false},
    {"RowFlash",
     [](FormTest& t) {
       auto& f = static_cast<Fensterweg&>(t);
       f.StartWith(4);
       for (int c = 1; c <= 10; ++c)
         if (c < 5 || c > 8) f.Fill(c, 20);
       f.Key(keys::Leertaste);
       ASSERT_TRUE(f.Form().ReiheTimer.Enabled());
     },
     true, false, false},
    {"Paused",
     [](FormTest& t) {
       auto& f = static_cast<Fensterweg&>(t);
       f.StartWith(8);
       f.Advance(200);
       f.Key(keys::P);
       ASSERT_TRUE(f.Form().Pausiert);
     },
     false, true, false},
    {"GameOverAnimation",
     [](FormTest& t) {
       auto& f = static_cast<Fensterweg&>(t);
       f.StartWith(20);
       f.Form().SteinY = -40;
       for (int c = 1; c <= 9; ++c) f.Fill(c, 1);
       ASSERT_TRUE(f.AdvanceUntil([&] { return f.Form().SpielVorbei; }, 1000));
       ASSERT_TRUE(f.Form().GameOverTimer.Enabled());
       ASSERT_TRUE(f.Form().isEnabled()) << "no result worth an entry";
     },
     false, false, true},
};

TEST_P(Fensterweg, ClosingTheInstructionsLeadsBackLikeTheirBackButton) {
  GetParam().herstellen(*this);
  if (HasFatalFailure()) return;
  form->picButtonAnleitung_Click();
  Anleitung& a = form->AnleitungForm();
  ASSERT_TRUE(a.isVisible());
  ASSERT_FALSE(form->isVisible());
  platform::sound::ClearRequests();

  EXPECT_FALSE(a.close()) << "the window is only hidden, never closed for good";
  EXPECT_FALSE(a.isVisible());
  EXPECT_EQ(Sounds(), QStringList{QStringLiteral("CLICK.WAV")}) << "as the back button";
  SpielGehtWeiter();
  // A second opening shows the same window and its way back still works.
  form->picButtonAnleitung_Click();
  EXPECT_TRUE(form->AnleitungForm().isVisible());
  EXPECT_EQ(&form->AnleitungForm(), &a);
  a.close();
  EXPECT_TRUE(form->isVisible());
}

TEST_P(Fensterweg, ClosingTheAboutBoxLeadsBackLikeOk) {
  GetParam().herstellen(*this);
  if (HasFatalFailure()) return;
  form->picButtonCopyright_Click();
  InfoForm& info = form->InfoFormForm();
  ASSERT_TRUE(info.isVisible());
  ASSERT_FALSE(form->isEnabled());

  platform::sound::ClearRequests();

  QCloseEvent bitte;
  QCoreApplication::sendEvent(&info, &bitte);
  EXPECT_FALSE(bitte.isAccepted());
  EXPECT_FALSE(info.isVisible());
  EXPECT_EQ(Sounds(), QStringList{QStringLiteral("CLICK.WAV")})
      << "as OK, and as the list's and the instructions' close box";
  SpielGehtWeiter();
}

TEST_P(Fensterweg, NothingFallsBehindTheInstructionsAndTheReturnResumes) {
  // The clock runs on while the window is open: a landing or a flash behind it
  // must not restart the fall unseen, and the return starts it.
  GetParam().herstellen(*this);
  if (HasFatalFailure()) return;
  form->picButtonAnleitung_Click();
  Advance(450);
  EXPECT_FALSE(form->FallTimer.Enabled()) << "nothing falls while the instructions hide the well";
  NieGesperrtOhneFenster("behind the instructions");
  form->AnleitungForm().close();
  SpielGehtWeiter();
}

TEST_P(Fensterweg, ClosingTheMainWindowQuitsAsTheQuitButtonDoes) {
  GetParam().herstellen(*this);
  if (HasFatalFailure()) return;
  // Every secondary window loaded, so the order of unloading shows.
  form->AnleitungForm();
  form->InfoFormForm();
  form->EingabeForm();
  ASSERT_TRUE(form->HighscoreGeladen());
  std::vector<std::string> entladen;
  const std::pair<QObject*, const char*> fenster[] = {{&form->AnleitungForm(), "Anleitung"},
                                                      {&form->InfoFormForm(), "InfoForm"},
                                                      {&form->EingabeForm(), "Eingabe"},
                                                      {&form->HighscoreForm(), "Highscore"}};
  for (auto [objekt, name] : fenster)
    QObject::connect(objekt, &QObject::destroyed, [&entladen, name = name] { entladen.emplace_back(name); });
  platform::sound::ClearRequests();

  EXPECT_FALSE(form->close()) << "the quit path hides the window; the program ends after it";
  EXPECT_TRUE(form->Beendet());
  EXPECT_EQ(Sounds(), QStringList({QStringLiteral("CLICK.WAV"), QStringLiteral("EXIT.WAV")}));
  EXPECT_EQ(entladen, (std::vector<std::string>{"Highscore", "Eingabe", "InfoForm", "Anleitung"}));
  EXPECT_FALSE(form->isVisible());
  for (auto* t : {&form->FallTimer, &form->WartenTimer, &form->ReiheTimer, &form->GameOverTimer, &form->timJoystick})
    EXPECT_FALSE(t->Enabled());
  // Once ended, a further request is simply granted and does nothing more.
  platform::sound::ClearRequests();
  QCloseEvent nochmal;
  QCoreApplication::sendEvent(form.get(), &nochmal);
  EXPECT_TRUE(nochmal.isAccepted());
  EXPECT_TRUE(Sounds().isEmpty());
}

// Whatever window is up over it (but the name entry), a close request on the
// game screen is the quit button; the toolkit must not swallow it as a request
// on a window blocked by a modal one.
TEST_P(Fensterweg, ClosingTheMainWindowQuitsUnderEveryOtherWindow) {
  const std::pair<const char*, void (TForm::*)()> knoepfe[] = {{"instructions", &TForm::picButtonAnleitung_Click},
                                                               {"list", &TForm::picButtonHighscore_Click},
                                                               {"about box", &TForm::picButtonCopyright_Click}};
  for (const auto& [name, knopf] : knoepfe) {
    SCOPED_TRACE(name);
    form = std::make_unique<TForm>();
    form->Form_Load();
    form->showFullScreen();
    QCoreApplication::processEvents();
    GetParam().herstellen(*this);
    if (HasFatalFailure()) return;
    (form.get()->*knopf)();
    QCoreApplication::processEvents();
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr) << "a modal window blocks the close request";
    platform::sound::ClearRequests();

    QCloseEvent bitte;
    QCoreApplication::sendEvent(form.get(), &bitte);
    EXPECT_TRUE(form->Beendet());
    EXPECT_EQ(Sounds(), QStringList({QStringLiteral("CLICK.WAV"), QStringLiteral("EXIT.WAV")}));
    EXPECT_FALSE(form->AnleitungGeladen() || form->InfoFormGeladen() || form->HighscoreGeladen());
  }
}

class SpielendeHinterInfo : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->showFullScreen();
    QCoreApplication::processEvents();
  }
};

INSTANTIATE_TEST_SUITE_P(Phasen, Fensterweg, ::testing::ValuesIn(kPhasen),
                         [](const ::testing::TestParamInfo<Phase>& info) { return std::string(info.param.name); });

// A piece resting too high during the landing delay ends the game behind the
// about box, with a result good enough for the list: the entry waits for the
// way back, and the game screen stays closed until the name is given.
TEST_F(SpielendeHinterInfo, TheScreenStaysClosedUntilTheNameIsGiven) {
  StartWith(20);
  form->SteinY = -40;
  form->Punktestand = 520;
  for (int c = 1; c <= 9; ++c) Fill(c, 1);
  Advance(50);
  ASSERT_TRUE(form->Wartet);
  form->picButtonCopyright_Click();
  Advance(200);
  ASSERT_TRUE(form->SpielVorbei);
  EXPECT_FALSE(form->EingabeGeladen() && form->EingabeForm().isVisible()) << "the entry opened over the about box";

  form->InfoFormForm().close();
  EXPECT_FALSE(form->InfoFormForm().isVisible());
  ASSERT_TRUE(form->EingabeGeladen());
  EXPECT_TRUE(form->EingabeForm().isVisible()) << "the entry is offered on the way back";
  EXPECT_FALSE(form->isEnabled()) << "no new game while the name is asked for";
  // Nor does a close request on the game screen end the program without the name.
  platform::sound::ClearRequests();
  QCloseEvent bitte;
  QCoreApplication::sendEvent(form.get(), &bitte);
  EXPECT_FALSE(bitte.isAccepted());
  EXPECT_FALSE(form->Beendet());
  EXPECT_TRUE(form->EingabeForm().isVisible());
  EXPECT_TRUE(Sounds().isEmpty());
  form->EingabeForm().HSEingabe->setText(QStringLiteral("Ode"));
  form->EingabeForm().picButtonOK_Click();
  EXPECT_FALSE(form->EingabeForm().isVisible());
  ASSERT_TRUE(form->HighscoreGeladen());
  EXPECT_TRUE(form->HighscoreForm().isVisible());
  form->HighscoreForm().picButtonZurueck_Click();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isEnabled());
}

class Hauptfenster : public FormTest {};

TEST_F(Hauptfenster, ClosingWithSoundOffQuitsSilently) {
  Key(keys::S);
  ASSERT_FALSE(HauptModul::SoundAn);
  form->show();
  form->close();
  EXPECT_TRUE(form->Beendet());
  EXPECT_TRUE(Sounds().isEmpty());
}

TEST_F(Hauptfenster, TheEndWithoutSoundsUnloadsEverythingAndStopsTheGame) {
  StartWith(8);
  Advance(200);
  form->picButtonAnleitung_Click();
  platform::sound::ClearRequests();
  form->FensterEntladen();
  EXPECT_TRUE(Sounds().isEmpty()) << "an end by signal must not wait for a sound";
  EXPECT_TRUE(form->Beendet());
  EXPECT_FALSE(form->AnleitungGeladen());
  EXPECT_FALSE(form->HighscoreGeladen());
  EXPECT_FALSE(form->isVisible());
  const float y = form->SteinY;
  Advance(1000);
  EXPECT_EQ(form->SteinY, y);
}

}  // namespace
