// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Replay files: damaged and foreign input, the folder of kept replays and
// failed writes.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

#include "highscore/eingabe.h"
#include "highscore/hsdatei.h"
#include "replay/ordner.h"
#include "replay_hilfe.h"

namespace {

QString Programm() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../norvane"); }

// A short game recorded once: O pieces dropped at once until the game is over.
class ReplayDatei : public ReplayTest {
 protected:
  void TearDown() override {
    replay::SetzeSchreibfehlerFuerTests(false);
    QFile::remove(Eingabe::Dateipfad());
    QDir(replay::Ordner()).removeRecursively();
    ReplayTest::TearDown();
  }

  const replay::Aufzeichnung& Aufnahme(int rechts = 1) {
    replay::SetzeSteinWahlFuerTests([](int) { return 5; });
    Beginnen();
    Warte(120);
    for (int i = 0; i < rechts; ++i) Key(keys::Rechts);
    Warte(60);
    Key(keys::P);
    Warte(60);
    Key(keys::P);
    Beenden();
    replay::SetzeSteinWahlFuerTests({});
    return lauf_.a;
  }

  // Plays `gelesen` to its end on a fresh window; the state it stops in.
  static Stand Spielen(replay::Gelesen gelesen, QString* meldung = nullptr) {
    TForm spieler;
    spieler.Form_Load();
    replay::Wiedergabe w(spieler, std::move(gelesen));
    w.Starten();
    w.BisZumEnde();
    EXPECT_TRUE(w.Fertig());
    if (meldung) *meldung = w.Meldung();
    return Nehmen(spieler);
  }
};

struct Schaden {
  const char* name;
  // Turns the sound file's text into the damaged one; the events kept before the damage.
  std::function<QByteArray(const QByteArray&)> machen;
  bool mittendrin;  // the damage starts mid-game: played up to it
  const char* meldung;
};

QByteArray ZeileErsetzen(QByteArray text, const QByteArray& alt, const QByteArray& neu) {
  const qsizetype i = text.indexOf(alt);
  return i < 0 ? QByteArray() : text.replace(i, alt.size(), neu);
}

// The first event line after `events`, at its n-th occurrence of a kind.
QByteArray NachEreignissen(const QByteArray& text, int zeilen, const QByteArray& einschub) {
  QList<QByteArray> z = text.split('\n');
  const qsizetype e = z.indexOf("events");
  z.insert(e + 1 + zeilen, einschub);
  return z.join('\n');
}

TEST_F(ReplayDatei, EveryDamageIsReportedAndNothingHangsOrCrashes) {
  const QByteArray gut = replay::Schreiben(Aufnahme());
  ASSERT_GT(gut.count('\n'), 12);
  const std::vector<Schaden> faelle = {
      {"empty", [](const QByteArray&) { return QByteArray(); }, false, "the file is empty"},
      {"random bytes",
       [](const QByteArray&) {
         QByteArray b;
         std::mt19937 rng(3);
         for (int i = 0; i < 5000; ++i) b += char(rng());
         return b;
       },
       false, "not a replay file"},
      {"other version", [](const QByteArray& t) { return ZeileErsetzen(t, "norvane-replay 1", "norvane-replay 2"); },
       false, "format 2 is not supported"},
      {"cut in the header", [](const QByteArray& t) { return t.left(30); }, false, "line 3"},
      {"cut mid-game", [](const QByteArray& t) { return t.left(t.size() * 2 / 3); }, true, ""},
      {"line out of order", [](const QByteArray& t) { return NachEreignissen(t, 8, "1 k 37"); }, true, "out of order"},
      {"timer that does not exist", [](const QByteArray& t) { return NachEreignissen(t, 8, "999999 t 7"); }, true,
       "there is no timer 7"},
      {"piece that is not one of the seven", [](const QByteArray& t) { return NachEreignissen(t, 8, "999999 n 7"); },
       true, "piece 7 is not one"},
      {"bad piece first", [](const QByteArray& t) { return NachEreignissen(t, 0, "0 n 9"); }, false,
       "piece 9 is not one"},
      {"header out of order", [](const QByteArray& t) { return ZeileErsetzen(t, "events\n", "events\nevents\n"); },
       false, "not an event"},
  };
  for (const Schaden& f : faelle) {
    SCOPED_TRACE(f.name);
    const QByteArray schlecht = f.machen(gut);
    ASSERT_NE(schlecht, gut);
    replay::Gelesen g = replay::Lesen(schlecht);
    EXPECT_NE(g.fehler, QString());
    EXPECT_TRUE(g.fehler.contains(QString::fromUtf8(f.meldung))) << g.fehler.toStdString();
    EXPECT_EQ(!g.aufzeichnung.ereignisse.empty(), f.mittendrin);
    if (!f.mittendrin) continue;
    // Played up to the damage, then stopped with the reason; the game stands as
    // the sound recording does after the same events.
    replay::Gelesen vorher;
    vorher.aufzeichnung = g.aufzeichnung;
    vorher.aufzeichnung.beendet = false;
    QString meldung;
    const Stand gestoppt = Spielen(g, &meldung);
    EXPECT_TRUE(meldung.contains(g.fehler)) << meldung.toStdString();
    EXPECT_EQ(Unterschied(gestoppt, Spielen(vorher)), "");
  }
}

// The program itself: one clear line on stderr and status 2 for what cannot be played.
TEST_F(ReplayDatei, TheProgramRefusesWhatCannotBePlayed) {
  ASSERT_TRUE(QFile::exists(Programm()));
  QTemporaryDir tmp;
  const QString leer = tmp.filePath("leer.nvreplay");
  QFile(leer).open(QIODevice::WriteOnly);
  const QString gross = tmp.filePath("gross.nvreplay");
  {
    QFile f(gross);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("norvane-replay 1\n");
    ASSERT_TRUE(f.resize(qint64(1) << 30));  // sparse: a gigabyte that takes no room
  }
  const QString version = tmp.filePath("v9.nvreplay");
  {
    QFile f(version);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("norvane-replay 9\nprogram 9.0\n");
  }
  struct Aufruf {
    QStringList args;
    const char* meldung;
  };
  const std::vector<Aufruf> aufrufe = {
      {{"--replay", tmp.filePath("fehlt.nvreplay")}, "no such file"},
      {{"--replay", tmp.path()}, "not a regular file"},
      {{"--replay", leer}, "the file is empty"},
      {{"--replay", gross}, "too large"},
      {{"--replay", version}, "format 9 is not supported"},
      {{"--replay", "last"}, "no such file"},
      {{"--replay"}, "--replay needs a value"},
  };
  for (const Aufruf& a : aufrufe) {
    SCOPED_TRACE(a.args.join(' ').toStdString());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", tmp.path());
    env.insert("XDG_RUNTIME_DIR", tmp.path());
    p.setProcessEnvironment(env);
    p.start(Programm(), a.args);
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 2);
    const QString fehler = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_EQ(fehler.count('\n'), 1) << fehler.toStdString();
    EXPECT_TRUE(fehler.contains(a.meldung)) << fehler.toStdString();
  }
}

