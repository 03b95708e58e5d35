// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A small reference model of the rules of play, written from the rules
// themselves and the tables of model_tables.h, never from the engine. The
// tests hold the game's move tests, its fall, its hard drop, its row clearing
// and its scoring against it.

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "model_tables.h"

namespace model {

// The settled cells: columns 0 ... 10, rows 0 ... 20, with the colour codes.
struct Board {
  bool set[11][21] = {};
  int colour[11][21] = {};
  // Outside the table counts as free.
  bool At(int c, int r) const { return c >= 0 && c <= 10 && r >= 0 && r <= 20 && set[c][r]; }
};

struct Piece {
  int p;
  float x, y;  // SteinX, SteinY
};

inline int Next(int p) { return p % 4 == 3 ? p - 3 : p + 1; }

// The written tables read once into lists per picture, so sweeps stay quick.
struct Parsed {
  std::vector<oracle::Cell> cells[28], support[28], onRow[28], between[28];
  std::string result[28];
  int width[28], height[28];
  std::set<oracle::Cell> wall;
  Parsed() {
    for (int p = 0; p < 28; ++p) {
      cells[p] = oracle::Cells(p);
      support[p] = oracle::Support(p);
      const oracle::TurnRow& t = oracle::Turn(p);
      onRow[p] = oracle::Pairs(t.onRow);
      between[p] = oracle::Pairs(t.between);
      result[p] = t.result;
      width[p] = oracle::Width(p);
      height[p] = oracle::Height(p);
    }
    for (auto c : oracle::Pairs(oracle::kWallPairs)) wall.insert(c);
  }
};
inline const Parsed& Tables() {
  static const Parsed parsed;
  return parsed;
}

inline bool IsCell(int p, int dx, int dy) {
  for (auto [cx, cy] : Tables().cells[p])
    if (cx == dx && cy == dy) return true;
  return false;
}
inline int BottomLimit(int p) { return 400 - 20 * Tables().height[p]; }

// Grid quantities of a position: left column, top row truncated toward zero
// and raised to 0, top row rounded down, and whether it lies between rows.
struct Grid {
  int c0, C, T, F;
  bool between;
};
inline Grid GridOf(float x, float y) {
  Grid g{};
  g.c0 = static_cast<int>(x) / 20;
  g.C = g.c0 + 1;
  g.T = std::max(0, static_cast<int>(std::trunc(y / 20.0)) + 1);
  g.F = static_cast<int>(std::floor(y / 20.0)) + 1;
  g.between = std::fmod(y, 20.0f) != 0.0f;
  return g;
}

// The cells a side test probes, relative to (C, T): the cell just outside each
// row's outermost cell, between rows also one row lower, never a piece cell.
inline std::set<oracle::Cell> SideProbes(int p, int dir, bool between) {
  std::set<oracle::Cell> probes;
  for (int i = 0; i < Tables().height[p]; ++i) {
    int outer = dir < 0 ? 99 : -99;
    for (auto [dx, dy] : Tables().cells[p])
      if (dy == i) outer = dir < 0 ? std::min(outer, dx) : std::max(outer, dx);
    if (!IsCell(p, outer + dir, i)) probes.insert({outer + dir, i});
    if (between && !IsCell(p, outer + dir, i + 1)) probes.insert({outer + dir, i + 1});
  }
  return probes;
}

inline const std::vector<oracle::Cell>& SideProbeList(int p, int dir, bool between) {
  static const auto lists = [] {
    std::vector<std::vector<oracle::Cell>> v;
    for (int q = 0; q < 28; ++q)
      for (int d : {-1, +1})
        for (bool b : {false, true}) {
          const auto set = SideProbes(q, d, b);
          v.emplace_back(set.begin(), set.end());
        }
    return v;
  }();
  return lists[static_cast<size_t>(p * 4 + (dir > 0 ? 2 : 0) + (between ? 1 : 0))];
}

inline bool SideBlocked(const Board& b, const Piece& s, int dir) {
  const Grid g = GridOf(s.x, s.y);
  for (auto [dx, dy] : SideProbeList(s.p, dir, g.between))
    if (b.At(g.C + dx, g.T + dy)) return true;
  return false;
}

// The move operations: the wall limit first, then the side test.
inline float AfterMove(const Board& b, const Piece& s, int dir) {
  if (dir < 0 && s.x == 0) return s.x;
  if (dir > 0 && s.x == static_cast<float>(200 - 20 * Tables().width[s.p])) return s.x;
  return SideBlocked(b, s, dir) ? s.x : s.x + 20.0f * static_cast<float>(dir);
}

inline bool TurnAllowed(const Board& b, const Piece& s) {
  const Parsed& t = Tables();
  const Grid g = GridOf(s.x, s.y);
  if (t.wall.count({s.p, g.c0})) return false;
  const int next = Next(s.p);
  const std::string& result = t.result[s.p];
  bool blocked = false;
  if (result == "flat") {
    for (auto [dx, dy] : t.onRow[s.p]) blocked |= b.At(g.C + dx, g.T + dy);
    if (g.between)
      for (auto [dx, dy] : t.between[s.p]) blocked |= b.At(g.C + dx, g.T + dy);
  }
  if (static_cast<int>(std::floor(s.y / 20.0)) + t.height[next] + 1 > 20) return false;
  if (result == "tall")
    for (auto [dx, dy] : t.onRow[s.p]) blocked |= b.At(g.C + dx, g.F + dy);
  // Where the game deliberately goes further than the probe table: a turn is
  // also refused when a turned cell, or between rows the cell below it, is
  // occupied, so a piece never turns into settled cells.
  for (auto [dx, dy] : t.cells[next]) {
    blocked |= b.At(g.C + dx, g.F + dy);
    if (g.between) blocked |= b.At(g.C + dx, g.F + dy + 1);
  }
  return !blocked;
}

// The support test: resting on a settled cell below one of the support cells.
inline bool Supported(const Board& b, const Piece& s) {
  const int c0 = static_cast<int>(s.x) / 20 + 1;
  const int r = static_cast<int>(std::floor(s.y / 20.0)) + Tables().height[s.p] + 1;
  if (r > 20) return false;
  for (auto [dx, k] : Tables().support[s.p])
    if (b.At(c0 + dx, r - k)) return true;
  return false;
}

inline float Snap(float y) { return static_cast<float>(std::floor(y / 20.0) * 20.0); }

// One gravity tick: returns true when the piece comes to rest (on the floor,
// put back to the bottom limit, or on settled cells, snapped to the grid).
inline bool Tick(const Board& b, Piece& s, int step) {
  s.y += static_cast<float>(step);
  if (s.y > static_cast<float>(BottomLimit(s.p))) {
    s.y = static_cast<float>(BottomLimit(s.p));
    return true;
  }
  if (!Supported(b, s)) return false;
  s.y = Snap(s.y);
  return true;
}

// The hard drop: steps of 19 pixels until the floor or a support, then onto the grid.
inline void Drop(const Board& b, Piece& s) {
  bool rest = false;
  do {
    s.y += static_cast<float>(oracle::kHardDropStep);
    rest = Supported(b, s);
    if (rest) s.y = Snap(s.y);
  } while (!(s.y >= static_cast<float>(BottomLimit(s.p)) || rest));
  s.y = Snap(s.y);
}

// A piece at rest with its top at or above the top of the well ends the game.
inline bool TopsOut(const Piece& s) { return s.y <= 0; }

// Removes every complete row; the other rows keep their order and close up
// at the bottom, colours with them. Returns how many rows went.
inline int ClearRows(Board& b) {
  Board out;
  int dest = 20, removed = 0;
  for (int r = 20; r >= 1; --r) {
    int n = 0;
    for (int c = 1; c <= 10; ++c) n += b.set[c][r] ? 1 : 0;
    if (n == 10) {
      ++removed;
      continue;
    }
    for (int c = 1; c <= 10; ++c) {
      out.set[c][dest] = b.set[c][r];
      out.colour[c][dest] = b.colour[c][r];
    }
    --dest;
  }
  b = out;
  return removed;
}

// Placing: the cells of the picture with the kind's colour code, then the rows.
// Returns the rows removed, or -1 when the piece ends the game instead.
inline int Place(Board& b, const Piece& s) {
  if (TopsOut(s)) return -1;
  const int S = static_cast<int>(s.x) / 20 + 1;
  const int Z = static_cast<int>(s.y) / 20 + 1;
  const int colour = oracle::kKinds[static_cast<size_t>(s.p / 4)].colour;
  for (auto [dx, dy] : oracle::Cells(s.p)) {
    b.set[S + dx][Z + dy] = true;
    b.colour[S + dx][Z + dy] = colour;
  }
  return ClearRows(b);
}

// Points and level after a landing that removed n rows, from the two tables.
struct Score {
  int points = 0, level = 1;
};
inline void AddRows(Score& s, int n) {
  for (auto [rows, pts] : oracle::kPointsPerRows)
    if (rows == n) s.points += pts;
  s.points = std::min(s.points, oracle::kPointsCap);
  for (const oracle::LevelRow& l : oracle::kLevels)
    if (s.points >= l.points && l.level == s.level + 1) s.level = l.level;
}
inline int StepOf(int level) {
  for (const oracle::LevelRow& l : oracle::kLevels)
    if (l.level == level) return l.step;
  return -1;
}

}  // namespace model
