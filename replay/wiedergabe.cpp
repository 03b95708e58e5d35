// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/wiedergabe.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <cstdio>

#include "app/tform.h"
#include "shell/sound.h"

namespace replay {

namespace {
Wiedergabe* g_aktiv = nullptr;
}

Wiedergabe* Aktive() { return g_aktiv; }

bool WiedergabeAktiv() { return g_aktiv != nullptr; }

int WiedergabeStein(int art) { return g_aktiv ? g_aktiv->Stein() : art; }

Wiedergabe::Wiedergabe(TForm& form, Gelesen gelesen)
    : form_(form), a_(std::move(gelesen.aufzeichnung)), dateiFehler_(std::move(gelesen.fehler)) {
  g_aktiv = this;
  takt_.OnTick = [this] { Takt(); };
}

Wiedergabe::~Wiedergabe() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
  for (platform::Timer* t :
       {&form_.FallTimer, &form_.WartenTimer, &form_.ReiheTimer, &form_.GameOverTimer, &form_.timJoystick})
    t->SetDriven(false);
  if (g_aktiv == this) g_aktiv = nullptr;
}

void Wiedergabe::Starten() {
  // Only the recorded events move the game: no timer of its own, no button but quit.
  for (platform::Timer* t :
       {&form_.FallTimer, &form_.WartenTimer, &form_.ReiheTimer, &form_.GameOverTimer, &form_.timJoystick})
    t->SetDriven(true);
  for (platform::PictureButton* b :
       {form_.picButtonNeuesSpiel, form_.picButtonHighscore, form_.picButtonCopyright, form_.picButtonAnleitung})
    b->OnClick = [] {};
  if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);

  HauptModul::SoundAn = a_.ton;
  form_.Vorschau->setVisible(a_.vorschau);
  form_.TimerWarAktiv = a_.wartenderStein;
  form_.picButtonNeuesSpiel_Click();
  zuletzt_ = platform::clock::NowMs();
  takt_.SetEnabled(true);
  Vorruecken(0);
}

void Wiedergabe::Takt() {
  const int64_t jetzt = platform::clock::NowMs();
  const int64_t vergangen = jetzt - zuletzt_;
  zuletzt_ = jetzt;
  if (!pause_) Vorruecken(static_cast<double>(vergangen) * tempo_);
}

void Wiedergabe::Vorruecken(double ms) {
  if (fertig_) return;
  position_ += ms;
  while (!fertig_ && naechstes_ < a_.ereignisse.size() &&
         static_cast<double>(a_.ereignisse[naechstes_].zeit) <= position_) {
    const Ereignis e = a_.ereignisse[naechstes_++];
    Ausfuehren(e);
  }
  if (!fertig_ && naechstes_ >= a_.ereignisse.size()) Ende();
}

void Wiedergabe::BisZumEnde() {
  if (!a_.ereignisse.empty()) Vorruecken(static_cast<double>(a_.ereignisse.back().zeit) - position_ + 1);
  if (!fertig_) Ende();
}

void Wiedergabe::PauseUmschalten() {
  pause_ = !pause_;
  zuletzt_ = platform::clock::NowMs();
}

void Wiedergabe::Schneller() {
  if (tempo_ < kSchnellst) tempo_ *= 2;
}

void Wiedergabe::Langsamer() {
  if (tempo_ > kLangsamst) tempo_ /= 2;
}

int Wiedergabe::Stein() {
  if (!fertig_ && naechstes_ < a_.ereignisse.size() && a_.ereignisse[naechstes_].art == Art::Stein)
    return a_.ereignisse[naechstes_++].wert;
  if (!fertig_ && naechstes_ >= a_.ereignisse.size() && !dateiFehler_.isEmpty())
    Stoppen(QStringLiteral("the replay stops here: ") + dateiFehler_);
  else if (!fertig_)
    Stoppen(QStringLiteral("the game draws a piece at %1 ms where the recording has none").arg(position_, 0, 'f', 0));
  // Any fixed kind: the playback ends here, the same way every time.
  return 0;
}

void Wiedergabe::Ausfuehren(const Ereignis& e) {
  const auto zeit = QString::number(e.zeit);
  switch (e.art) {
    case Art::Stein:
      return Stoppen(QStringLiteral("the recording draws a piece at %1 ms where the game does not").arg(zeit));
    case Art::Takt: {
      platform::Timer* timer[kTimerAnzahl] = {&form_.FallTimer, &form_.WartenTimer, &form_.ReiheTimer,
                                              &form_.GameOverTimer};
      if (!timer[e.wert]->Tick())
        return Stoppen(QStringLiteral("timer %1 ticks at %2 ms but does not run in the game").arg(e.wert).arg(zeit));
      return;
    }
    case Art::Taste: {
      int code = e.wert;
      form_.Form_KeyDown(code, 0);
      return;
    }
    case Art::TasteLos: {
      int code = e.wert;
      form_.Form_KeyUp(code, 0);
      return;
    }
    case Art::Anhalten: return form_.SpielAnhalten();
    case Art::Zurueck: return form_.HSZurueck();
  }
}

void Wiedergabe::Ende() {
  if (!dateiFehler_.isEmpty()) return Stoppen(QStringLiteral("the replay stops here: ") + dateiFehler_);
  if (a_.beendet && (a_.punkte != form_.Punktestand || a_.level != form_.Level || a_.reihen != form_.Reihen))
    return Stoppen(
        QStringLiteral("the replay ends with %1 points, level %2, %3 rows; the recorded game with %4, %5, %6")
            .arg(form_.Punktestand)
            .arg(form_.Level)
            .arg(form_.Reihen)
            .arg(a_.punkte)
            .arg(a_.level)
            .arg(a_.reihen));
  fertig_ = true;
  takt_.SetEnabled(false);
}

void Wiedergabe::Stoppen(const QString& meldung) {
  if (fertig_) return;
  fertig_ = true;
  meldung_ = meldung;
  takt_.SetEnabled(false);
  std::fprintf(stderr, "norvane: %s\n", qPrintable(meldung));
}

bool Wiedergabe::eventFilter(QObject* objekt, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
    return QObject::eventFilter(objekt, event);
  // No key reaches the game while it is played back.
  if (event->type() == QEvent::KeyRelease) return true;
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_P: PauseUmschalten(); break;
    case Qt::Key_Right: Schneller(); break;
    case Qt::Key_Left: Langsamer(); break;
    case Qt::Key_Space: BisZumEnde(); break;
    case Qt::Key_Escape: form_.FensterEntladen(); break;
    default: break;
  }
  return true;
}

}  // namespace replay
