// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hsdatei.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace highscore {
namespace {

constexpr int kZeilenProDatei = 1 + kPlaetze;  // header + ranks
// A cut at this many bytes always keeps at least kMaxZeilenZeichen characters,
// whichever of the two encodings the file turns out to use.
constexpr qsizetype kMaxZeilenBytes = qsizetype(kMaxZeilenZeichen) * 4;
const QString kKopfZeile = QStringLiteral("[Highscore]");
const QString kStandardName = QStringLiteral("Jorin Falkat");

std::atomic<bool> g_schreibfehler{false};

// Blanks only, like the classic BASIC Trim; tabs and the like are data.
QStringView OhneBlanks(QStringView s) {
  qsizetype a = 0;
  qsizetype e = s.size();
  while (a < e && s[a] == u' ') ++a;
  while (e > a && s[e - 1] == u' ') --e;
  return s.sliced(a, e - a);
}

// Index of the code unit after the first n characters; a surrogate pair
// counts as one character so we never split it.
qsizetype NachZeichen(QStringView s, qsizetype n) {
  qsizetype i = 0;
  for (qsizetype gezaehlt = 0; i < s.size() && gezaehlt < n; ++gezaehlt) {
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
      i += 2;
    else
      ++i;
  }
  return i;
}

bool IstFolgeByte(unsigned char b) { return (b & 0xC0) == 0x80; }

// Strict check: no overlong forms, no surrogates, nothing above U+10FFFF,
// no sequence cut short.
bool IstGueltigesUtf8(const unsigned char* p, qsizetype n) {
  qsizetype i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    int folge = 0;
    unsigned char min2 = 0x80, max2 = 0xBF;  // allowed range of the 2nd byte
    if (b >= 0xC2 && b <= 0xDF) {
      folge = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      folge = 2;
      if (b == 0xE0) min2 = 0xA0;
      if (b == 0xED) max2 = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      folge = 3;
      if (b == 0xF0) min2 = 0x90;
      if (b == 0xF4) max2 = 0x8F;
    } else {
      return false;
    }
    if (n - i <= folge) return false;
    if (p[i + 1] < min2 || p[i + 1] > max2) return false;
    for (int k = 2; k <= folge; ++k)
      if (!IstFolgeByte(p[i + k])) return false;
    i += folge + 1;
  }
  return true;
}

// Windows code page 1252: Latin-1 except 0x80-0x9F. A table of our own reads
// the same on every build of the toolkit, with or without ICU. The five bytes
// the code page leaves unassigned read as U+FFFD: a control character there
// could never have been typed into a name, and one replacement character per
// byte keeps the columns of the line where they were.
constexpr char16_t kUnbelegt = 0xFFFD;
constexpr char16_t kCp1252Oben[32] = {0x20AC,    kUnbelegt, 0x201A, 0x0192, 0x201E, 0x2026,    0x2020, 0x2021,
                                      0x02C6,    0x2030,    0x0160, 0x2039, 0x0152, kUnbelegt, 0x017D, kUnbelegt,
                                      kUnbelegt, 0x2018,    0x2019, 0x201C, 0x201D, 0x2022,    0x2013, 0x2014,
                                      0x02DC,    0x2122,    0x0161, 0x203A, 0x0153, kUnbelegt, 0x017E, 0x0178};

QString AusCp1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* ziel = text.data();
  const char* quelle = bytes.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(quelle[i]);
    ziel[i] = QChar(b >= 0x80 && b <= 0x9F ? kCp1252Oben[b - 0x80] : char16_t(b));
  }
  return text;
}

// Drops a multi-byte sequence cut short at the end, e.g. by the read limit,
// so that one cut character does not turn a UTF-8 file into Latin-1.
void UnvollstaendigesEndeWeg(QByteArray& bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
  qsizetype i = bytes.size();
  qsizetype k = i;
  while (k > 0 && i - k < 3 && IstFolgeByte(p[k - 1])) --k;
  if (k == 0) return;
  const unsigned char lead = p[k - 1];
  const int laenge = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (laenge > 1 && i - (k - 1) < laenge) bytes.truncate(k - 1);
}

// What lies at the path. Anything but a regular file (a FIFO, a device, a
// directory, a dangling link) counts as missing and is neither read nor
// replaced: opening a FIFO would block the game, and a save must not destroy
// something that is not ours.
enum class Art { Fehlt, Datei, Anderes };

