#include "app/hauptmodul.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "app/tform.h"
#include "platform/display.h"
#include "platform/system.h"

namespace HauptModul {

namespace {
std::unique_ptr<TForm> g_form;
}

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
    QTimer::singleShot(0, g_form.get(), [] {
      if (g_form && !g_form->Beendet()) g_form->FensterEntladen();
    });
  });
}

bool Main() {
  if (platform::display::LogicalDpiX() != 96) {
    platform::dialog::MessageBox(nullptr,
                                 QStringLiteral("Windows is currently running with a custom font size.\r\n"
                                                "As Norvane only works with the default font size (96 dpi)\r\n"
                                                "you should adjust your display settings to 'Small Fonts'."),
                                 QStringLiteral("Error (wrong font size) :"), platform::dialog::Icon::Critical);
    return false;
  }
  g_form = std::make_unique<TForm>();
  g_form->Form_Load();
  g_form->showFullScreen();
  // A game started from a menu or a terminal takes the keyboard at once.
  g_form->activateWindow();
  return true;
}

TForm* Hauptfenster() { return g_form.get(); }

void Entladen() { g_form.reset(); }

}  // namespace HauptModul
