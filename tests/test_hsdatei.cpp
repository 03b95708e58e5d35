// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "highscore/hsdatei.h"
#include "test_hsdatei_hilfe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>

using namespace highscore;

// Readable failure output instead of raw UTF-16 bytes.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Our own reading limits: a line keeps its first 4096 characters, and only the
// first 64 MiB of the file are read.
constexpr int kZeilenZeichen = 4096;
constexpr qsizetype kLeseBytes = 64 * 1024 * 1024;

constexpr double kFrei = -777;  // marks a rank the reader must not touch
const QString kFreiName = QStringLiteral("<frei>");

class HsDatei : public ::testing::Test {
 protected:
  QTemporaryDir dir{HsTestVorlage()};
  QString pfad = dir.filePath(QStringLiteral("NORVANE.INI"));
  Punkteliste punkte{};
  Textliste namen, texte;

  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    Leeren();
  }
  void Leeren() {
    punkte.fill(kFrei);
    namen.fill(kFreiName);
    texte.fill(kFreiName);
  }
  void Schreibe(const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  QByteArray Inhalt() {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void AllesLesen() {
    ListeLesen(pfad, punkte, namen);
    AnzeigeLesen(pfad, texte, namen);
  }
};

QByteArray StandardBytes() {
  return "[Highscore]\r\n"
         "500  ,Jorin Falkat\r\n450  ,Jorin Falkat\r\n400  ,Jorin Falkat\r\n"
         "350  ,Jorin Falkat\r\n300  ,Jorin Falkat\r\n250  ,Jorin Falkat\r\n"
         "200  ,Jorin Falkat\r\n150  ,Jorin Falkat\r\n100  ,Jorin Falkat\r\n"
         "50   ,Jorin Falkat\r\n";
}

Punkteliste StandardPunkte() { return {0, 500, 450, 400, 350, 300, 250, 200, 150, 100, 50}; }

}  // namespace

TEST_F(HsDatei, StandardDateiHatGenauDieseBytes) {
  EXPECT_FALSE(Vorhanden(pfad));
  StandardAnlegen(pfad);
  EXPECT_TRUE(Vorhanden(pfad));
  EXPECT_EQ(Inhalt(), StandardBytes());
}

TEST_F(HsDatei, VorhandenNurFuerRegulaereDatei) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("NORVANE.INI")));
  EXPECT_FALSE(Vorhanden(pfad));
  AllesLesen();  // a directory of that name reads like a missing file
  EXPECT_EQ(punkte[1], kFrei);
  EXPECT_EQ(namen[1], kFreiName);
}

struct ZeilenFall {
  double punkte;
  const char* name;
  const char* zeile;
};

void PrintTo(const ZeilenFall& f, std::ostream* os) { *os << f.punkte << " \"" << f.name << '"'; }

class EintragZeileTabelle : public ::testing::TestWithParam<ZeilenFall> {};

TEST_P(EintragZeileTabelle, Format) {
  const ZeilenFall& f = GetParam();
  EXPECT_EQ(EintragZeile(f.punkte, QString::fromUtf8(f.name)), QString::fromUtf8(f.zeile));
}

INSTANTIATE_TEST_SUITE_P(Zeilen, EintragZeileTabelle,
                         ::testing::Values(ZeilenFall{500, "Jorin Falkat", "500  ,Jorin Falkat"},
                                           ZeilenFall{99999, "Name", "99999,Name"}, ZeilenFall{0, "Name", "0    ,Name"},
                                           ZeilenFall{123456, "X", "123456,X"},
                                           ZeilenFall{-5, "  a, b  ", "-5   ,a, b"}, ZeilenFall{2.5, "", "2.5  ,"},
                                           ZeilenFall{10, "zwei\r\nZeilen", "10   ,zwei  Zeilen"}),
                         [](const auto& info) {
                           std::string n = "Punkte" + QString::number(info.param.punkte).toStdString();
                           for (char& c : n)
                             if (c == '-' || c == '.') c = '_';
                           return n;
                         });

