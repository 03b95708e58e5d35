// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Every element of every window against the window's element table: place
// relative to its container, size, visibility, container, and nothing else on
// the containers; the hidden pictures by their sizes.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fixture.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "platform/blit.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace {

constexpr int kPlaced = -1;  // a window or panel whose place is set at run time; only its size is fixed

struct Element {
  std::string name;
  int x, y, w, h;
  bool visible;
  std::string container;
};

struct Hidden {
  std::string name;
  int w, h;
};

using Widgets = std::map<std::string, QWidget*>;
using Pictures = std::map<std::string, const QImage*>;

std::string Idx(const char* name, int i) { return std::string(name) + "(" + std::to_string(i) + ")"; }

std::string Describe(const QWidget* w) {
  return w->metaObject()->className() + std::string(" '") + w->objectName().toStdString() + "'";
}

// Compares each row with the element it names, then makes sure the containers
// hold exactly the elements the table puts into them.
void CheckTable(const std::vector<Element>& table, const Widgets& widgets) {
  std::map<QWidget*, std::set<QWidget*>> held;
  for (const Element& e : table) {
    SCOPED_TRACE(e.name);
    ASSERT_TRUE(widgets.count(e.name)) << "no element of that name";
    QWidget* w = widgets.at(e.name);
    ASSERT_NE(w, nullptr);
    if (e.x == kPlaced)
      EXPECT_EQ(w->size(), QSize(e.w, e.h));
    else
      EXPECT_EQ(w->geometry(), QRect(e.x, e.y, e.w, e.h));
    if (!e.container.empty()) {
      ASSERT_TRUE(widgets.count(e.container)) << e.container;
      EXPECT_EQ(w->parentWidget(), widgets.at(e.container)) << "held by " << e.container;
      EXPECT_EQ(!w->isHidden(), e.visible);
      held[widgets.at(e.container)].insert(w);
    }
    // A picture drawn at another size than its box would be stretched on screen.
    if (auto* box = qobject_cast<platform::PictureBox*>(w)) {
      EXPECT_EQ(box->Image().size(), QSize(e.w, e.h));
    }
  }
  for (const auto& [container, expected] : held) {
    for (QWidget* c : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (c->isWindow()) continue;
      EXPECT_TRUE(expected.count(c)) << Describe(c) << " at " << c->x() << "," << c->y() << " is on "
                                     << Describe(container) << " but in no table row";
    }
  }
}

void CheckHidden(const std::vector<Hidden>& table, const Pictures& pictures) {
  for (const Hidden& h : table) {
    SCOPED_TRACE(h.name);
    ASSERT_TRUE(pictures.count(h.name)) << "no picture of that name";
    EXPECT_EQ(pictures.at(h.name)->size(), QSize(h.w, h.h));
  }
}

class Layout : public FormTest {};

// ---- Main window -----------------------------------------------------------------------

