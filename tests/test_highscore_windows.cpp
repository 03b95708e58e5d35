// The highscore list window and the name entry: what the player sees, hears
// and what ends up in the file.

#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "highscore/hsdatei.h"
#include "input/keys.h"
#include "platform/joystick.h"

namespace {

const QColor kWeiss(255, 255, 255);
const QColor kGruen(0, 255, 0);
const QColor kSchwarz(0, 0, 0);

struct Meldung {
  QWidget* owner;
  QString text, title;
  platform::dialog::Icon icon;
};

QByteArray StandardDatei() {
  return "[Highscore]\r\n"
         "500  ,Jorin Falkat\r\n450  ,Jorin Falkat\r\n400  ,Jorin Falkat\r\n350  ,Jorin Falkat\r\n"
         "300  ,Jorin Falkat\r\n250  ,Jorin Falkat\r\n200  ,Jorin Falkat\r\n150  ,Jorin Falkat\r\n"
         "100  ,Jorin Falkat\r\n50   ,Jorin Falkat\r\n";
}

class HighscoreFenster : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    QFile::remove(Eingabe::Dateipfad());
    platform::dialog::SetMessageBoxSeam(
        [this](QWidget* owner, const QString& text, const QString& title, platform::dialog::Icon icon) {
          meldungen.push_back({owner, text, title, icon});
        });
  }

  void TearDown() override {
    platform::dialog::SetMessageBoxSeam(nullptr);
    FormTest::TearDown();
    QFile::remove(Eingabe::Dateipfad());
  }

  static QByteArray Datei() {
    QFile f(Eingabe::Dateipfad());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  static void SchreibeDatei(const QByteArray& inhalt) {
    QFile f(Eingabe::Dateipfad());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
  }

  // A game that has just ended with the given points.
  void SpielEndetMit(int punkte) {
    form->Punktestand = punkte;
    form->HighscoreEintrag();
  }

  // Sends one key press (and release) to a widget the way the toolkit would.
  static void Taste(QWidget* ziel, int key, const QString& text = {}) {
    QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &los);
  }

  static void Tippe(QWidget* ziel, const QString& text) {
    for (QChar c : text) Taste(ziel, c.toUpper().unicode(), QString(c));
  }

  // Confirms a name in the entry window and returns the list it leads to.
  Highscore& NameBestaetigen(const QString& name) {
    Eingabe& e = form->EingabeForm();
    e.HSEingabe->setText(name);
    e.picButtonOK_Click();
    return form->HighscoreForm();
  }

  qsizetype Anzahl(const QString& sound) const { return Sounds().count(sound); }

  std::vector<Meldung> meldungen;
};

// ---- The list window -------------------------------------------------------------

TEST_F(HighscoreFenster, FirstOpeningCreatesTheDefaultFileAndShowsIt) {
  ASSERT_FALSE(highscore::Vorhanden(Eingabe::Dateipfad()));
  form->picButtonHighscore_Click();
  EXPECT_EQ(Datei(), StandardDatei());
  ASSERT_TRUE(form->HighscoreGeladen());
  Highscore& hs = form->HighscoreForm();
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const auto i = static_cast<size_t>(k);
    EXPECT_EQ(hs.HSPos[i]->text(), QStringLiteral("%1.").arg(k + 1));
    EXPECT_EQ(hs.HSName[i]->text(), QStringLiteral("Jorin Falkat"));
    EXPECT_EQ(hs.HSScore[i]->text(), QString::number(500 - 50 * k));
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[i]), kWeiss);
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[i]), kWeiss);
  }
  EXPECT_EQ(Sounds(), (QStringList{"CLICK.WAV", "HIGHSCOR.WAV"}));
  EXPECT_TRUE(hs.isVisible());
  EXPECT_FALSE(form->isVisible());
}

