// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The about box: its texts and layout, the two links, the sound on each
// opening, the switch keys and the way back to a running or paused game.

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <string>

#include "fixture.h"
#include "input/keys.h"
#include "shell/infoform.h"

namespace {

class InfoTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    platform::links::SetSeam([this](const QString& url) {
      links << url;
      zeigerBeimOeffnen << info().cursor().shape() << info().CRTxt[1]->cursor().shape()
                        << info().CRTxt[2]->cursor().shape();
    });
    form->show();
  }
  void TearDown() override {
    platform::links::SetSeam(nullptr);
    FormTest::TearDown();
  }

  InfoForm& info() { return form->InfoFormForm(); }

  InfoForm& Oeffnen() {
    form->picButtonCopyright_Click();
    QCoreApplication::processEvents();
    return info();
  }

  static void Taste(QWidget* ziel, Qt::Key taste, const QString& text = {}) {
    QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, text);
    QCoreApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, taste, Qt::NoModifier, text);
    QCoreApplication::sendEvent(ziel, &los);
  }

  static void Klick(QWidget* ziel, QPoint wo) {
    QMouseEvent druck(QEvent::MouseButtonPress, wo, ziel->mapToGlobal(wo), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(ziel, &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, wo, ziel->mapToGlobal(wo), Qt::LeftButton, Qt::NoButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(ziel, &los);
  }

  QStringList links;
  QList<Qt::CursorShape> zeigerBeimOeffnen;
};

struct Beschriftung {
  const char* name;
  int index;  // InfoTitel(i), or CRTxt(i - 10)
  QRect lage;
  const char* text;
  QColor farbe;
  double punkte;
  bool fett, kursiv, unterstrichen, mittig;
};

TEST_F(InfoTest, TextsLayoutAndLook) {
  InfoForm& f = info();
  EXPECT_EQ(f.windowTitle().toStdString(), "Info:");
  EXPECT_EQ(f.size(), QSize(408, 237));
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  EXPECT_FALSE(f.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(f.InfoPic->geometry(), QRect(8, 8, 61, 166));
  EXPECT_EQ(f.picRahmen->geometry(), QRect(80, 70, 321, 105));
  EXPECT_EQ(f.picRahmen->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(f.ZOQLogo->parentWidget(), f.picRahmen);
  EXPECT_EQ(f.ZOQLogo->geometry(), QRect(172, 25, 140, 48));
  EXPECT_EQ(f.OKButton->geometry(), QRect(312, 208, 89, 25));
  EXPECT_EQ(f.OKButton->text().toStdString(), "&OK");
  EXPECT_TRUE(f.OKButton->font().bold());

  const QColor navy(0, 0, 128), blau(0, 0, 255), grau(128, 128, 128);
  const Beschriftung tabelle[] = {
      {"InfoTitel(0)", 0, {80, 8, 217, 25}, "Norvane", navy, 18, true, false, false, false},
      {"InfoTitel(3)", 3, {82, 9, 217, 25}, "Norvane", Qt::white, 18, true, false, false, false},
      {"InfoTitel(1)", 1, {80, 32, 217, 17}, "for Windows 95,98,ME,NT & 2000", navy, 9.75, false, false, false, false},
      {"InfoTitel(2)",
       2,
       {80, 56, 241, 17},
       "A free game by the Norvane developers",
       navy,
       8.25,
       true,
       false,
       false,
       false},
      {"CRTxt(0)", 10, {0, 8, 185, 17}, "Norvane Works", Qt::black, 9.75, true, false, false, true},
      {"CRTxt(1)", 11, {0, 32, 185, 17}, "contact@norvane.example", blau, 8.25, true, false, true, true},
      {"CRTxt(2)", 12, {0, 49, 185, 13}, "https://norvane.example/", blau, 8.25, true, false, true, true},
      {"CRTxt(3)",
       13,
       {0, 75, 185, 17},
       "\u00a9 2026 Norvane Works \u00b7 GPL 3+",
       grau,
       8.25,
       false,
       true,
       false,
       true},
  };
  for (const Beschriftung& b : tabelle) {
    SCOPED_TRACE(b.name);
    QLabel* l = b.index < 10 ? f.InfoTitel[static_cast<size_t>(b.index)] : f.CRTxt[static_cast<size_t>(b.index - 10)];
    EXPECT_EQ(l->parentWidget(), b.index < 10 ? static_cast<QWidget*>(&f) : f.picRahmen);
    EXPECT_EQ(l->geometry(), b.lage);
    EXPECT_EQ(l->text().toStdString(), b.text);
    EXPECT_EQ(l->palette().color(QPalette::WindowText), b.farbe);
    EXPECT_FALSE(l->autoFillBackground());
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), b.punkte);
    EXPECT_EQ(l->font().bold(), b.fett);
    EXPECT_EQ(l->font().italic(), b.kursiv);
    EXPECT_EQ(l->font().underline(), b.unterstrichen);
    EXPECT_EQ(bool(l->alignment() & Qt::AlignHCenter), b.mittig);
    EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << "the text is cut off";
  }
  // The links show their own pointer; the plain labels the ordinary one.
  for (size_t i : {1u, 2u}) EXPECT_NE(f.CRTxt[i]->cursor().shape(), Qt::ArrowCursor);
  for (size_t i : {0u, 3u}) EXPECT_EQ(f.CRTxt[i]->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InfoTest, TheBackgroundIsTiledAndTheSeparatorDrawnOverIt) {
  InfoForm& f = info();
  f.HGPic = QImage(219, 163, QImage::Format_RGB32);
  for (int y = 0; y < 163; ++y)
    for (int x = 0; x < 219; ++x) f.HGPic.setPixel(x, y, qRgb(x, y, (x * y) % 256));
  f.Form_Load();
  const QImage bild = f.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(bild.size(), QSize(408, 237));
  for (QPoint p : {QPoint(3, 3), QPoint(75, 150), QPoint(230, 20), QPoint(224, 200), QPoint(5, 230), QPoint(300, 230)})
    EXPECT_EQ(bild.pixel(p), f.HGPic.pixel(p.x() % 219, p.y() % 163)) << p.x() << "," << p.y();
  for (int x : {8, 200, 400}) EXPECT_EQ(QColor(bild.pixel(x, 184)), QColor(128, 128, 128)) << x;
  EXPECT_EQ(bild.pixel(7, 184), f.HGPic.pixel(7, 21));
  EXPECT_EQ(QColor(bild.pixel(150, 100)), QColor(Qt::white)) << "inside the white box";
}

// Which address each label opens: only the mail and the web link do anything.
struct Link {
  int index;
  const char* adresse;  // nullptr: nothing is opened
};

void PrintTo(const Link& l, std::ostream* os) { *os << "CRTxt(" << l.index << ")"; }

class InfoLinks : public InfoTest, public ::testing::WithParamInterface<Link> {};

TEST_P(InfoLinks, ClickOpensTheAddress) {
  InfoForm& f = Oeffnen();
  const Link& l = GetParam();
  const QStringList erwartet = l.adresse ? QStringList{QString::fromLatin1(l.adresse)} : QStringList{};
  f.CRTxt_Click(l.index);
  EXPECT_EQ(links, erwartet);
  // The same through the mouse on the label itself.
  links.clear();
  QLabel* label = f.CRTxt[static_cast<size_t>(l.index)];
  Klick(label, label->rect().center());
  EXPECT_EQ(links, erwartet);
  if (l.adresse) {
    // Busy while the link is handed over, the usual pointers again afterwards.
    ASSERT_EQ(zeigerBeimOeffnen.size(), 6);
    EXPECT_EQ(zeigerBeimOeffnen[0], Qt::BusyCursor);
    EXPECT_EQ(zeigerBeimOeffnen[l.index], Qt::BusyCursor);
    EXPECT_EQ(zeigerBeimOeffnen[3 - l.index], f.CRTxt[static_cast<size_t>(3 - l.index)]->cursor().shape());
    EXPECT_EQ(f.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(label->cursor().shape(), f.CRTxt[static_cast<size_t>(3 - l.index)]->cursor().shape());
    EXPECT_NE(label->cursor().shape(), Qt::BusyCursor);
  }
  EXPECT_TRUE(f.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Labels, InfoLinks,
                         ::testing::Values(Link{0, nullptr}, Link{1, "mailto:contact@norvane.example?subject=Norvane"},
                                           Link{2, "https://norvane.example/"}, Link{3, nullptr}),
                         [](const auto& info) { return "CRTxt" + std::to_string(info.param.index); });

TEST_F(InfoTest, APressOnOneLabelAndAReleaseElsewhereIsNoClick) {
  InfoForm& f = Oeffnen();
  QLabel* mail = f.CRTxt[1];
  QMouseEvent druck(QEvent::MouseButtonPress, QPointF(5, 5), mail->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(mail, &druck);
  const QPointF draussen(mail->width() + 20, 5);
  QMouseEvent los(QEvent::MouseButtonRelease, draussen, mail->mapToGlobal(draussen), Qt::LeftButton, Qt::NoButton,
                  Qt::NoModifier);
  QCoreApplication::sendEvent(mail, &los);
  EXPECT_TRUE(links.isEmpty());
}

TEST_F(InfoTest, EveryOpeningPlaysTheFanfareOnce) {
  InfoForm& f = Oeffnen();
  EXPECT_TRUE(f.isActiveWindow());
  EXPECT_EQ(Sounds(), QStringList({QStringLiteral("CLICK.WAV"), QStringLiteral("TADA.WAV")}));
  // Another program in front and back again is no new opening.
  QEvent weg(QEvent::WindowDeactivate), wieder(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&f, &weg);
  QCoreApplication::sendEvent(&f, &wieder);
  EXPECT_EQ(Sounds().count(QStringLiteral("TADA.WAV")), 1);
  for (int n = 2; n <= 3; ++n) {
    f.OKButton->click();
    Oeffnen();
    EXPECT_EQ(Sounds().count(QStringLiteral("TADA.WAV")), n);
  }
}

TEST_F(InfoTest, ARunningGameHaltsWhileTheBoxIsOpenAndTheMainWindowIsDisabled) {
  StartWith(8);
  Advance(500);
  const float y = form->SteinY;
  InfoForm& f = Oeffnen();
  EXPECT_TRUE(f.isVisible());
  // Modal for the player through the disabled game screen, not for the toolkit,
  // which would swallow close requests on the game screen.
  EXPECT_FALSE(f.isModal());
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->isEnabled());
  EXPECT_FALSE(form->FallTimer.Enabled());
  Advance(1000);
  EXPECT_EQ(form->SteinY, y);

  platform::sound::ClearRequests();
  f.OKButton->click();
  EXPECT_EQ(Sounds(), QStringList{QStringLiteral("CLICK.WAV")});
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->focusWidget(), form->TBox);
  EXPECT_TRUE(form->FallTimer.Enabled());
  Advance(100);
  EXPECT_GT(form->SteinY, y);
}

TEST_F(InfoTest, ClosingItDuringAPausedGameLeavesThePause) {
  StartWith(8);
  Advance(500);
  Key(keys::P);
  ASSERT_TRUE(form->Pausiert);
  const float y = form->SteinY;
  InfoForm& f = Oeffnen();
  f.OKButton_Click();
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(form->Pausiert);
  EXPECT_FALSE(form->FallTimer.Enabled());
  Advance(1000);
  EXPECT_EQ(form->SteinY, y);
  Key(keys::P);
  EXPECT_TRUE(form->FallTimer.Enabled());
}

TEST_F(InfoTest, TheCloseBoxLeadsBackLikeOk) {
  StartWith(8);
  InfoForm& f = Oeffnen();
  f.close();
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(form->FallTimer.Enabled());
}

TEST_F(InfoTest, SwitchKeysReachTheBoxOnceThroughTheButtonAndTheWindow) {
  InfoForm& f = Oeffnen();
  f.OKButton->setFocus();
  for (QWidget* ziel : {static_cast<QWidget*>(f.OKButton), static_cast<QWidget*>(&f)}) {
    Taste(ziel, Qt::Key_S, QStringLiteral("s"));
    EXPECT_FALSE(HauptModul::SoundAn);
    Taste(ziel, Qt::Key_S, QStringLiteral("s"));
    EXPECT_TRUE(HauptModul::SoundAn);
    Taste(ziel, Qt::Key_V, QStringLiteral("v"));
    EXPECT_TRUE(form->Vorschau->isHidden());
    Taste(ziel, Qt::Key_V, QStringLiteral("v"));
    EXPECT_FALSE(form->Vorschau->isHidden());
    Taste(ziel, Qt::Key_Escape);
    Taste(ziel, Qt::Key_P, QStringLiteral("p"));
    EXPECT_TRUE(f.isVisible());
  }
  // Enter works the focused button, as a button does.
  Taste(f.OKButton, Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(form->isEnabled());
}

}  // namespace
