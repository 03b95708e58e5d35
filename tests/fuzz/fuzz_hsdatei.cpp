// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the byte-level reader of the highscore file and the
// field parsing on top of it. Any violated invariant aborts the run.
#include "highscore/hsdatei.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace highscore;

namespace {

void Pruefe(bool bedingung) {
  if (!bedingung) std::abort();
}

qsizetype Zeichen(const QString& s) {
  qsizetype n = 0;
  for (qsizetype i = 0; i < s.size(); ++i, ++n) {
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));
  // The first byte also picks a line limit, so small limits get exercised too.
  const int maxZeilen = groesse > 0 ? daten[0] % 16 : 11;
  const QStringList zeilen = ZeilenAusBytes(bytes, maxZeilen);
  Pruefe(zeilen.size() <= maxZeilen);

  for (const QString& zeile : zeilen) {
    Pruefe(!zeile.contains(u'\r') && !zeile.contains(u'\n'));
    Pruefe(Zeichen(zeile) <= kMaxZeilenZeichen);

    const QString name = NameAusZeile(zeile);
    Pruefe(!name.startsWith(u' ') && !name.endsWith(u' '));
    Pruefe(Zeichen(PunkteTextAusZeile(zeile)) <= 5);
    if (const auto wert = PunkteAusZeile(zeile)) Pruefe(std::isfinite(*wert));
    if (const auto wert = Val(zeile)) Pruefe(std::isfinite(*wert));

    // A name read from the file must survive being written back.
    const QString neu = EintragZeile(123, name);
    Pruefe(NameAusZeile(neu) == name);
    Pruefe(PunkteAusZeile(neu) == 123.0);
  }

  // Each line is decoded on its own: read alone, its bytes give the same line.
  // (A line that starts with the bytes of a byte order mark is skipped: alone,
  // they would open a file.)
  qsizetype anfang = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  for (const QString& zeile : zeilen) {
    qsizetype ende = anfang;
    while (ende < bytes.size() && bytes[ende] != '\r' && bytes[ende] != '\n') ++ende;
    const QByteArray allein = bytes.sliced(anfang, ende - anfang);
    if (anfang == 0 || !allein.startsWith("\xEF\xBB\xBF")) Pruefe(ZeilenAusBytes(allein, 1).value(0) == zeile);
    if (ende < bytes.size() && bytes[ende] == '\r') {
      ++ende;
      if (ende < bytes.size() && bytes[ende] == '\n') ++ende;
    } else if (ende < bytes.size() && bytes[ende] == '\n') {
      ++ende;
    }
    anfang = ende;
  }

  // Lines written back with CR LF read the same again (a leading U+FEFF in
  // the first line would be taken for a byte order mark, so skip that case).
  if (!zeilen.isEmpty() && !zeilen.first().startsWith(QChar(0xFEFF))) {
    QString text;
    for (const QString& zeile : zeilen) text += zeile + QStringLiteral("\r\n");
    Pruefe(ZeilenAusBytes(text.toUtf8(), maxZeilen) == zeilen);
  }
  return 0;
}