TEST_F(ReplayDatei, LastGameIsKeptAndWritesThatFailDisturbNothing) {
  const replay::Aufzeichnung& a = Aufnahme();
  QFile last(replay::LetztesPfad());
  ASSERT_TRUE(last.open(QIODevice::ReadOnly));
  EXPECT_EQ(last.readAll(), replay::Schreiben(a));
  last.close();
  EXPECT_LT(replay::Schreiben(a).size(), 100 * 1024);

  // A folder that cannot be written: the next game plays the same and the old file stays.
  replay::SetzeSchreibfehlerFuerTests(true);
  const replay::Aufzeichnung vorher = a;
  Aufnahme(3);
  replay::SetzeSchreibfehlerFuerTests(false);
  ASSERT_TRUE(last.open(QIODevice::ReadOnly));
  EXPECT_EQ(last.readAll(), replay::Schreiben(vorher));
  // A different game, which a write would have shown; it ran to its end all the same.
  EXPECT_NE(lauf_.a.ereignisse, vorher.ereignisse);
  EXPECT_TRUE(form->SpielVorbei);
  // A file where the folder should be.
  last.remove();
  QDir(replay::Ordner()).removeRecursively();
  QFile sperre(platform::files::HighscoreDirectory() + "/replays");
  ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
  sperre.close();
  Aufnahme();
  EXPECT_TRUE(form->SpielVorbei);
  sperre.remove();
}

