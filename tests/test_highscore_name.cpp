// The name as the player types, pastes and sees it: sounds per key, Enter,
// the limit of twenty characters, characters that cannot be part of a name,
// the empty-name warning, and the same name on screen and in the file.

#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>

#include "highscore_fenster.h"

using namespace hstest;

namespace {

class Name : public HighscoreFenster {
 protected:
  // The entry window of a game that just qualified, with no sound heard yet.
  Eingabe& Eingabefenster(int punkte = 520) {
    SpielEndetMit(punkte);
    Eingabe& e = form->EingabeForm();
    e.HSEingabe->clear();
    platform::sound::ClearRequests();
    return e;
  }

  void MeldungLeererName(Eingabe& e) {
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].owner, &e);
    EXPECT_EQ(meldungen[0].text, kLeerMeldung);
    EXPECT_EQ(meldungen[0].title, kLeerTitel);
    EXPECT_EQ(meldungen[0].icon, platform::dialog::Icon::Exclamation);
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(form->isEnabled());
    EXPECT_FALSE(form->HighscoreGeladen());
    EXPECT_EQ(Datei(), StandardDatei());
  }
};

TEST_F(Name, EmptyOrBlankNamesGetTheWarningAndNothingElse) {
  for (const QString& name : {QString(), QStringLiteral("     ")}) {
    SCOPED_TRACE(name.size());
    meldungen.clear();
    Eingabe& e = Eingabefenster();
    e.HSEingabe->setText(name);
    e.picButtonOK_Click();
    MeldungLeererName(e);
    EXPECT_EQ(Sounds(), QStringList{kClick});
  }
}

TEST_F(Name, EnterIsSwallowedAndConfirms) {
  Eingabe& e = Eingabefenster();
  int beimTextfeld = 0;
  QObject::connect(e.HSEingabe, &QLineEdit::returnPressed, [&] { ++beimTextfeld; });
  Taste(e.HSEingabe, Qt::Key_Return, "\r");
  MeldungLeererName(e);
  EXPECT_EQ(Sounds(), QStringList{kClick});
  EXPECT_EQ(e.HSEingabe->text(), "");

  Tippe(e.HSEingabe, QStringLiteral("Jo"));
  platform::sound::ClearRequests();
  Taste(e.HSEingabe, Qt::Key_Enter, "\r");  // the one on the number pad
  EXPECT_EQ(Sounds(), QStringList{kClick});
  EXPECT_EQ(meldungen.size(), 1u);
  EXPECT_EQ(beimTextfeld, 0) << "Enter reached the text box";
  ASSERT_TRUE(form->HighscoreGeladen());
  EXPECT_EQ(form->HighscoreForm().HSName[0]->text(), "Jo");
  EXPECT_FALSE(e.isVisible());
}

TEST_F(Name, EveryCharacterKeyIsHeardAndKeysThatTypeNothingAreSilent) {
  Eingabe& e = Eingabefenster();
  Tippe(e.HSEingabe, QStringLiteral("a B,"));
  EXPECT_EQ(e.HSEingabe->text(), "a B,");
  EXPECT_EQ(Sounds(), QStringList(4, kInput));
  Taste(e.HSEingabe, Qt::Key_Backspace, "\b");
  EXPECT_EQ(e.HSEingabe->text(), "a B");
  EXPECT_EQ(Anzahl(kInput), 5);
  Taste(e.HSEingabe, Qt::Key_Left);
  Taste(e.HSEingabe, Qt::Key_Delete, QStringLiteral("\x7f"));
  Taste(e.HSEingabe, Qt::Key_Shift);
  EXPECT_EQ(e.HSEingabe->text(), "a ");
  EXPECT_EQ(Sounds(), QStringList(5, kInput));
}

TEST_F(Name, TheTwentyFirstCharacterIsRefusedButStillHeard) {
  Eingabe& e = Eingabefenster();
  const QString zwanzig = QStringLiteral("abcdefghijklmnopqrst");
  Tippe(e.HSEingabe, zwanzig);
  EXPECT_EQ(e.HSEingabe->text(), zwanzig);
  Tippe(e.HSEingabe, QStringLiteral("u"));
  EXPECT_EQ(e.HSEingabe->text(), zwanzig);
  EXPECT_EQ(Anzahl(kInput), 21);
  // Typed in the middle it is refused as well; nothing at the end is pushed out.
  e.HSEingabe->setCursorPosition(5);
  Tippe(e.HSEingabe, QStringLiteral("X"));
  EXPECT_EQ(e.HSEingabe->text(), zwanzig);
  Taste(e.HSEingabe, Qt::Key_Backspace, "\b");
  Tippe(e.HSEingabe, QStringLiteral("X"));
  EXPECT_EQ(e.HSEingabe->text(), QStringLiteral("abcdXfghijklmnopqrst"));
}

