// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "highscore/eingabe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <cmath>

#include "app/tform.h"
#include "highscore/highscore_form.h"
#include "platform/blit.h"
#include "platform/display.h"
#include "platform/system.h"
#include "replay/aufnahme.h"
#include "shell/dialogfenster.h"
#include "shell/skin.h"
#include "shell/sound.h"

using platform::LoadPicture;

namespace {

constexpr int kBreite = 362;
constexpr int kHoehe = 201;
constexpr int kEckenEllipse = 110;
// Twenty characters of many code units each still fit a line of the file.
constexpr int kMaxCodeEinheiten = 400;

QFont Schrift(double punkte) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPointSizeF(punkte);
  f.setBold(true);
  return f;
}

QLabel* Text(QWidget* fenster, const QRect& lage, const QString& text, double punkte, const QColor& farbe) {
  auto* l = new QLabel(text, fenster);
  l->setGeometry(lage);
  l->setFont(Schrift(punkte));
  l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  l->setWordWrap(true);
  l->setTextFormat(Qt::PlainText);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, farbe);
  l->setPalette(pal);
  return l;
}

// Blanks only, as the file keeps them: a tab in a name is the player's business.
QString OhneBlanks(const QString& s) {
  qsizetype a = 0;
  qsizetype e = s.size();
  while (a < e && s[a] == u' ') ++a;
  while (e > a && s[e - 1] == u' ') --e;
  return s.mid(a, e - a);
}

// The character a key press types, as the text box would receive it; 0 for
// keys that type nothing (arrows, Delete, Tab and the like).
int ZeichenCode(const QKeyEvent& e) {
  if (e.key() == Qt::Key_Delete || e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) return 0;
  if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return 13;
  if (e.key() == Qt::Key_Backspace) return 8;
  const QString text = e.text();
  return text.isEmpty() ? 0 : text.at(0).unicode();
}

// The text a key press would type into the box, or an empty string for keys
// that edit or move instead (Backspace, Delete, arrows) or type a control.
QString GetippterText(const QKeyEvent& e) {
  if (e.key() == Qt::Key_Backspace || e.key() == Qt::Key_Delete || e.key() == Qt::Key_Tab ||
      e.key() == Qt::Key_Backtab || e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter)
    return {};
  const QString text = e.text();
  return text.isEmpty() || text.at(0).category() == QChar::Other_Control ? QString() : text;
}

bool IstUmschalttaste(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr ||
         key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_CapsLock ||
         key == Qt::Key_Multi_key || (key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay);
}

// Whether the start of teil joins the last character of links (an accent, a
// skin tone, a joiner): then the two count as one character less.
bool HaengtAn(const QString& links, const QString& teil) {
  if (links.isEmpty() || teil.isEmpty()) return false;
  return Eingabe::Zeichenzahl(links + teil) < Eingabe::Zeichenzahl(links) + Eingabe::Zeichenzahl(teil);
}

// The limit: at most twenty characters as the player counts them. Once the
// box is full, nothing more is glued onto a character already in it, except
// onto the one the key press just before typed (one character, several keys).
bool Passt(const QString& links, const QString& teil, const QString& rechts, bool fortsetzung) {
  const QString neu = links + teil + rechts;
  const int zeichen = Eingabe::Zeichenzahl(neu);
  if (zeichen > Eingabe::kMaxZeichen || neu.size() > kMaxCodeEinheiten) return false;
  return fortsetzung || zeichen < Eingabe::kMaxZeichen || !HaengtAn(links, teil);
}

}  // namespace

QString Eingabe::Dateipfad() {
  return platform::files::HighscoreDirectory() + QLatin1Char('/') + QLatin1String(highscore::kDateiName);
}

int Eingabe::Zeichenzahl(const QString& text) {
  QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, text);
  int n = 0;
  while (f.toNextBoundary() != -1) ++n;
  return n;
}