TEST_F(HsDatei, SchreibenUndLesenGleich) {
  Punkteliste p = StandardPunkte();
  p[1] = 99999;
  p[10] = 0;
  Textliste n;
  for (int r = 1; r <= 10; ++r) n[r] = QStringLiteral("Spieler %1").arg(r);
  n[2] = QStringLiteral("Müller, Jörg");
  n[3] = QStringLiteral(",,,");
  ASSERT_TRUE(ListeSchreiben(pfad, p, n));
  const QByteArray bytes = Inhalt();
  EXPECT_TRUE(bytes.contains("\r\n99999,Spieler 1\r\n"));
  EXPECT_TRUE(bytes.endsWith("\r\n0    ,Spieler 10\r\n"));

  AllesLesen();
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(punkte[r], p[r]) << r;
    EXPECT_EQ(namen[r], n[r]) << r;
    EXPECT_EQ(texte[r], ZahlText(p[r])) << r;
  }
  EXPECT_EQ(punkte[0], kFrei);  // index 0 is not a rank
  Punkteliste nurWerte{};
  WerteLesen(pfad, nurWerte);
  EXPECT_EQ(nurWerte, (Punkteliste{0, 99999, 450, 400, 350, 300, 250, 200, 150, 100, 0}));
}

TEST_F(HsDatei, HandbearbeiteteUndKaputteFelder) {
  Schreibe(
      "egal was hier steht\r\n300,Alexander\r\nabc  ,Name\r\n9e999,Zu gross\r\n"
      "  42 ,  Leer zeichen  \r\n12\r\n");
  AllesLesen();
  EXPECT_EQ(punkte[1], 300);
  EXPECT_EQ(namen[1], QStringLiteral("exander"));  // the name always starts in column 7
  EXPECT_EQ(punkte[2], 0);
  EXPECT_EQ(texte[2], QStringLiteral("abc"));
  EXPECT_EQ(punkte[3], kFrei);  // overflow leaves the old score
  EXPECT_EQ(texte[3], QStringLiteral("9e999"));
  EXPECT_EQ(namen[3], QStringLiteral("Zu gross"));
  EXPECT_EQ(punkte[4], 42);
  EXPECT_EQ(texte[4], QStringLiteral("42"));
  EXPECT_EQ(namen[4], QStringLiteral("Leer zeichen"));
  EXPECT_EQ(punkte[5], 12);
  EXPECT_EQ(namen[5], QString());
  EXPECT_EQ(punkte[6], kFrei);
}

TEST_F(HsDatei, FehlendeRaengeBleibenUnveraendert) {
  AllesLesen();  // no file at all
  Schreibe("");
  AllesLesen();
  Schreibe("[Highscore]\r\n");
  AllesLesen();
  for (int r = 0; r <= 10; ++r) {
    EXPECT_EQ(punkte[r], kFrei);
    EXPECT_EQ(namen[r], kFreiName);
    EXPECT_EQ(texte[r], kFreiName);
  }
  Schreibe("[Highscore]\r\n9    ,A\r\n8    ,B\r\n7    ,C");
  AllesLesen();
  EXPECT_EQ(punkte[3], 7);
  EXPECT_EQ(namen[3], QStringLiteral("C"));
  for (int r = 4; r <= 10; ++r) {
    EXPECT_EQ(punkte[r], kFrei);
    EXPECT_EQ(namen[r], kFreiName);
  }
}

class ZeilenEnden : public ::testing::TestWithParam<const char*> {};

TEST_P(ZeilenEnden, JedesEndeTrenntGenauEineZeile) {
  QByteArray bytes = StandardBytes();
  bytes.replace("\r\n", GetParam());
  const QStringList zeilen = ZeilenAusBytes(bytes, 11);
  ASSERT_EQ(zeilen.size(), 11);
  EXPECT_EQ(zeilen[0], QStringLiteral("[Highscore]"));
  EXPECT_EQ(zeilen[10], QStringLiteral("50   ,Jorin Falkat"));
}

INSTANTIATE_TEST_SUITE_P(Enden, ZeilenEnden, ::testing::Values("\r\n", "\r", "\n"), [](const auto& info) {
  const std::string ende = info.param;
  return ende == "\r\n" ? "CRLF" : ende == "\r" ? "CR" : "LF";
});