// One character as the player sees it, in many code units.
struct Zeichen {
  const char* name;
  const char16_t* text;
};

class Grapheme : public Name, public ::testing::WithParamInterface<Zeichen> {};

TEST_P(Grapheme, TwentyOfThemFillTheBoxWhateverTheirLength) {
  const QString eins = QString::fromUtf16(GetParam().text);
  Eingabe& e = Eingabefenster();
  const QString zwanzig = eins.repeated(20);
  e.HSEingabe->setText(eins.repeated(25));
  EXPECT_EQ(e.HSEingabe->text(), zwanzig) << "set as a whole";
  e.HSEingabe->clear();
  for (int i = 0; i < 21; ++i) {
    QKeyEvent druck(QEvent::KeyPress, 0, Qt::NoModifier, eins);
    QApplication::sendEvent(e.HSEingabe, &druck);
  }
  EXPECT_EQ(e.HSEingabe->text(), zwanzig) << "typed one by one";
  EXPECT_EQ(Anzahl(kInput), 21);
  e.picButtonOK_Click();
  EXPECT_EQ(form->HighscoreForm().HSName[0]->text(), zwanzig);
}

INSTANTIATE_TEST_SUITE_P(HighscoreFenster, Grapheme,
                         ::testing::Values(Zeichen{"Letter", u"k"}, Zeichen{"Umlaut", u"\u00fc"},
                                           Zeichen{"CombiningMarks", u"e\u0301\u0323"}, Zeichen{"Emoji", u"\U0001F409"},
                                           Zeichen{"SkinTone", u"\U0001F44D\U0001F3FD"},
                                           Zeichen{"Flag", u"\U0001F1F3\U0001F1F4"},
                                           Zeichen{"Family", u"\U0001F468\u200D\U0001F469\u200D\U0001F467"},
                                           Zeichen{"Hangul", u"\u1100\u1161\u11A8"}, Zeichen{"Hebrew", u"\u05e9"}),
                         [](const ::testing::TestParamInfo<Zeichen>& info) { return std::string(info.param.name); });

TEST_F(Name, APasteTakesWhatFitsInWholeCharacters) {
  Eingabe& e = Eingabefenster();
  e.HSEingabe->setText(QStringLiteral("ab"));
  e.HSEingabe->setCursorPosition(1);
  QApplication::clipboard()->setText(QStringLiteral("\U0001F1E9\U0001F1EA").repeated(30));
  e.HSEingabe->paste();
  EXPECT_EQ(e.HSEingabe->text(), "a" + QStringLiteral("\U0001F1E9\U0001F1EA").repeated(18) + "b");
  EXPECT_TRUE(Sounds().isEmpty());
}

// Text that reaches the box through the toolkit's usual ways.
TEST_F(Name, ControlCharactersNeverEnterAName) {
  Eingabe& e = Eingabefenster();
  const QString schmutzig = QStringLiteral("Al\tex\r\n No\u0085va\u2028\x1b\x7f\u0007!");
  const QString sauber = QStringLiteral("Alex Nova!");

  e.HSEingabe->setText(schmutzig);
  EXPECT_EQ(e.HSEingabe->text(), sauber) << "setText";

  e.HSEingabe->clear();
  QApplication::clipboard()->setText(schmutzig);
  e.HSEingabe->paste();
  EXPECT_EQ(e.HSEingabe->text(), sauber) << "paste";

  e.HSEingabe->clear();
  QKeyEvent druck(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, schmutzig);
  QApplication::sendEvent(e.HSEingabe, &druck);
  EXPECT_EQ(e.HSEingabe->text(), sauber) << "key event";

  e.HSEingabe->clear();
  QInputMethodEvent im;
  im.setCommitString(schmutzig);
  QApplication::sendEvent(e.HSEingabe, &im);
  EXPECT_EQ(e.HSEingabe->text(), sauber) << "input method";

  // Keys that type a control character are heard but leave nothing.
  e.HSEingabe->clear();
  platform::sound::ClearRequests();
  Taste(e.HSEingabe, Qt::Key_J, QStringLiteral("\n"));
  Taste(e.HSEingabe, Qt::Key_I, QStringLiteral("\t"));
  EXPECT_EQ(e.HSEingabe->text(), "");
  EXPECT_EQ(Sounds(), QStringList(2, kInput));

  // Twenty after cleaning: the dropped characters do not count.
  e.HSEingabe->setText(QStringLiteral("\n\n\nabcdefghij\t\t\tklmnopqrstuvw"));
  EXPECT_EQ(e.HSEingabe->text(), "abcdefghijklmnopqrst");

  // Half of a surrogate pair is no character either.
  const QChar halbe[] = {u'x', QChar(0xD83D), u'y', QChar(0xDC09), u'z'};
  e.HSEingabe->setText(QString(halbe, 5));
  EXPECT_EQ(e.HSEingabe->text(), "xyz");
}

