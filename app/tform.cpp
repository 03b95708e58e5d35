// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/tform.h"

#include <QKeyEvent>

#include "engine/tables.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "input/keys.h"
#include "platform/blit.h"
#include "platform/display.h"
#include "platform/system.h"
#include "replay/aufnahme.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"
#include "shell/sound.h"

using platform::LoadPicture;
using platform::PictureBox;
using platform::PictureButton;

TForm::TForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TForm"));
  setWindowTitle(QStringLiteral("Kelmora"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);

  TFormPic = new PictureBox(this, 0, 0, 640, 480, 0xFFE0E0E0u);
  TFormPic->setObjectName(QStringLiteral("TFormPic"));
  TBox = new PictureBox(TFormPic, 376, 32, 200, 400);
  TBox->setObjectName(QStringLiteral("TBox"));
  TBox->setFocusPolicy(Qt::StrongFocus);
  TBoxRahmen[0] = new PictureBox(TFormPic, 356, 32, 20, 400);
  TBoxRahmen[1] = new PictureBox(TFormPic, 356, 432, 240, 20);
  TBoxRahmen[2] = new PictureBox(TFormPic, 576, 32, 20, 400);

  PkteForm = new PictureBox(TFormPic, 45, 152, 273, 81);
  PkteForm->SetPicture(LoadPicture(QStringLiteral("pkteform"), 273, 81));
  PunkteTitel = new PictureBox(PkteForm, 16, 11, 107, 14);
  PunkteTitel->SetPicture(LoadPicture(QStringLiteral("punktetitel"), 107, 14));
  LevelTitel = new PictureBox(PkteForm, 16, 35, 98, 14);
  LevelTitel->SetPicture(LoadPicture(QStringLiteral("leveltitel"), 98, 14));
  ReihenTitel = new PictureBox(PkteForm, 16, 59, 95, 14);
  ReihenTitel->SetPicture(LoadPicture(QStringLiteral("reihentitel"), 95, 14));
  PunkteDigAnz = new PictureBox(PkteForm, 160, 8, 94, 20);
  LevelDigAnz = new PictureBox(PkteForm, 224, 32, 30, 20);
  ReihenDigAnz = new PictureBox(PkteForm, 192, 56, 62, 20);

  VorschauRahmen = new PictureBox(TFormPic, 85, 248, 193, 89);
  VorschauRahmen->SetPicture(LoadPicture(QStringLiteral("vorschaurahmen"), 193, 89));
  VorschauTitel = new PictureBox(VorschauRahmen, 53, 8, 88, 14);
  VorschauTitel->SetPicture(LoadPicture(QStringLiteral("vorschautitel"), 88, 14));
  Vorschau = new PictureBox(VorschauRahmen, 56, 40, 80, 40);

  struct ButtonDef {
    PictureButton** button;
    int x, y, w;
    const char* picture;
    void (TForm::*click)();
  };
  const ButtonDef buttons[] = {
      {&picButtonNeuesSpiel, 48, 360, 80, "btn_neuesspiel", &TForm::picButtonNeuesSpiel_Click},
      {&picButtonHighscore, 141, 360, 86, "btn_highscore", &TForm::picButtonHighscore_Click},
      {&picButtonCopyright, 240, 360, 80, "btn_copyright", &TForm::picButtonCopyright_Click},
      {&picButtonAnleitung, 48, 408, 80, "btn_anleitung", &TForm::picButtonAnleitung_Click},
      {&picButtonBeenden, 240, 408, 80, "btn_beenden", &TForm::picButtonBeenden_Click},
  };
  for (const ButtonDef& def : buttons) {
    auto* b = new PictureButton(TFormPic, def.x, def.y, def.w, 28);
    b->SetPicture(LoadPicture(QString::fromLatin1(def.picture), def.w, 28));
    b->setObjectName(QString::fromLatin1(def.picture));
    b->OnClick = [this, click = def.click] { (this->*click)(); };
    *def.button = b;
  }

  // Hidden pictures: drawing sources and buffers.
  for (int k = 0; k < 7; ++k) Muster[k] = LoadPicture(QStringLiteral("muster%1").arg(k), 20, 20);
  for (int p = 0; p < 28; ++p) {
    N[p] = platform::NewImage(BildBreite(p), BildHoehe(p));
    NB[p] = platform::NewImage(BildBreite(p), BildHoehe(p));
  }
  Schwarz = platform::NewImage(20, 20, 0xFF000000u);
  RahmenMuster = LoadPicture(QStringLiteral("rahmenmuster"), 20, 20);
  Reihe = LoadPicture(QStringLiteral("reihe"), 20, 20);
  Digital = LoadPicture(QStringLiteral("digital"), 154, 20);
  TBoxSich = LoadPicture(QStringLiteral("tboxsich"), 200, 400);
  SichBox = platform::NewImage(80, 80);
  GameOverPic1 = LoadPicture(QStringLiteral("gameoverpic1"), 146, 39);
  GameOverBl1 = LoadPicture(QStringLiteral("gameoverbl1"), 146, 39);
  GameOverSich1 = platform::NewImage(GameOverPic1.width(), GameOverPic1.height());
  GameOverPic2 = LoadPicture(QStringLiteral("gameoverpic2"), 142, 39);
  GameOverBl2 = LoadPicture(QStringLiteral("gameoverbl2"), 142, 39);
  GameOverSich2 = platform::NewImage(GameOverPic2.width(), GameOverPic2.height());
  PausePic = LoadPicture(QStringLiteral("pausepic"), 190, 48);
  PausePicBl = LoadPicture(QStringLiteral("pausepicbl"), 190, 48);
  PauseSich = platform::NewImage(PausePic.width(), PausePic.height());
  picRandVertikal = LoadPicture(QStringLiteral("picrandvertikal"), 6, 27);
  picRandHorizontal = LoadPicture(QStringLiteral("picrandhorizontal"), 30, 6);
  picEcke = LoadPicture(QStringLiteral("picecke"), 6, 6);
  picHG = LoadPicture(QStringLiteral("hg_main"), 150, 120);
  Logo = LoadPicture(QStringLiteral("logo"), 220, 91);
  LogoBlack = LoadPicture(QStringLiteral("logoblack"), 220, 91);

  FallTimer.OnTick = [this] { FallTimer_Timer(); };
  WartenTimer.OnTick = [this] { WartenTimer_Timer(); };
  ReiheTimer.OnTick = [this] { ReiheTimer_Timer(); };
  GameOverTimer.OnTick = [this] { GameOverTimer_Timer(); };
  timJoystick.OnTick = [this] { timJoystick_Timer(); };
}

