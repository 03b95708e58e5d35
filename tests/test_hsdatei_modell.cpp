// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The reading and writing rules of the highscore file, written down a second
// time from their description and held against the real reader and writer on
// thousands of seeded random files and lists.

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "highscore/hsdatei.h"
#include "test_hsdatei_hilfe.h"

using namespace highscore;

namespace {

// ---- The model -----------------------------------------------------------------
//
// The file: plain text lines, each ended by CR LF (a lone CR or LF, as other
// editors leave them, also ends one). A line that is valid UTF-8 is UTF-8,
// any other line is in Windows code page 1252. Line 1 is the header and is
// skipped; line r + 1 holds rank r. Of a long line only its first 16384 bytes
// are read (a UTF-8 sequence the cut would split is left out), and of its text
// the first 4096 characters; the lines after it are read all the same.
// Reading stops after 64 MiB, far beyond any file made here.
//   score      = numeric value of characters 1 to 5 of the line as read, blanks
//                trimmed (the longest leading numeric part, 0 when there is none;
//                a value too big to hold leaves the old score)
//   score text = characters 1 to 5 of the line as read, blanks trimmed
//   name       = the line with blanks trimmed at both ends, from character 7
//                on, blanks trimmed again
// A rank whose line is missing keeps what it held before.
//
// Writing: "[Highscore]", then per rank the score's decimal digits, blanks up
// to 5 characters, ",", the name trimmed of blanks; every line ends in CR LF,
// the text in UTF-8. The one deliberate difference: a CR or LF inside a name is
// written as a blank, so a name can never split into two lines.

// Code page 1252, bytes 0x80-0x9F; the five unassigned bytes read as U+FFFD.
constexpr char16_t kCp1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  // 88-8F
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  // 98-9F
};
constexpr qsizetype kZeilenBytes = 16384;
constexpr size_t kZeilenZeichen = 4096;

using Zeichen = std::u32string;

Zeichen AlsCp1252(const QByteArray& b) {
  Zeichen z;
  for (const char c : b) {
    const auto u = static_cast<unsigned char>(c);
    z += u >= 0x80 && u <= 0x9F ? char32_t(kCp1252[u - 0x80]) : char32_t(u);
  }
  return z;
}

Zeichen Dekodiert(QByteArray b) {
  if (b.size() > kZeilenBytes) {
    qsizetype schnitt = kZeilenBytes;
    for (int k = 0; k < 3 && (static_cast<unsigned char>(b[schnitt]) & 0xC0) == 0x80; ++k) --schnitt;
    b.truncate(schnitt);
  }
  // Valid UTF-8 is exactly what survives decoding and encoding unchanged; a
  // byte order mark inside a line is a character like any other.
  QStringDecoder dekoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  const QString utf8 = dekoder.decode(b);
  // One character per byte: the bytes after the kept characters need no decoding.
  if (dekoder.hasError() || utf8.toUtf8() != b) return AlsCp1252(b.left(kZeilenZeichen));
  const QList<uint> ucs4 = utf8.toUcs4();
  return Zeichen(ucs4.begin(), ucs4.end()).substr(0, kZeilenZeichen);
}

std::vector<QByteArray> Zeilen(QByteArray datei) {
  if (datei.startsWith("\xEF\xBB\xBF")) datei.remove(0, 3);
  const std::string b = datei.toStdString();
  std::vector<QByteArray> zeilen;
  size_t i = 0;
  while (i < b.size() && zeilen.size() < 11) {  // header and ten ranks; the rest is never read
    const size_t ende = std::min({b.find('\r', i), b.find('\n', i), b.size()});
    zeilen.push_back(QByteArray::fromStdString(b.substr(i, ende - i)));
    i = ende + (b.compare(ende, 2, "\r\n") == 0 ? 2 : 1);
  }
  return zeilen;
}

Zeichen Trim(Zeichen s) {
  while (!s.empty() && s.front() == U' ') s.erase(0, 1);
  while (!s.empty() && s.back() == U' ') s.pop_back();
  return s;
}

// Character by character: a U+FEFF is kept, not taken for a byte order mark.
QString Text(const Zeichen& z) {
  QString s;
  for (const char32_t c : z) s.append(QStringView(QChar::fromUcs4(c)));
  return s;
}

// nullopt: too big to hold, the statement fails and the old value stays.
std::optional<double> Zahlenwert(const QString& text) {
  static const QRegularExpression zahl(QStringLiteral(R"(^[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)"));
  const QRegularExpressionMatch m = zahl.match(text);
  if (!m.hasMatch()) return 0.0;
  const double wert = std::strtod(m.captured().toLatin1().constData(), nullptr);
  if (!std::isfinite(wert)) return std::nullopt;
  return wert;
}

