// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line and the enlargement factor: every way of writing an option,
// good and bad, against what it must give; the factor against a model of "the
// largest whole k with 640·k and 480·k inside the screen"; and the real program
// answering bad lines with one message and status 2, before any window.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <string>
#include <vector>

#include "app/optionen.h"
#include "platform/display.h"

namespace {

struct Fall {
  std::vector<std::string> argumente;
  int faktor;  // 0: none asked
  bool hilfe, version;
  const char* fehler;                // a piece of the one-line message, nullptr when understood
  const char* wiedergabe = nullptr;  // the file to play back, if any
};

// clang-format off
const Fall kFaelle[] = {
    {{},                          0, false, false, nullptr},
    {{"--scale", "1"},            1, false, false, nullptr},
    {{"--scale", "4"},            4, false, false, nullptr},
    {{"--scale=3"},               3, false, false, nullptr},
    {{"--scale", "99"},          99, false, false, nullptr},  // syntax only; the screen refuses it
    {{"--scale", "007"},          7, false, false, nullptr},
    {{"--scale", "2", "--scale", "3"}, 3, false, false, nullptr},
    {{"--help"},                  0, true,  false, nullptr},
    {{"--version"},               0, false, true,  nullptr},
    {{"--scale", "2", "--help"},  2, true,  false, nullptr},
    {{"--scale", "0"},            0, false, false, "--scale needs a whole number of 1 or more, not '0'"},
    {{"--scale", "-1"},           0, false, false, "not '-1'"},
    {{"--scale", "2.5"},          0, false, false, "not '2.5'"},
    {{"--scale", "+2"},           0, false, false, "not '+2'"},
    {{"--scale", ""},             0, false, false, "not ''"},
    {{"--scale", " 2"},           0, false, false, "not ' 2'"},
    {{"--scale", "2x"},           0, false, false, "not '2x'"},
    {{"--scale", "1234567890"},   0, false, false, "not '1234567890'"},
    {{"--scale="},                0, false, false, "not ''"},
    {{"--scale"},                 0, false, false, "--scale needs a value (N)"},
    {{"--scale", "2", "--scale"}, 0, false, false, "--scale needs a value"},
    {{"--bogus"},                 0, false, false, "unknown option '--bogus'"},
    {{"--bogus=1"},               0, false, false, "unknown option '--bogus'"},
    {{"-s", "2"},                 0, false, false, "unknown option '-s'"},
    {{"--Scale", "2"},            0, false, false, "unknown option '--Scale'"},
    {{"-"},                       0, false, false, "unexpected argument '-'"},
    {{"spiel"},                   0, false, false, "unexpected argument 'spiel'"},
    {{"--help", "--bogus"},       0, false, false, "unknown option '--bogus'"},
    {{"--help=yes"},              0, false, false, "--help takes no value"},
    {{"--version=1"},             0, false, false, "--version takes no value"},
    {{"--replay", "last"},        0, false, false, nullptr, "last"},
    {{"--replay=a b.nvreplay", "--scale", "2"}, 2, false, false, nullptr, "a b.nvreplay"},
    {{"--replay", "--scale"},     0, false, false, nullptr, "--scale"},  // a file may have any name
    {{"--replay"},                0, false, false, "--replay needs a value (FILE)"},
    {{"--replay="},               0, false, false, "--replay needs a file (or 'last')"},
};
// clang-format on

TEST(Optionen, EveryLineGivesItsOptionsOrItsOneLineMistake) {
  for (const Fall& f : kFaelle) {
    std::string zeile;
    for (const std::string& a : f.argumente) zeile += "[" + a + "] ";
    SCOPED_TRACE(zeile);
    const optionen::Auswertung a = optionen::Lesen(f.argumente);
    if (f.fehler) {
      EXPECT_NE(a.fehler.find(f.fehler), std::string::npos) << a.fehler;
      EXPECT_TRUE(a.fehler.starts_with("norvane: ")) << a.fehler;
      EXPECT_EQ(a.fehler.find('\n'), std::string::npos) << "one line";
      // A mistake is answered with status 2 on the error stream, never a start.
      std::FILE* aus = std::tmpfile();
      std::FILE* err = std::tmpfile();
      EXPECT_EQ(optionen::Beantworten(a, aus, err), std::optional<int>(2));
      EXPECT_EQ(std::ftell(aus), 0);
      EXPECT_EQ(std::ftell(err), static_cast<long>(a.fehler.size() + 1));
      std::fclose(aus);
      std::fclose(err);
      continue;
    }
    EXPECT_EQ(a.fehler, "");
    EXPECT_EQ(a.optionen.faktor.value_or(0), f.faktor);
    EXPECT_EQ(a.optionen.hilfe, f.hilfe);
    EXPECT_EQ(a.optionen.version, f.version);
    EXPECT_EQ(a.optionen.wiedergabe, f.wiedergabe ? std::optional<std::string>(f.wiedergabe) : std::nullopt);
    std::FILE* aus = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const std::optional<int> rc = optionen::Beantworten(a, aus, err);
    EXPECT_EQ(rc, f.hilfe || f.version ? std::optional<int>(0) : std::nullopt);
    EXPECT_EQ(std::ftell(err), 0);
    EXPECT_EQ(std::ftell(aus) > 0, f.hilfe || f.version);
    std::fclose(aus);
    std::fclose(err);
  }
}

TEST(Optionen, TheHelpNamesEveryOptionWithinEightyColumns) {
  const std::string text = optionen::Hilfetext();
  for (const char* name : {"--scale N", "--help", "--version"}) EXPECT_NE(text.find(name), std::string::npos) << name;
  size_t anfang = 0;
  for (size_t ende; (ende = text.find('\n', anfang)) != std::string::npos; anfang = ende + 1)
    EXPECT_LE(ende - anfang, 79u) << text.substr(anfang, ende - anfang);
}

// The largest k with 640·k ≤ width and 480·k ≤ height, at least 1, found by
// counting up rather than dividing.
int ModellFaktor(int w, int h) {
  int k = 1;
  while (640 * (k + 1) <= w && 480 * (k + 1) <= h) ++k;
  return k;
}

TEST(Faktor, TheLargestWholeFactorThatFitsTheScreen) {
  // clang-format off
  const struct { int w, h, k; } kBildschirme[] = {
      {1024, 768, 1}, {1366, 768, 1}, {1920, 1080, 2}, {2560, 1440, 3}, {3840, 2160, 4},
      {640, 480, 1}, {320, 200, 1}, {1279, 960, 1}, {1280, 959, 1}, {1280, 960, 2}, {5120, 2880, 6},
      {7680, 4320, 9}, {1080, 1920, 1}, {2160, 3840, 3},
  };
  // clang-format on
  for (const auto& b : kBildschirme)
    EXPECT_EQ(platform::display::FittingFactor(QSize(b.w, b.h)), b.k) << b.w << " x " << b.h;
  for (int w = 0; w <= 4000; w += 7)
    for (int h = 0; h <= 3000; h += 11)
      ASSERT_EQ(platform::display::FittingFactor(QSize(w, h)), ModellFaktor(w, h)) << w << " x " << h;
}

// ---- The real program -------------------------------------------------------------

QString Programm() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../norvane"); }

struct Lauf {
  int status;
  QString aus, fehler;
};

Lauf Starten(const QStringList& argumente, const QProcessEnvironment& extra = {}) {
  QTemporaryDir daten;
  QProcess spiel;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_DATA_HOME"), daten.path());
  env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
  env.insert(extra);
  spiel.setProcessEnvironment(env);
  spiel.start(Programm(), argumente);
  // A line the program refuses never starts the game: it ends by itself at once.
  if (!spiel.waitForFinished(20000)) {
    spiel.kill();
    spiel.waitForFinished();
    return {-1, {}, QStringLiteral("still running")};
  }
  return {spiel.exitCode(), QString::fromUtf8(spiel.readAllStandardOutput()),
          QString::fromUtf8(spiel.readAllStandardError())};
}

TEST(Aufruf, BadLinesAreRefusedWithOneLineAndStatusTwo) {
  ASSERT_TRUE(QFile::exists(Programm()));
  // The offscreen screen holds one 640 x 480 panel at most: 99 and 2 do not fit.
  const QStringList kZeilen[] = {{"--scale", "0"}, {"--scale", "-1"}, {"--scale", "2.5"}, {"--scale", "99"},
                                 {"--scale", "2"}, {"--scale"},       {"--bogus"},        {"spiel"}};
  for (const QStringList& zeile : kZeilen) {
    const Lauf l = Starten(zeile);
    SCOPED_TRACE(zeile.join(' ').toStdString());
    EXPECT_EQ(l.status, 2);
    EXPECT_TRUE(l.fehler.startsWith(QStringLiteral("norvane: "))) << l.fehler.toStdString();
    EXPECT_EQ(l.fehler.count('\n'), 1) << l.fehler.toStdString();
    EXPECT_EQ(l.aus, QString());
  }
  EXPECT_TRUE(Starten({"--scale", "99"}).fehler.contains(QStringLiteral("does not fit the screen")));
  // With the toolkit's scaling switched off no factor above 1 can be had.
  QProcessEnvironment aus;
  aus.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
  const Lauf l = Starten({"--scale", "2"}, aus);
  EXPECT_EQ(l.status, 2);
  EXPECT_TRUE(l.fehler.contains(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING=0"))) << l.fehler.toStdString();
}

// The screen is measured in physical pixels: a screen the window system already
// doubles counts twice its logical size. The largest factor is found by asking
// one above it, which must be refused naming it.
TEST(Aufruf, TheFactorIsMeasuredOnTheScreenInPhysicalPixels) {
  // clang-format off
  const struct { int w, h; double dpr; int passt; } kSchirme[] = {
      {1024, 768, 1, 1}, {1920, 1080, 1, 2}, {2560, 1440, 1, 3}, {3840, 2160, 1, 4}, {1920, 1080, 2, 4},
      {600, 400, 1, 1},
  };
  // clang-format on
  QTemporaryDir ort;
  for (const auto& s : kSchirme) {
    SCOPED_TRACE(testing::Message() << s.w << " x " << s.h << " at " << s.dpr);
    const QString datei = ort.filePath(QStringLiteral("schirm.json"));
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,"logicalDpi":96,"dpr":%3}]})")
                .arg(s.w)
                .arg(s.h)
                .arg(s.dpr)
                .toUtf8());
    f.close();
    QProcessEnvironment schirm;
    schirm.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + datei);
    const Lauf l = Starten({"--scale", QString::number(s.passt + 1)}, schirm);
    EXPECT_EQ(l.status, 2);
    EXPECT_TRUE(l.fehler.contains(QStringLiteral("%1 x %2 pixels take at most %3")
                                      .arg(qRound(s.w * s.dpr))
                                      .arg(qRound(s.h * s.dpr))
                                      .arg(s.passt)))
        << l.fehler.toStdString();
  }
}

TEST(Aufruf, HelpAndVersionAnswerWithoutAnyDisplay) {
  QProcessEnvironment ohne;
  ohne.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  ohne.insert(QStringLiteral("DISPLAY"), QStringLiteral(":9999"));
  const Lauf hilfe = Starten({"--help"}, ohne);
  EXPECT_EQ(hilfe.status, 0);
  EXPECT_EQ(hilfe.aus.toStdString(), optionen::Hilfetext());
  EXPECT_EQ(hilfe.fehler, QString());
  const Lauf version = Starten({"--version"}, ohne);
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.aus.startsWith(QStringLiteral("norvane ") + QStringLiteral(NORVANE_TEST_VERSION)))
      << version.aus.toStdString();
}

}  // namespace
