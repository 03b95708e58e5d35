// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rule tables of the game, written down once for the tests in the form
// the rules give them, independently of engine/tables.h. Every expected value
// of the play tests comes from here or from the rules in model_rules.h.

#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace oracle {

using Cell = std::pair<int, int>;  // (dx, dy), or (dx, k) for support cells

// Every "(a,b)" or "(a, b)" in the text, in order; "none" gives nothing.
inline std::vector<Cell> Pairs(const std::string& text) {
  std::vector<Cell> out;
  for (size_t i = text.find('('); i != std::string::npos; i = text.find('(', i + 1)) {
    char* end = nullptr;
    const int a = static_cast<int>(std::strtol(text.c_str() + i + 1, &end, 10));
    const int b = static_cast<int>(std::strtol(end + 1, nullptr, 10));
    out.push_back({a, b});
  }
  return out;
}

// Every whole number in the text ("4, 6" or "20, 21, 22, 23").
inline std::vector<int> Numbers(const std::string& text) {
  std::vector<int> out;
  const char* s = text.c_str();
  while (*s) {
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (end == s) {
      ++s;
    } else {
      out.push_back(static_cast<int>(v));
      s = end;
    }
  }
  return out;
}

// ---- Piece pictures: number, kind, state, size in cells, cells, shape ---------------
struct Picture {
  int p, kind, state;
  const char* size;   // "w x h" in cells
  const char* cells;  // in the order the pictures are built and placed
  const char* shape;  // rows top to bottom, X = cell
};

// clang-format off
inline constexpr std::array<Picture, 28> kPictures = {{
    { 0, 0, 0, "3 x 2", "(0,0) (1,0) (2,0) (0,1)", "XXX / X.."},
    { 1, 0, 1, "2 x 3", "(0,0) (1,0) (1,1) (1,2)", "XX / .X / .X"},
    { 2, 0, 2, "3 x 2", "(2,0) (0,1) (1,1) (2,1)", "..X / XXX"},
    { 3, 0, 3, "2 x 3", "(0,0) (0,1) (0,2) (1,2)", "X. / X. / XX"},
    { 4, 1, 0, "4 x 1", "(0,0) (1,0) (2,0) (3,0)", "XXXX"},
    { 5, 1, 1, "1 x 4", "(0,0) (0,1) (0,2) (0,3)", "X / X / X / X"},
    { 6, 1, 2, "4 x 1", "(0,0) (1,0) (2,0) (3,0)", "XXXX"},
    { 7, 1, 3, "1 x 4", "(0,0) (0,1) (0,2) (0,3)", "X / X / X / X"},
    { 8, 2, 0, "3 x 2", "(0,0) (1,0) (2,0) (1,1)", "XXX / .X."},
    { 9, 2, 1, "2 x 3", "(1,0) (0,1) (1,1) (1,2)", ".X / XX / .X"},
    {10, 2, 2, "3 x 2", "(1,0) (0,1) (1,1) (2,1)", ".X. / XXX"},
    {11, 2, 3, "2 x 3", "(0,0) (0,1) (1,1) (0,2)", "X. / XX / X."},
    {12, 3, 0, "3 x 2", "(1,0) (2,0) (0,1) (1,1)", ".XX / XX."},
    {13, 3, 1, "2 x 3", "(0,0) (0,1) (1,1) (1,2)", "X. / XX / .X"},
    {14, 3, 2, "3 x 2", "(1,0) (2,0) (0,1) (1,1)", ".XX / XX."},
    {15, 3, 3, "2 x 3", "(0,0) (0,1) (1,1) (1,2)", "X. / XX / .X"},
    {16, 4, 0, "3 x 2", "(0,0) (1,0) (1,1) (2,1)", "XX. / .XX"},
    {17, 4, 1, "2 x 3", "(1,0) (0,1) (1,1) (0,2)", ".X / XX / X."},
    {18, 4, 2, "3 x 2", "(0,0) (1,0) (1,1) (2,1)", "XX. / .XX"},
    {19, 4, 3, "2 x 3", "(1,0) (0,1) (1,1) (0,2)", ".X / XX / X."},
    {20, 5, 0, "2 x 2", "(0,0) (1,0) (0,1) (1,1)", "XX / XX"},
    {21, 5, 1, "2 x 2", "(0,0) (1,0) (0,1) (1,1)", "XX / XX"},
    {22, 5, 2, "2 x 2", "(0,0) (1,0) (0,1) (1,1)", "XX / XX"},
    {23, 5, 3, "2 x 2", "(0,0) (1,0) (0,1) (1,1)", "XX / XX"},
    {24, 6, 0, "3 x 2", "(0,0) (1,0) (2,0) (2,1)", "XXX / ..X"},
    {25, 6, 1, "2 x 3", "(1,0) (1,1) (0,2) (1,2)", ".X / .X / XX"},
    {26, 6, 2, "3 x 2", "(0,0) (0,1) (1,1) (2,1)", "X.. / XXX"},
    {27, 6, 3, "2 x 3", "(0,0) (1,0) (0,1) (0,2)", "XX / X. / X."},
}};
// clang-format on

