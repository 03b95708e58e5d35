// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window: the well, the preview, the counters, the menu buttons and
// every field of the game in progress. The rules of play are members of this
// class too; they live in the units of engine/ and input/.

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>

#include "platform/picturebox.h"
#include "platform/timer.h"

class Highscore;
class Eingabe;
class Anleitung;
class InfoForm;

class TForm : public QWidget {
  Q_OBJECT
 public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  // --- Start-up and new game ------------------------------------------------
  void Form_Load();
  void picButtonNeuesSpiel_Click();

  // --- Pieces: choice, spawn and preview ------------------------------------
  void NeuerStein();
  void NaechstenWaehlen();  // reseed, then a new next piece of a random kind
  void VorschauZeigen();

  // --- Pictures and placing -------------------------------------------------
  void Init();
  void Pattern(int M, int Wo, int Xp, int Yp);
  void Setzen();
  // The four steps of painting the falling piece over the well.
  void Loeschen();  // put back the saved background
  void Sichern();   // save what lies under the piece
  void Zeichnen();  // masked paint of the piece
  void Anzeigen();  // refresh the well on screen

  // --- Side moves and turning -----------------------------------------------
  bool LinksBelegt() const;
  bool RechtsBelegt() const;
  bool DrehPruefer() const;
  void LinksBewegen();
  void RechtsBewegen();
  void Drehen();

  // --- Gravity and landing --------------------------------------------------
  void FallTimer_Timer();
  bool Pruefen();
  void FallStein();
  void Warten();
  void WartenTimer_Timer();

  // --- Rows -----------------------------------------------------------------
  // True when the check is complete; false while the removed rows flash and
  // the rest of the placing waits for the flash timer.
  bool ReihePruefen();
  void ReiheTimer_Timer();

  // --- Counters ---------------------------------------------------------------
  void DigAnz(platform::PictureBox& Wohin, int Stelle, int Zahl);
  void Punkte(int Anz);
  void NextLevel();
  void ReihenAnzeige();

  // --- Pause and end of game ------------------------------------------------
  void Pause();
  // Saves the well under the pause sign and paints the sign.
  void PauseSchildZeichnen();
  void GameOver();
  void GameOverTimer_Timer();

  // --- Keyboard and joystick ------------------------------------------------
  void Form_KeyDown(int& KeyCode, int Shift);
  void Form_KeyPress(int& KeyAscii);
  void Form_KeyUp(int& KeyCode, int Shift);
  void JoystickInit();
  void timJoystick_Timer();

  // --- Highscores and menu --------------------------------------------------
  void HighscoreEintrag();
  void picButtonHighscore_Click();
  void picButtonAnleitung_Click();
  void picButtonCopyright_Click();
  void picButtonBeenden_Click();
  // The end of the program without the sounds: every window unloaded in its order.
  void FensterEntladen();
  void HSZurueck();
  // The step every secondary window takes when it opens: halt a running game.
  void SpielAnhalten();
  // The way back from a secondary window to the game screen.
  void ZurueckZumSpiel(QWidget* fenster);
  void FormAnpassen();

  // The secondary windows, each created on first use.
  Highscore& HighscoreForm();
  Eingabe& EingabeForm();
  Anleitung& AnleitungForm();
  InfoForm& InfoFormForm();
  bool HighscoreGeladen() const { return highscore_ != nullptr; }
  bool EingabeGeladen() const { return eingabe_ != nullptr; }
  bool AnleitungGeladen() const { return anleitung_ != nullptr; }
  bool InfoFormGeladen() const { return infoForm_ != nullptr; }
  // True once the quit button has unloaded everything.
  bool Beendet() const { return beendet_; }

  // Size of a piece picture in pixels.
  static int BildBreite(int p);
  static int BildHoehe(int p);

  // --- Visible elements -------------------------------------------------------
  platform::PictureBox* TFormPic;
  platform::PictureBox* TBox;
  std::array<platform::PictureBox*, 3> TBoxRahmen;
  platform::PictureBox* PkteForm;
  platform::PictureBox* PunkteTitel;
  platform::PictureBox* LevelTitel;
  platform::PictureBox* ReihenTitel;
  platform::PictureBox* PunkteDigAnz;
  platform::PictureBox* LevelDigAnz;
  platform::PictureBox* ReihenDigAnz;
  platform::PictureBox* VorschauRahmen;
  platform::PictureBox* VorschauTitel;
  platform::PictureBox* Vorschau;
  platform::PictureButton* picButtonNeuesSpiel;
  platform::PictureButton* picButtonHighscore;
  platform::PictureButton* picButtonCopyright;
  platform::PictureButton* picButtonAnleitung;
  platform::PictureButton* picButtonBeenden;

  // --- Hidden pictures --------------------------------------------------------
  std::array<QImage, 7> Muster;
  std::array<QImage, 28> N;
  std::array<QImage, 28> NB;
  QImage Schwarz, RahmenMuster, Reihe, Digital, TBoxSich, SichBox;
  QImage GameOverPic1, GameOverPic2, GameOverBl1, GameOverBl2, GameOverSich1, GameOverSich2;
  QImage PausePic, PausePicBl, PauseSich;
  QImage picRandVertikal, picRandHorizontal, picEcke, picHG, Logo, LogoBlack;

  // --- Timers -----------------------------------------------------------------
  platform::Timer FallTimer{50};
  platform::Timer WartenTimer{200};
  platform::Timer ReiheTimer{200};
  platform::Timer GameOverTimer{50};
  platform::Timer timJoystick{10};

  // --- The game in progress ---------------------------------------------------
  // Settled cells, columns 0 ... 10 and rows 0 ... 20; column 0 and row 0 stay free.
  bool Belegt[11][21] = {};
  int Farbe[11][21] = {};  // 0 = empty, otherwise kind + 1
  int AktStein = 0;        // picture number 4 x kind + rotation state
  float SteinX = 0;        // pixels, left edge of the piece picture in the well
  float SteinY = 0;        // pixels, top edge; negative while above the well
  int NaechsterStein = 0;
  int Punktestand = 0;
  int Level = 0;
  int Reihen = 0;
  int Fallschritt = 0;      // pixels per gravity tick
  int FallschrittSich = 0;  // the normal step while Down is held
  bool SpielVorbei = false;
  bool Pausiert = false;
  bool SteinNeu = false;
  bool Wartet = false;
  bool Durchfall = false;
  int ReiheTakt = 0;
  int GameOverSchritt = 0;
  bool TimerWarAktiv = false;
  // Saved background under the falling piece: corner in pixels, size in twips.
  float SichX = 0, SichY = 0;
  int SichBreite = 0, SichHoehe = 0;
  // A row flash is running and the rest of the placing resumes when it ends.
  bool ReiheFortsetzung = false;
  // A secondary window is open: a piece spawned meanwhile waits for the return.
  bool FensterOffen = false;
  // A game ended behind a secondary window: the name entry waits for the way back.
  bool EintragWartet = false;

  // --- Joystick -----------------------------------------------------------------
  int32_t JoyXMin = 0, JoyXMax = 0, JoyYMin = 0, JoyYMax = 0;
  QString JoyXAlt, JoyYAlt, JoyKnopf1Alt, JoyKnopf2Alt;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<Highscore> highscore_;
  std::unique_ptr<Eingabe> eingabe_;
  std::unique_ptr<Anleitung> anleitung_;
  std::unique_ptr<InfoForm> infoForm_;
  bool beendet_ = false;
};
