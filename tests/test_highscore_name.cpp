// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The name as the player types, pastes and sees it: sounds per key, Enter,
// the limit of twenty characters, characters that cannot be part of a name,
// the empty-name warning, and the same name on screen and in the file.

#include <QClipboard>
#include <QDialog>
#include <QImage>
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
void PrintTo(const Zeichen& z, std::ostream* os) { *os << z.name; }

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

// One character that arrives in several key presses, typed when the box holds
// 19 or 20 characters whose last one the pieces could join. What fits is taken
// whole; what does not is refused whole, never glued onto the twentieth.
struct Folge {
  const char* name;
  const char16_t* letztes;              // last of the characters already there
  std::vector<const char16_t*> tasten;  // the text of each key press
  const char16_t* bei19;                // what 19 characters gain
};
void PrintTo(const Folge& f, std::ostream* os) { *os << f.name; }

class MehrereTasten : public Name, public ::testing::WithParamInterface<Folge> {
 protected:
  QString Vorher(int zeichen) const {
    return QStringLiteral("a").repeated(zeichen - 1) + QString::fromUtf16(GetParam().letztes);
  }
  QString Alles() const {
    QString t;
    for (const char16_t* taste : GetParam().tasten) t += QString::fromUtf16(taste);
    return t;
  }
};

TEST_P(MehrereTasten, TypedAndPastedAtTheLimit) {
  const Folge& f = GetParam();
  Eingabe& e = Eingabefenster();
  for (const int zeichen : {19, 20}) {
    SCOPED_TRACE(zeichen);
    const QString soll = Vorher(zeichen) + (zeichen == 19 ? QString::fromUtf16(f.bei19) : QString());

    e.HSEingabe->setText(Vorher(zeichen));
    ASSERT_EQ(e.HSEingabe->text(), Vorher(zeichen));
    e.HSEingabe->end(false);
    platform::sound::ClearRequests();
    for (const char16_t* taste : f.tasten) Taste(e.HSEingabe, 0, QString::fromUtf16(taste));
    EXPECT_EQ(e.HSEingabe->text(), soll) << "typed";
    EXPECT_EQ(Sounds(), QStringList(static_cast<qsizetype>(f.tasten.size()), kInput));

    // The same keys in one paste, and each key's text pasted on its own.
    e.HSEingabe->setText(Vorher(zeichen));
    e.HSEingabe->end(false);
    QApplication::clipboard()->setText(Alles());
    e.HSEingabe->paste();
    EXPECT_EQ(e.HSEingabe->text(), soll) << "one paste";
    e.HSEingabe->setText(Vorher(zeichen));
    e.HSEingabe->end(false);
    for (const char16_t* taste : f.tasten) {
      QApplication::clipboard()->setText(QString::fromUtf16(taste));
      e.HSEingabe->paste();
    }
    EXPECT_LE(Eingabe::Zeichenzahl(e.HSEingabe->text()), 20);
    EXPECT_TRUE(e.HSEingabe->text().startsWith(Vorher(zeichen).chopped(QString::fromUtf16(f.letztes).size())));
    if (zeichen == 20) {
      EXPECT_EQ(e.HSEingabe->text(), Vorher(20)) << "pasted piece by piece";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    HighscoreFenster, MehrereTasten,
    ::testing::Values(Folge{"LetterThenAccent", u"a", {u"e", u"\u0301"}, u"e\u0301"},
                      Folge{"TwoAccentsThenLetter", u"o", {u"e", u"\u0301", u"\u0323", u"f"}, u"e\u0301\u0323"},
                      Folge{"AccentAlone", u"a", {u"\u0301"}, u"\u0301"},
                      Folge{"SkinTone", u"\U0001F44D", {u"\U0001F44D", u"\U0001F3FD"}, u"\U0001F44D\U0001F3FD"},
                      Folge{"Family",
                            u"\U0001F468",
                            {u"\U0001F468", u"\u200D", u"\U0001F469", u"\u200D", u"\U0001F467"},
                            u"\U0001F468\u200D\U0001F469\u200D\U0001F467"},
                      Folge{
                          "FlagAfterLoneHalf", u"\U0001F1F3", {u"\U0001F1F3", u"\U0001F1F4"}, u"\U0001F1F3\U0001F1F4"},
                      Folge{"HangulJamo", u"\u1100\u1161", {u"\u1100", u"\u1161", u"\u11A8"}, u"\u1100\u1161\u11A8"}),
    [](const ::testing::TestParamInfo<Folge>& info) { return std::string(info.param.name); });

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
// A name wider than its label is shown from its start and cut at its end with
// "…", never clipped on both sides; a name that fits is shown as it is. The
// label keeps its place and width, and its text stays the whole name.
TEST_F(Name, ANameTooWideForTheListIsCutAtItsEnd) {
  Highscore& hs = form->HighscoreForm();
  QLabel* label = hs.HSName[3];
  const QRect lage = label->geometry();
  for (const QString& name :
       {QStringLiteral("Jorin Falkat"), QStringLiteral("W").repeated(20), QStringLiteral("W").repeated(40),
        QStringLiteral("\U0001F409").repeated(20), QStringLiteral("\U0001F44D\U0001F3FD").repeated(20),
        QStringLiteral("Ana ") + QStringLiteral("\u00e9\u0301").repeated(60)}) {
    SCOPED_TRACE(name.toStdString());
    label->setText(name);
    const QString gezeigt = Highscore::Angezeigt(*label);
    const QFontMetrics fm = label->fontMetrics();
    EXPECT_EQ(label->text(), name);
    EXPECT_EQ(label->geometry(), lage);
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    if (fm.horizontalAdvance(name) <= label->width()) {
      EXPECT_EQ(gezeigt, name);
      continue;
    }
    ASSERT_TRUE(gezeigt.endsWith(QStringLiteral("\u2026")));
    const QString anfang = gezeigt.chopped(1);
    EXPECT_FALSE(anfang.isEmpty());
    EXPECT_TRUE(name.startsWith(anfang));
    EXPECT_LE(fm.horizontalAdvance(gezeigt), label->width());
    EXPECT_EQ(Eingabe::Zeichenzahl(anfang) + Eingabe::Zeichenzahl(name.mid(anfang.size())), Eingabe::Zeichenzahl(name))
        << "cut inside a character";

    // On screen: ink near both ends but none in the outermost columns, where
    // a clipped text would run through.
    QImage bild(label->size(), QImage::Format_ARGB32);
    bild.fill(Qt::black);
    label->render(&bild, QPoint(), QRegion(), QWidget::DrawChildren);
    int links = bild.width(), rechts = -1;
    for (int x = 0; x < bild.width(); ++x)
      for (int y = 0; y < bild.height(); ++y)
        if (bild.pixel(x, y) != qRgb(0, 0, 0)) {
          links = std::min(links, x);
          rechts = std::max(rechts, x);
        }
    EXPECT_GT(links, 0);
    EXPECT_LT(rechts, bild.width() - 1);
    EXPECT_GT(rechts - links, bild.width() / 2);
  }
}

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
  // The window system activates the window it shows.
  QEvent aktiv(QEvent::WindowActivate);
  QApplication::sendEvent(&e, &aktiv);
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
