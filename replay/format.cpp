// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/format.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#ifndef NORVANE_VERSION
#define NORVANE_VERSION "unknown"
#endif

namespace replay {

QString ProgrammVersion() { return QStringLiteral(NORVANE_VERSION); }

namespace {

const QByteArray kKopf = "norvane-replay";
// Gaps on one repetition line: short lines, and a bound for the reader.
constexpr size_t kLuecken = 32;

void Zeile(QByteArray& aus, const Ereignis& e) {
  aus += QByteArray::number(static_cast<qlonglong>(e.zeit)) + ' ' + static_cast<char>(e.art) + ' ' +
         QByteArray::number(e.wert) + '\n';
}

bool Zahl(const QByteArray& text, int64_t min, int64_t max, int64_t& wert) {
  // Digits only: no sign, no blanks, no base prefixes; at most 12 of them.
  if (text.isEmpty() || text.size() > 12) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  wert = text.toLongLong();
  return wert >= min && wert <= max;
}

bool Schalter(const QByteArray& text, bool& wert) {
  if (text != "0" && text != "1") return false;
  wert = text == "1";
  return true;
}

// Checks the value of one event; empty when it is sound.
QString WertFehler(Art art, int64_t wert) {
  switch (art) {
    case Art::Stein:
      if (wert > 6) return QStringLiteral("piece %1 is not one of the seven").arg(wert);
      return {};
    case Art::Takt:
      if (wert >= kTimerAnzahl) return QStringLiteral("there is no timer %1").arg(wert);
      return {};
    case Art::Taste:
    case Art::TasteLos:
      if (wert < 1 || wert > 255) return QStringLiteral("key code %1 is out of range").arg(wert);
      return {};
    case Art::Anhalten:
    case Art::Zurueck:
      if (wert != 0) return QStringLiteral("a window event carries no value");
      return {};
  }
  return QStringLiteral("unknown event");
}

bool ArtLesen(const QByteArray& text, Art& art) {
  if (text.size() != 1) return false;
  switch (text[0]) {
    case 'n': art = Art::Stein; return true;
    case 'k': art = Art::Taste; return true;
    case 'u': art = Art::TasteLos; return true;
    case 't': art = Art::Takt; return true;
    case 'h': art = Art::Anhalten; return true;
    case 'r': art = Art::Zurueck; return true;
    default: return false;
  }
}

}  // namespace

QByteArray Schreiben(const Aufzeichnung& a) {
  QByteArray aus;
  aus += kKopf + ' ' + QByteArray::number(kFormatVersion) + '\n';
  QString programm = a.programm;
  programm.replace(u'\n', u' ').replace(u'\r', u' ');
  aus += "program " + programm.toUtf8() + '\n';
  aus += QByteArray("switches ") + (a.ton ? '1' : '0') + ' ' + (a.vorschau ? '1' : '0') + ' ' +
         (a.wartenderStein ? '1' : '0') + '\n';
  if (a.eintrag) {
    QString name = a.eintragName;
    name.replace(u'\n', u' ').replace(u'\r', u' ');
    aus += "entry " + QByteArray::number(a.eintragPunkte) + ' ' + name.toUtf8() + '\n';
  }
  aus += "events\n";
  const auto& e = a.ereignisse;
  for (size_t i = 0; i < e.size();) {
    Zeile(aus, e[i]);
    // A run of the same event (the ticks of a falling piece) takes one line:
    // a count and a step when the pace is steady, else the gaps between them.
    size_t j = i;
    while (j + 1 < e.size() && e[j + 1].art == e[i].art && e[j + 1].wert == e[i].wert) ++j;
    bool stetig = j - i >= 2;
    for (size_t k = i + 2; stetig && k <= j; ++k) stetig = e[k].zeit - e[k - 1].zeit == e[i + 1].zeit - e[i].zeit;
    if (stetig) {
      aus += "* " + QByteArray::number(static_cast<qulonglong>(j - i)) + ' ' +
             QByteArray::number(static_cast<qlonglong>(e[i + 1].zeit - e[i].zeit)) + '\n';
    } else {
      for (size_t k = i + 1; k <= j; ++k) {
        aus += (k - i - 1) % kLuecken == 0 ? "+" : "";
        aus += ' ' + QByteArray::number(static_cast<qlonglong>(e[k].zeit - e[k - 1].zeit));
        if ((k - i) % kLuecken == 0 || k == j) aus += '\n';
      }
    }
    i = j + 1;
  }
  if (a.beendet)
    aus += "end " + QByteArray::number(a.punkte) + ' ' + QByteArray::number(a.level) + ' ' +
           QByteArray::number(a.reihen) + '\n';
  return aus;
}

Gelesen Lesen(const QByteArray& bytes) {
  Gelesen g;
  Aufzeichnung& a = g.aufzeichnung;
  QList<QByteArray> zeilen = bytes.split('\n');
  if (!zeilen.isEmpty() && zeilen.back().isEmpty()) zeilen.removeLast();
  for (QByteArray& z : zeilen)
    if (z.endsWith('\r')) z.chop(1);
  const auto fehler = [&](qsizetype nr, const QString& was) {
    g.fehler = QStringLiteral("line %1: %2").arg(nr + 1).arg(was);
    return g;
  };
  if (zeilen.isEmpty()) {
    g.fehler = QStringLiteral("the file is empty");
    return g;
  }
  const QList<QByteArray> kopf = zeilen[0].split(' ');
  if (kopf.size() != 2 || kopf[0] != kKopf) {
    g.fehler = QStringLiteral("not a replay file");
    return g;
  }
  int64_t version = 0;
  if (!Zahl(kopf[1], 0, 999999, version) || version != kFormatVersion)
    return fehler(0, QStringLiteral("replay format %1 is not supported (this program reads format %2)")
                         .arg(QString::fromUtf8(kopf[1].left(20)))
                         .arg(kFormatVersion));
  qsizetype nr = 1;
  if (nr >= zeilen.size() || !zeilen[nr].startsWith("program "))
    return fehler(nr, QStringLiteral("the program version is missing"));
  a.programm = QString::fromUtf8(zeilen[nr].mid(8).left(100));
  ++nr;
  {
    const QList<QByteArray> s = nr < zeilen.size() ? zeilen[nr].split(' ') : QList<QByteArray>{};
    if (s.size() != 4 || s[0] != "switches" || !Schalter(s[1], a.ton) || !Schalter(s[2], a.vorschau) ||
        !Schalter(s[3], a.wartenderStein))
      return fehler(nr, QStringLiteral("the switches line is missing or malformed"));
    ++nr;
  }
  if (nr < zeilen.size() && zeilen[nr].startsWith("entry ")) {
    const QByteArray rest = zeilen[nr].mid(6);
    const qsizetype blank = rest.indexOf(' ');
    int64_t p = 0;
    if (blank < 0 || !Zahl(rest.left(blank), 0, 999999999, p))
      return fehler(nr, QStringLiteral("the entry line is malformed"));
    a.eintrag = true;
    a.eintragPunkte = static_cast<int>(p);
    a.eintragName = QString::fromUtf8(rest.mid(blank + 1).left(200));
    ++nr;
  }
  if (nr >= zeilen.size() || zeilen[nr] != "events") return fehler(nr, QStringLiteral("the events line is missing"));
  ++nr;

  auto& e = a.ereignisse;
  for (; nr < zeilen.size(); ++nr) {
    const QByteArray& z = zeilen[nr];
    if (a.beendet) {
      if (!z.trimmed().isEmpty()) return fehler(nr, QStringLiteral("text after the end of the game"));
      continue;
    }
    const QList<QByteArray> t = z.split(' ');
    if (t.size() == 4 && t[0] == "end") {
      int64_t p = 0, l = 0, r = 0;
      if (!Zahl(t[1], 0, 999999999, p) || !Zahl(t[2], 0, 99, l) || !Zahl(t[3], 0, 999999, r))
        return fehler(nr, QStringLiteral("the end line is malformed"));
      a.punkte = static_cast<int>(p);
      a.level = static_cast<int>(l);
      a.reihen = static_cast<int>(r);
      a.beendet = true;
      continue;
    }
    if (t.size() == 3 && t[0] == "*") {
      int64_t anzahl = 0, schritt = 0;
      if (e.empty()) return fehler(nr, QStringLiteral("a repetition with nothing to repeat"));
      if (!Zahl(t[1], 1, kMaxEreignisse, anzahl) || !Zahl(t[2], 0, kMaxZeitMs, schritt))
        return fehler(nr, QStringLiteral("the repetition is malformed"));
      if (static_cast<int64_t>(e.size()) + anzahl > kMaxEreignisse)
        return fehler(nr, QStringLiteral("too many events"));
      if (e.back().zeit + anzahl * schritt > kMaxZeitMs) return fehler(nr, QStringLiteral("the game is too long"));
      const Ereignis vorlage = e.back();
      for (int64_t k = 1; k <= anzahl; ++k) e.push_back({vorlage.zeit + k * schritt, vorlage.art, vorlage.wert});
      continue;
    }
    if (t.size() >= 2 && t[0] == "+") {
      if (e.empty()) return fehler(nr, QStringLiteral("a repetition with nothing to repeat"));
      if (t.size() > static_cast<qsizetype>(kLuecken) + 1)
        return fehler(nr, QStringLiteral("too many gaps on one line"));
      if (static_cast<int64_t>(e.size()) + t.size() > kMaxEreignisse)
        return fehler(nr, QStringLiteral("too many events"));
      const Ereignis vorlage = e.back();
      int64_t zeit = vorlage.zeit;
      for (qsizetype k = 1; k < t.size(); ++k) {
        int64_t luecke = 0;
        if (!Zahl(t[k], 0, kMaxZeitMs, luecke)) return fehler(nr, QStringLiteral("the repetition is malformed"));
        zeit += luecke;
        if (zeit > kMaxZeitMs) return fehler(nr, QStringLiteral("the game is too long"));
        e.push_back({zeit, vorlage.art, vorlage.wert});
      }
      continue;
    }
    Art art{};
    int64_t zeit = 0, wert = 0;
    if (t.size() != 3 || !Zahl(t[0], 0, kMaxZeitMs, zeit) || !ArtLesen(t[1], art) || !Zahl(t[2], 0, 999999, wert))
      return fehler(nr, QStringLiteral("not an event"));
    if (!e.empty() && zeit < e.back().zeit) return fehler(nr, QStringLiteral("the event is out of order"));
    if (const QString w = WertFehler(art, wert); !w.isEmpty()) return fehler(nr, w);
    if (static_cast<int64_t>(e.size()) >= kMaxEreignisse) return fehler(nr, QStringLiteral("too many events"));
    e.push_back({zeit, art, static_cast<int>(wert)});
  }
  if (!a.beendet) g.fehler = QStringLiteral("the file ends before the game does (cut short?)");
  return g;
}

Gelesen Laden(const QString& pfad) {
  Gelesen g;
  const QFileInfo info(pfad);
  if (!info.exists()) {
    g.fehler = QStringLiteral("no such file");
  } else if (!info.isFile()) {
    g.fehler = QStringLiteral("not a regular file");
  } else if (info.size() > kMaxDateiBytes) {
    g.fehler = QStringLiteral("too large for a replay (%1 bytes, at most %2)").arg(info.size()).arg(kMaxDateiBytes);
  } else {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
      g.fehler = QStringLiteral("cannot be read: %1").arg(datei.errorString());
    } else {
      // The size may change between the look and the read: never more than the bound.
      const QByteArray bytes = datei.read(kMaxDateiBytes + 1);
      if (bytes.size() > kMaxDateiBytes)
        g.fehler = QStringLiteral("too large for a replay");
      else
        return Lesen(bytes);
    }
  }
  return g;
}

}  // namespace replay