inline std::vector<Cell> Cells(int p) { return Pairs(kPictures[static_cast<size_t>(p)].cells); }
inline int Width(int p) { return std::atoi(kPictures[static_cast<size_t>(p)].size); }       // cells
inline int Height(int p) { return std::atoi(kPictures[static_cast<size_t>(p)].size + 4); }  // cells

// ---- Kinds: colour code, picture at spawn, spawn size in pixels, SteinY at spawn -----
struct Kind {
  int kind;
  char shape;
  int colour;
  int spawnPicture;
  const char* spawnSize;  // "w x h" pixels
  int spawnY;
};
// clang-format off
inline constexpr std::array<Kind, 7> kKinds = {{
    {0, 'L', 1,  0, "60 x 40", -40},
    {1, 'I', 2,  4, "80 x 20", -20},
    {2, 'T', 3,  8, "60 x 40", -40},
    {3, 'S', 4, 12, "60 x 40", -40},
    {4, 'Z', 5, 16, "60 x 40", -40},
    {5, 'O', 6, 20, "40 x 40", -40},
    {6, 'J', 7, 24, "60 x 40", -40},
}};
// clang-format on
inline constexpr int kSpawnX = 80;

// ---- Support cells: per picture, each column's lowest cell (dx, k rows above the bottom)
struct SupportRow {
  const char* pictures;
  const char* cells;
};
// clang-format off
inline constexpr std::array<SupportRow, 19> kSupport = {{
    {"0", "(0, 0), (1, 1), (2, 1)"},
    {"1", "(0, 2), (1, 0)"},
    {"2", "(0, 0), (1, 0), (2, 0)"},
    {"3", "(0, 0), (1, 0)"},
    {"4, 6", "(0, 0), (1, 0), (2, 0), (3, 0)"},
    {"5, 7", "(0, 0)"},
    {"8", "(0, 1), (1, 0), (2, 1)"},
    {"9", "(0, 1), (1, 0)"},
    {"10", "(0, 0), (1, 0), (2, 0)"},
    {"11", "(0, 0), (1, 1)"},
    {"12, 14", "(0, 0), (1, 0), (2, 1)"},
    {"13, 15", "(0, 1), (1, 0)"},
    {"16, 18", "(0, 1), (1, 0), (2, 0)"},
    {"17, 19", "(0, 0), (1, 1)"},
    {"20, 21, 22, 23", "(0, 0), (1, 0)"},
    {"24", "(0, 1), (1, 1), (2, 0)"},
    {"25", "(0, 0), (1, 0)"},
    {"26", "(0, 0), (1, 0), (2, 0)"},
    {"27", "(0, 0), (1, 2)"},
}};
// clang-format on

inline std::vector<Cell> Support(int p) {
  for (const SupportRow& row : kSupport)
    for (int q : Numbers(row.pictures))
      if (q == p) return Pairs(row.cells);
  return {};
}