TEST_F(HighscoreFenster, TheListShowsTheStoredTextsAndReadsTheFileOnlyOnce) {
  SchreibeDatei(
      "[Highscore]\r\n"
      "99999,Ada, the first\r\n"
      "12ab ,Bo\r\n"
      "0    ,  Cy  \r\n");
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  EXPECT_EQ(hs.HSScore[0]->text(), "99999");
  EXPECT_EQ(hs.HSName[0]->text(), "Ada, the first");
  EXPECT_EQ(hs.HSScore[1]->text(), "12ab");  // shown as stored, not as a number
  EXPECT_EQ(hs.HSName[1]->text(), "Bo");
  EXPECT_EQ(hs.HSScore[2]->text(), "0");
  EXPECT_EQ(hs.HSName[2]->text(), "Cy");
  for (size_t k = 3; k < 10; ++k) {
    EXPECT_EQ(hs.HSScore[k]->text(), "") << k;
    EXPECT_EQ(hs.HSName[k]->text(), "") << k;
  }
  // The short file is not replaced by the default one.
  EXPECT_TRUE(Datei().startsWith("[Highscore]\r\n99999,Ada"));

  hs.picButtonZurueck_Click();
  SchreibeDatei(StandardDatei());
  form->picButtonHighscore_Click();
  EXPECT_EQ(hs.HSName[0]->text(), "Ada, the first");
  EXPECT_EQ(hs.HSScore[1]->text(), "12ab");
}

TEST_F(HighscoreFenster, ALoadAfterTheLabelsWereFilledKeepsThem) {
  SchreibeDatei(StandardDatei());
  Highscore hs(*form);
  hs.HSName[0]->setText(QStringLiteral("Neu"));
  hs.Form_Load();
  EXPECT_EQ(hs.HSName[0]->text(), "Neu");
  EXPECT_EQ(hs.HSScore[0]->text(), "");
  EXPECT_EQ(hs.HSName[1]->text(), "");
  // The window is laid out all the same.
  EXPECT_EQ(hs.HighscorePic->geometry(), QRect(192, 144, 640, 480));
}

TEST_F(HighscoreFenster, ListLayout) {
  Highscore& hs = form->HighscoreForm();
  EXPECT_EQ(hs.windowTitle(), "Highscore (Kelmora) :");
  EXPECT_TRUE(hs.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(hs.size(), QSize(1024, 768));
  EXPECT_EQ(hs.HighscorePic->geometry(), QRect(192, 144, 640, 480));
  EXPECT_EQ(hs.picButtonZurueck->parentWidget(), hs.HighscorePic);
  EXPECT_EQ(hs.picButtonZurueck->geometry(), QRect(248, 431, 140, 28));
  const QObjectList reihenfolge = hs.HighscorePic->children();
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const int rang = k + 1;
    const int y = 96 + 32 * k;
    QLabel* pos = hs.HSPos[static_cast<size_t>(k)];
    QLabel* schatten = hs.HSPos[static_cast<size_t>(20 - rang)];
    QLabel* name = hs.HSName[static_cast<size_t>(k)];
    QLabel* score = hs.HSScore[static_cast<size_t>(k)];
    EXPECT_EQ(pos->geometry(), QRect(56, y, 33, 25));
    EXPECT_EQ(schatten->geometry(), QRect(59, y + 1, 33, 25));
    EXPECT_EQ(name->geometry(), QRect(104, y, 361, 25));
    EXPECT_EQ(score->geometry(), QRect(480, y, 81, 25));
    EXPECT_EQ(schatten->text(), pos->text());
    EXPECT_EQ(Highscore::Textfarbe(*pos), kWeiss);
    EXPECT_EQ(Highscore::Textfarbe(*schatten), kSchwarz);
    // The shadow lies under its number.
    EXPECT_LT(reihenfolge.indexOf(schatten), reihenfolge.indexOf(pos));
    EXPECT_TRUE(pos->alignment() & Qt::AlignRight);
    EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(score->alignment() & Qt::AlignHCenter);
    for (QLabel* l : {pos, schatten, name, score}) {
      EXPECT_EQ(l->parentWidget(), hs.HighscorePic);
      EXPECT_EQ(l->font().family(), "Liberation Sans");
      EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 13.5);
      EXPECT_TRUE(l->font().bold());
      EXPECT_FALSE(l->autoFillBackground());
      EXPECT_EQ(l->textFormat(), Qt::PlainText);
    }
  }
}

