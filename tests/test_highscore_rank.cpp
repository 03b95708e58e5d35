// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Who enters the list and where: the ranks after a game, the insertion that
// pushes the last entry out, the green of the new entry, and the saved file,
// checked against a small model of the rules on many random lists.

#include <random>

#include "highscore_fenster.h"

using namespace hstest;

namespace {

// ---- The model ----------------------------------------------------------------------
// Ranks are walked from 1 to 10; the first stored score strictly below the
// result is the entry rank. Ranks 2..9 from there move one down, the old rank
// 10 drops out, and the result takes the rank with the name confirmed for it.

struct Rangliste {
  std::array<int, 11> punkte{};  // index 0 unused
  std::array<QString, 11> namen;
};

int ModellRang(const std::array<int, 11>& gespeichert, int ergebnis) {
  for (int rang = 1; rang <= 10; ++rang)
    if (gespeichert[static_cast<size_t>(rang)] < ergebnis) return rang;
  return 0;
}

void ModellEinfuegen(Rangliste& l, int rang, int ergebnis, const QString& name) {
  for (int r = 10; r > rang; --r) {
    l.punkte[static_cast<size_t>(r)] = l.punkte[static_cast<size_t>(r - 1)];
    l.namen[static_cast<size_t>(r)] = l.namen[static_cast<size_t>(r - 1)];
  }
  l.punkte[static_cast<size_t>(rang)] = ergebnis;
  l.namen[static_cast<size_t>(rang)] = name;
}

// The file as the game writes it: the header, then per rank the score padded
// with blanks to five columns, a comma and the name.
QByteArray ModellDatei(const Rangliste& l) {
  QByteArray b = "[Highscore]\r\n";
  for (size_t r = 1; r <= 10; ++r) {
    QByteArray zahl = QByteArray::number(l.punkte[r]);
    while (zahl.size() < 5) zahl += ' ';
    b += zahl + ',' + l.namen[r].toUtf8() + "\r\n";
  }
  return b;
}

// ---- The default list ---------------------------------------------------------------

struct Qualifikation {
  int punkte;
  int platz;  // 0: does not qualify
};
void PrintTo(const Qualifikation& q, std::ostream* os) { *os << q.punkte << " points"; }

class Eintrag : public HighscoreFenster, public ::testing::WithParamInterface<Qualifikation> {};

TEST_P(Eintrag, RankFromTheDefaultList) {
  const Qualifikation q = GetParam();
  SpielEndetMit(q.punkte);
  // The file is created on the way, qualifying or not.
  EXPECT_EQ(Datei(), StandardDatei());
  if (q.platz == 0) {
    EXPECT_EQ(Sounds(), QStringList{kGameOver});
    EXPECT_FALSE(form->EingabeGeladen());
    EXPECT_TRUE(form->isEnabled());
    return;
  }
  EXPECT_EQ(Anzahl(kGameOver), 0);
  ASSERT_TRUE(form->EingabeGeladen());
  Eingabe& e = form->EingabeForm();
  EXPECT_TRUE(e.isVisible());
  EXPECT_FALSE(form->isEnabled());
  EXPECT_EQ(e.HSPlatz, q.platz);
  EXPECT_EQ(e.pos(), QPoint((1024 - 362) / 2, (768 - 201) / 2));
  // Nothing is written before the name is confirmed.
  EXPECT_EQ(Datei(), StandardDatei());
}

// 40 does not qualify, 60 is 10th, 520 is 1st, a tie goes below the stored score.
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

TEST_F(HighscoreFenster, AFailedSaveStillShowsTheEntryAndKeepsTheOldFile) {
  SpielEndetMit(520);
  highscore::SetzeSchreibfehlerFuerTests(true);
  Highscore& hs = NameBestaetigen(QStringLiteral("Rey"));
  highscore::SetzeSchreibfehlerFuerTests(false);
  EXPECT_EQ(hs.HSName[0]->text(), "Rey");
  EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[0]), kGruen);
  EXPECT_TRUE(hs.isVisible());
  EXPECT_EQ(Datei(), StandardDatei());
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
  EXPECT_EQ(hs.HSName[2]->text(), kStandardName);
  EXPECT_EQ(hs.HSScore[3]->text(), "400");
  EXPECT_EQ(hs.HSName[3]->text(), "Tam");
  EXPECT_EQ(hs.HSScore[4]->text(), "350");

  hs.picButtonZurueck_Click();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isEnabled());
  // Opening it again from the menu shows the list in white.
  form->picButtonHighscore_Click();
  for (size_t k = 0; k < 10; ++k) {
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[k]), kWeiss) << k;
    EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[k]), kWeiss) << k;
  }
  EXPECT_EQ(hs.HSName[3]->text(), "Tam");
}

// ---- Many random lists against the model ---------------------------------------------

// A list file of n entries, in descending order or, now and then, hand-edited
// out of order; ties are frequent.
Rangliste ZufallsListe(std::mt19937& zufall, int& eintraege) {
  static const QString kNamen[] = {QStringLiteral("Ana"),     QStringLiteral("Bo Ek"),
                                   QStringLiteral("C, D"),    QString(),
                                   QStringLiteral("Eve-Lyn"), QStringLiteral("F")};
  Rangliste l;
  eintraege = std::uniform_int_distribution<int>(0, 12)(zufall);
  if (eintraege > 10) eintraege = 10;
  const bool geordnet = std::uniform_int_distribution<int>(0, 4)(zufall) != 0;
  int oben = std::uniform_int_distribution<int>(0, 3)(zufall) == 0 ? 99999 : 600;
  for (int r = 1; r <= eintraege; ++r) {
    const int wert = std::uniform_int_distribution<int>(0, oben)(zufall);
    l.punkte[static_cast<size_t>(r)] = wert;
    if (geordnet && std::uniform_int_distribution<int>(0, 2)(zufall) != 0) oben = wert;
    l.namen[static_cast<size_t>(r)] = kNamen[std::uniform_int_distribution<size_t>(0, 5)(zufall)];
  }
  return l;
}

