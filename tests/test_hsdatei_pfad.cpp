// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever lies at the highscore path, the game neither hangs nor crashes nor
// destroys it: only a regular file is read or replaced, and only its head.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/hsdatei.h"
#include "test_hsdatei_hilfe.h"

using namespace highscore;

namespace {

constexpr double kAlt = -777;  // a rank the reader must leave alone
const QString kAltName = QStringLiteral("<alt>");

// A FIFO without a writer blocks a plain open for ever; a hang must end the
// run with a failure instead of stalling it.
struct Wachhund {
  Wachhund() { ::alarm(60); }
  ~Wachhund() { ::alarm(0); }
};

mode_t Typ(const QString& pfad) {
  struct stat st {};
  return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

struct Fremdes {
  const char* name;
  std::function<bool(const QString& pfad)> anlegen;
  mode_t typ;  // what lstat must still see afterwards
};

const Fremdes kFremde[] = {
    {"Fifo", [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; }, S_IFIFO},
    {"Verzeichnis", [](const QString& p) { return QDir().mkdir(p); }, S_IFDIR},
    // A private device node (the zero device): a save that went wrong must not
    // be able to replace the system's own.
    {"Geraet",
     [](const QString& p) { return ::mknod(QFile::encodeName(p).constData(), S_IFCHR | 0600, makedev(1, 5)) == 0; },
     S_IFCHR},
    {"LinkAufNichts", [](const QString& p) { return QFile::link(p + QStringLiteral(".fehlt"), p); }, S_IFLNK},
};

void PrintTo(const Fremdes& f, std::ostream* os) { *os << f.name; }

class NichtRegulaer : public ::testing::TestWithParam<Fremdes> {
 protected:
  QTemporaryDir dir{HsTestVorlage()};
  QString pfad = dir.filePath(QStringLiteral("NORVANE.INI"));
  Wachhund wachhund;
};

TEST_P(NichtRegulaer, ZaehltAlsFehlendUndBleibtUnberuehrt) {
  if (!GetParam().anlegen(pfad)) {
    if (GetParam().typ == S_IFCHR) GTEST_SKIP() << "device nodes cannot be made here";
    FAIL() << GetParam().name;
  }
  const QString ziel = QFileInfo(pfad).symLinkTarget();
  EXPECT_FALSE(Vorhanden(pfad));

  Punkteliste punkte;
  punkte.fill(kAlt);
  Textliste namen, texte;
  namen.fill(kAltName);
  texte.fill(kAltName);
  WerteLesen(pfad, punkte);
  ListeLesen(pfad, punkte, namen);
  AnzeigeLesen(pfad, texte, namen);
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(punkte[r], kAlt) << r;
    EXPECT_EQ(namen[r], kAltName) << r;
    EXPECT_EQ(texte[r], kAltName) << r;
  }

  StandardAnlegen(pfad);
  EXPECT_FALSE(ListeSchreiben(pfad, punkte, namen));
  EXPECT_EQ(Typ(pfad), GetParam().typ);
  EXPECT_EQ(QFileInfo(pfad).symLinkTarget(), ziel);
  // No half-written temporary file is left beside it, and nothing appeared
  // where a dangling link points.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("NORVANE.INI")});
  if (GetParam().typ == S_IFDIR) {
    EXPECT_TRUE(QDir(pfad).isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Pfad, NichtRegulaer, ::testing::ValuesIn(kFremde),
                         [](const auto& info) { return std::string(info.param.name); });

class HsPfad : public ::testing::Test {
 protected:
  QTemporaryDir dir{HsTestVorlage()};
  QString pfad = dir.filePath(QStringLiteral("NORVANE.INI"));
  Wachhund wachhund;

  static void Schreibe(const QString& p, const QByteArray& bytes) {
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  static QByteArray Inhalt(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

// A link to a regular file elsewhere is the player's choice: it is read, and a
// save goes to the file it points to while the link stays.
TEST_F(HsPfad, LinkAufDateiWirdGelesenUndDurchgeschrieben) {
  const QString echt = dir.filePath(QStringLiteral("woanders.ini"));
  Schreibe(echt, "[Highscore]\r\n321  ,Link\r\n");
  ASSERT_TRUE(QFile::link(echt, pfad));
  EXPECT_TRUE(Vorhanden(pfad));
  Punkteliste punkte{};
  Textliste namen;
  ListeLesen(pfad, punkte, namen);
  EXPECT_EQ(punkte[1], 321);
  EXPECT_EQ(namen[1], QStringLiteral("Link"));
  punkte[2] = 7;
  namen[2] = QStringLiteral("Zwei");
  ASSERT_TRUE(ListeSchreiben(pfad, punkte, namen));
  EXPECT_EQ(Typ(pfad), S_IFLNK);
  EXPECT_TRUE(Inhalt(echt).startsWith("[Highscore]\r\n321  ,Link\r\n7    ,Zwei\r\n"));
}

// A sparse 1 GB file: a few lines, then nothing but zero bytes. Only its head is
// read, the zeros form one line, and a save replaces it by a small file.
TEST_F(HsPfad, DuennbesetzteGigabyteDatei) {
  Schreibe(pfad, "[Highscore]\r\n640  ,Vorne\r\n");
  ASSERT_EQ(::truncate(QFile::encodeName(pfad).constData(), 1LL << 30), 0);
  ASSERT_TRUE(Vorhanden(pfad));
  Punkteliste punkte;
  punkte.fill(kAlt);
  Textliste namen;
  namen.fill(kAltName);
  ListeLesen(pfad, punkte, namen);
  EXPECT_EQ(punkte[1], 640);
  EXPECT_EQ(namen[1], QStringLiteral("Vorne"));
  EXPECT_EQ(punkte[2], 0);  // zero bytes are no digits
  for (int r = 3; r <= 10; ++r) EXPECT_EQ(punkte[r], kAlt) << r;
  ASSERT_TRUE(ListeSchreiben(pfad, punkte, namen));
  EXPECT_LT(QFileInfo(pfad).size(), 100000);
}

// The game's own path: NORVANE.INI in norvane/ of the per-user data directory.
TEST(HsDateiOrt, DateinameUndVerzeichnis) {
  const QString daten = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
  ASSERT_FALSE(daten.isEmpty());
  EXPECT_EQ(Eingabe::Dateipfad(), daten + QStringLiteral("/norvane/NORVANE.INI"));
  EXPECT_TRUE(QFileInfo(daten + QStringLiteral("/norvane")).isDir());
}

// A whole game end with a FIFO at the path: the player still gets the entry
// window (every rank counts as 0), the save is refused and the FIFO stays.
class HsFifoSpielende : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    QFile::remove(Eingabe::Dateipfad());
    ASSERT_EQ(::mkfifo(QFile::encodeName(Eingabe::Dateipfad()).constData(), 0600), 0);
  }
  void TearDown() override {
    FormTest::TearDown();
    QFile::remove(Eingabe::Dateipfad());
  }
  Wachhund wachhund;
};

TEST_F(HsFifoSpielende, KeinHaengenNichtsUeberschrieben) {
  for (int runde = 0; runde < 2; ++runde) {
    form->Punktestand = 30;
    form->HighscoreEintrag();
    Eingabe& e = form->EingabeForm();
    ASSERT_TRUE(e.isVisible()) << runde;
    EXPECT_EQ(e.HSPunkte[1], 30) << runde;
    e.HSEingabe->setText(QStringLiteral("Fifo"));
    e.picButtonOK_Click();
    EXPECT_FALSE(e.isVisible()) << runde;
    EXPECT_EQ(Typ(Eingabe::Dateipfad()), S_IFIFO) << runde;
  }
  form->picButtonHighscore_Click();  // the list button must not create or block either
  EXPECT_EQ(Typ(Eingabe::Dateipfad()), S_IFIFO);
}

}  // namespace