// The three switch keys work in the list window exactly as in the game screen;
// the play keys do nothing there.
struct SchalterFall {
  const char* name;
  int qtKey;
  const char* text;
  bool sound, vorschau, joystick;  // the state after one press, starting from on / visible / off
};

class ListeTasten : public HighscoreFenster, public ::testing::WithParamInterface<SchalterFall> {};

class EinJoystick : public platform::joystick::Device {
 public:
  EinJoystick() { platform::joystick::SetFake(this); }
  ~EinJoystick() override { platform::joystick::SetFake(nullptr); }
  bool Read(platform::joystick::Position& pos) override {
    pos = {32768, 32768, 0, 0};
    return true;
  }
  platform::joystick::Caps Range() override { return {0, 65535, 0, 65535}; }
};

TEST_P(ListeTasten, SwitchKeysActOnTheGame) {
  const SchalterFall& fall = GetParam();
  EinJoystick stick;
  StartWith(0);
  Advance(100);
  form->picButtonHighscore_Click();
  Highscore& hs = form->HighscoreForm();
  const float y = form->SteinY;
  ASSERT_TRUE(HauptModul::SoundAn);
  ASSERT_FALSE(form->Vorschau->isHidden());
  ASSERT_FALSE(form->timJoystick.Enabled());

  Taste(&hs, fall.qtKey, QString::fromLatin1(fall.text));
  EXPECT_EQ(HauptModul::SoundAn, fall.sound);
  EXPECT_EQ(!form->Vorschau->isHidden(), fall.vorschau);
  EXPECT_EQ(form->timJoystick.Enabled(), fall.joystick);
  EXPECT_FALSE(form->Pausiert);
  EXPECT_EQ(form->SteinY, y);
  EXPECT_TRUE(hs.isVisible());

  // A second press switches back.
  Taste(&hs, fall.qtKey, QString::fromLatin1(fall.text));
  EXPECT_TRUE(HauptModul::SoundAn);
  EXPECT_FALSE(form->Vorschau->isHidden());
  EXPECT_FALSE(form->timJoystick.Enabled());
}

INSTANTIATE_TEST_SUITE_P(HighscoreFenster, ListeTasten,
                         ::testing::Values(SchalterFall{"S", Qt::Key_S, "s", false, true, false},
                                           SchalterFall{"V", Qt::Key_V, "v", true, false, false},
                                           SchalterFall{"J", Qt::Key_J, "j", true, true, true},
                                           SchalterFall{"P", Qt::Key_P, "p", true, true, false},
                                           SchalterFall{"Space", Qt::Key_Space, " ", true, true, false},
                                           SchalterFall{"Escape", Qt::Key_Escape, "\x1b", true, true, false},
                                           SchalterFall{"Down", Qt::Key_Down, "", true, true, false}),
                         [](const ::testing::TestParamInfo<SchalterFall>& info) {
                           return std::string(info.param.name);
                         });

// ---- Who enters the list -----------------------------------------------------------

struct Qualifikation {
  int punkte;
  int platz;  // 0: does not qualify
};

class Eintrag : public HighscoreFenster, public ::testing::WithParamInterface<Qualifikation> {};

