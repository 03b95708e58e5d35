// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "highscore/highscore_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>

#include "app/tform.h"
#include "highscore/eingabe.h"
#include "highscore/hsdatei.h"
#include "input/keys.h"
#include "shell/dialogfenster.h"
#include "shell/skin.h"
#include "shell/sound.h"

using platform::LoadPicture;

namespace {

// Bold 13.5 pt (18 pixels at 96 dpi), the same for ranks, names and scores.
QFont ListenSchrift() {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPointSizeF(13.5);
  f.setBold(true);
  return f;
}

// A name label: text() is the whole name; one too wide for the label is shown
// cut at its end with "…" instead of clipped on both sides.
class NamenLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override {
    const QString gezeigt = Highscore::Angezeigt(*this);
    if (gezeigt == text()) {
      QLabel::paintEvent(event);
      return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), gezeigt,
                          foregroundRole());
  }
};

QLabel* ListenLabel(QWidget* panel, int x, int y, int w, Qt::Alignment ausrichtung, const QColor& farbe,
                    bool name = false) {
  auto* l = name ? new NamenLabel(panel) : new QLabel(panel);
  l->setGeometry(x, y, w, 25);
  l->setFont(ListenSchrift());
  l->setAlignment(ausrichtung | Qt::AlignTop);
  // Names come from the player and the file: never let them be read as markup.
  l->setTextFormat(Qt::PlainText);
  Highscore::Textfarbe(*l, farbe);
  return l;
}

}  // namespace

Highscore::Highscore(TForm& haupt) : haupt_(haupt) {
  setObjectName(QStringLiteral("Highscore"));
  setWindowTitle(QStringLiteral("Highscore (Kelmora) :"));
  skin::Vollbild(*this);
  dialogfenster::Anbinden(*this, haupt, dialogfenster::Art::Vollbild);

  HighscorePic = new platform::PictureBox(this, 0, 0, 640, 480, 0xFFE0E0E0u);
  HighscorePic->setObjectName(QStringLiteral("HighscorePic"));

  // The shadows first, so the white rank numbers lie on top of them.
  for (int k = 0; k < 10; ++k) {
    const int rang = k + 1;
    QLabel* schatten = ListenLabel(HighscorePic, 59, 97 + 32 * k, 33, Qt::AlignRight, Qt::black);
    schatten->setText(QStringLiteral("%1.").arg(rang));
    HSPos[static_cast<size_t>(20 - rang)] = schatten;
  }
  for (int k = 0; k < 10; ++k) {
    const auto i = static_cast<size_t>(k);
    const int y = 96 + 32 * k;
    HSPos[i] = ListenLabel(HighscorePic, 56, y, 33, Qt::AlignRight, Qt::white);
    HSPos[i]->setText(QStringLiteral("%1.").arg(k + 1));
    HSName[i] = ListenLabel(HighscorePic, 104, y, 361, Qt::AlignHCenter, Qt::white, true);
    HSScore[i] = ListenLabel(HighscorePic, 480, y, 81, Qt::AlignHCenter, Qt::white);
  }

  picButtonZurueck = new platform::PictureButton(HighscorePic, 248, 431, 140, 28);
  picButtonZurueck->setObjectName(QStringLiteral("btn_zurueck"));
  picButtonZurueck->SetPicture(LoadPicture(QStringLiteral("btn_zurueck"), 140, 28));
  picButtonZurueck->OnClick = [this] { picButtonZurueck_Click(); };

  picHG = LoadPicture(QStringLiteral("hg_highscore"), 144, 144);
  HSTitel = LoadPicture(QStringLiteral("hstitel"), 416, 71);
  HSTitelBl = LoadPicture(QStringLiteral("hstitelbl"), 416, 71);

  // No control here takes the focus, so every key lands on the window itself.
  setFocusPolicy(Qt::StrongFocus);
}

void Highscore::Textfarbe(QLabel& label, const QColor& farbe) {
  QPalette pal = label.palette();
  pal.setColor(QPalette::WindowText, farbe);
  label.setPalette(pal);
}

QColor Highscore::Textfarbe(const QLabel& label) { return label.palette().color(QPalette::WindowText); }

QString Highscore::Angezeigt(const QLabel& label) {
  return label.fontMetrics().elidedText(label.text(), Qt::ElideRight, label.contentsRect().width());
}

void Highscore::Form_Load() {
  FormAnpassen();
  // Already filled by a new entry before the first showing: that list is newer than the file.
  if (!HSName[0]->text().isEmpty()) return;
  DateiLesen();
}

void Highscore::LesenFallsNochLeer() {
  // Labels a new entry has filled are newer than any file.
  if (!dateiGelesen_ && HSName[0]->text().isEmpty()) DateiLesen();
}

void Highscore::DateiLesen() {
  const QString pfad = Eingabe::Dateipfad();
  if (!highscore::Vorhanden(pfad)) return;
  dateiGelesen_ = true;
  highscore::Textliste punkte, namen;
  highscore::AnzeigeLesen(pfad, punkte, namen);
  for (int rang = 1; rang <= highscore::kPlaetze; ++rang) {
    const auto k = static_cast<size_t>(rang - 1);
    HSScore[k]->setText(punkte[static_cast<size_t>(rang)]);
    HSName[k]->setText(namen[static_cast<size_t>(rang)]);
  }
}

void Highscore::FormAnpassen() {
  skin::FormAnpassen(*this, *HighscorePic, picHG, {haupt_.picRandHorizontal, haupt_.picRandVertikal, haupt_.picEcke},
                     HSTitel, HSTitelBl, 14);
}

void Highscore::Form_KeyDown(int& KeyCode, int /*Shift*/) { keys::SchalterTasten(haupt_, KeyCode); }

void Highscore::picButtonZurueck_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  // The green of a new entry is for the one showing right after it was made.
  for (size_t k = 0; k < 10; ++k) {
    Textfarbe(*HSName[k], Qt::white);
    Textfarbe(*HSScore[k], Qt::white);
  }
  haupt_.ZurueckZumSpiel(this);
}

void Highscore::closeEvent(QCloseEvent* event) {
  // Closed from the desktop: the way back to the game, as with the back button.
  event->ignore();
  if (isVisible()) picButtonZurueck_Click();
}

void Highscore::keyPressEvent(QKeyEvent* event) {
  int code = keys::VirtualKey(*event);
  if (code != 0) Form_KeyDown(code, 0);
  event->accept();
}