TEST(ZeilenAusBytes, GemischteEndenLeerzeilenUndGrenzen) {
  EXPECT_EQ(ZeilenAusBytes("a\n\rb\r\r\nc\r\n", 10), (QStringList{"a", "", "b", "", "c"}));
  EXPECT_EQ(ZeilenAusBytes("a\nb\nc\nd", 2), (QStringList{"a", "b"}));
  EXPECT_TRUE(ZeilenAusBytes("a\nb", 0).isEmpty());
  EXPECT_TRUE(ZeilenAusBytes("", 5).isEmpty());
  EXPECT_EQ(ZeilenAusBytes("\xEF\xBB\xBFkopf\r\n\xEF\xBB\xBFx", 5),
            (QStringList{"kopf", QString(QChar(0xFEFF)) + u'x'}));
}

// Each line on its own: UTF-8 where it is valid, else Windows code page 1252.
TEST_F(HsDatei, KodierungZeileFuerZeile) {
  Schreibe(
      "[Highscore]\r\n"
      "500  ,J\xC3\xB6rg\r\n"                 // UTF-8, as the game writes it
      "450  ,K\xE4se f\xFCr 5 \x80\r\n"       // code page 1252
      "400  ,\x84Zitat\x93 \x8A\x9A\x9F\r\n"  // 1252 where Latin-1 has controls
      "350  ,\xE2\x82\xAC uro\r\n");
  AllesLesen();
  EXPECT_EQ(namen[1], QStringLiteral("Jörg"));
  EXPECT_EQ(namen[2], QStringLiteral("Käse für 5 €"));
  EXPECT_EQ(namen[3], QStringLiteral("„Zitat“ ŠšŸ"));
  EXPECT_EQ(namen[4], QStringLiteral("€ uro"));
  // The next save writes every name back in UTF-8, none of them damaged.
  ASSERT_TRUE(ListeSchreiben(pfad, punkte, namen));
  EXPECT_TRUE(Inhalt().startsWith(
      "[Highscore]\r\n500  ,J\xC3\xB6rg\r\n450  ,K\xC3\xA4se f\xC3\xBCr 5 \xE2\x82\xAC\r\n"
      "400  ,\xE2\x80\x9EZitat\xE2\x80\x9C \xC5\xA0\xC5\xA1\xC5\xB8\r\n350  ,\xE2\x82\xAC uro\r\n"));
  Leeren();
  AllesLesen();
  EXPECT_EQ(namen[1], QStringLiteral("Jörg"));
  EXPECT_EQ(namen[2], QStringLiteral("Käse für 5 €"));
  // Overlong, surrogate, cut and out-of-range sequences are not UTF-8.
  const std::pair<const char*, const char16_t*> kaputt[] = {{"\xC0\xAF", u"À¯"},
                                                            {"\xE0\x80\xAF", u"à€¯"},
                                                            {"\xED\xA0\x80", u"í\u00A0€"},
                                                            {"\xE2\x82", u"â‚"},
                                                            {"\xF4\x90\x80\x80", u"ô\uFFFD€€"}};
  for (const auto& [bytes, text] : kaputt)
    EXPECT_EQ(ZeilenAusBytes(QByteArray("x\n") + bytes, 2).value(1), QString::fromUtf16(text))
        << QByteArray(bytes).toHex().constData();
}

TEST_F(HsDatei, FehlgeschlagenesSpeichernLaesstAlteDateiStehen) {
  Schreibe(StandardBytes() + "Rest mit\x01 Bytes");
  const QByteArray vorher = Inhalt();
  Punkteliste p{};
  Textliste n;
  SetzeSchreibfehlerFuerTests(true);
  const bool ok = ListeSchreiben(pfad, p, n);
  StandardAnlegen(pfad);
  SetzeSchreibfehlerFuerTests(false);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Inhalt(), vorher);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("NORVANE.INI")});
  EXPECT_TRUE(ListeSchreiben(pfad, p, n));
  EXPECT_TRUE(Inhalt().startsWith("[Highscore]\r\n0    ,\r\n"));
}