TEST_P(Eintrag, RankFromTheDefaultList) {
  const Qualifikation q = GetParam();
  SpielEndetMit(q.punkte);
  // The file is created on the way, qualifying or not.
  EXPECT_EQ(Datei(), StandardDatei());
  if (q.platz == 0) {
    EXPECT_EQ(Sounds(), QStringList{"GAMEOVER.WAV"});
    EXPECT_FALSE(form->EingabeGeladen());
    EXPECT_TRUE(form->isEnabled());
    return;
  }
  EXPECT_EQ(Anzahl("GAMEOVER.WAV"), 0);
  ASSERT_TRUE(form->EingabeGeladen());
  Eingabe& e = form->EingabeForm();
  EXPECT_TRUE(e.isVisible());
  EXPECT_FALSE(form->isEnabled());
  EXPECT_EQ(e.HSPlatz, q.platz);
  const auto p = static_cast<size_t>(q.platz);
  EXPECT_EQ(e.HSPunkte[p], q.punkte);
  // Everything below moved down by one; rank 10 fell off.
  for (size_t r = 1; r <= 10; ++r) {
    const double erwartet = r < p ? 550.0 - 50.0 * r : r == p ? q.punkte : 550.0 - 50.0 * (r - 1);
    EXPECT_EQ(e.HSPunkte[r], erwartet) << "rank " << r;
  }
  // Nothing is written before the name is confirmed.
  EXPECT_EQ(Datei(), StandardDatei());
}

INSTANTIATE_TEST_SUITE_P(HighscoreFenster, Eintrag,
                         ::testing::Values(Qualifikation{0, 0}, Qualifikation{40, 0}, Qualifikation{50, 0},
                                           Qualifikation{51, 10}, Qualifikation{60, 10}, Qualifikation{100, 10},
                                           Qualifikation{400, 4}, Qualifikation{401, 3}, Qualifikation{500, 2},
                                           Qualifikation{520, 1}, Qualifikation{99999, 1}),
                         [](const ::testing::TestParamInfo<Qualifikation>& info) {
                           return "Points" + std::to_string(info.param.punkte);
                         });

TEST_F(HighscoreFenster, AResultAboveEveryoneIsSavedAtTheTopAndTheLastFallsOff) {
  SpielEndetMit(520);
  Highscore& hs = NameBestaetigen(QStringLiteral("Mira"));
  EXPECT_EQ(Datei(),
            "[Highscore]\r\n"
            "520  ,Mira\r\n500  ,Jorin Falkat\r\n450  ,Jorin Falkat\r\n400  ,Jorin Falkat\r\n"
            "350  ,Jorin Falkat\r\n300  ,Jorin Falkat\r\n250  ,Jorin Falkat\r\n200  ,Jorin Falkat\r\n"
            "150  ,Jorin Falkat\r\n100  ,Jorin Falkat\r\n");
  EXPECT_EQ(hs.HSName[0]->text(), "Mira");
  EXPECT_EQ(hs.HSScore[0]->text(), "520");
  EXPECT_EQ(hs.HSScore[9]->text(), "100");
  EXPECT_TRUE(hs.isVisible());
  EXPECT_FALSE(form->EingabeForm().isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->isEnabled());
}

TEST_F(HighscoreFenster, ARankMissingFromAShortFileCountsAsZero) {
  SchreibeDatei("[Highscore]\r\n500  ,Ana\r\n400  ,Ben\r\n300  ,Cas\r\n");
  SpielEndetMit(0);
  EXPECT_EQ(Sounds(), QStringList{"GAMEOVER.WAV"});
  platform::sound::ClearRequests();
  SpielEndetMit(1);
  ASSERT_TRUE(form->EingabeGeladen());
  EXPECT_EQ(form->EingabeForm().HSPlatz, 4);
  NameBestaetigen(QStringLiteral("Dov"));
  EXPECT_TRUE(Datei().startsWith("[Highscore]\r\n500  ,Ana\r\n400  ,Ben\r\n300  ,Cas\r\n1    ,Dov\r\n0    ,\r\n"));
}

TEST_F(HighscoreFenster, AGameEndingInTheWellOpensTheEntry) {
  StartWith(20);  // the square, two cells wide, just above the well
  form->SteinY = -40;
  form->Punktestand = 520;
  for (int c = 1; c <= 9; ++c) Fill(c, 1);  // the well is full up to the top
  Advance(50);
  ASSERT_TRUE(form->Wartet);
  Advance(200);
  ASSERT_TRUE(form->SpielVorbei);
  ASSERT_TRUE(form->EingabeGeladen());
  EXPECT_EQ(form->EingabeForm().HSPlatz, 1);
  EXPECT_TRUE(form->GameOverTimer.Enabled());
  EXPECT_FALSE(form->isEnabled());
}