TEST_F(Name, ANameOfControlCharactersOnlyIsEmpty) {
  Eingabe& e = Eingabefenster();
  e.HSEingabe->setText(QStringLiteral("\r\n\t \u2029\x01"));
  e.picButtonOK_Click();
  MeldungLeererName(e);
}

TEST_F(Name, TheNameIsTrimmedOfBlanksOnly) {
  Eingabefenster(400);
  Highscore& hs = NameBestaetigen(QStringLiteral("   Li\u00a0Wei  "));
  EXPECT_EQ(hs.HSName[3]->text(), QStringLiteral("Li\u00a0Wei"));
  EXPECT_TRUE(Datei().contains(QStringLiteral("\r\n400  ,Li\u00a0Wei\r\n350  ,Jorin Falkat\r\n").toUtf8()));
  EXPECT_EQ(form->EingabeForm().HSNamen[4], QStringLiteral("Li\u00a0Wei"));
}

TEST_F(Name, MarkupIsShownAsPlainText) {
  Eingabefenster(300);
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

// After each save the list on screen and the list the file gives back agree,
// rank by rank, for names a player may well type.
TEST_F(Name, TheListOnScreenIsTheListInTheFile) {
  const QString namen[] = {
      QStringLiteral("<b>B</b> & <i>c</i>"),
      QStringLiteral("\U0001F409 Drache \U0001F1F3\U0001F1F4"),
      QStringLiteral("\u05e9\u05dc\u05d5\u05dd abc"),
      QStringLiteral("\u0645\u0631\u062d\u0628\u0627"),
      QStringLiteral("Zoe\u0308 e\u0301le\u0300ve"),
      QStringLiteral("a,b , c,"),
      QStringLiteral("J\u00f6rg \u20ac\u201c\u201d\u0160"),
      QStringLiteral("\U0001F468\u200D\U0001F469 &amp;"),
  };
  int punkte = 600;
  for (const QString& name : namen) {
    SCOPED_TRACE(name.toStdString());
    Eingabefenster(punkte += 10);
    Highscore& hs = NameBestaetigen(name);
    ASSERT_EQ(hs.HSName[0]->text(), name);
    highscore::Punkteliste p{};
    highscore::Textliste n, anzeigePunkte, anzeigeNamen;
    highscore::ListeLesen(Eingabe::Dateipfad(), p, n);
    highscore::AnzeigeLesen(Eingabe::Dateipfad(), anzeigePunkte, anzeigeNamen);
    for (size_t rang = 1; rang <= 10; ++rang) {
      EXPECT_EQ(hs.HSName[rang - 1]->text(), n[rang]) << rang;
      EXPECT_EQ(hs.HSName[rang - 1]->text(), anzeigeNamen[rang]) << rang;
      EXPECT_EQ(hs.HSScore[rang - 1]->text(), anzeigePunkte[rang]) << rang;
    }
    hs.picButtonZurueck_Click();
  }
}

TEST_F(Name, TheSecondGameOffersThePreviousName) {
  Eingabefenster(520);
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

TEST_F(Name, ActivationFocusesTheTextBoxAndPlaysTheEntrySound) {
  Eingabe& e = Eingabefenster();
  QEvent aktiv(QEvent::WindowActivate);
  QApplication::sendEvent(&e, &aktiv);
  EXPECT_EQ(Sounds(), QStringList{kEntry});
  EXPECT_EQ(e.focusWidget(), e.HSEingabe);
}

TEST_F(Name, ComingBackFromTheWarningIsNoNewActivation) {
  Eingabe& e = Eingabefenster();
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
  EXPECT_EQ(Sounds(), QStringList{kEntry});
}

}  // namespace