Art PfadArt(const QString& pfad) {
  const QByteArray name = QFile::encodeName(pfad);
  struct stat st {};
  if (::stat(name.constData(), &st) == 0) return S_ISREG(st.st_mode) ? Art::Datei : Art::Anderes;
  if (errno != ENOENT) return Art::Anderes;
  return ::lstat(name.constData(), &st) == 0 ? Art::Anderes : Art::Fehlt;
}

// Splits bytes, fed in pieces as they are read, into lines. Each line keeps
// only its first kMaxZeilenBytes (plus one byte to see whether the cut falls
// inside a UTF-8 sequence); the rest of a longer line is passed over, so one
// absurd line costs nothing but itself.
class Zeilenleser {
 public:
  explicit Zeilenleser(int maxZeilen) : max_(maxZeilen) {}

  // False once enough lines are complete: the rest need not be read.
  bool Weiter(QByteArrayView stueck) {
    if (!bomGeprueft_) {
      // A leading byte order mark is not part of the header.
      const qsizetype n = std::min<qsizetype>(3 - anfang_.size(), stueck.size());
      anfang_ += stueck.first(n);
      stueck = stueck.sliced(n);
      if (anfang_.size() < 3) return true;
      bomGeprueft_ = true;
      if (anfang_ != "\xEF\xBB\xBF" && !Bytes(anfang_)) return false;
    }
    return Bytes(stueck);
  }

  // abgebrochen: reading stopped at its limit inside the last line.
  std::vector<QByteArray> Ende(bool abgebrochen) {
    if (!bomGeprueft_) {
      bomGeprueft_ = true;
      Bytes(anfang_);
    }
    if (inZeile_ && static_cast<qsizetype>(zeilen_.size()) < max_) {
      // A character cut short by the read limit must not turn a UTF-8 line into Latin-1.
      if (abgebrochen && zeile_.size() <= kMaxZeilenBytes) UnvollstaendigesEndeWeg(zeile_);
      ZeileFertig();
    }
    return std::move(zeilen_);
  }

 private:
  int max_;
  std::vector<QByteArray> zeilen_;
  QByteArray zeile_;
  QByteArray anfang_;
  bool bomGeprueft_ = false;
  bool inZeile_ = false;
  bool nachCR_ = false;

  void ZeileFertig() {
    if (zeile_.size() > kMaxZeilenBytes) {
      // Cut an absurd line, but not inside a UTF-8 sequence.
      qsizetype schnitt = kMaxZeilenBytes;
      for (int k = 0; k < 3 && IstFolgeByte(static_cast<unsigned char>(zeile_[schnitt])); ++k) --schnitt;
      zeile_.truncate(schnitt);
    }
    zeilen_.push_back(std::move(zeile_));
    zeile_ = QByteArray();
    inZeile_ = false;
  }

  // Index of the next CR or LF in s from i on, or n.
  static qsizetype ZeilenEnde(const char* s, qsizetype i, qsizetype n) {
    const void* cr = std::memchr(s + i, '\r', static_cast<size_t>(n - i));
    const qsizetype bis = cr ? static_cast<const char*>(cr) - s : n;
    const void* lf = std::memchr(s + i, '\n', static_cast<size_t>(bis - i));
    return lf ? static_cast<const char*>(lf) - s : bis;
  }

  bool Bytes(QByteArrayView bytes) {
    const char* s = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
      if (static_cast<qsizetype>(zeilen_.size()) >= max_) return false;
      // CR LF, lone CR and lone LF each end exactly one line.
      if (nachCR_) {
        nachCR_ = false;
        if (s[i] == '\n') {
          ++i;
          continue;
        }
      }
      const qsizetype j = ZeilenEnde(s, i, n);
      inZeile_ = true;
      const qsizetype platz = kMaxZeilenBytes + 1 - zeile_.size();
      if (platz > 0) zeile_.append(s + i, std::min(platz, j - i));
      if (j < n) {
        nachCR_ = s[j] == '\r';
        ZeileFertig();
        i = j + 1;
      } else {
        i = j;
      }
    }
    return static_cast<qsizetype>(zeilen_.size()) < max_;
  }
};

