// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Numbers in the highscore file: the decimal text a score is written as, and
// the value read back from a score field (its longest leading numeric part).

#include <gtest/gtest.h>

#include <utility>

#include "highscore/hsdatei.h"

using namespace highscore;

TEST(ZahlTextTabelle, GanzeZahlenOhneNachkommaAndereMit15Stellen) {
  const std::pair<double, const char*> faelle[] = {
      {500, "500"},    {0, "0"},     {-5, "-5"},         {99999, "99999"}, {999999999999999, "999999999999999"},
      {1e15, "1e+15"}, {0.1, "0.1"}, {1234.5, "1234.5"}, {-0.25, "-0.25"}};
  for (const auto& [wert, text] : faelle) EXPECT_EQ(ZahlText(wert), QString::fromLatin1(text)) << wert;
}

TEST(ValTabelle, LaengsterZahlenAnfang) {
  const std::pair<const char*, double> faelle[] = {
      {"", 0},       {"abc", 0},  {"  12", 12},   {"12abc", 12}, {"-3.5e2x", -350}, {"1e", 1},     {"1e+", 1},
      {"2E3", 2000}, {".5", 0.5}, {"5.", 5},      {"+7", 7},     {"-", 0},          {".", 0},      {"1 2", 1},
      {"\t5", 0},    {"0x10", 0}, {"1.5.5", 1.5}, {"1e-999", 0}, {"00012", 12},     {"1e2e3", 100}};
  for (const auto& [text, wert] : faelle) {
    const auto ergebnis = Val(QString::fromLatin1(text));
    ASSERT_TRUE(ergebnis.has_value()) << text;
    EXPECT_DOUBLE_EQ(*ergebnis, wert) << text;
  }
  for (const char* unendlich : {"1e999", "-9e999", "1e99999999999999999999", "9e308"})
    EXPECT_FALSE(Val(QString::fromLatin1(unendlich)).has_value()) << unendlich;
  const QString lang = QString(u'7') + QString(3000, u'0') + QStringLiteral("e-3000");
  EXPECT_EQ(Val(lang).value_or(-1), 7.0);
}
