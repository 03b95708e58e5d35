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

  // Lines written back with CR LF read the same again (a leading U+FEFF in
  // the first line would be taken for a byte order mark, so skip that case).
  if (!zeilen.isEmpty() && !zeilen.first().startsWith(QChar(0xFEFF))) {
    QString text;
    for (const QString& zeile : zeilen) text += zeile + QStringLiteral("\r\n");
    Pruefe(ZeilenAusBytes(text.toUtf8(), maxZeilen) == zeilen);
  }
  return 0;
}
