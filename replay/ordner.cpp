// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/ordner.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "highscore/eingabe.h"
#include "highscore/hsdatei.h"
#include "platform/system.h"

namespace replay {

namespace {
std::atomic<bool> g_schreibfehler{false};

const QString kEintragVorsilbe = QStringLiteral("entry-");
const QString kEndung = QStringLiteral(".nvreplay");

// The entry line of a replay file, read from its first few lines only.
bool EintragKopf(const QString& pfad, int& punkte, QString& name) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return false;
  const QByteArray anfang = datei.read(4096);
  for (const QByteArray& zeile : anfang.split('\n').mid(0, 6)) {
    if (!zeile.startsWith("entry ")) continue;
    const QByteArray rest = zeile.mid(6);
    const qsizetype blank = rest.indexOf(' ');
    if (blank < 0) return false;
    bool ok = false;
    punkte = rest.left(blank).toInt(&ok);
    QByteArray n = rest.mid(blank + 1);
    if (n.endsWith('\r')) n.chop(1);
    name = QString::fromUtf8(n).trimmed();
    return ok;
  }
  return false;
}
}  // namespace

QString Ordner() {
  const QString dir = platform::files::HighscoreDirectory() + QStringLiteral("/replays");
  QDir().mkpath(dir);
  return dir;
}

QString LetztesPfad() { return Ordner() + QLatin1Char('/') + QLatin1String(kLetztesName); }

bool DateiErsetzen(const QString& pfad, const QByteArray& inhalt) {
  // Something other than a file at the path (a directory, a pipe) stays as it is.
  const QFileInfo info(pfad);
  if (info.exists() && !info.isFile()) return false;
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return false;
  if (datei.write(inhalt) != inhalt.size() || g_schreibfehler.load()) datei.cancelWriting();
  return datei.commit();
}

void LetztesSichern(const Aufzeichnung& a) { DateiErsetzen(LetztesPfad(), Schreiben(a)); }

void EintragSichern(Aufzeichnung a, int punkte, const QString& name) {
  a.eintrag = true;
  a.eintragPunkte = punkte;
  a.eintragName = name.trimmed();
  const QString ordner = Ordner();
  // Named by the time of saving, so the names sort from oldest to newest.
  const QString stempel = QStringLiteral("%1").arg(QDateTime::currentMSecsSinceEpoch(), 14, 10, QLatin1Char('0'));
  QString pfad;
  for (int n = 0; n < 1000; ++n) {
    pfad = QStringLiteral("%1/%2%3-%4%5")
               .arg(ordner, kEintragVorsilbe, stempel)
               .arg(n, 3, 10, QLatin1Char('0'))
               .arg(kEndung);
    if (!QFileInfo::exists(pfad)) break;
  }
  DateiErsetzen(pfad, Schreiben(a));
  Aufraeumen();
}

QStringList EintragDateien() {
  QDir dir(Ordner());
  QStringList namen = dir.entryList({kEintragVorsilbe + QLatin1Char('*') + kEndung}, QDir::Files, QDir::Name);
  std::reverse(namen.begin(), namen.end());
  return namen;
}

void Aufraeumen() {
  const QString liste = Eingabe::Dateipfad();
  // Without a list nothing tells which replays belong to it: keep them.
  if (!highscore::Vorhanden(liste)) return;
  highscore::Punkteliste punkte{};
  highscore::Textliste namen;
  highscore::ListeLesen(liste, punkte, namen);
  std::vector<bool> vergeben(highscore::kPlaetze + 1, false);

  const QString ordner = Ordner();
  const QStringList dateien = EintragDateien();
  int behalten = QFileInfo::exists(LetztesPfad()) ? 1 : 0;
  for (const QString& datei : dateien) {
    const QString pfad = ordner + QLatin1Char('/') + datei;
    int p = 0;
    QString name;
    bool gehoert = false;
    if (EintragKopf(pfad, p, name)) {
      for (int r = 1; r <= highscore::kPlaetze && !gehoert; ++r) {
        const auto rang = static_cast<size_t>(r);
        if (vergeben[rang] || !std::isfinite(punkte[rang])) continue;
        if (std::llround(punkte[rang]) == p && namen[rang].trimmed() == name) {
          vergeben[rang] = true;
          gehoert = true;
        }
      }
    }
    // Newest first: the oldest go when the folder is full.
    if (gehoert && behalten < kMaxDateien) {
      ++behalten;
      continue;
    }
    QFile::remove(pfad);
  }
}

void SetzeSchreibfehlerFuerTests(bool an) { g_schreibfehler.store(an); }

}  // namespace replay