TEST_F(HighscoreFenster, NamesAreTrimmedOfBlanksOnly) {
  SpielEndetMit(400);
  Highscore& hs = NameBestaetigen(QStringLiteral("   Li Wei  "));
  EXPECT_EQ(hs.HSName[3]->text(), "Li Wei");
  EXPECT_TRUE(Datei().contains("\r\n400  ,Li Wei\r\n350  ,Jorin Falkat\r\n"));
  EXPECT_EQ(form->EingabeForm().HSNamen[4], "Li Wei");
}

TEST_F(HighscoreFenster, NamesAreShownAsPlainText) {
  SpielEndetMit(300);
  Highscore& hs = NameBestaetigen(QStringLiteral("<b>x</b>"));
  QLabel* l = hs.HSName[5];
  EXPECT_EQ(l->text(), "<b>x</b>");
  EXPECT_EQ(l->textFormat(), Qt::PlainText);
  // Rendered as markup the label would be a single bold "x"; as plain text it is much wider.
  QLabel vergleich;
  vergleich.setFont(l->font());
  vergleich.setTextFormat(Qt::RichText);
  vergleich.setText(l->text());
  EXPECT_GT(l->sizeHint().width(), vergleich.sizeHint().width() + 20);
  EXPECT_TRUE(Datei().contains(",<b>x</b>\r\n"));
}

TEST_F(HighscoreFenster, MarkupInTheFileIsShownAsPlainText) {
  SchreibeDatei("[Highscore]\r\n500  ,<i>y</i> &amp;\r\n");
  form->picButtonHighscore_Click();
  EXPECT_EQ(form->HighscoreForm().HSName[0]->text(), "<i>y</i> &amp;");
  EXPECT_EQ(form->HighscoreForm().HSName[0]->textFormat(), Qt::PlainText);
}

TEST_F(HighscoreFenster, EmptyNameIsRefusedWithTheWarning) {
  for (const QString& name : {QString(), QStringLiteral("     ")}) {
    SCOPED_TRACE(name.size());
    meldungen.clear();
    SpielEndetMit(520);
    Eingabe& e = form->EingabeForm();
    platform::sound::ClearRequests();
    e.HSEingabe->setText(name);
    e.picButtonOK_Click();
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].owner, &e);
    EXPECT_EQ(meldungen[0].text, "Please enter your name first");
    EXPECT_EQ(meldungen[0].title, "-=Attention=-");
    EXPECT_EQ(meldungen[0].icon, platform::dialog::Icon::Exclamation);
    EXPECT_EQ(Sounds(), QStringList{"CLICK.WAV"});
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(form->HighscoreGeladen());
    EXPECT_FALSE(form->isEnabled());
    EXPECT_EQ(Datei(), StandardDatei());
  }
}

TEST_F(HighscoreFenster, EnterIsSwallowedAndConfirms) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  int beimTextfeld = 0;
  QObject::connect(e.HSEingabe, &QLineEdit::returnPressed, [&] { ++beimTextfeld; });
  platform::sound::ClearRequests();
  Taste(e.HSEingabe, Qt::Key_Return, "\r");
  ASSERT_EQ(meldungen.size(), 1u);
  EXPECT_EQ(Sounds(), QStringList{"CLICK.WAV"});
  EXPECT_EQ(e.HSEingabe->text(), "");

  Tippe(e.HSEingabe, QStringLiteral("Jo"));
  platform::sound::ClearRequests();
  Taste(e.HSEingabe, Qt::Key_Enter, "\r");  // the one on the number pad
  EXPECT_EQ(Anzahl("INPUT.WAV"), 0);
  EXPECT_EQ(Anzahl("CLICK.WAV"), 1);
  EXPECT_EQ(meldungen.size(), 1u);
  EXPECT_EQ(beimTextfeld, 0) << "Enter reached the text box";
  ASSERT_TRUE(form->HighscoreGeladen());
  EXPECT_EQ(form->HighscoreForm().HSName[0]->text(), "Jo");
  EXPECT_FALSE(e.isVisible());
}