TEST_F(Layout, MainWindow) {
  // clang-format off
  const std::vector<Element> table = {
      {"TFormPic",            kPlaced, kPlaced, 640, 480, true, "TForm"},
      {"TBox",                376,  32, 200, 400, true, "TFormPic"},
      {"TBoxRahmen(0)",       356,  32,  20, 400, true, "TFormPic"},
      {"TBoxRahmen(1)",       356, 432, 240,  20, true, "TFormPic"},
      {"TBoxRahmen(2)",       576,  32,  20, 400, true, "TFormPic"},
      {"PkteForm",             45, 152, 273,  81, true, "TFormPic"},
      {"PunkteTitel",          16,  11, 107,  14, true, "PkteForm"},
      {"LevelTitel",           16,  35,  98,  14, true, "PkteForm"},
      {"ReihenTitel",          16,  59,  95,  14, true, "PkteForm"},
      {"PunkteDigAnz",        160,   8,  94,  20, true, "PkteForm"},
      {"LevelDigAnz",         224,  32,  30,  20, true, "PkteForm"},
      {"ReihenDigAnz",        192,  56,  62,  20, true, "PkteForm"},
      {"VorschauRahmen",       85, 248, 193,  89, true, "TFormPic"},
      {"VorschauTitel",        53,   8,  88,  14, true, "VorschauRahmen"},
      {"Vorschau",             56,  40,  80,  40, true, "VorschauRahmen"},
      {"picButtonNeuesSpiel",  48, 360,  80,  28, true, "TFormPic"},
      {"picButtonHighscore",  141, 360,  86,  28, true, "TFormPic"},
      {"picButtonCopyright",  240, 360,  80,  28, true, "TFormPic"},
      {"picButtonAnleitung",   48, 408,  80,  28, true, "TFormPic"},
      {"picButtonBeenden",    240, 408,  80,  28, true, "TFormPic"},
  };
  std::vector<Hidden> hidden = {
      {"Schwarz", 20, 20}, {"RahmenMuster", 20, 20}, {"Reihe", 20, 20}, {"Digital", 154, 20},
      {"TBoxSich", 200, 400}, {"SichBox", 80, 80},
      {"GameOverPic1", 146, 39}, {"GameOverBl1", 146, 39}, {"GameOverSich1", 146, 39},
      {"GameOverPic2", 142, 39}, {"GameOverBl2", 142, 39}, {"GameOverSich2", 142, 39},
      {"PausePic", 190, 48}, {"PausePicBl", 190, 48}, {"PauseSich", 190, 48},
      {"picRandVertikal", 6, 27}, {"picRandHorizontal", 30, 6}, {"picEcke", 6, 6},
      {"picHG", 150, 120}, {"Logo", 220, 91}, {"LogoBlack", 220, 91},
  };
  // clang-format on
  for (int k = 0; k < 7; ++k) hidden.push_back({Idx("Muster", k), 20, 20});
  ASSERT_EQ(table.size(), 20u);

  TForm& f = *form;
  Widgets widgets = {{"TForm", &f},
                     {"TFormPic", f.TFormPic},
                     {"TBox", f.TBox},
                     {"PkteForm", f.PkteForm},
                     {"PunkteTitel", f.PunkteTitel},
                     {"LevelTitel", f.LevelTitel},
                     {"ReihenTitel", f.ReihenTitel},
                     {"PunkteDigAnz", f.PunkteDigAnz},
                     {"LevelDigAnz", f.LevelDigAnz},
                     {"ReihenDigAnz", f.ReihenDigAnz},
                     {"VorschauRahmen", f.VorschauRahmen},
                     {"VorschauTitel", f.VorschauTitel},
                     {"Vorschau", f.Vorschau},
                     {"picButtonNeuesSpiel", f.picButtonNeuesSpiel},
                     {"picButtonHighscore", f.picButtonHighscore},
                     {"picButtonCopyright", f.picButtonCopyright},
                     {"picButtonAnleitung", f.picButtonAnleitung},
                     {"picButtonBeenden", f.picButtonBeenden}};
  for (int i = 0; i < 3; ++i) widgets[Idx("TBoxRahmen", i)] = f.TBoxRahmen[static_cast<size_t>(i)];
  CheckTable(table, widgets);

  Pictures pictures = {{"Schwarz", &f.Schwarz},
                       {"RahmenMuster", &f.RahmenMuster},
                       {"Reihe", &f.Reihe},
                       {"Digital", &f.Digital},
                       {"TBoxSich", &f.TBoxSich},
                       {"SichBox", &f.SichBox},
                       {"GameOverPic1", &f.GameOverPic1},
                       {"GameOverBl1", &f.GameOverBl1},
                       {"GameOverSich1", &f.GameOverSich1},
                       {"GameOverPic2", &f.GameOverPic2},
                       {"GameOverBl2", &f.GameOverBl2},
                       {"GameOverSich2", &f.GameOverSich2},
                       {"PausePic", &f.PausePic},
                       {"PausePicBl", &f.PausePicBl},
                       {"PauseSich", &f.PauseSich},
                       {"picRandVertikal", &f.picRandVertikal},
                       {"picRandHorizontal", &f.picRandHorizontal},
                       {"picEcke", &f.picEcke},
                       {"picHG", &f.picHG},
                       {"Logo", &f.Logo},
                       {"LogoBlack", &f.LogoBlack}};
  for (int k = 0; k < 7; ++k) pictures[Idx("Muster", k)] = &f.Muster[static_cast<size_t>(k)];
  CheckHidden(hidden, pictures);
  // The black cell is black all over: the masks are built from it.
  EXPECT_EQ(f.Schwarz, platform::NewImage(20, 20, 0xFF000000u));
}

// ---- Highscore list --------------------------------------------------------------------