QString Eingabe::OhneSteuerzeichen(const QString& text) {
  QString sauber;
  sauber.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      sauber.append(c).append(text[i + 1]);
      ++i;
      continue;
    }
    if (c.isSurrogate()) continue;
    const auto art = c.category();
    if (art == QChar::Other_Control || art == QChar::Separator_Line || art == QChar::Separator_Paragraph) continue;
    sauber.append(c);
  }
  return sauber;
}

QRegion Eingabe::RundeForm(int breite, int hoehe, int ellipse) {
  // Row by row, like a rounded-rectangle region: each corner is a quarter of
  // an ellipse of the given size, sampled at the pixel centres.
  const double r = ellipse / 2.0;
  QRegion form;
  for (int y = 0; y < hoehe; ++y) {
    const double mitte = y + 0.5;
    double dy = 0;
    if (mitte < r) dy = r - mitte;
    if (mitte > hoehe - r) dy = mitte - (hoehe - r);
    int einzug = 0;
    if (dy > 0) einzug = static_cast<int>(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy))));
    if (breite - 2 * einzug > 0) form += QRect(einzug, y, breite - 2 * einzug, 1);
  }
  return form;
}

Eingabe::Eingabe(TForm& haupt) : haupt_(haupt) {
  setObjectName(QStringLiteral("Eingabe"));
  setWindowTitle(QStringLiteral("Highscore-Eingabe:"));
  setWindowFlags(dialogfenster::Flags(dialogfenster::Art::Ohne));
  // Modal to the game screen only: the window manager keeps the keyboard here.
  setWindowModality(Qt::WindowModal);
  dialogfenster::Anbinden(*this, haupt, dialogfenster::Art::Ohne);
  setFixedSize(kBreite, kHoehe);

  EingabeText[0] = Text(this, {0, 8, 361, 33}, QStringLiteral("Congratulations !!!"), 20.25, QColor(0, 255, 0));
  EingabeText[1] = Text(this, {0, 44, 361, 25}, QStringLiteral("You got a high score !"), 12, Qt::white);
  EingabeText[2] =
      Text(this, {40, 64, 281, 49}, QStringLiteral("Please enter your name and press 'OK'."), 12, Qt::white);

  HSEingabe = new QLineEdit(this);
  HSEingabe->setObjectName(QStringLiteral("HSEingabe"));
  HSEingabe->setGeometry(24, 114, 313, 32);
  // The limit of twenty counts what the player sees, see NameGeaendert.
  HSEingabe->setMaxLength(kMaxCodeEinheiten);
  HSEingabe->setAlignment(Qt::AlignCenter);
  HSEingabe->setFont(Schrift(14.25));
  QPalette pal = HSEingabe->palette();
  pal.setColor(QPalette::Base, Qt::black);
  pal.setColor(QPalette::Text, Qt::white);
  HSEingabe->setPalette(pal);
  HSEingabe->installEventFilter(this);
  connect(HSEingabe, &QLineEdit::textChanged, this, &Eingabe::NameGeaendert);

  picButtonOK = new platform::PictureButton(this, 128, 160, 100, 28);
  picButtonOK->setObjectName(QStringLiteral("btn_ok"));
  picButtonOK->SetPicture(LoadPicture(QStringLiteral("btn_ok"), 100, 28));
  picButtonOK->OnClick = [this] { picButtonOK_Click(); };

  picHG = LoadPicture(QStringLiteral("hg_eingabe"), 145, 145);
  hintergrund_ = platform::NewImage(kBreite, kHoehe, 0xFF000000u);
}

void Eingabe::Form_Load() {
  setMask(RundeForm(width(), height(), kEckenEllipse));
  const int tw = std::max(1, picHG.width());
  const int th = std::max(1, picHG.height());
  for (int x = 0; x <= width(); x += tw)
    for (int y = 0; y <= height(); y += th)
      platform::BitBlt(hintergrund_, x, y, tw, th, picHG, 0, 0, platform::Rop::SrcCopy);
  update();
}