TEST_F(HighscoreFenster, TypingPlaysTheInputSoundForEveryCharacterKey) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  platform::sound::ClearRequests();
  Tippe(e.HSEingabe, QStringLiteral("a B,"));
  EXPECT_EQ(e.HSEingabe->text(), "a B,");
  EXPECT_EQ(Anzahl("INPUT.WAV"), 4);
  Taste(e.HSEingabe, Qt::Key_Backspace, "\b");
  EXPECT_EQ(e.HSEingabe->text(), "a B");
  EXPECT_EQ(Anzahl("INPUT.WAV"), 5);
  // Keys that type nothing are silent.
  Taste(e.HSEingabe, Qt::Key_Left);
  Taste(e.HSEingabe, Qt::Key_Delete, QStringLiteral("\x7f"));
  Taste(e.HSEingabe, Qt::Key_Shift);
  EXPECT_EQ(e.HSEingabe->text(), "a ");
  EXPECT_EQ(Anzahl("INPUT.WAV"), 5);
  EXPECT_EQ(Sounds().size(), 5);
}

TEST_F(HighscoreFenster, TheTwentyFirstCharacterIsRefusedButStillHeard) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  platform::sound::ClearRequests();
  const QString zwanzig = QStringLiteral("abcdefghijklmnopqrst");
  Tippe(e.HSEingabe, zwanzig);
  EXPECT_EQ(e.HSEingabe->text(), zwanzig);
  Tippe(e.HSEingabe, QStringLiteral("u"));
  EXPECT_EQ(e.HSEingabe->text(), zwanzig);
  EXPECT_EQ(Anzahl("INPUT.WAV"), 21);
}

TEST_F(HighscoreFenster, TheSecondGameOffersThePreviousName) {
  SpielEndetMit(520);
  Highscore& hs = NameBestaetigen(QStringLiteral("Noor"));
  hs.picButtonZurueck_Click();
  SpielEndetMit(510);
  Eingabe& e = form->EingabeForm();
  EXPECT_EQ(e.HSEingabe->text(), "Noor");
  EXPECT_EQ(e.HSPlatz, 2);
  e.picButtonOK_Click();
  EXPECT_TRUE(Datei().startsWith("[Highscore]\r\n520  ,Noor\r\n510  ,Noor\r\n500  ,Jorin Falkat\r\n"));
  EXPECT_EQ(hs.HSName[1]->text(), "Noor");
  EXPECT_EQ(hs.HSScore[1]->text(), "510");
  EXPECT_EQ(hs.HSScore[9]->text(), "150");
}

TEST_F(HighscoreFenster, OnlyTheNewEntryIsGreenUntilTheBackButton) {
  SpielEndetMit(400);
  Highscore& hs = NameBestaetigen(QStringLiteral("Tam"));
  for (size_t k = 0; k < 10; ++k) {
    const QColor erwartet = k == 3 ? kGruen : kWeiss;
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[k]), erwartet) << k;
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[k]), erwartet) << k;
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSPos[k]), kWeiss) << k;
  }
  // Equal points go below the stored entry.
  EXPECT_EQ(hs.HSScore[2]->text(), "400");
  EXPECT_EQ(hs.HSName[2]->text(), "Jorin Falkat");
  EXPECT_EQ(hs.HSScore[3]->text(), "400");
  EXPECT_EQ(hs.HSName[3]->text(), "Tam");
  EXPECT_EQ(hs.HSScore[4]->text(), "350");

  platform::sound::ClearRequests();
  hs.picButtonZurueck_Click();
  EXPECT_EQ(Sounds(), QStringList{"CLICK.WAV"});
  for (size_t k = 0; k < 10; ++k) {
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[k]), kWeiss) << k;
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[k]), kWeiss) << k;
  }
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_FALSE(hs.isVisible());
  // Opening it again from the menu shows the list in white.
  form->picButtonHighscore_Click();
  EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[3]), kWeiss);
  EXPECT_EQ(hs.HSName[3]->text(), "Tam");
}

