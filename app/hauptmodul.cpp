#include "app/hauptmodul.h"

#include <memory>

#include "app/tform.h"
#include "platform/display.h"

namespace HauptModul {

namespace {
std::unique_ptr<TForm> g_form;
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