struct Gelesen {
  Punkteliste punkte;
  Textliste namen, texte;
};

Gelesen ModellLesen(const QByteArray& datei, Gelesen vorher) {
  const std::vector<QByteArray> zeilen = Zeilen(datei);
  for (size_t r = 1; r <= 10 && r < zeilen.size(); ++r) {
    const Zeichen zeile = Dekodiert(zeilen[r]);
    const QString feld = Text(Trim(zeile.substr(0, 5)));
    if (const auto wert = Zahlenwert(feld)) vorher.punkte[r] = *wert;
    vorher.texte[r] = feld;
    const Zeichen getrimmt = Trim(zeile);
    vorher.namen[r] = Text(Trim(getrimmt.size() > 6 ? getrimmt.substr(6) : Zeichen()));
  }
  return vorher;
}

QByteArray ModellSchreiben(const Punkteliste& punkte, const Textliste& namen) {
  QString text = QStringLiteral("[Highscore]\r\n");
  for (int r = 1; r <= 10; ++r) {
    QString feld = QString::fromStdString(std::to_string(static_cast<long long>(punkte[r])));
    while (feld.size() < 5) feld += u' ';
    QString name = namen[r];
    name.replace(u'\r', u' ').replace(u'\n', u' ');
    const QList<uint> ucs4 = name.toUcs4();
    text += feld + u',' + Text(Trim(Zeichen(ucs4.begin(), ucs4.end()))) + QStringLiteral("\r\n");
  }
  return text.toUtf8();
}

// ---- Random material -----------------------------------------------------------

const char* const kStuecke[] = {"0",
                                "1",
                                "5",
                                "9",
                                "42",
                                "500",
                                " ",
                                " ",
                                "  ",
                                ",",
                                ",",
                                ".",
                                "-",
                                "+",
                                "e",
                                "E",
                                "a",
                                "Z",
                                "\t",
                                "J\xC3\xB6rg",
                                "\xE4",
                                "\x80",
                                "\x93x\x94",
                                "\xE2\x82\xAC",
                                "\xF0\x9F\x98\x80",
                                "\xC3",
                                "\xED\xA0\x80",
                                "\xEF\xBB\xBF",
                                "99999",
                                "123456"};

QByteArray ZufallsZeile(std::mt19937& z, bool lang = false) {
  QByteArray zeile;
  const int teile = std::uniform_int_distribution<int>(0, 9)(z);
  if (z() % 3 == 0) zeile.append(static_cast<qsizetype>(z() % 4), ' ');
  for (int i = 0; i < teile; ++i) {
    if (z() % 12 == 0)
      zeile += char(0x80 + z() % 0x80);
    else
      zeile += kStuecke[z() % std::size(kStuecke)];
    // A line far longer than what is kept of it, its cut in plain text or in
    // characters of several bytes.
    if (lang && i == teile / 2) {
      const int laenge = std::uniform_int_distribution<int>(15000, 90000)(z);
      const char* const fuellung = kStuecke[z() % std::size(kStuecke)];
      while (zeile.size() < laenge)
        zeile += z() % 2 ? QByteArray(static_cast<qsizetype>(1 + z() % 300), 'n') : QByteArray(fuellung);
    }
  }
  return zeile;
}