void Eingabe::Form_Activate() {
  offen_ = false;
  HSEingabe->setFocus();
  HauptModul::SoundAbspielen(QStringLiteral("ENTRY.WAV"));
}

void Eingabe::NeueEingabe(int Stelle, double Punkte) {
  HSPlatz = Stelle;
  const QString pfad = Dateipfad();
  if (highscore::Vorhanden(pfad)) highscore::ListeLesen(pfad, HSPunkte, HSNamen);
  highscore::Einfuegen(HSPunkte, HSNamen, Stelle, Punkte);
}

void Eingabe::HSSpeichern() {
  // A failed save keeps the old file; the list on screen shows the entry all the same.
  highscore::ListeSchreiben(Dateipfad(), HSPunkte, HSNamen);
  // The game behind the new entry is kept beside the list.
  if (HSPlatz >= 1 && HSPlatz <= highscore::kPlaetze)
    replay::EintragGespeichert(static_cast<int>(HSPunkte[static_cast<size_t>(HSPlatz)]),
                               HSNamen[static_cast<size_t>(HSPlatz)]);
}

bool Eingabe::HSEingabe_KeyPress(int& KeyAscii) {
  if (KeyAscii == 13) {
    KeyAscii = 0;
    picButtonOK_Click();
    return true;
  }
  HauptModul::SoundAbspielen(QStringLiteral("INPUT.WAV"));
  return false;
}

void Eingabe::picButtonOK_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  const QString name = OhneBlanks(OhneSteuerzeichen(HSEingabe->text()));
  if (name.isEmpty()) {
    platform::dialog::MessageBox(this, QStringLiteral("Please enter your name first"), QStringLiteral("-=Attention=-"),
                                 platform::dialog::Icon::Exclamation);
    // Without a window manager nobody would hand the keyboard back to us.
    activateWindow();
    return;
  }
  if (HSPlatz < 1 || HSPlatz > highscore::kPlaetze) return;
  const auto platz = static_cast<size_t>(HSPlatz);
  HSNamen[platz] = name;

  Highscore& liste = haupt_.HighscoreForm();
  Highscore::Textfarbe(*liste.HSName[platz - 1], QColor(0, 255, 0));
  Highscore::Textfarbe(*liste.HSScore[platz - 1], QColor(0, 255, 0));
  for (size_t rang = 1; rang <= static_cast<size_t>(highscore::kPlaetze); ++rang) {
    liste.HSName[rang - 1]->setText(HSNamen[rang]);
    liste.HSScore[rang - 1]->setText(highscore::ZahlText(HSPunkte[rang]));
  }
  HSSpeichern();

  liste.move(skin::BildschirmMitte(liste.size()));
  liste.showFullScreen();
  liste.raise();
  liste.activateWindow();
  hide();
  haupt_.hide();
  haupt_.setEnabled(true);
}

