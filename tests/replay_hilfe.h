// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Recording games on the virtual clock and playing them back on a second main
// window, comparing the two at every piece and at the end.

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "fixture.h"
#include "input/keys.h"
#include "replay/aufnahme.h"
#include "replay/format.h"
#include "replay/wiedergabe.h"

// What the player sees of a game at one moment.
struct Stand {
  int punkte = 0, level = 0, reihen = 0;
  std::vector<int> farben;
  QImage well, vorschau;
  // The falling piece, the timers and the phase flags.
  std::vector<double> rest;
};

inline Stand Nehmen(const TForm& f) {
  Stand s{f.Punktestand, f.Level, f.Reihen, {}, f.TBox->Image().copy(), f.Vorschau->Image().copy(), {}};
  for (int c = 1; c <= 10; ++c)
    for (int r = 1; r <= 20; ++r) s.farben.push_back(f.Belegt[c][r] ? f.Farbe[c][r] : 0);
  s.rest = {double(f.AktStein),
            f.SteinX,
            f.SteinY,
            double(f.Fallschritt),
            double(f.FallTimer.Enabled()),
            double(f.WartenTimer.Enabled()),
            double(f.ReiheTimer.Enabled()),
            double(f.GameOverTimer.Enabled()),
            double(f.Pausiert),
            double(f.Wartet),
            double(f.SpielVorbei),
            double(f.FensterOffen),
            double(f.TimerWarAktiv),
            double(f.ReiheFortsetzung)};
  return s;
}

// Empty when equal; otherwise what differs.
inline std::string Unterschied(const Stand& a, const Stand& b) {
  std::string u;
  if (a.punkte != b.punkte) u += " points " + std::to_string(a.punkte) + "/" + std::to_string(b.punkte);
  if (a.level != b.level) u += " level";
  if (a.reihen != b.reihen) u += " rows " + std::to_string(a.reihen) + "/" + std::to_string(b.reihen);
  if (a.farben != b.farben) u += " cells";
  if (a.well != b.well) u += " well pixels";
  if (a.vorschau != b.vorschau) u += " preview pixels";
  for (size_t i = 0; i < a.rest.size() && i < b.rest.size(); ++i)
    if (a.rest[i] != b.rest[i]) u += " state " + std::to_string(i);
  return u;
}

// The sounds of the game itself; the windows' own and the game-over ones differ by design.
inline QStringList Spieltoene(const QStringList& alle) {
  QStringList t;
  for (const QString& s : alle)
    if (s != "CLICK.WAV" && s != "HELP.WAV" && s != "GAMEOVER.WAV" && s != "ENTRY.WAV") t << s;
  return t;
}

class ReplayTest : public FormTest {
 protected:
  struct Lauf {
    replay::Aufzeichnung a;
    std::vector<std::pair<int64_t, Stand>> proStein;  // after each piece drawn
    Stand ende;
    QStringList toene;
  };

  void SetUp() override {
    FormTest::SetUp();
    replay::Zuruecksetzen();
    form->show();
  }
  void TearDown() override {
    replay::SetzeSteinWahlFuerTests({});
    replay::Zuruecksetzen();
    FormTest::TearDown();
  }

  void Beginnen() {
    platform::sound::ClearRequests();
    form->picButtonNeuesSpiel_Click();
    start_ = platform::clock::NowMs();
    gesehen_ = 0;
    lauf_ = {};
  }
  bool Laeuft() const { return replay::LaufendeAufnahme() != nullptr; }
  int64_t Jetzt() const { return platform::clock::NowMs() - start_; }

  // Notes the state after every event up to now, then lets `ms` pass.
  void Warte(int ms) {
    if (const replay::Aufzeichnung* a = replay::LaufendeAufnahme()) {
      bool neu = false;
      for (; gesehen_ < a->ereignisse.size(); ++gesehen_) neu |= a->ereignisse[gesehen_].art == replay::Art::Stein;
      if (neu) lauf_.proStein.push_back({Jetzt(), Nehmen(*form)});
    }
    Advance(ms);
  }

  // Hard drops at the spawn column until the game and its signs are over.
  void Beenden() {
    for (int i = 0; i < 2000 && Laeuft(); ++i) {
      if (!form->SpielVorbei) Key(keys::Leertaste);
      Warte(60);
    }
    ASSERT_FALSE(Laeuft()) << "the game did not end";
    ASSERT_NE(replay::LetztesSpiel(), nullptr);
    lauf_.a = *replay::LetztesSpiel();
    lauf_.ende = Nehmen(*form);
    lauf_.toene = Spieltoene(Sounds());
  }

  // Plays the game back on a fresh main window, through the file format, and
  // compares it at every piece and at the end.
  void Vergleichen(const Lauf& lauf) {
    const replay::Gelesen g = replay::Lesen(replay::Schreiben(lauf.a));
    ASSERT_EQ(g.fehler, QString());
    ASSERT_EQ(g.aufzeichnung.ereignisse, lauf.a.ereignisse);
    auto spieler = std::make_unique<TForm>();
    spieler->Form_Load();
    platform::sound::ClearRequests();
    replay::Wiedergabe w(*spieler, g);
    w.Starten();
    double pos = 0;
    for (const auto& [zeit, stand] : lauf.proStein) {
      w.Vorruecken(static_cast<double>(zeit) - pos);
      pos = static_cast<double>(zeit);
      ASSERT_EQ(Unterschied(Nehmen(*spieler), stand), "") << "at " << zeit << " ms";
    }
    w.BisZumEnde();
    EXPECT_TRUE(w.Fertig());
    EXPECT_EQ(w.Meldung(), QString());
    EXPECT_EQ(Unterschied(Nehmen(*spieler), lauf.ende), "");
    EXPECT_EQ(Spieltoene(Sounds()), lauf.toene);
    EXPECT_TRUE(spieler->SpielVorbei);
  }

  // Plays back on the virtual clock at a speed of 2^stufen and compares the end.
  void MitTempo(const Lauf& lauf, int stufen) {
    auto spieler = std::make_unique<TForm>();
    spieler->Form_Load();
    replay::Wiedergabe w(*spieler, replay::Lesen(replay::Schreiben(lauf.a)));
    w.Starten();
    for (int i = 0; i < std::abs(stufen); ++i) stufen > 0 ? w.Schneller() : w.Langsamer();
    const double tempo = stufen > 0 ? double(1 << stufen) : 1.0 / double(1 << -stufen);
    ASSERT_EQ(w.Tempo(), tempo);
    const int64_t dauer = lauf.a.ereignisse.back().zeit;
    const int64_t begonnen = platform::clock::NowMs();
    while (!w.Fertig() && platform::clock::NowMs() - begonnen < 10 * dauer + 1000) Advance(10);
    ASSERT_TRUE(w.Fertig());
    // The playback keeps its pace: it takes the recorded time over the speed.
    EXPECT_NEAR(double(platform::clock::NowMs() - begonnen), double(dauer) / tempo, 20 + 10 * tempo);
    EXPECT_EQ(w.Meldung(), QString());
    EXPECT_EQ(Unterschied(Nehmen(*spieler), lauf.ende), "");
  }

  int64_t start_ = 0;
  size_t gesehen_ = 0;
  Lauf lauf_;
};
