#include "replay/programm.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "replay/ordner.h"
#include "replay/wiedergabe.h"

namespace replay {

namespace {
std::optional<Gelesen> g_gelesen;
std::unique_ptr<Wiedergabe> g_wiedergabe;
}  // namespace

Aufruf BefehlszeileLesen(int argc, char** argv) {
  Aufruf aufruf;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--") == 0) break;
    if (std::strcmp(arg, "--replay") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        aufruf.fehler = QStringLiteral("--replay needs a file (or \"last\")");
        return aufruf;
      }
      aufruf.wiedergabe = true;
      aufruf.pfad = QFile::decodeName(argv[++i]);
    } else if (std::strncmp(arg, "--replay=", 9) == 0) {
      if (arg[9] == '\0') {
        aufruf.fehler = QStringLiteral("--replay needs a file (or \"last\")");
        return aufruf;
      }
      aufruf.wiedergabe = true;
      aufruf.pfad = QFile::decodeName(arg + 9);
    }
  }
  return aufruf;
}

bool Vorbereiten(const QString& pfad) {
  const QString datei = pfad == QLatin1String("last") ? LetztesPfad() : pfad;
  Gelesen g = Laden(datei);
  // Damage after the first events still lets the game be played up to it.
  if (!g.fehler.isEmpty() && g.aufzeichnung.ereignisse.empty()) {
    std::fprintf(stderr, "norvane: %s: %s\n", qPrintable(datei), qPrintable(g.fehler));
    return false;
  }
  g_gelesen = std::move(g);
  return true;
}

void Starten(TForm& form) {
  if (!g_gelesen) return;
  g_wiedergabe = std::make_unique<Wiedergabe>(form, std::move(*g_gelesen));
  g_gelesen.reset();
  g_wiedergabe->Starten();
}

bool MitFehler() { return g_wiedergabe && !g_wiedergabe->Meldung().isEmpty(); }

}  // namespace replay
