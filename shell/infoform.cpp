// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The about box: program name, credits, the maker's mail and web links, and an
// OK button that leads back to the game.

#include "shell/infoform.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "app/tform.h"
#include "input/keys.h"
#include "platform/blit.h"
#include "platform/system.h"
#include "shell/dialogfenster.h"
#include "shell/skin.h"
#include "shell/sound.h"

using platform::LoadPicture;

namespace {

const QString kProgramm = QStringLiteral("Norvane");
const QString kSysteme = QStringLiteral("for Windows 95,98,ME,NT & 2000");
// Both texts fit their labels (241 and 185 pixels) in the fonts the labels use.
const QString kDank = QStringLiteral("A free game by the Norvane developers");
const QString kHersteller = QStringLiteral("Norvane Works");
const QString kMail = QStringLiteral("contact@norvane.example");
const QString kWeb = QStringLiteral("https://norvane.example/");
const QString kRechte = QStringLiteral("© 2026 Norvane Works · GPL 3+");

const QColor kMarine(0, 0, 128);
const QColor kBlau(0, 0, 255);
const QColor kGrau(128, 128, 128);

enum Stil { kNormal = 0, kFett = 1, kKursiv = 2, kUnterstrichen = 4 };

QFont Schrift(double punkte, int stil) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(punkte);
  f.setBold(stil & kFett);
  f.setItalic(stil & kKursiv);
  f.setUnderline(stil & kUnterstrichen);
  return f;
}

QLabel* Beschriftung(QWidget* eltern, const QRect& lage, const QColor& farbe, const QFont& schrift,
                     Qt::Alignment ausrichtung, const QString& text = {}) {
  auto* l = new QLabel(text, eltern);
  l->setGeometry(lage);
  l->setTextFormat(Qt::PlainText);
  l->setFont(schrift);
  l->setAlignment(ausrichtung | Qt::AlignTop);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, farbe);
  l->setPalette(pal);
  return l;
}

QLabel* Bild(QWidget* eltern, const QRect& lage, const QString& name) {
  auto* l = new QLabel(eltern);
  l->setGeometry(lage);
  l->setPixmap(QPixmap::fromImage(LoadPicture(name, lage.width(), lage.height())));
  return l;
}

}  // namespace

InfoForm::InfoForm(TForm& haupt) : QWidget(nullptr, dialogfenster::Flags(dialogfenster::Art::Titel)), haupt_(haupt) {
  setObjectName(QStringLiteral("InfoForm"));
  dialogfenster::Anbinden(*this, haupt, dialogfenster::Art::Titel);
  setWindowTitle(QStringLiteral("Info:"));
  setFixedSize(408, 237);

  HGPic = LoadPicture(QStringLiteral("hg_info"), 219, 163);
  InfoPic = Bild(this, {8, 8, 61, 166}, QStringLiteral("infopic"));

  // The white copy lies under the navy title, one pixel down and two to the right.
  InfoTitel[3] = Beschriftung(this, {82, 9, 217, 25}, Qt::white, Schrift(18, kFett), Qt::AlignLeft);
  InfoTitel[0] = Beschriftung(this, {80, 8, 217, 25}, kMarine, Schrift(18, kFett), Qt::AlignLeft);
  InfoTitel[1] = Beschriftung(this, {80, 32, 217, 17}, kMarine, Schrift(9.75, kNormal), Qt::AlignLeft, kSysteme);
  InfoTitel[2] = Beschriftung(this, {80, 56, 241, 17}, kMarine, Schrift(8.25, kFett), Qt::AlignLeft, kDank);

  picRahmen = new QWidget(this);
  picRahmen->setGeometry(80, 70, 321, 105);
  picRahmen->setAutoFillBackground(true);
  QPalette weiss = picRahmen->palette();
  weiss.setColor(QPalette::Window, Qt::white);
  picRahmen->setPalette(weiss);
  ZOQLogo = Bild(picRahmen, {172, 25, 140, 48}, QStringLiteral("makerlogo"));

  const QPixmap zeiger(QStringLiteral(":/assets/pictures/linkcursor.png"));
  linkZeiger_ = zeiger.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(zeiger, 10, 2);
  CRTxt[0] = Beschriftung(picRahmen, {0, 8, 185, 17}, Qt::black, Schrift(9.75, kFett), Qt::AlignHCenter);
  CRTxt[1] = Beschriftung(picRahmen, {0, 32, 185, 17}, kBlau, Schrift(8.25, kFett | kUnterstrichen), Qt::AlignHCenter);
  CRTxt[2] = Beschriftung(picRahmen, {0, 49, 185, 13}, kBlau, Schrift(8.25, kFett | kUnterstrichen), Qt::AlignHCenter);
  CRTxt[3] = Beschriftung(picRahmen, {0, 75, 185, 17}, kGrau, Schrift(8.25, kKursiv), Qt::AlignHCenter, kRechte);
  for (QLabel* link : {CRTxt[1], CRTxt[2]}) link->setCursor(linkZeiger_);
  for (QLabel* l : CRTxt) l->installEventFilter(this);

  Linie = {QLine(8, 184, 400, 184), QLine(8, 184, 400, 184)};
  LinieFarbe = {Qt::white, kGrau};

  OKButton = new QPushButton(QStringLiteral("&OK"), this);
  OKButton->setGeometry(312, 208, 89, 25);
  OKButton->setFont(Schrift(8.25, kFett));
  OKButton->setAutoDefault(true);
  OKButton->installEventFilter(this);
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
}

