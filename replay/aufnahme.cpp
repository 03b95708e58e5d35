// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/aufnahme.h"

#include <optional>

#include "app/tform.h"
#include "input/keys.h"
#include "platform/timer.h"
#include "replay/ordner.h"
#include "replay/wiedergabe.h"
#include "shell/sound.h"

namespace replay {

namespace {

struct Aufnahme {
  const TForm* form = nullptr;  // only compared, the form may be gone
  bool laeuft = false;
  int64_t start = 0;
  Aufzeichnung a;
};
Aufnahme g_aufnahme;
std::optional<Aufzeichnung> g_letztes;
// An entry saved while the game-over signs still slide: written at their end.
std::optional<std::pair<int, QString>> g_eintragWartet;
std::function<int(int)> g_steinWahl;

void Notieren(Art art, int wert) {
  g_aufnahme.a.ereignisse.push_back({platform::clock::NowMs() - g_aufnahme.start, art, wert});
}

void Fertig(const TForm& form) {
  Aufzeichnung& a = g_aufnahme.a;
  a.beendet = true;
  a.punkte = form.Punktestand;
  a.level = form.Level;
  a.reihen = form.Reihen;
  g_aufnahme.laeuft = false;
  g_letztes = std::move(a);
  g_aufnahme.a = {};
  LetztesSichern(*g_letztes);
  if (g_eintragWartet) {
    const auto [punkte, name] = *g_eintragWartet;
    g_eintragWartet.reset();
    if (punkte == g_letztes->punkte) {
      EintragSichern(*g_letztes, punkte, name);
      g_letztes->eintrag = true;
    }
  }
}

void TaktGesehen(const platform::Timer& t) {
  if (!g_aufnahme.laeuft || g_aufnahme.form == nullptr) return;
  const TForm& f = *g_aufnahme.form;
  int nr = -1;
  if (&t == &f.FallTimer) nr = 0;
  if (&t == &f.WartenTimer) nr = 1;
  if (&t == &f.ReiheTimer) nr = 2;
  if (&t == &f.GameOverTimer) nr = 3;
  // The joystick timer is not a game event: the keys it makes are.
  if (nr < 0) return;
  Notieren(Art::Takt, nr);
  // This tick takes the signs down and ends the sequence; nothing changes after it.
  if (nr == 3 && f.GameOverSchritt >= 161) Fertig(f);
}

bool Aufzeichnen(const TForm& form) { return g_aufnahme.laeuft && g_aufnahme.form == &form && !WiedergabeAktiv(); }

}  // namespace

void NeuesSpiel(const TForm& form) {
  if (WiedergabeAktiv()) return;
  platform::Timer::SetTickObserver(TaktGesehen);
  g_aufnahme = {};
  g_aufnahme.form = &form;
  g_aufnahme.laeuft = true;
  g_aufnahme.start = platform::clock::NowMs();
  Aufzeichnung& a = g_aufnahme.a;
  a.programm = ProgrammVersion();
  a.ton = HauptModul::SoundAn;
  a.vorschau = !form.Vorschau->isHidden();
  a.wartenderStein = form.TimerWarAktiv;
  // A long game is some ten thousand events; growing the list is what costs.
  a.ereignisse.reserve(16384);
  g_eintragWartet.reset();
}

int Stein(const TForm& form, int art) {
  if (WiedergabeAktiv()) return WiedergabeStein(art);
  if (g_steinWahl) art = g_steinWahl(art);
  if (Aufzeichnen(form)) Notieren(Art::Stein, art);
  return art;
}

void Taste(const TForm& form, bool unten, int code) {
  if (!Aufzeichnen(form)) return;
  // Only keys that can change the game are kept.
  static constexpr int kWirksam[] = {keys::Leertaste, keys::Links, keys::Hoch, keys::Rechts, keys::Runter,
                                     keys::J,         keys::P,     keys::S,    keys::V};
  if (!unten && code != keys::Runter) return;
  for (int k : kWirksam)
    if (k == code) return Notieren(unten ? Art::Taste : Art::TasteLos, code);
}

void Fenster(const TForm& form, bool offen) {
  if (Aufzeichnen(form)) Notieren(offen ? Art::Anhalten : Art::Zurueck, 0);
}

void EintragGespeichert(int punkte, const QString& name) {
  if (WiedergabeAktiv()) return;
  if (g_aufnahme.laeuft && g_aufnahme.form && g_aufnahme.form->SpielVorbei && g_aufnahme.form->Punktestand == punkte) {
    g_eintragWartet = {punkte, name};
    return;
  }
  if (g_letztes && !g_letztes->eintrag && g_letztes->punkte == punkte) {
    EintragSichern(*g_letztes, punkte, name);
    g_letztes->eintrag = true;  // one entry file per game
  }
}

void FormEntfernt(const TForm& form) {
  if (g_aufnahme.form != &form) return;
  g_aufnahme = {};
  g_eintragWartet.reset();
}

void SetzeSteinWahlFuerTests(std::function<int(int)> wahl) { g_steinWahl = std::move(wahl); }

const Aufzeichnung* LaufendeAufnahme() { return g_aufnahme.laeuft ? &g_aufnahme.a : nullptr; }

const Aufzeichnung* LetztesSpiel() { return g_letztes ? &*g_letztes : nullptr; }

void Zuruecksetzen() {
  g_aufnahme = {};
  g_letztes.reset();
  g_eintragWartet.reset();
  platform::Timer::SetTickObserver({});
}

}  // namespace replay