TEST(Qualifikation, PlatzGegenStandardliste) {
  const std::pair<double, int> faelle[] = {{40, 0}, {60, 10}, {520, 1}, {100, 10}, {400, 4},
                                           {50, 0}, {500, 2}, {501, 1}, {51, 10},  {NAN, 0}};
  for (const auto& [ergebnis, platz] : faelle) EXPECT_EQ(EintragsPlatz(StandardPunkte(), ergebnis), platz) << ergebnis;
}

TEST(Qualifikation, EinfuegenSchiebtNachUnten) {
  Textliste namen;
  for (int r = 1; r <= 10; ++r) namen[r] = QString::number(r);
  struct Fall {
    double ergebnis;
    Punkteliste punkte;
    const char* namen;  // names of ranks 1..10
  };
  const Fall faelle[] = {{520, {0, 520, 500, 450, 400, 350, 300, 250, 200, 150, 100}, "1 1 2 3 4 5 6 7 8 9"},
                         {400, {0, 500, 450, 400, 400, 350, 300, 250, 200, 150, 100}, "1 2 3 4 4 5 6 7 8 9"},
                         {60, {0, 500, 450, 400, 350, 300, 250, 200, 150, 100, 60}, "1 2 3 4 5 6 7 8 9 10"}};
  for (const Fall& f : faelle) {
    Punkteliste p = StandardPunkte();
    Textliste n = namen;
    const int stelle = EintragsPlatz(p, f.ergebnis);
    Einfuegen(p, n, stelle, f.ergebnis);
    EXPECT_EQ(p, f.punkte) << f.ergebnis;
    EXPECT_EQ(QStringList(n.begin() + 1, n.end()).join(u' '), QString::fromLatin1(f.namen)) << f.ergebnis;
  }
  Punkteliste p = StandardPunkte();
  Einfuegen(p, namen, 0, 999);  // "does not qualify" must not write anywhere
  Einfuegen(p, namen, 11, 999);
  EXPECT_EQ(p, StandardPunkte());
}

// --- robustness: whatever the user leaves in the file is read without harm ---

TEST_F(HsDatei, AbgeschnitteneStandardDatei) {
  const QByteArray voll = StandardBytes();
  const Punkteliste soll = StandardPunkte();
  for (qsizetype laenge = 0; laenge <= voll.size(); ++laenge) {
    Schreibe(voll.left(laenge));
    Leeren();
    ListeLesen(pfad, punkte, namen);
    const QStringList zeilen = QString::fromLatin1(voll.left(laenge)).split(QStringLiteral("\r\n"));
    for (int r = 1; r <= 10; ++r) {
      if (r >= zeilen.size() || zeilen[r].isEmpty()) {
        EXPECT_EQ(punkte[r], kFrei) << laenge;
        EXPECT_EQ(namen[r], kFreiName) << laenge;
      } else if (zeilen[r].size() < 5) {
        EXPECT_EQ(punkte[r], zeilen[r].trimmed().toDouble()) << laenge;
      } else {
        EXPECT_EQ(punkte[r], soll[r]) << laenge;
        if (zeilen[r].size() >= 18) {
          EXPECT_EQ(namen[r], QStringLiteral("Jorin Falkat")) << laenge;
        }
      }
    }
  }
}