// Each line on its own: a name typed on an old system in its code page must
// not turn the names the game wrote as UTF-8 into mojibake.
QStringList Dekodiert(const std::vector<QByteArray>& bytes) {
  QStringList zeilen;
  zeilen.reserve(static_cast<qsizetype>(bytes.size()));
  QStringDecoder dekoder(QStringDecoder::Utf8,
                         QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  for (const QByteArray& b : bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData());
    // In the code page every byte is one character: more than the kept ones need not be decoded.
    QString zeile = IstGueltigesUtf8(p, b.size())
                        ? dekoder.decode(b)
                        : AusCp1252(QByteArrayView(b).first(std::min<qsizetype>(b.size(), kMaxZeilenZeichen)));
    zeile.truncate(NachZeichen(zeile, kMaxZeilenZeichen));
    zeilen.append(zeile);
  }
  return zeilen;
}

// The first lines of the file, read piece by piece and never more than
// kMaxLeseBytes: a huge or endless file must not be pulled into memory or
// keep us reading. Non-blocking open plus a check of what was opened, so a
// FIFO swapped in after the first look still cannot stall us.
QStringList DateiZeilen(const QString& pfad) {
  if (PfadArt(pfad) != Art::Datei) return {};
  const QByteArray name = QFile::encodeName(pfad);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return {};
  Zeilenleser leser(kZeilenProDatei);
  bool abgebrochen = false;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    std::vector<char> puffer(64 * 1024);
    qint64 gelesen = 0;
    while (true) {
      if (gelesen >= kMaxLeseBytes) {
        abgebrochen = true;
        break;
      }
      const auto wunsch = static_cast<size_t>(std::min<qint64>(qint64(puffer.size()), kMaxLeseBytes - gelesen));
      const ssize_t n = ::read(fd, puffer.data(), wunsch);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      gelesen += n;
      if (!leser.Weiter(QByteArrayView(puffer.data(), n))) break;
    }
  }
  ::close(fd);
  return Dekodiert(leser.Ende(abgebrochen));
}

QByteArray DateiInhalt(const Punkteliste& punkte, const Textliste& namen) {
  QString text = kKopfZeile + QStringLiteral("\r\n");
  for (int r = 1; r <= kPlaetze; ++r) text += EintragZeile(punkte[r], namen[r]) + QStringLiteral("\r\n");
  return text.toUtf8();
}

// QSaveFile writes to a temporary file and renames it over the old one only
// on success, so a failed save can no longer leave an emptied list behind.
bool InhaltErsetzen(const QString& pfad, const QByteArray& inhalt) {
  if (PfadArt(pfad) == Art::Anderes) return false;
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return false;
  if (datei.write(inhalt) != inhalt.size() || g_schreibfehler.load()) datei.cancelWriting();
  return datei.commit();
}

}  // namespace

bool Vorhanden(const QString& pfad) { return PfadArt(pfad) == Art::Datei; }

void StandardAnlegen(const QString& pfad) {
  Punkteliste punkte{};
  Textliste namen;
  for (int r = 1; r <= kPlaetze; ++r) {
    punkte[r] = 550 - 50 * r;
    namen[r] = kStandardName;
  }
  InhaltErsetzen(pfad, DateiInhalt(punkte, namen));
}

void WerteLesen(const QString& pfad, Punkteliste& punkte) {
  const QStringList zeilen = DateiZeilen(pfad);
  for (int r = 1; r <= kPlaetze && r < zeilen.size(); ++r) {
    if (const auto wert = PunkteAusZeile(zeilen[r])) punkte[r] = *wert;
  }
}

void ListeLesen(const QString& pfad, Punkteliste& punkte, Textliste& namen) {
  const QStringList zeilen = DateiZeilen(pfad);
  for (int r = 1; r <= kPlaetze && r < zeilen.size(); ++r) {
    if (const auto wert = PunkteAusZeile(zeilen[r])) punkte[r] = *wert;
    namen[r] = NameAusZeile(zeilen[r]);
  }
}

void AnzeigeLesen(const QString& pfad, Textliste& punkteText, Textliste& namen) {
  const QStringList zeilen = DateiZeilen(pfad);
  for (int r = 1; r <= kPlaetze && r < zeilen.size(); ++r) {
    punkteText[r] = PunkteTextAusZeile(zeilen[r]);
    namen[r] = NameAusZeile(zeilen[r]);
  }
}