TEST_F(HighscoreFenster, RanksInsertionColoursAndFileFollowTheModel) {
  std::mt19937 zufall(20261207);
  // The entry window keeps the ranks a short file does not provide from its previous read.
  Rangliste eingabeListe;
  int eingaben = 0;
  for (int runde = 0; runde < 300 && !HasFailure(); ++runde) {
    SCOPED_TRACE("round " + std::to_string(runde));
    int eintraege = 0;
    const Rangliste datei = ZufallsListe(zufall, eintraege);
    QByteArray inhalt = "[Highscore]\r\n";
    for (size_t r = 1; r <= static_cast<size_t>(eintraege); ++r) {
      QByteArray zahl = QByteArray::number(datei.punkte[r]);
      while (zahl.size() < 5) zahl += ' ';
      inhalt += zahl + ',' + datei.namen[r].toUtf8() + "\r\n";
    }
    SchreibeDatei(inhalt);

    // Results near the stored ones, where the comparison matters most.
    int ergebnis = 0;
    switch (std::uniform_int_distribution<int>(0, 3)(zufall)) {
      case 0: ergebnis = std::uniform_int_distribution<int>(0, 700)(zufall); break;
      case 1: ergebnis = datei.punkte[std::uniform_int_distribution<size_t>(1, 10)(zufall)]; break;
      case 2: ergebnis = datei.punkte[std::uniform_int_distribution<size_t>(1, 10)(zufall)] + 1; break;
      default: ergebnis = std::max(0, datei.punkte[std::uniform_int_distribution<size_t>(1, 10)(zufall)] - 1);
    }

    const int rang = ModellRang(datei.punkte, ergebnis);
    platform::sound::ClearRequests();
    SpielEndetMit(ergebnis);
    if (rang == 0) {
      EXPECT_EQ(Sounds(), QStringList{kGameOver}) << ergebnis;
      EXPECT_TRUE(!form->EingabeGeladen() || !form->EingabeForm().isVisible());
      EXPECT_TRUE(form->isEnabled());
      EXPECT_EQ(Datei(), inhalt);
      continue;
    }
    ASSERT_TRUE(form->EingabeGeladen());
    Eingabe& e = form->EingabeForm();
    ASSERT_TRUE(e.isVisible()) << ergebnis;
    EXPECT_EQ(Anzahl(kGameOver), 0);
    EXPECT_EQ(e.HSPlatz, rang) << ergebnis;

    for (size_t r = 1; r <= static_cast<size_t>(eintraege); ++r) {
      eingabeListe.punkte[r] = datei.punkte[r];
      eingabeListe.namen[r] = datei.namen[r];
    }
    const QString name = QStringLiteral("Spieler %1").arg(++eingaben);
    ModellEinfuegen(eingabeListe, rang, ergebnis, name);

    platform::sound::ClearRequests();
    Highscore& hs = NameBestaetigen(QStringLiteral("  ") + name + QStringLiteral(" "));
    EXPECT_EQ(Sounds(), QStringList{kClick});
    EXPECT_EQ(Datei(), ModellDatei(eingabeListe));
    for (size_t r = 1; r <= 10; ++r) {
      const QColor farbe = static_cast<int>(r) == rang ? kGruen : kWeiss;
      EXPECT_EQ(hs.HSName[r - 1]->text(), eingabeListe.namen[r]) << "rank " << r;
      EXPECT_EQ(hs.HSScore[r - 1]->text(), QString::number(eingabeListe.punkte[r])) << "rank " << r;
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[r - 1]), farbe) << "rank " << r;
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[r - 1]), farbe) << "rank " << r;
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSPos[r - 1]), kWeiss) << "rank " << r;
    }
    EXPECT_TRUE(hs.isVisible());
    EXPECT_FALSE(e.isVisible());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->isEnabled());

    hs.picButtonZurueck_Click();
    for (size_t k = 0; k < 10; ++k) {
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSName[k]), kWeiss) << k;
      EXPECT_EQ(Highscore::Textfarbe(*hs.HSScore[k]), kWeiss) << k;
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(hs.isVisible());
  }
  EXPECT_GT(eingaben, 100);
}

TEST_F(HighscoreFenster, ARankMissingFromAShortFileCountsAsZero) {
  SchreibeDatei("[Highscore]\r\n500  ,Ana\r\n400  ,Ben\r\n300  ,Cas\r\n");
  SpielEndetMit(0);
  EXPECT_EQ(Sounds(), QStringList{kGameOver});
  platform::sound::ClearRequests();
  SpielEndetMit(1);
  ASSERT_TRUE(form->EingabeGeladen());
  EXPECT_EQ(form->EingabeForm().HSPlatz, 4);
  NameBestaetigen(QStringLiteral("Dov"));
  EXPECT_TRUE(Datei().startsWith("[Highscore]\r\n500  ,Ana\r\n400  ,Ben\r\n300  ,Cas\r\n1    ,Dov\r\n0    ,\r\n"));
}

}  // namespace
