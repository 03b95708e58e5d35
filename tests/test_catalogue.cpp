// The piece catalogue and the probe tables, checked against the shapes they
// are derived from, and the probe sets checked through the real move tests.

#include <algorithm>
#include <set>
#include <utility>

#include "engine/tables.h"
#include "fixture.h"

namespace {

using Cell = std::pair<int, int>;  // (dx, dy)

std::set<Cell> Cells(int p) {
  std::set<Cell> s;
  for (const auto& z : engine::kKatalog[static_cast<size_t>(p)].zellen) s.insert({z.dx, z.dy});
  return s;
}

// A quarter turn clockwise, fitted back into the top-left corner.
std::set<Cell> TurnClockwise(const std::set<Cell>& cells) {
  int h = 0;
  for (auto [dx, dy] : cells) h = std::max(h, dy + 1);
  std::set<Cell> out;
  for (auto [dx, dy] : cells) out.insert({h - 1 - dy, dx});
  return out;
}

std::string ShapeOf(int p) {
  const auto& b = engine::kKatalog[static_cast<size_t>(p)];
  std::string s;
  for (int y = 0; y < b.hoehe; ++y) {
    if (y) s += " / ";
    for (int x = 0; x < b.breite; ++x) s += Cells(p).count({x, y}) ? 'X' : '.';
  }
  return s;
}

class Catalogue : public ::testing::TestWithParam<int> {};

TEST_P(Catalogue, CellsFillTheirBoundingBoxAndMatchTheShape) {
  const int p = GetParam();
  const auto& b = engine::kKatalog[static_cast<size_t>(p)];
  const auto cells = Cells(p);
  ASSERT_EQ(cells.size(), 4u) << "four distinct cells";
  int w = 0, h = 0;
  for (auto [dx, dy] : cells) {
    EXPECT_GE(dx, 0);
    EXPECT_GE(dy, 0);
    w = std::max(w, dx + 1);
    h = std::max(h, dy + 1);
  }
  EXPECT_EQ(w, b.breite);
  EXPECT_EQ(h, b.hoehe);
  EXPECT_EQ(ShapeOf(p), b.form);
  EXPECT_EQ(TForm::BildBreite(p), 20 * w);
  EXPECT_EQ(TForm::BildHoehe(p), 20 * h);
}

TEST_P(Catalogue, EachStateIsThePreviousOneTurnedClockwise) {
  const int p = GetParam();
  EXPECT_EQ(TurnClockwise(Cells(p)), Cells(engine::NaechsterZustand(p)));
}

TEST_P(Catalogue, SupportCellsAreTheBottomProfile) {
  const int p = GetParam();
  const auto& b = engine::kKatalog[static_cast<size_t>(p)];
  std::set<Cell> profile;
  for (int x = 0; x < b.breite; ++x) {
    int lowest = -1;
    for (auto [dx, dy] : Cells(p))
      if (dx == x) lowest = std::max(lowest, dy);
    ASSERT_GE(lowest, 0) << "every column of a picture has a cell";
    profile.insert({x, b.hoehe - 1 - lowest});
  }
  std::set<Cell> table;
  for (const auto& s : engine::kStuetzen[static_cast<size_t>(p)].Zellen()) table.insert({s.dx, s.k});
  EXPECT_EQ(table, profile);
}

TEST_P(Catalogue, TallTurnsProbeTheNewCellsOneRowLower) {
  const int p = GetParam();
  const auto& probe = engine::kDrehProben[static_cast<size_t>(p)];
  const int next = engine::NaechsterZustand(p);
  EXPECT_EQ(probe.hoch, next % 2 == 1 && p / 4 != 5);
  if (!probe.hoch) return;
  std::set<Cell> expected;
  const auto now = Cells(p);
  for (auto c : Cells(next))
    if (!now.count(c)) expected.insert({c.first, c.second + 1});
  std::set<Cell> table;
  for (const auto& z : probe.AufZeile()) table.insert({z.dx, z.dy});
  EXPECT_EQ(table, expected);
}

INSTANTIATE_TEST_SUITE_P(AllPictures, Catalogue, ::testing::Range(0, 28),
                         [](const auto& info) { return "Picture" + std::to_string(info.param); });

TEST(CatalogueTables, WallPairsAreExactlyTheTurnsThatWouldLeaveTheWell) {
  std::set<Cell> derived;
  for (int p = 1; p < 28; p += 2) {
    const int w = engine::kKatalog[static_cast<size_t>(p)].breite;
    const int wNext = engine::kKatalog[static_cast<size_t>(engine::NaechsterZustand(p))].breite;
    for (int c0 = 0; c0 + w <= 10; ++c0)
      if (c0 + wNext > 10) derived.insert({p, c0});
  }
  std::set<Cell> table;
  for (const auto& w : engine::kWandPaare) table.insert({w.bild, w.c0});
  EXPECT_EQ(table.size(), 16u);
  EXPECT_EQ(table, derived);
}

TEST(CatalogueTables, PointsAndSteps) {
  EXPECT_EQ(engine::kPunkteJeReihen, (std::array<int, 5>{0, 20, 60, 120, 200}));
  EXPECT_EQ(engine::kSoftDropSchritt, 19);
}

// ---- The probe sets, through the real tests ------------------------------------

// The side probes by their rule: the cell just outside each row's outermost
// cell, and between rows the same one row lower, unless that is a piece cell.
std::set<Cell> SideProbes(int p, int dir, bool between) {
  const auto cells = Cells(p);
  const auto& b = engine::kKatalog[static_cast<size_t>(p)];
  std::set<Cell> probes;
  for (int i = 0; i < b.hoehe; ++i) {
    int outer = dir < 0 ? 99 : -99;
    for (auto [dx, dy] : cells)
      if (dy == i) outer = dir < 0 ? std::min(outer, dx) : std::max(outer, dx);
    if (!cells.count({outer + dir, i})) probes.insert({outer + dir, i});
    if (between && !cells.count({outer + dir, i + 1})) probes.insert({outer + dir, i + 1});
  }
  return probes;
}

struct SideCase {
  int picture;
  bool between;
};

class SideProbeTest : public FormTest, public ::testing::WithParamInterface<SideCase> {};

// Every cell of a window around the piece is occupied alone in turn; exactly
// the probe cells must block.
TEST_P(SideProbeTest, ExactlyTheProbeCellsBlock) {
  const auto [p, between] = GetParam();
  const int c0 = 3;
  const int top = 5;  // table row of the picture's top
  for (int dir : {-1, +1}) {
    const auto expected = SideProbes(p, dir, between);
    for (int dx = -2; dx <= 5; ++dx) {
      for (int dy = 0; dy <= 5; ++dy) {
        if (Cells(p).count({dx, dy})) continue;
        form->picButtonNeuesSpiel_Click();
        form->AktStein = p;
        form->SteinX = static_cast<float>(20 * c0);
        form->SteinY = static_cast<float>(20 * (top - 1) + (between ? 7 : 0));
        Fill(c0 + 1 + dx, top + dy);
        const bool blocked = dir < 0 ? form->LinksBelegt() : form->RechtsBelegt();
        EXPECT_EQ(blocked, expected.count({dx, dy}) == 1) << "picture " << p << (dir < 0 ? " left" : " right")
                                                          << (between ? " between" : "") << " cell " << dx << "," << dy;
      }
    }
  }
}

std::vector<SideCase> AllSideCases() {
  std::vector<SideCase> v;
  for (int p = 0; p < 28; ++p)
    for (bool b : {false, true}) v.push_back({p, b});
  return v;
}

INSTANTIATE_TEST_SUITE_P(AllPictures, SideProbeTest, ::testing::ValuesIn(AllSideCases()), [](const auto& info) {
  return "Picture" + std::to_string(info.param.picture) + (info.param.between ? "Between" : "");
});

TEST(SideProbeRule, TheWorkedExampleOfPictureTwo) {
  EXPECT_EQ(SideProbes(2, -1, false), (std::set<Cell>{{1, 0}, {-1, 1}}));
  EXPECT_EQ(SideProbes(2, -1, true), (std::set<Cell>{{1, 0}, {-1, 1}, {-1, 2}}));
  EXPECT_EQ(SideProbes(2, +1, false), (std::set<Cell>{{3, 0}, {3, 1}}));
  EXPECT_EQ(SideProbes(2, +1, true), (std::set<Cell>{{3, 0}, {3, 1}, {3, 2}}));
}

struct TurnCase {
  int picture;
  bool between;
};

class TurnProbeTest : public FormTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(TurnProbeTest, ExactlyTheTabledCellsAndTheTurnedCellsBlockTheTurn) {
  const auto [p, between] = GetParam();
  const auto& probe = engine::kDrehProben[static_cast<size_t>(p)];
  std::set<Cell> expected;
  for (const auto& z : probe.AufZeile()) expected.insert({z.dx, z.dy});
  if (between && !probe.hoch)
    for (const auto& z : probe.Zwischen()) expected.insert({z.dx, z.dy});
  // Beyond the tabled probes, the turned picture itself must not land on a settled cell.
  for (auto [dx, dy] : Cells(engine::NaechsterZustand(p))) {
    expected.insert({dx, dy});
    if (between) expected.insert({dx, dy + 1});
  }
  const int c0 = 2;
  const int top = 4;
  for (int dx = -1; dx <= 4; ++dx) {
    for (int dy = 0; dy <= 5; ++dy) {
      form->picButtonNeuesSpiel_Click();
      form->AktStein = p;
      form->SteinX = static_cast<float>(20 * c0);
      form->SteinY = static_cast<float>(20 * (top - 1) + (between ? 11 : 0));
      // Tall results count from the floor row, which equals the top row here.
      Fill(c0 + 1 + dx, top + dy);
      EXPECT_EQ(form->DrehPruefer(), expected.count({dx, dy}) == 0)
          << "picture " << p << (between ? " between" : "") << " cell " << dx << "," << dy;
    }
  }
}

std::vector<TurnCase> AllTurnCases() {
  std::vector<TurnCase> v;
  for (int p = 0; p < 28; ++p)
    for (bool b : {false, true}) v.push_back({p, b});
  return v;
}

INSTANTIATE_TEST_SUITE_P(AllPictures, TurnProbeTest, ::testing::ValuesIn(AllTurnCases()), [](const auto& info) {
  return "Picture" + std::to_string(info.param.picture) + (info.param.between ? "Between" : "");
});

class WallPairTest : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(WallPairTest, TallPiecesNearTheRightWallCannotTurn) {
  const int p = GetParam();
  std::set<int> refused;
  for (const auto& w : engine::kWandPaare)
    if (w.bild == p) refused.insert(w.c0);
  const int width = engine::kKatalog[static_cast<size_t>(p)].breite;
  for (int c0 = 0; c0 + width <= 10; ++c0) {
    StartWith(p);
    form->SteinX = static_cast<float>(20 * c0);
    form->SteinY = 100;
    EXPECT_EQ(form->DrehPruefer(), refused.count(c0) == 0) << "picture " << p << " column " << c0;
  }
}

INSTANTIATE_TEST_SUITE_P(AllPictures, WallPairTest, ::testing::Range(0, 28),
                         [](const auto& info) { return "Picture" + std::to_string(info.param); });

}  // namespace