TEST_F(Layout, HighscoreList) {
  std::vector<Element> table = {{"Highscore", kPlaced, kPlaced, 1024, 768, false, ""},
                                {"HighscorePic", kPlaced, kPlaced, 640, 480, true, "Highscore"},
                                {"picButtonZurueck", 248, 431, 140, 28, true, "HighscorePic"}};
  // Rank k + 1: its number, the number's black shadow (3 right, 1 down; that of rank r is HSPos(20 - r)),
  // the name and the score.
  for (int k = 0; k < 10; ++k) {
    table.push_back({Idx("HSPos", k), 56, 96 + 32 * k, 33, 25, true, "HighscorePic"});
    table.push_back({Idx("HSPos", 20 - (k + 1)), 59, 97 + 32 * k, 33, 25, true, "HighscorePic"});
    table.push_back({Idx("HSName", k), 104, 96 + 32 * k, 361, 25, true, "HighscorePic"});
    table.push_back({Idx("HSScore", k), 480, 96 + 32 * k, 81, 25, true, "HighscorePic"});
  }
  const std::vector<Hidden> hidden = {{"picHG", 144, 144}, {"HSTitel", 416, 71}, {"HSTitelBl", 416, 71}};

  Highscore& hs = form->HighscoreForm();
  Widgets widgets = {{"Highscore", &hs}, {"HighscorePic", hs.HighscorePic}, {"picButtonZurueck", hs.picButtonZurueck}};
  for (int i = 0; i < 20; ++i) widgets[Idx("HSPos", i)] = hs.HSPos[static_cast<size_t>(i)];
  for (int i = 0; i < 10; ++i) {
    widgets[Idx("HSName", i)] = hs.HSName[static_cast<size_t>(i)];
    widgets[Idx("HSScore", i)] = hs.HSScore[static_cast<size_t>(i)];
  }
  CheckTable(table, widgets);
  CheckHidden(hidden, {{"picHG", &hs.picHG}, {"HSTitel", &hs.HSTitel}, {"HSTitelBl", &hs.HSTitelBl}});
}

// ---- Name entry ------------------------------------------------------------------------

TEST_F(Layout, NameEntry) {
  const std::vector<Element> table = {
      {"Eingabe", kPlaced, kPlaced, 362, 201, false, ""},  {"EingabeText(0)", 0, 8, 361, 33, true, "Eingabe"},
      {"EingabeText(1)", 0, 44, 361, 25, true, "Eingabe"}, {"EingabeText(2)", 40, 64, 281, 49, true, "Eingabe"},
      {"HSEingabe", 24, 114, 313, 32, true, "Eingabe"},    {"picButtonOK", 128, 160, 100, 28, true, "Eingabe"},
  };
  Eingabe& e = form->EingabeForm();
  Widgets widgets = {{"Eingabe", &e}, {"HSEingabe", e.HSEingabe}, {"picButtonOK", e.picButtonOK}};
  for (int i = 0; i < 3; ++i) widgets[Idx("EingabeText", i)] = e.EingabeText[static_cast<size_t>(i)];
  CheckTable(table, widgets);
  CheckHidden({{"picHG", 145, 145}}, {{"picHG", &e.picHG}});
}

// ---- Instructions ----------------------------------------------------------------------

TEST_F(Layout, Instructions) {
  const std::vector<Element> table = {
      {"Anleitung", kPlaced, kPlaced, 1024, 768, false, ""},
      {"AnleitungPic", kPlaced, kPlaced, 640, 480, true, "Anleitung"},
      {"AnleitText", 40, 79, 555, 345, true, "AnleitungPic"},
      {"picButtonZurueck", 248, 439, 140, 28, true, "AnleitungPic"},
  };
  const std::vector<Hidden> hidden = {{"picHG", 189, 194}, {"AnleitTitel", 176, 67}, {"AnleitTitelBl", 176, 67}};
  Anleitung& a = form->AnleitungForm();
  CheckTable(table, {{"Anleitung", &a},
                     {"AnleitungPic", a.AnleitungPic},
                     {"AnleitText", a.AnleitText},
                     {"picButtonZurueck", a.picButtonZurueck}});
  CheckHidden(hidden, {{"picHG", &a.picHG}, {"AnleitTitel", &a.AnleitTitel}, {"AnleitTitelBl", &a.AnleitTitelBl}});
}

// ---- About box -------------------------------------------------------------------------