// The entry replays follow the list: an entry that leaves it loses its replay.
TEST_F(ReplayDatei, EntryReplaysFollowTheList) {
  for (const QString& d : replay::EintragDateien()) QFile::remove(replay::Ordner() + "/" + d);
  const QString liste = Eingabe::Dateipfad();
  highscore::Punkteliste punkte{};
  highscore::Textliste namen;
  for (int r = 1; r <= 10; ++r) {
    punkte[size_t(r)] = 1100 - 100 * r;
    namen[size_t(r)] = QStringLiteral("Spieler %1").arg(r);
  }
  ASSERT_TRUE(highscore::ListeSchreiben(liste, punkte, namen));
  replay::Aufzeichnung a;
  a.beendet = true;
  a.ereignisse = {{0, replay::Art::Stein, 1}};
  // Old replays of entries the list no longer has, and one for every entry.
  for (int k = 0; k < 35; ++k) replay::EintragSichern(a, 5 + k, QStringLiteral("Weg"));
  for (int r = 10; r >= 1; --r) replay::EintragSichern(a, 1100 - 100 * r, QStringLiteral("Spieler %1").arg(r));
  EXPECT_EQ(replay::EintragDateien().size(), 10);
  EXPECT_LE(QDir(replay::Ordner()).entryList({"*.nvreplay"}, QDir::Files).size(), replay::kMaxDateien);

  // A new first place pushes rank 10 out of the list; its replay goes with it.
  punkte[0] = 0;
  highscore::Einfuegen(punkte, namen, 1, 5000);
  namen[1] = QStringLiteral("Neu");
  ASSERT_TRUE(highscore::ListeSchreiben(liste, punkte, namen));
  replay::EintragSichern(a, 5000, QStringLiteral("Neu"));
  const QStringList dateien = replay::EintragDateien();
  ASSERT_EQ(dateien.size(), 10);
  QStringList behalten;
  for (const QString& d : dateien) {
    const replay::Gelesen g = replay::Laden(replay::Ordner() + "/" + d);
    ASSERT_TRUE(g.aufzeichnung.eintrag);
    behalten << g.aufzeichnung.eintragName;
  }
  EXPECT_FALSE(behalten.contains("Spieler 10"));
  EXPECT_TRUE(behalten.contains("Neu"));
  EXPECT_TRUE(behalten.contains("Spieler 9"));
}

// Through the name entry: the game behind a new highscore gets its own file.
TEST_F(ReplayDatei, TheNameEntrySavesTheGameBehindIt) {
  QFile::remove(Eingabe::Dateipfad());
  highscore::Punkteliste punkte{};
  highscore::Textliste namen;
  for (int r = 1; r <= 10; ++r) namen[size_t(r)] = QStringLiteral("Niemand");
  ASSERT_TRUE(highscore::ListeSchreiben(Eingabe::Dateipfad(), punkte, namen));  // every rank at 0
  replay::SetzeSteinWahlFuerTests([](int) { return 5; });
  Beginnen();
  for (int x = 0; x < 200; x += 40) {
    Warte(60);
    for (int i = 0; i < 5; ++i) Key(keys::Links);
    for (int i = 0; i < x / 20; ++i) Key(keys::Rechts);
    Key(keys::Leertaste);
  }
  Warte(300);
  for (int i = 0; i < 50 && !form->SpielVorbei; ++i) {
    Key(keys::Leertaste);
    Warte(60);
  }
  ASSERT_TRUE(form->EingabeGeladen());
  // The name is confirmed while the signs still slide: the file follows at their end.
  form->EingabeForm().HSEingabe->setText(QStringLiteral("Mara"));
  form->EingabeForm().picButtonOK_Click();
  Beenden();
  const QStringList dateien = replay::EintragDateien();
  ASSERT_EQ(dateien.size(), 1);
  const replay::Gelesen g = replay::Laden(replay::Ordner() + "/" + dateien[0]);
  EXPECT_EQ(g.fehler, QString());
  EXPECT_EQ(g.aufzeichnung.eintragName, QStringLiteral("Mara"));
  EXPECT_EQ(g.aufzeichnung.eintragPunkte, 60);
  EXPECT_EQ(g.aufzeichnung.ereignisse, lauf_.a.ereignisse);
}

}  // namespace