void InfoForm::Form_Load() {
  hintergrund_ = platform::NewImage(width(), height());
  for (int x = 0; x <= width(); x += HGPic.width())
    for (int y = 0; y <= height(); y += HGPic.height())
      platform::BitBlt(hintergrund_, x, y, HGPic.width(), HGPic.height(), HGPic, 0, 0, platform::Rop::SrcCopy);

  InfoTitel[0]->setText(kProgramm);
  InfoTitel[3]->setText(InfoTitel[0]->text());
  CRTxt[0]->setText(kHersteller);
  CRTxt[1]->setText(kMail);
  CRTxt[2]->setText(kWeb);

  move(skin::BildschirmMitte(size()));
  update();
}

void InfoForm::Form_Activate() { HauptModul::SoundAbspielen(QStringLiteral("TADA.WAV")); }

void InfoForm::Form_KeyDown(int& KeyCode, int /*Shift*/) { keys::SchalterTasten(haupt_, KeyCode); }

void InfoForm::CRTxt_Click(int Index) {
  if (Index != 1 && Index != 2) return;
  QLabel* link = CRTxt[static_cast<size_t>(Index)];
  setCursor(Qt::BusyCursor);
  link->setCursor(Qt::BusyCursor);
  if (Index == 1) {
    platform::links::Open(QStringLiteral("mailto:") + link->text() + QStringLiteral("?subject=Norvane"));
  } else {
    platform::links::Open(link->text());
  }
  link->setCursor(linkZeiger_);
  unsetCursor();
}

void InfoForm::OKButton_Click() {
  HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV"));
  Zurueck();
}

void InfoForm::Zurueck() {
  // A name asked for by a game that ended behind the box comes after this,
  // from the return step, which closes the game screen again.
  haupt_.setEnabled(true);
  hide();
  // Only the main window can hand the focus to the well.
  haupt_.activateWindow();
  haupt_.TBox->setFocus();
  haupt_.HSZurueck();
}

bool InfoForm::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      // Once per opening: coming back from another program is not a new activation.
      if (!aktiv_) {
        aktiv_ = true;
        Form_Activate();
      }
      break;
    case QEvent::Hide: aktiv_ = false; break;
    case QEvent::Close:
      // The close box is the OK button: the main window must not stay disabled behind it.
      if (isVisible()) OKButton_Click();
      event->ignore();
      return true;
    default: break;
  }
  return QWidget::event(event);
}

bool InfoForm::eventFilter(QObject* watched, QEvent* event) {
  // The window sees the key first; the button then gets it, and only once.
  if (watched == OKButton && keys::ZuerstFenster(OKButton, event, [this](int& code) { Form_KeyDown(code, 0); }))
    return true;
  for (int i = 0; i < static_cast<int>(CRTxt.size()); ++i) {
    if (watched != CRTxt[static_cast<size_t>(i)]) continue;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) break;
    auto* maus = static_cast<QMouseEvent*>(event);
    if (maus->button() != Qt::LeftButton) break;
    if (event->type() == QEvent::MouseButtonPress) {
      gedrueckt_ = i;
    } else {
      // A click is a press and a release on the same label.
      const bool klick = gedrueckt_ == i && CRTxt[static_cast<size_t>(i)]->rect().contains(maus->position().toPoint());
      gedrueckt_ = -1;
      if (klick) CRTxt_Click(i);
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void InfoForm::keyPressEvent(QKeyEvent* event) {
  int code = keys::VirtualKey(*event);
  if (code != 0) Form_KeyDown(code, 0);
  event->accept();
}

void InfoForm::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.drawImage(0, 0, hintergrund_);
  for (size_t k = 0; k < Linie.size(); ++k) {
    p.setPen(QPen(LinieFarbe[k], 0));
    p.drawLine(Linie[k]);
  }
}
