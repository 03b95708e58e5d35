// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/hauptmodul.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/tform.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "platform/display.h"
#include "platform/instanz.h"
#include "platform/system.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace HauptModul {

namespace {
// Not an owner: main() holds the window, so nothing of it outlives the toolkit.
TForm* g_form = nullptr;
}  // namespace

void Anwendung() {
  QCoreApplication::setApplicationName(QStringLiteral("norvane"));
  // No display name: the toolkit would append it to every window caption. The
  // launcher takes its name from the desktop file.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.norvane.Norvane"));
  platform::ende::OnTerminate([] {
    // A message box waits in a loop of its own: answer it first, and unload the
    // windows only once that loop has returned, never from under it.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->reject();
    if (!g_form || g_form->Beendet()) return;
    QTimer::singleShot(0, g_form, [] {
      if (g_form && !g_form->Beendet()) g_form->FensterEntladen();
    });
  });
}

std::unique_ptr<TForm> Main() {
  if (platform::display::LogicalDpiX() != 96) {
    platform::dialog::MessageBox(nullptr,
                                 QStringLiteral("Windows is currently running with a custom font size.\r\n"
                                                "As Norvane only works with the default font size (96 dpi)\r\n"
                                                "you should adjust your display settings to 'Small Fonts'."),
                                 QStringLiteral("Error (wrong font size) :"), platform::dialog::Icon::Critical);
    return nullptr;
  }
  auto form = std::make_unique<TForm>();
  g_form = form.get();
  QObject::connect(form.get(), &QObject::destroyed, [f = form.get()] {
    if (g_form == f) g_form = nullptr;
  });
  form->Form_Load();
  form->showFullScreen();
  // A game started from a menu or a terminal takes the keyboard at once.
  form->activateWindow();
  return form;
}

TForm* Hauptfenster() { return g_form; }

std::optional<int> Zweitstart(platform::instanz::Instanz& instanz) {
  // A few seconds: the running game may be busy starting or playing its exit sound.
  switch (instanz.Anmelden(platform::instanz::StartMarke(), 5000)) {
    case platform::instanz::Start::Erster: return std::nullopt;
    case platform::instanz::Start::Weitergereicht: return 0;
    case platform::instanz::Start::KeineAntwort: break;
  }
  std::fprintf(stderr,
               "norvane: the game is already running, but it did not answer within five seconds;"
               " no second game is started.\n");
  return 1;
}

void Zuhoeren(platform::instanz::Instanz& instanz) {
  instanz.Zuhoeren(QCoreApplication::instance(), [](const QByteArray& marke) { NachVorn(marke); });
}

QWidget* VordersteFenster() {
  TForm* f = g_form;
  if (!f || f->Beendet()) return nullptr;
  if (f->EingabeGeladen() && f->EingabeForm().isVisible()) return &f->EingabeForm();
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (f->InfoFormGeladen() && f->InfoFormForm().isVisible()) return &f->InfoFormForm();
  if (f->HighscoreGeladen() && f->HighscoreForm().isVisible()) return &f->HighscoreForm();
  if (f->AnleitungGeladen() && f->AnleitungForm().isVisible()) return &f->AnleitungForm();
  return f;
}

void NachVorn(const QByteArray& marke) {
  QWidget* w = VordersteFenster();
  if (!w) return;
  // On Wayland the toolkit hands this token to the compositor with the activation.
  if (!marke.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", marke);
  for (QWidget* x : {static_cast<QWidget*>(g_form), w})
    if (x->isMinimized()) x->setWindowState((x->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  w->raise();
  w->activateWindow();
}

}  // namespace HauptModul