TEST_F(HighscoreFenster, TheListLoadedByTheEntryShowsTheNewList) {
  // The list window was never opened: loading it reads the old file, then the entry overwrites it.
  SpielEndetMit(60);
  Highscore& hs = NameBestaetigen(QStringLiteral("Eli"));
  EXPECT_EQ(hs.HSName[9]->text(), "Eli");
  EXPECT_EQ(hs.HSScore[9]->text(), "60");
  EXPECT_EQ(hs.HSScore[8]->text(), "100");
  EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[9]), kGruen);
  EXPECT_TRUE(Datei().endsWith("100  ,Jorin Falkat\r\n60   ,Eli\r\n"));
}

TEST_F(HighscoreFenster, AFailedSaveStillShowsTheEntryAndKeepsTheOldFile) {
  SpielEndetMit(520);
  highscore::SetzeSchreibfehlerFuerTests(true);
  Highscore& hs = NameBestaetigen(QStringLiteral("Rey"));
  highscore::SetzeSchreibfehlerFuerTests(false);
  EXPECT_EQ(hs.HSName[0]->text(), "Rey");
  EXPECT_TRUE(hs.isVisible());
  EXPECT_EQ(Datei(), StandardDatei());
}

TEST_F(HighscoreFenster, ActivationFocusesTheTextBoxAndPlaysTheEntrySound) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  platform::sound::ClearRequests();
  QEvent aktiv(QEvent::WindowActivate);
  QApplication::sendEvent(&e, &aktiv);
  EXPECT_EQ(Sounds(), QStringList{"ENTRY.WAV"});
  EXPECT_EQ(e.focusWidget(), e.HSEingabe);
}

TEST_F(HighscoreFenster, ComingBackFromTheWarningIsNoNewActivation) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  QEvent aktiv(QEvent::WindowActivate);
  QEvent inaktiv(QEvent::WindowDeactivate);
  // The warning box takes the keyboard while it is open.
  QDialog box;
  box.setModal(true);
  box.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &box);
  QApplication::sendEvent(&e, &inaktiv);
  box.hide();
  e.HSEingabe->clearFocus();
  platform::sound::ClearRequests();
  QApplication::sendEvent(&e, &aktiv);
  EXPECT_TRUE(Sounds().isEmpty());
  EXPECT_EQ(e.focusWidget(), e.HSEingabe);

  // Leaving for another window and coming back is a new activation.
  QApplication::sendEvent(&e, &inaktiv);
  QApplication::sendEvent(&e, &aktiv);
  EXPECT_EQ(Sounds(), QStringList{"ENTRY.WAV"});
}

// ---- The entry window's look ---------------------------------------------------------

