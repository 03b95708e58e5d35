// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Playing a recorded game back on the real game screen. The recorded events
// drive the game, each at its recorded time on the playback's own clock; the
// game's timers never tick by themselves meanwhile, so the result is the same
// at any playback speed and on any machine.

#include <QObject>
#include <QString>

#include "platform/timer.h"
#include "replay/format.h"

class TForm;

namespace replay {

class Wiedergabe : public QObject {
 public:
  // `gelesen` may carry a fault: the game is played up to it and stops there.
  Wiedergabe(TForm& form, Gelesen gelesen);
  ~Wiedergabe() override;
  Wiedergabe(const Wiedergabe&) = delete;
  Wiedergabe& operator=(const Wiedergabe&) = delete;

  // New Game as recorded; from then on the playback clock runs the events.
  void Starten();
  // Moves the recording's time on by `ms` and plays every event due.
  void Vorruecken(double ms);
  void BisZumEnde();
  void PauseUmschalten();
  void Schneller();
  void Langsamer();

  double Tempo() const { return tempo_; }
  bool Pausiert() const { return pause_; }
  bool Fertig() const { return fertig_; }
  // Why the playback stopped early or does not match; empty when it ran through.
  const QString& Meldung() const { return meldung_; }
  // The next piece during the playback: the recorded one.
  int Stein();

  // The speed limits: 1/4 to 8 times the recorded pace.
  static constexpr double kLangsamst = 0.25;
  static constexpr double kSchnellst = 8.0;

 protected:
  bool eventFilter(QObject* objekt, QEvent* event) override;

 private:
  void Takt();
  void Ausfuehren(const Ereignis& e);
  void Stoppen(const QString& meldung);
  void Ende();

  TForm& form_;
  Aufzeichnung a_;
  QString dateiFehler_;
  size_t naechstes_ = 0;
  double position_ = 0;
  double tempo_ = 1;
  bool pause_ = false;
  bool fertig_ = false;
  QString meldung_;
  platform::Timer takt_{10};
  int64_t zuletzt_ = 0;
};

// The playback running now, or null.
Wiedergabe* Aktive();
int WiedergabeStein(int art);

}  // namespace replay