namespace {

// Random event lists, with runs of equal events at steady and at uneven paces,
// survive writing and reading; a ten-minute game on a real clock stays small.
TEST(ReplayFormat, EventsSurviveTheFileAndALongGameStaysSmall) {
  std::mt19937_64 rng(11);
  const replay::Art arten[] = {replay::Art::Stein, replay::Art::Taste,    replay::Art::TasteLos,
                               replay::Art::Takt,  replay::Art::Anhalten, replay::Art::Zurueck};
  for (int lauf = 0; lauf < 300; ++lauf) {
    replay::Aufzeichnung a;
    a.programm = "1.0.0";
    a.ton = rng() % 2;
    a.vorschau = rng() % 2;
    a.wartenderStein = rng() % 2;
    a.eintrag = rng() % 2;
    a.eintragPunkte = int(rng() % 100000);
    a.eintragName = a.eintrag ? QStringLiteral("Åsa %1").arg(lauf) : QString();
    a.beendet = rng() % 4 != 0;
    a.punkte = int(rng() % 100000);
    a.level = int(rng() % 11);
    a.reihen = int(rng() % 1000);
    int64_t t = 0;
    const int n = int(rng() % 400);
    const int schritt = int(rng() % 80);
    for (int i = 0; i < n; ++i) {
      if (!a.ereignisse.empty() && rng() % 3 != 0) {
        replay::Ereignis e = a.ereignisse.back();
        e.zeit += rng() % 2 ? schritt : int64_t(rng() % 90);
        a.ereignisse.push_back(e);
        continue;
      }
      const replay::Art art = arten[rng() % 6];
      int wert = 0;
      if (art == replay::Art::Stein) wert = int(rng() % 7);
      if (art == replay::Art::Takt) wert = int(rng() % 4);
      if (art == replay::Art::Taste || art == replay::Art::TasteLos) wert = 1 + int(rng() % 255);
      t = (a.ereignisse.empty() ? 0 : a.ereignisse.back().zeit) + int64_t(rng() % 200);
      a.ereignisse.push_back({t, art, wert});
    }
    const replay::Gelesen g = replay::Lesen(replay::Schreiben(a));
    ASSERT_EQ(g.fehler.isEmpty(), a.beendet) << g.fehler.toStdString();
    ASSERT_EQ(g.aufzeichnung.ereignisse, a.ereignisse) << lauf;
    const replay::Aufzeichnung& b = g.aufzeichnung;
    EXPECT_EQ(std::tie(b.ton, b.vorschau, b.wartenderStein, b.eintrag, b.beendet),
              std::tie(a.ton, a.vorschau, a.wartenderStein, a.eintrag, a.beendet));
    if (a.eintrag) {
      EXPECT_EQ(std::tie(b.eintragPunkte, b.eintragName), std::tie(a.eintragPunkte, a.eintragName));
    }
    if (a.beendet) {
      EXPECT_EQ(std::tie(b.punkte, b.level, b.reihen), std::tie(a.punkte, a.level, a.reihen));
    }
  }
  // Ten minutes on a real clock: fall ticks 45 to 60 ms apart, a key now and
  // then, a new piece every few seconds.
  replay::Aufzeichnung a;
  a.beendet = true;
  for (int64_t t = 0; t < 600000; t += 45 + int64_t(rng() % 16)) {
    a.ereignisse.push_back({t, replay::Art::Takt, 0});
    if (rng() % 6 == 0) a.ereignisse.push_back({t + 3, replay::Art::Taste, 37 + int(rng() % 4)});
    if (rng() % 80 == 0) {
      a.ereignisse.push_back({t + 5, replay::Art::Takt, 1});
      a.ereignisse.push_back({t + 5, replay::Art::Stein, int(rng() % 7)});
    }
  }
  const QByteArray datei = replay::Schreiben(a);
  EXPECT_LT(datei.size(), 100 * 1024);
  EXPECT_EQ(replay::Lesen(datei).aufzeichnung.ereignisse, a.ereignisse);
}

}  // namespace