bool ListeSchreiben(const QString& pfad, const Punkteliste& punkte, const Textliste& namen) {
  return InhaltErsetzen(pfad, DateiInhalt(punkte, namen));
}

QString EintragZeile(double punkte, const QString& name) {
  // A line break inside a name would shift every later rank on reading.
  QString sauber = name;
  sauber.replace(QChar::CarriageReturn, u' ').replace(QChar::LineFeed, u' ');
  return ZahlText(punkte).leftJustified(5, u' ').append(u',').append(OhneBlanks(sauber));
}

std::optional<double> Val(QStringView text) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n && text[i] == u' ') ++i;
  const auto istZiffer = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };

  bool negativ = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    negativ = text[i] == u'-';
    ++i;
  }
  std::string ganz, bruch;
  while (istZiffer(i)) ganz += char(text[i++].unicode());
  if (i < n && text[i] == u'.') {
    ++i;
    while (istZiffer(i)) bruch += char(text[i++].unicode());
  }
  if (ganz.empty() && bruch.empty()) return 0.0;

  // The exponent is saturated; with at most a few thousand mantissa digits
  // a billion is far past both ends of the double range.
  long long exponent = 0;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype k = i + 1;
    bool expNegativ = false;
    if (k < n && (text[k] == u'+' || text[k] == u'-')) {
      expNegativ = text[k] == u'-';
      ++k;
    }
    if (istZiffer(k)) {
      while (istZiffer(k)) {
        if (exponent < 1000000000) exponent = exponent * 10 + (text[k].unicode() - u'0');
        ++k;
      }
      if (expNegativ) exponent = -exponent;
    }
  }

  std::string zahl = (ganz.empty() ? std::string("0") : ganz) + '.' + bruch + 'e' + std::to_string(exponent);
  double wert = 0;
  const auto ergebnis = std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert);
  if (ergebnis.ec == std::errc::result_out_of_range) {
    // Out of range either way: find out whether it was too big or too small.
    const auto ersteZiffer = ganz.find_first_not_of('0');
    const long long lage = ersteZiffer != std::string::npos ? static_cast<long long>(ganz.size() - ersteZiffer)
                                                            : -static_cast<long long>(bruch.find_first_not_of('0'));
    if (exponent + lage > 0) return std::nullopt;
    wert = 0;
  } else if (ergebnis.ec != std::errc()) {
    wert = 0;
  }
  if (negativ) wert = -wert;
  if (!std::isfinite(wert)) return std::nullopt;
  return wert;
}

QString ZahlText(double wert) {
  if (std::isfinite(wert) && wert == std::trunc(wert) && std::fabs(wert) < 1e15)
    return QString::number(static_cast<qint64>(wert));
  return QString::number(wert, 'g', 15);
}

int EintragsPlatz(const Punkteliste& gespeichert, double ergebnis) {
  for (int r = 1; r <= kPlaetze; ++r) {
    if (gespeichert[r] < ergebnis) return r;
  }
  return 0;
}

void Einfuegen(Punkteliste& punkte, Textliste& namen, int stelle, double ergebnis) {
  if (stelle < 1 || stelle > kPlaetze) return;
  for (int i = kPlaetze - 1; i >= stelle; --i) {
    punkte[i + 1] = punkte[i];
    namen[i + 1] = namen[i];
  }
  punkte[stelle] = ergebnis;
}

QStringList ZeilenAusBytes(const QByteArray& bytes, int maxZeilen) {
  if (maxZeilen <= 0) return {};
  Zeilenleser leser(maxZeilen);
  leser.Weiter(bytes);
  return Dekodiert(leser.Ende(false));
}

QString PunkteTextAusZeile(QStringView zeile) { return OhneBlanks(zeile.first(NachZeichen(zeile, 5))).toString(); }

std::optional<double> PunkteAusZeile(QStringView zeile) { return Val(OhneBlanks(zeile.first(NachZeichen(zeile, 5)))); }

QString NameAusZeile(QStringView zeile) {
  const QStringView getrimmt = OhneBlanks(zeile);
  return OhneBlanks(getrimmt.sliced(NachZeichen(getrimmt, 6))).toString();
}

void SetzeSchreibfehlerFuerTests(bool an) { g_schreibfehler.store(an); }

}  // namespace highscore