TEST_F(Layout, AboutBox) {
  std::vector<Element> table = {
      {"InfoForm", kPlaced, kPlaced, 408, 237, false, ""}, {"InfoPic", 8, 8, 61, 166, true, "InfoForm"},
      {"InfoTitel(0)", 80, 8, 217, 25, true, "InfoForm"},  {"InfoTitel(3)", 82, 9, 217, 25, true, "InfoForm"},
      {"InfoTitel(1)", 80, 32, 217, 17, true, "InfoForm"}, {"InfoTitel(2)", 80, 56, 241, 17, true, "InfoForm"},
      {"picRahmen", 80, 70, 321, 105, true, "InfoForm"},   {"ZOQLogo", 172, 25, 140, 48, true, "picRahmen"},
      {"CRTxt(0)", 0, 8, 185, 17, true, "picRahmen"},      {"CRTxt(1)", 0, 32, 185, 17, true, "picRahmen"},
      {"CRTxt(2)", 0, 49, 185, 13, true, "picRahmen"},     {"CRTxt(3)", 0, 75, 185, 17, true, "picRahmen"},
      {"OKButton", 312, 208, 89, 25, true, "InfoForm"},
  };
  InfoForm& f = form->InfoFormForm();
  Widgets widgets = {{"InfoForm", &f},
                     {"InfoPic", f.InfoPic},
                     {"picRahmen", f.picRahmen},
                     {"ZOQLogo", f.ZOQLogo},
                     {"OKButton", f.OKButton}};
  for (int i = 0; i < 4; ++i) {
    widgets[Idx("InfoTitel", i)] = f.InfoTitel[static_cast<size_t>(i)];
    widgets[Idx("CRTxt", i)] = f.CRTxt[static_cast<size_t>(i)];
  }
  CheckTable(table, widgets);
  CheckHidden({{"HGPic", 219, 163}}, {{"HGPic", &f.HGPic}});
  // The separator: two lines on the same coordinates, white under grey.
  for (const QLine& l : f.Linie) EXPECT_EQ(l, QLine(8, 184, 400, 184));
  EXPECT_EQ(f.LinieFarbe[0], QColor(Qt::white));
  EXPECT_EQ(f.LinieFarbe[1], QColor(0x80, 0x80, 0x80));
}

// ---- Pictures drawn through a mask --------------------------------------------------------

// Each mask is black on its picture's shape and white elsewhere, and the picture
// is white wherever the mask is: otherwise the well or the panel would not show through.
TEST_F(Layout, EveryMaskedPictureComesWithItsTwoColourMask) {
  Highscore& hs = form->HighscoreForm();
  Anleitung& a = form->AnleitungForm();
  const struct {
    const char* name;
    const QImage &picture, &mask;
  } pairs[] = {{"Logo", form->Logo, form->LogoBlack},
               {"HSTitel", hs.HSTitel, hs.HSTitelBl},
               {"AnleitTitel", a.AnleitTitel, a.AnleitTitelBl},
               {"PausePic", form->PausePic, form->PausePicBl},
               {"GameOverPic1", form->GameOverPic1, form->GameOverBl1},
               {"GameOverPic2", form->GameOverPic2, form->GameOverBl2}};
  for (const auto& pair : pairs) {
    SCOPED_TRACE(pair.name);
    ASSERT_EQ(pair.picture.size(), pair.mask.size());
    int shape = 0, coloured = 0, seeThrough = 0;
    for (int y = 0; y < pair.mask.height(); ++y)
      for (int x = 0; x < pair.mask.width(); ++x) {
        const QRgb m = pair.mask.pixel(x, y) & 0xFFFFFFu, p = pair.picture.pixel(x, y) & 0xFFFFFFu;
        ASSERT_TRUE(m == 0 || m == 0xFFFFFFu) << "mask pixel " << x << "," << y;
        if (m == 0xFFFFFFu) {
          ASSERT_EQ(p, 0xFFFFFFu) << "picture pixel " << x << "," << y << " lies outside the shape";
          ++seeThrough;
        } else {
          ++shape;
          if (p != 0 && p != 0xFFFFFFu) ++coloured;
        }
      }
    EXPECT_GT(shape, 0);
    EXPECT_GT(seeThrough, 0);
    EXPECT_GT(coloured, 0) << "the picture itself, not a second mask";
  }
}

}  // namespace