QByteArray ZufallsDatei(std::mt19937& z) {
  static const char* const kEnden[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
  QByteArray datei;
  if (z() % 10 == 0) datei += "\xEF\xBB\xBF";
  const int zeilen = std::uniform_int_distribution<int>(0, 13)(z);
  for (int i = 0; i < zeilen; ++i) {
    datei += i == 0 && z() % 2 ? QByteArray("[Highscore]") : ZufallsZeile(z, z() % 30 == 0);
    if (i + 1 < zeilen || z() % 2) datei += kEnden[z() % std::size(kEnden)];
  }
  return datei;
}

Gelesen ZufallsVorher(std::mt19937& z) {
  Gelesen g;
  for (size_t r = 0; r <= 10; ++r) {
    g.punkte[r] = -1.0 - z() % 1000;
    g.namen[r] = QStringLiteral("alt%1").arg(z() % 1000);
    g.texte[r] = QStringLiteral("t%1").arg(z() % 1000);
  }
  return g;
}

class HsModell : public ::testing::Test {
 protected:
  QTemporaryDir dir{HsTestVorlage()};
  QString pfad = dir.filePath(QStringLiteral("NORVANE.INI"));

  void Schreibe(const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  Gelesen Lesen(const Gelesen& vorher) {
    Gelesen g = vorher;
    ListeLesen(pfad, g.punkte, g.namen);
    AnzeigeLesen(pfad, g.texte, g.namen);
    Punkteliste nurWerte = vorher.punkte;
    WerteLesen(pfad, nurWerte);
    EXPECT_EQ(nurWerte, g.punkte);
    return g;
  }
};

void Vergleiche(const Gelesen& ist, const Gelesen& soll, const QByteArray& datei) {
  for (size_t r = 0; r <= 10; ++r) {
    ASSERT_EQ(ist.punkte[r], soll.punkte[r]) << "rank " << r << " file " << datei.toHex(' ').toStdString();
    ASSERT_EQ(ist.namen[r], soll.namen[r]) << "rank " << r << " file " << datei.toHex(' ').toStdString();
    ASSERT_EQ(ist.texte[r], soll.texte[r]) << "rank " << r << " file " << datei.toHex(' ').toStdString();
  }
}

TEST_F(HsModell, LesenWieBeschrieben) {
  std::mt19937 z(4711);
  for (int versuch = 0; versuch < 4000; ++versuch) {
    const QByteArray datei = ZufallsDatei(z);
    const Gelesen vorher = ZufallsVorher(z);
    Schreibe(datei);
    const Gelesen gezeigt = Lesen(vorher);
    Vergleiche(gezeigt, ModellLesen(datei, vorher), datei.left(2000));
    if (HasFailure()) return;

    // Saved and read again, every entry that was shown is still there (a
    // score wider than its five columns shifts the name, as by hand).
    ASSERT_TRUE(ListeSchreiben(pfad, gezeigt.punkte, gezeigt.namen));
    const Gelesen wieder = Lesen(ZufallsVorher(z));
    for (size_t r = 1; r <= 10; ++r) {
      if (ZahlText(gezeigt.punkte[r]).size() > 5) continue;
      ASSERT_EQ(wieder.punkte[r], gezeigt.punkte[r]) << versuch << " rank " << r;
      ASSERT_EQ(wieder.namen[r], gezeigt.namen[r]) << versuch << " rank " << r;
    }
  }
}

TEST_F(HsModell, SchreibenWieBeschriebenUndZurueckgelesen) {
  std::mt19937 z(815);
  for (int versuch = 0; versuch < 2000; ++versuch) {
    Punkteliste punkte{};
    Textliste namen;
    for (size_t r = 1; r <= 10; ++r) {
      const unsigned art = z() % 8;
      punkte[r] = art == 0 ? 99999 : art == 1 ? 0 : art == 2 ? 100000 + z() % 900000 : z() % 100000;
      QByteArray roh = ZufallsZeile(z);
      if (z() % 10 == 0) roh += z() % 2 ? "\r\n" : "\n";
      namen[r] = QString::fromUtf8(roh);
    }
    const QByteArray soll = ModellSchreiben(punkte, namen);
    ASSERT_TRUE(ListeSchreiben(pfad, punkte, namen));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray ist = f.readAll();
    ASSERT_EQ(ist.toHex(' ').toStdString(), soll.toHex(' ').toStdString()) << versuch;
    const Gelesen vorher = ZufallsVorher(z);
    Vergleiche(Lesen(vorher), ModellLesen(soll, vorher), soll);
    if (HasFailure()) return;
  }
}

// Every byte value in a line that is not UTF-8, against the code page as
// transcribed above and, where the toolkit was built with a windows-1252
// decoder, against that one too. CR and LF end the line instead.
TEST_F(HsModell, Codepage1252JedesByte) {
  QStringDecoder werkzeug("windows-1252");
  for (int b = 0; b <= 0xFF; ++b) {
    SCOPED_TRACE(b);
    Schreibe("[Highscore]\r\n0    ,<" + QByteArray(1, char(b)) + ">\xFF\r\n7    ,Zwei\r\n");
    std::mt19937 z(static_cast<unsigned>(b));
    Gelesen g = ZufallsVorher(z);
    ListeLesen(pfad, g.punkte, g.namen);
    if (b == '\r' || b == '\n') {
      EXPECT_EQ(g.namen[1], QStringLiteral("<"));
      EXPECT_EQ(g.namen[2], QString());  // ">ÿ" is a line of its own
      EXPECT_EQ(g.namen[3], QStringLiteral("Zwei"));
      continue;
    }
    const char16_t soll = b >= 0x80 && b <= 0x9F ? kCp1252[b - 0x80] : char16_t(b);
    EXPECT_EQ(g.namen[1], u'<' + QString(QChar(soll)) + QStringLiteral(">\u00FF"));
    EXPECT_EQ(g.namen[2], QStringLiteral("Zwei"));
    EXPECT_FALSE(g.namen[1].at(1).category() == QChar::Other_Control && b >= 0x80);
    if (werkzeug.isValid() && soll != 0xFFFD) {
      EXPECT_EQ(werkzeug.decode(QByteArray(1, char(b))), QString(QChar(soll)));
    }
  }
}

}  // namespace