TEST_F(HsDatei, RiesigeDateienUndZeilen) {
  Schreibe(QByteArray(20 * 1024 * 1024, 'x'));  // 20 MB, no line end
  AllesLesen();
  EXPECT_EQ(punkte[1], kFrei);
  EXPECT_EQ(namen[1], kFreiName);

  // A long line is cut; the ranks after it are still read.
  Schreibe("[Highscore]\r\n777  ," + QByteArray(20 * 1024 * 1024, 'n') + "\r\n5    ,B\r\n");
  AllesLesen();
  EXPECT_EQ(punkte[1], 777);
  EXPECT_EQ(namen[1], QString(kZeilenZeichen - 6, u'n'));
  EXPECT_EQ(punkte[2], 5);
  EXPECT_EQ(namen[2], QStringLiteral("B"));
  EXPECT_EQ(punkte[3], kFrei);

  // The cut counts characters, not bytes, and never splits one.
  for (const char* zeichen : {"\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
    QByteArray zeile = "1    ,";
    for (int i = 0; i < 10000; ++i) zeile += zeichen;
    Schreibe("[Highscore]\r\n" + zeile + "\r\n2    ,B\r\n");
    AllesLesen();
    QString soll;
    for (int i = 0; i < kZeilenZeichen - 6; ++i) soll += QString::fromUtf8(zeichen);
    EXPECT_EQ(namen[1], soll) << zeichen;
    EXPECT_EQ(namen[2], QStringLiteral("B"));
  }

  // The read limit falls inside an "é" of rank 10: the line stays UTF-8.
  QByteArray bytes = "[Highscore]\r\n";
  for (int r = 1; r <= 9; ++r)
    bytes += "100  ," + QByteArray(r == 9 ? kLeseBytes - 2000 - bytes.size() : 10, 'a') + "\r\n";
  bytes += "50   ,";
  if ((kLeseBytes - bytes.size()) % 2 == 0) bytes += ' ';
  while (bytes.size() < kLeseBytes + 100) bytes += "\xC3\xA9";
  Schreibe(bytes);
  AllesLesen();
  EXPECT_EQ(punkte[9], 100);
  ASSERT_FALSE(namen[10].isEmpty());
  EXPECT_EQ(namen[10], QString(namen[10].size(), u'é'));
  EXPECT_LT(namen[10].size(), 1000);  // the limit, not the line's own bound, cut it
}

TEST_F(HsDatei, ZufaelligeDateienReproduzierbar) {
  std::mt19937 zufall(20240607);
  const QByteArray bausteine =
      QByteArray("0123456789 ,,\r\n\r\n.-+eEabc\t") + "\xC3\xA9\xE2\x82\xAC\xF6\xFF\xEF\xBB\xBF" + QByteArray(1, '\0');
  for (int versuch = 0; versuch < 3000; ++versuch) {
    QByteArray bytes;
    const int laenge = std::uniform_int_distribution<int>(0, versuch % 100 == 0 ? 40000 : 600)(zufall);
    for (int i = 0; i < laenge; ++i) {
      bytes += (zufall() % 4 == 0) ? char(zufall() & 0xFF) : bausteine[qsizetype(zufall() % bausteine.size())];
    }
    if (versuch % 3 == 0) bytes.prepend(StandardBytes().left(qsizetype(zufall() % StandardBytes().size())));
    Schreibe(bytes);
    Leeren();
    AllesLesen();

    const QStringList zeilen = ZeilenAusBytes(bytes, 11);
    ASSERT_LE(zeilen.size(), 11);
    EXPECT_EQ(punkte[0], kFrei);
    EXPECT_EQ(namen[0], kFreiName);
    for (int r = 1; r <= 10; ++r) {
      if (r >= zeilen.size()) {
        ASSERT_EQ(namen[r], kFreiName) << versuch;
        ASSERT_EQ(texte[r], kFreiName) << versuch;
        continue;
      }
      ASSERT_FALSE(zeilen[r].contains(u'\r') || zeilen[r].contains(u'\n')) << versuch;
      ASSERT_EQ(namen[r], NameAusZeile(zeilen[r])) << versuch;
      ASSERT_FALSE(namen[r].startsWith(u' ') || namen[r].endsWith(u' ')) << versuch;
      ASSERT_LE(texte[r].size(), 5 * 2) << versuch;
      ASSERT_TRUE(punkte[r] == kFrei || std::isfinite(punkte[r])) << versuch;
    }
    // What was read and written back must read the same again.
    if (zeilen.size() == 11) {
      ASSERT_TRUE(ListeSchreiben(pfad, punkte, namen));
      Punkteliste p2{};
      Textliste n2;
      ListeLesen(pfad, p2, n2);
      for (int r = 1; r <= 10; ++r) {
        // Scores longer than five columns shift the name, as in a hand-edited file.
        if (ZahlText(punkte[r]).size() <= 5) {
          ASSERT_EQ(p2[r], punkte[r]) << versuch;
          ASSERT_EQ(n2[r], namen[r]) << versuch;
        }
      }
    }
  }
}