// ---- Turn probes: current picture, next, kind of result, on a row, also between rows
struct TurnRow {
  const char* from;
  const char* to;
  const char* result;  // "tall", "flat" or "square"
  const char* onRow;
  const char* between;
};
// clang-format off
inline constexpr std::array<TurnRow, 25> kTurns = {{
    {"0", "1", "tall", "(1,3) (1,2)", "none"},
    {"1", "2", "flat", "(2,0) (2,1)", "(2,2)"},
    {"2", "3", "tall", "(0,3) (1,3) (0,1)", "none"},
    {"3", "0", "flat", "(2,0) (0,1)", "(2,1) (0,2)"},
    {"4", "5", "tall", "(0,2) (0,3) (0,4)", "none"},
    {"5", "6", "flat", "(1,0) (2,0) (3,0)", "(3,1)"},
    {"6", "7", "tall", "(0,2) (0,3) (0,4)", "none"},
    {"7", "4", "flat", "(1,0) (2,0) (3,0)", "(3,1)"},
    {"8", "9", "tall", "(0,2) (1,3)", "none"},
    {"9", "10", "flat", "(1,0) (2,1)", "(2,2)"},
    {"10", "11", "tall", "(0,3) (0,1)", "none"},
    {"11", "8", "flat", "(2,0) (1,1)", "(2,1)"},
    {"12", "13", "tall", "(1,3) (0,1)", "none"},
    {"13", "14", "flat", "(2,0) (1,1)", "(2,1) (1,2)"},
    {"14", "15", "tall", "(1,3) (0,1)", "none"},
    {"15", "12", "flat", "(2,0) (1,1)", "(2,1) (1,2)"},
    {"16", "17", "tall", "(0,3) (0,2)", "none"},
    {"17", "18", "flat", "(1,0) (2,1)", "(2,2)"},
    {"18", "19", "tall", "(0,3) (0,2)", "none"},
    {"19", "16", "flat", "(1,0) (2,1)", "(2,2)"},
    {"20 ... 23", "next", "square", "none", "none"},
    {"24", "25", "tall", "(0,3) (1,3) (1,2)", "none"},
    {"25", "26", "flat", "(0,0) (2,1)", "(2,2)"},
    {"26", "27", "tall", "(0,3) (1,1)", "none"},
    {"27", "24", "flat", "(2,0) (2,1)", "(2,2)"},
}};
// clang-format on

inline const TurnRow& Turn(int p) {
  for (const TurnRow& row : kTurns) {
    const auto from = Numbers(row.from);
    if (from.size() == 2 ? (p >= from[0] && p <= from[1]) : from[0] == p) return row;
  }
  std::abort();
}

// ---- Wall pairs: (picture, left column c0) at which a turn is refused --------------
inline constexpr const char* kWallPairs =
    "(1, 8), (3, 8), (5, 9), (5, 8), (5, 7), (7, 9), (7, 8), (7, 7), (9, 8), (11, 8), (13, 8), (15, 8), (17, 8), "
    "(19, 8), (25, 8), (27, 8)";

// ---- Points per landing by rows removed; the cap ------------------------------------
inline constexpr std::array<std::pair<int, int>, 4> kPointsPerRows = {{{1, 20}, {2, 60}, {3, 120}, {4, 200}}};
inline constexpr int kPointsCap = 99999;

// ---- Levels: level, reached at these points, Fallschritt ---------------------------
struct LevelRow {
  int level, points, step;
};
// clang-format off
inline constexpr std::array<LevelRow, 10> kLevels = {{
    { 1,    0,  3}, { 2,  500,  4}, { 3, 1000,  5}, { 4, 1500,  6}, { 5, 2000,  7},
    { 6, 2500,  8}, { 7, 3000,  9}, { 8, 3500, 10}, { 9, 4000, 11}, {10, 4500, 12},
}};
// clang-format on
inline constexpr int kSoftDropStep = 19;
inline constexpr int kHardDropStep = 19;

// ---- Timers of the main window, in ms ----------------------------------------------
inline constexpr int kFallTimerMs = 50;
inline constexpr int kWartenTimerMs = 200;
inline constexpr int kReiheTimerMs = 200;
inline constexpr int kGameOverTimerMs = 50;
inline constexpr int kJoystickTimerMs = 10;

}  // namespace oracle