void TForm::Form_Load() {
  HauptModul::SoundAn = true;
  Pausiert = false;
  FormAnpassen();
  for (int p = 1; p <= 6; ++p) DigAnz(*PunkteDigAnz, p, 10);
  for (int p = 1; p <= 2; ++p) DigAnz(*LevelDigAnz, p, 10);
  for (int p = 1; p <= 4; ++p) DigAnz(*ReihenDigAnz, p, 10);
  PunkteDigAnz->Refresh();
  LevelDigAnz->Refresh();
  ReihenDigAnz->Refresh();
  SpielVorbei = true;
  Init();
}

void TForm::picButtonNeuesSpiel_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  replay::NeuesSpiel(*this);
  if (GameOverTimer.Enabled()) GameOverTimer.SetEnabled(false);
  // A landing delay or a row flash of the old game must not act on the new one.
  WartenTimer.SetEnabled(false);
  Wartet = false;
  Durchfall = false;
  ReiheTimer.SetEnabled(false);
  ReiheFortsetzung = false;
  EintragWartet = false;
  ReiheTakt = 0;
  Pausiert = false;
  platform::BitBlt(TBox->Image(), 0, 0, TBox->width(), TBox->height(), TBoxSich, 0, 0, platform::Rop::SrcCopy);
  for (int c = 1; c <= 10; ++c) {
    for (int r = 1; r <= 20; ++r) {
      Belegt[c][r] = false;
      Farbe[c][r] = 0;
    }
  }
  Reihen = 0;
  ReihenAnzeige();
  Level = 0;
  Fallschritt = 2;
  NextLevel();
  Punktestand = 0;
  Punkte(0);
  TBox->Refresh();
  TBox->setFocus();
  NaechstenWaehlen();
  NeuerStein();
  SpielVorbei = false;
}

void TForm::keyPressEvent(QKeyEvent* event) {
  int code = keys::VirtualKey(*event);
  if (code != 0) Form_KeyDown(code, 0);
  const QString text = event->text();
  if (!text.isEmpty()) {
    int ascii = text.at(0).unicode();
    Form_KeyPress(ascii);
  }
  event->accept();
}

void TForm::keyReleaseEvent(QKeyEvent* event) {
  // The toolkit reports a release before every repeated press; only the real one counts.
  if (event->isAutoRepeat()) return;
  int code = keys::VirtualKey(*event);
  if (code != 0) Form_KeyUp(code, 0);
  event->accept();
}

int TForm::BildBreite(int p) { return 20 * engine::kKatalog[static_cast<size_t>(p)].breite; }

int TForm::BildHoehe(int p) { return 20 * engine::kKatalog[static_cast<size_t>(p)].hoehe; }
