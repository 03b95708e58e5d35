#include "app/hauptmodul.h"

#include <QCoreApplication>
#include <QGuiApplication>
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
    if (g_form && !g_form->Beendet())
      g_form->FensterEntladen();
    else
      QCoreApplication::exit(0);  // also leaves the start-up message box, before the main loop runs
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
  return true;
}

TForm* Hauptfenster() { return g_form.get(); }

void Entladen() { g_form.reset(); }

}  // namespace HauptModul
