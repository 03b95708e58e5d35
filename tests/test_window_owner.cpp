// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's other windows belong to the game screen: each is a fixed dialog
// transient for it, without minimise or maximise; the name entry is modal to
// it; a click that activates the disabled game screen hands the keyboard back;
// and a window the desktop minimises comes back at once, with the game screen.

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QWindow>
#include <functional>
#include <string>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace {

struct Fenster {
  const char* name;
  std::function<QWidget&(TForm&)> oeffnen;
  bool titelleiste;  // a title bar with a close button; otherwise no frame at all
  bool vollbild;     // covers the screen and hides the game screen
  Qt::WindowModality modalitaet;
};
void PrintTo(const Fenster& f, std::ostream* os) { *os << f.name; }

QWidget& NamenEingabe(TForm& f) {
  QFile::remove(Eingabe::Dateipfad());
  f.Punktestand = 520;
  f.HighscoreEintrag();
  return f.EingabeForm();
}

// The rule, once: the small windows over the disabled game screen are dialogs of
// a fixed size; the entry has no frame and is modal to the game screen; the about
// box is not modal for the toolkit, which would swallow close requests on the
// game screen; the instructions and the list replace the game screen.
const Fenster kFenster[] = {
    {"Instructions",
     [](TForm& f) -> QWidget& {
       f.picButtonAnleitung_Click();
       return f.AnleitungForm();
     },
     false, true, Qt::NonModal},
    {"List",
     [](TForm& f) -> QWidget& {
       f.picButtonHighscore_Click();
       return f.HighscoreForm();
     },
     false, true, Qt::NonModal},
    {"About",
     [](TForm& f) -> QWidget& {
       f.picButtonCopyright_Click();
       return f.InfoFormForm();
     },
     true, false, Qt::NonModal},
    {"Entry", NamenEingabe, false, false, Qt::WindowModal},
};

class Zugehoerig : public FormTest, public ::testing::WithParamInterface<Fenster> {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->showFullScreen();
    form->activateWindow();
    QCoreApplication::processEvents();
  }

  QWidget& Oeffnen() {
    QWidget& w = GetParam().oeffnen(*form);
    QCoreApplication::processEvents();
    return w;
  }

  // The window is up as it was opened, with the keyboard, and the game screen as it belongs under it.
  void WieGeoeffnet(QWidget& w, const char* wann) {
    SCOPED_TRACE(wann);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(w.isFullScreen(), GetParam().vollbild);
    EXPECT_EQ(QApplication::activeWindow(), &w);
    EXPECT_EQ(form->isVisible(), !GetParam().vollbild);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(!form->isVisible() || form->isFullScreen());
    EXPECT_EQ(form->isEnabled(), GetParam().vollbild) << "disabled under the small windows";
  }
};

TEST_P(Zugehoerig, IsADialogOfTheGameScreenWithoutMinimiseOrMaximise) {
  const Fenster& p = GetParam();
  QWidget& w = Oeffnen();
  ASSERT_TRUE(w.isVisible());
  ASSERT_NE(w.windowHandle(), nullptr);
  EXPECT_EQ(w.windowHandle()->transientParent(), form->windowHandle());
  EXPECT_EQ(w.windowType(), Qt::Dialog);
  const Qt::WindowFlags flags = w.windowFlags();
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));
  if (p.titelleiste) {
    // Customised, or the toolkit adds the buttons it thinks a dialog should have.
    EXPECT_EQ(
        flags & (Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::FramelessWindowHint),
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  } else {
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
  }
  EXPECT_TRUE(p.vollbild || w.minimumSize() == w.maximumSize()) << "a fixed size";
  EXPECT_EQ(w.windowModality(), p.modalitaet);
  QWindow* modal = QGuiApplication::modalWindow();
  if (p.modalitaet == Qt::NonModal)
    EXPECT_EQ(modal, nullptr) << "a modal window would swallow close requests on the game screen";
  else
    EXPECT_EQ(modal, w.windowHandle());
  WieGeoeffnet(w, "opened");

  // Shown again, the same window is still transient for the game screen.
  if (p.modalitaet == Qt::NonModal) {
    w.close();
    ASSERT_FALSE(w.isVisible());
    QWidget& wieder = Oeffnen();
    EXPECT_EQ(&wieder, &w);
    EXPECT_EQ(wieder.windowHandle()->transientParent(), form->windowHandle());
  }
}

TEST_P(Zugehoerig, AWindowTheDesktopMinimisesComesBackWithTheGame) {
  QWidget& w = Oeffnen();
  w.setWindowState(w.windowState() | Qt::WindowMinimized);
  QCoreApplication::processEvents();
  WieGeoeffnet(w, "after the window was minimised");

  // Some desktops minimise the owner with its dialogs.
  if (form->isVisible()) {
    form->setWindowState(form->windowState() | Qt::WindowMinimized);
    w.setWindowState(w.windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    WieGeoeffnet(w, "after the game screen and the window were minimised");
  }
}

TEST_P(Zugehoerig, ActivatingTheDisabledGameScreenHandsTheKeyboardBack) {
  QWidget& w = Oeffnen();
  if (GetParam().vollbild) GTEST_SKIP() << "the game screen is hidden";
  form->activateWindow();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  WieGeoeffnet(w, "after the game screen was activated");
}

INSTANTIATE_TEST_SUITE_P(Fensterarten, Zugehoerig, ::testing::ValuesIn(kFenster),
                         [](const ::testing::TestParamInfo<Fenster>& info) { return std::string(info.param.name); });

class Spielfenster : public FormTest {};

// Minimising the game screen alone is the player's business.
TEST_F(Spielfenster, MinimisedAloneItStaysMinimised) {
  form->showFullScreen();
  QCoreApplication::processEvents();
  form->setWindowState(form->windowState() | Qt::WindowMinimized);
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->isMinimized());
}

// The empty-name message belongs to the entry it was asked from.
TEST_F(Spielfenster, TheEmptyNameMessageIsOwnedByTheEntry) {
  QWidget* besitzer = nullptr;
  platform::dialog::SetMessageBoxSeam(
      [&](QWidget* owner, const QString&, const QString&, platform::dialog::Icon) { besitzer = owner; });
  form->showFullScreen();
  Eingabe& e = static_cast<Eingabe&>(NamenEingabe(*form));
  e.HSEingabe->clear();
  e.picButtonOK_Click();
  platform::dialog::SetMessageBoxSeam(nullptr);
  EXPECT_EQ(besitzer, &e);
}

}  // namespace