TEST_F(HighscoreFenster, EntryLayout) {
  SpielEndetMit(520);
  Eingabe& e = form->EingabeForm();
  EXPECT_EQ(e.windowTitle(), "Highscore-Eingabe:");
  EXPECT_TRUE(e.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(e.size(), QSize(362, 201));
  EXPECT_EQ(e.pos(), QPoint((1024 - 362) / 2, (768 - 201) / 2));

  struct Zeile {
    QRect lage;
    const char* text;
    double punkte;
    QColor farbe;
  };
  const Zeile zeilen[] = {
      {{0, 8, 361, 33}, "Congratulations !!!", 20.25, kGruen},
      {{0, 44, 361, 25}, "You got a high score !", 12, kWeiss},
      {{40, 64, 281, 49}, "Please enter your name and press 'OK'.", 12, kWeiss},
  };
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    QLabel* l = e.EingabeText[i];
    EXPECT_EQ(l->geometry(), zeilen[i].lage);
    EXPECT_EQ(l->text(), zeilen[i].text);
    EXPECT_EQ(l->font().family(), "Liberation Sans");
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), zeilen[i].punkte);
    EXPECT_TRUE(l->font().bold());
    EXPECT_EQ(l->palette().color(QPalette::WindowText), zeilen[i].farbe);
    EXPECT_TRUE(l->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(l->autoFillBackground());
  }
  // The long line wraps inside its 281 pixels.
  EXPECT_TRUE(e.EingabeText[2]->wordWrap());
  EXPECT_GT(e.EingabeText[2]->heightForWidth(281), e.EingabeText[1]->sizeHint().height());

  EXPECT_EQ(e.HSEingabe->geometry(), QRect(24, 114, 313, 32));
  EXPECT_EQ(e.HSEingabe->maxLength(), 20);
  EXPECT_TRUE(e.HSEingabe->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(e.HSEingabe->palette().color(QPalette::Base), kSchwarz);
  EXPECT_EQ(e.HSEingabe->palette().color(QPalette::Text), kWeiss);
  EXPECT_DOUBLE_EQ(e.HSEingabe->font().pointSizeF(), 14.25);
  EXPECT_TRUE(e.HSEingabe->font().bold());
  EXPECT_EQ(e.picButtonOK->geometry(), QRect(128, 160, 100, 28));
  EXPECT_EQ(e.mask(), Eingabe::RundeForm(362, 201, 110));
}

struct Punkt {
  int x, y;
  bool drin;
};

class RundeForm : public ::testing::TestWithParam<Punkt> {};

TEST_P(RundeForm, CornersAreCutAsQuarterEllipses) {
  const Punkt p = GetParam();
  EXPECT_EQ(Eingabe::RundeForm(362, 201, 110).contains(QPoint(p.x, p.y)), p.drin) << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(HighscoreFenster, RundeForm,
                         ::testing::Values(
                             // the four corners themselves and points near them
                             Punkt{0, 0, false}, Punkt{361, 0, false}, Punkt{0, 200, false}, Punkt{361, 200, false},
                             Punkt{10, 10, false}, Punkt{351, 190, false}, Punkt{20, 20, true}, Punkt{341, 180, true},
                             // where the rounding starts and ends: 55 pixels from each corner
                             Punkt{0, 55, true}, Punkt{0, 40, false}, Punkt{55, 0, true}, Punkt{40, 0, false},
                             Punkt{361, 145, true}, Punkt{361, 160, false},
                             // the middle of each edge and the centre
                             Punkt{181, 0, true}, Punkt{181, 200, true}, Punkt{0, 100, true}, Punkt{361, 100, true},
                             Punkt{181, 100, true}, Punkt{362, 100, false}, Punkt{181, 201, false}),
                         [](const ::testing::TestParamInfo<Punkt>& info) {
                           return "At" + std::to_string(info.param.x) + "_" + std::to_string(info.param.y);
                         });

TEST(EingabeHintergrund, TheTileRepeatsOverTheWholeWindow) {
  TForm haupt;
  Eingabe e(haupt);
  // A tile with a different colour in every pixel, so any offset shows.
  QImage kachel(145, 145, QImage::Format_RGB32);
  for (int y = 0; y < 145; ++y)
    for (int x = 0; x < 145; ++x) kachel.setPixel(x, y, qRgb(x, y, (x * 7 + y * 3) % 256));
  e.picHG = kachel;
  e.Form_Load();
  e.HSEingabe->hide();
  e.picButtonOK->hide();
  for (auto* l : e.EingabeText) l->hide();
  const QImage bild = e.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(bild.size(), QSize(362, 201));
  // Points inside the rounded shape: outside it nothing is drawn.
  for (const QPoint p :
       {QPoint(0, 100), QPoint(144, 144), QPoint(145, 0), QPoint(300, 150), QPoint(361, 100), QPoint(100, 199)}) {
    EXPECT_EQ(bild.pixel(p), kachel.pixel(p.x() % 145, p.y() % 145)) << p.x() << "," << p.y();
  }
}

}  // namespace
