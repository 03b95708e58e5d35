// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/dialogfenster.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace dialogfenster {

namespace {

struct Fenster {
  QPointer<QWidget> widget;
  Art art;
};

// One per game screen: watches it and every window that belongs to it.
class Wache : public QObject {
 public:
  explicit Wache(QWidget& haupt) : QObject(&haupt), haupt_(haupt) {
    setObjectName(QStringLiteral("dialogfenster::Wache"));
    haupt.installEventFilter(this);
  }

  void Dazu(QWidget& fenster, Art art) {
    fenster_.push_back({&fenster, art});
    fenster.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        if (watched != &haupt_) Anhaengen(*static_cast<QWidget*>(watched));
        break;
      case QEvent::WindowStateChange:
        if (static_cast<QWidget*>(watched)->isMinimized() && Oben() != nullptr) Spaeter();
        break;
      case QEvent::WindowActivate:
        // A click on the disabled game screen: the window over it keeps the keyboard.
        if (watched == &haupt_ && !haupt_.isEnabled() && Oben() != nullptr) Spaeter();
        break;
      default: break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& haupt_;
  std::vector<Fenster> fenster_;
  bool geplant_ = false;

  // Before the window is mapped: the desktop learns its owner with it.
  void Anhaengen(QWidget& fenster) {
    haupt_.winId();
    fenster.winId();
    if (fenster.windowHandle() && haupt_.windowHandle())
      fenster.windowHandle()->setTransientParent(haupt_.windowHandle());
  }

  // The window of the game that is up over the game screen, if any: the one
  // with the keyboard, else the one opened last.
  const Fenster* Oben() const {
    const Fenster* oben = nullptr;
    for (const Fenster& f : fenster_) {
      if (!f.widget || !f.widget->isVisible()) continue;
      if (f.widget->isActiveWindow()) return &f;
      oben = &f;
    }
    return oben;
  }

  // Once the current event is through; several events in a row ask only once.
  void Spaeter() {
    if (geplant_) return;
    geplant_ = true;
    QTimer::singleShot(0, this, [this] {
      geplant_ = false;
      Zurueckholen();
    });
  }

  void Zurueckholen() {
    const Fenster* oben = Oben();
    if (oben == nullptr) return;
    if (haupt_.isVisible() && haupt_.isMinimized()) haupt_.showFullScreen();
    QWidget& w = *oben->widget;
    if (w.isMinimized()) {
      if (oben->art == Art::Vollbild)
        w.showFullScreen();
      else
        w.showNormal();
    }
    w.raise();
    w.activateWindow();
  }
};

}  // namespace

Qt::WindowFlags Flags(Art art) {
  switch (art) {
    case Art::Titel: return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    case Art::Ohne:
    case Art::Vollbild: return Qt::Dialog | Qt::FramelessWindowHint;
  }
  return Qt::Dialog;
}

void Anbinden(QWidget& fenster, QWidget& haupt, Art art) {
  // Found by its name: it carries no meta-object of its own.
  auto* gefunden = haupt.findChild<QObject*>(QStringLiteral("dialogfenster::Wache"), Qt::FindDirectChildrenOnly);
  Wache* wache = gefunden ? static_cast<Wache*>(gefunden) : new Wache(haupt);
  wache->Dazu(fenster, art);
}

}  // namespace dialogfenster