void Eingabe::NameGeaendert(const QString& neu) {
  if (korrigiert_) return;
  const QString& alt = letzterName_;
  // What the edit replaced: the text between the common start and end.
  const qsizetype kuerzer = std::min(alt.size(), neu.size());
  qsizetype vorn = 0;
  while (vorn < kuerzer && alt[vorn] == neu[vorn]) ++vorn;
  if (vorn > 0 && neu[vorn - 1].isHighSurrogate()) --vorn;
  qsizetype hinten = 0;
  while (hinten < kuerzer - vorn && alt[alt.size() - 1 - hinten] == neu[neu.size() - 1 - hinten]) ++hinten;
  if (hinten > 0 && neu[neu.size() - hinten].isLowSurrogate()) --hinten;
  const QString links = OhneSteuerzeichen(neu.left(vorn));
  const QString rechts = OhneSteuerzeichen(neu.right(hinten));
  const QString neuerTeil = OhneSteuerzeichen(neu.mid(vorn, neu.size() - vorn - hinten));
  const bool fortsetzung = taste_ && tasteSetztFort_;
  if (!taste_) offen_ = false;
  taste_ = false;

  // As much of the new part as fits, in whole characters, like a full text box refusing a key.
  QList<qsizetype> grenzen{0};
  QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, neuerTeil);
  for (qsizetype g = f.toNextBoundary(); g != -1; g = f.toNextBoundary()) grenzen.append(g);
  QString ergebnis;
  qsizetype cursor = -1;
  for (qsizetype i = grenzen.size() - 1; i >= 0; --i) {
    if (Passt(links, neuerTeil.left(grenzen[i]), rechts, fortsetzung)) {
      ergebnis = links + neuerTeil.left(grenzen[i]) + rechts;
      cursor = links.size() + grenzen[i];
      break;
    }
  }
  if (cursor < 0) {
    // Removing a joiner can split one character into two: keep the first twenty.
    const QString rest = links + rechts;
    QTextBoundaryFinder z(QTextBoundaryFinder::Grapheme, rest);
    qsizetype ende = 0;
    for (int n = 0; n < kMaxZeichen && ende != -1; ++n) ende = z.toNextBoundary();
    ergebnis = ende == -1 ? rest : rest.left(ende);
    cursor = ergebnis.size();
  }
  letzterName_ = ergebnis;
  if (ergebnis == neu) return;
  korrigiert_ = true;
  HSEingabe->setText(ergebnis);
  HSEingabe->setCursorPosition(static_cast<int>(std::min(cursor, ergebnis.size())));
  korrigiert_ = false;
}

void Eingabe::closeEvent(QCloseEvent* event) {
  // The game screen waits for a name: only OK leaves this window.
  if (isVisible())
    event->ignore();
  else
    event->accept();
}

bool Eingabe::eventFilter(QObject* watched, QEvent* event) {
  if (watched != HSEingabe) return QWidget::eventFilter(watched, event);
  taste_ = false;
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto& druck = *static_cast<QKeyEvent*>(event);
  int code = ZeichenCode(druck);
  if (code != 0 && HSEingabe_KeyPress(code)) return true;

  // A character that arrives in several key presses is taken or refused
  // whole: once its first key is refused, the accent or joiner that follows
  // must not be glued onto the twentieth character instead.
  const QString text = GetippterText(druck);
  if (text.isEmpty()) {
    if (!IstUmschalttaste(druck.key())) offen_ = false;
    return QWidget::eventFilter(watched, event);
  }
  const QString alt = HSEingabe->text();
  const qsizetype von = HSEingabe->hasSelectedText() ? HSEingabe->selectionStart() : HSEingabe->cursorPosition();
  const qsizetype bis = HSEingabe->hasSelectedText() ? HSEingabe->selectionEnd() : von;
  const bool fortsetzung = offen_ && !HSEingabe->hasSelectedText() && von == offenBis_;
  if (!Passt(alt.left(von), OhneSteuerzeichen(text), alt.mid(bis), fortsetzung)) {
    offen_ = false;
    return true;  // refused, but heard
  }
  offen_ = true;
  offenBis_ = von + OhneSteuerzeichen(text).size();
  taste_ = true;
  tasteSetztFort_ = fortsetzung;
  return QWidget::eventFilter(watched, event);
}

bool Eingabe::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
      // Losing the focus to our own message box is not leaving the window.
      if (QApplication::activeModalWidget() != nullptr && QApplication::activeModalWidget() != this)
        meldungOffen_ = true;
      break;
    case QEvent::Hide: meldungOffen_ = false; break;
    case QEvent::WindowActivate:
      if (meldungOffen_) {
        meldungOffen_ = false;
        HSEingabe->setFocus();
      } else {
        Form_Activate();
      }
      break;
    default: break;
  }
  return QWidget::event(event);
}

void Eingabe::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, hintergrund_);
}
