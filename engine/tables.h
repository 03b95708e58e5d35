// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rule tables of the playfield, kept as data in one place and in the form
// they are usually written down, so each line can be checked by eye.

#include <array>
#include <span>

namespace engine {

struct Zelle {
  int dx, dy;
};

// One piece picture: picture number 4 x kind + rotation state.
struct Bild {
  int breite, hoehe;            // in cells
  std::array<Zelle, 4> zellen;  // in the order the pictures are built and placed
  const char* form;             // rows top to bottom, "X" = cell
};

// clang-format off
inline constexpr std::array<Bild, 28> kKatalog = {{
  /*  0 L s0 */ {3, 2, {{{0,0}, {1,0}, {2,0}, {0,1}}}, "XXX / X.."},
  /*  1 L s1 */ {2, 3, {{{0,0}, {1,0}, {1,1}, {1,2}}}, "XX / .X / .X"},
  /*  2 L s2 */ {3, 2, {{{2,0}, {0,1}, {1,1}, {2,1}}}, "..X / XXX"},
  /*  3 L s3 */ {2, 3, {{{0,0}, {0,1}, {0,2}, {1,2}}}, "X. / X. / XX"},
  /*  4 I s0 */ {4, 1, {{{0,0}, {1,0}, {2,0}, {3,0}}}, "XXXX"},
  /*  5 I s1 */ {1, 4, {{{0,0}, {0,1}, {0,2}, {0,3}}}, "X / X / X / X"},
  /*  6 I s2 */ {4, 1, {{{0,0}, {1,0}, {2,0}, {3,0}}}, "XXXX"},
  /*  7 I s3 */ {1, 4, {{{0,0}, {0,1}, {0,2}, {0,3}}}, "X / X / X / X"},
  /*  8 T s0 */ {3, 2, {{{0,0}, {1,0}, {2,0}, {1,1}}}, "XXX / .X."},
  /*  9 T s1 */ {2, 3, {{{1,0}, {0,1}, {1,1}, {1,2}}}, ".X / XX / .X"},
  /* 10 T s2 */ {3, 2, {{{1,0}, {0,1}, {1,1}, {2,1}}}, ".X. / XXX"},
  /* 11 T s3 */ {2, 3, {{{0,0}, {0,1}, {1,1}, {0,2}}}, "X. / XX / X."},
  /* 12 S s0 */ {3, 2, {{{1,0}, {2,0}, {0,1}, {1,1}}}, ".XX / XX."},
  /* 13 S s1 */ {2, 3, {{{0,0}, {0,1}, {1,1}, {1,2}}}, "X. / XX / .X"},
  /* 14 S s2 */ {3, 2, {{{1,0}, {2,0}, {0,1}, {1,1}}}, ".XX / XX."},
  /* 15 S s3 */ {2, 3, {{{0,0}, {0,1}, {1,1}, {1,2}}}, "X. / XX / .X"},
  /* 16 Z s0 */ {3, 2, {{{0,0}, {1,0}, {1,1}, {2,1}}}, "XX. / .XX"},
  /* 17 Z s1 */ {2, 3, {{{1,0}, {0,1}, {1,1}, {0,2}}}, ".X / XX / X."},
  /* 18 Z s2 */ {3, 2, {{{0,0}, {1,0}, {1,1}, {2,1}}}, "XX. / .XX"},
  /* 19 Z s3 */ {2, 3, {{{1,0}, {0,1}, {1,1}, {0,2}}}, ".X / XX / X."},
  /* 20 O s0 */ {2, 2, {{{0,0}, {1,0}, {0,1}, {1,1}}}, "XX / XX"},
  /* 21 O s1 */ {2, 2, {{{0,0}, {1,0}, {0,1}, {1,1}}}, "XX / XX"},
  /* 22 O s2 */ {2, 2, {{{0,0}, {1,0}, {0,1}, {1,1}}}, "XX / XX"},
  /* 23 O s3 */ {2, 2, {{{0,0}, {1,0}, {0,1}, {1,1}}}, "XX / XX"},
  /* 24 J s0 */ {3, 2, {{{0,0}, {1,0}, {2,0}, {2,1}}}, "XXX / ..X"},
  /* 25 J s1 */ {2, 3, {{{1,0}, {1,1}, {0,2}, {1,2}}}, ".X / .X / XX"},
  /* 26 J s2 */ {3, 2, {{{0,0}, {0,1}, {1,1}, {2,1}}}, "X.. / XXX"},
  /* 27 J s3 */ {2, 3, {{{0,0}, {1,0}, {0,1}, {0,2}}}, "XX / X. / X."},
}};
// clang-format on

// Support cells: per column of the picture, its lowest cell as (dx, k), k rows
// above the picture's bottom row. The landing test looks just below each.
struct Stuetze {
  int dx, k;
};
struct StuetzZeile {
  int anzahl;
  std::array<Stuetze, 4> zellen;
  std::span<const Stuetze> Zellen() const { return {zellen.data(), static_cast<size_t>(anzahl)}; }
};

// clang-format off
inline constexpr std::array<StuetzZeile, 28> kStuetzen = {{
  /*  0 */ {3, {{{0,0}, {1,1}, {2,1}}}},
  /*  1 */ {2, {{{0,2}, {1,0}}}},
  /*  2 */ {3, {{{0,0}, {1,0}, {2,0}}}},
  /*  3 */ {2, {{{0,0}, {1,0}}}},
  /*  4 */ {4, {{{0,0}, {1,0}, {2,0}, {3,0}}}},
  /*  5 */ {1, {{{0,0}}}},
  /*  6 */ {4, {{{0,0}, {1,0}, {2,0}, {3,0}}}},
  /*  7 */ {1, {{{0,0}}}},
  /*  8 */ {3, {{{0,1}, {1,0}, {2,1}}}},
  /*  9 */ {2, {{{0,1}, {1,0}}}},
  /* 10 */ {3, {{{0,0}, {1,0}, {2,0}}}},
  /* 11 */ {2, {{{0,0}, {1,1}}}},
  /* 12 */ {3, {{{0,0}, {1,0}, {2,1}}}},
  /* 13 */ {2, {{{0,1}, {1,0}}}},
  /* 14 */ {3, {{{0,0}, {1,0}, {2,1}}}},
  /* 15 */ {2, {{{0,1}, {1,0}}}},
  /* 16 */ {3, {{{0,1}, {1,0}, {2,0}}}},
  /* 17 */ {2, {{{0,0}, {1,1}}}},
  /* 18 */ {3, {{{0,1}, {1,0}, {2,0}}}},
  /* 19 */ {2, {{{0,0}, {1,1}}}},
  /* 20 */ {2, {{{0,0}, {1,0}}}},
  /* 21 */ {2, {{{0,0}, {1,0}}}},
  /* 22 */ {2, {{{0,0}, {1,0}}}},
  /* 23 */ {2, {{{0,0}, {1,0}}}},
  /* 24 */ {3, {{{0,1}, {1,1}, {2,0}}}},
  /* 25 */ {2, {{{0,0}, {1,0}}}},
  /* 26 */ {3, {{{0,0}, {1,0}, {2,0}}}},
  /* 27 */ {2, {{{0,0}, {1,2}}}},
}};
// clang-format on

// Turning: the cells probed before a piece may turn into its next state,
// relative to its top-left cell; "between rows" cells are probed in addition
// while a flat result's piece lies between two grid rows.
struct DrehProbe {
  bool hoch;  // the turned state is tall (probed from the floor row)
  int anzahl;
  std::array<Zelle, 3> aufZeile;
  int anzahlZwischen;
  std::array<Zelle, 2> zwischen;
  std::span<const Zelle> AufZeile() const { return {aufZeile.data(), static_cast<size_t>(anzahl)}; }
  std::span<const Zelle> Zwischen() const { return {zwischen.data(), static_cast<size_t>(anzahlZwischen)}; }
};

// clang-format off
inline constexpr std::array<DrehProbe, 28> kDrehProben = {{
  /*  0 ->  1 */ {true,  2, {{{1,3}, {1,2}}},        0, {}},
  /*  1 ->  2 */ {false, 2, {{{2,0}, {2,1}}},        1, {{{2,2}}}},
  /*  2 ->  3 */ {true,  3, {{{0,3}, {1,3}, {0,1}}}, 0, {}},
  /*  3 ->  0 */ {false, 2, {{{2,0}, {0,1}}},        2, {{{2,1}, {0,2}}}},
  /*  4 ->  5 */ {true,  3, {{{0,2}, {0,3}, {0,4}}}, 0, {}},
  /*  5 ->  6 */ {false, 3, {{{1,0}, {2,0}, {3,0}}}, 1, {{{3,1}}}},
  /*  6 ->  7 */ {true,  3, {{{0,2}, {0,3}, {0,4}}}, 0, {}},
  /*  7 ->  4 */ {false, 3, {{{1,0}, {2,0}, {3,0}}}, 1, {{{3,1}}}},
  /*  8 ->  9 */ {true,  2, {{{0,2}, {1,3}}},        0, {}},
  /*  9 -> 10 */ {false, 2, {{{1,0}, {2,1}}},        1, {{{2,2}}}},
  /* 10 -> 11 */ {true,  2, {{{0,3}, {0,1}}},        0, {}},
  /* 11 ->  8 */ {false, 2, {{{2,0}, {1,1}}},        1, {{{2,1}}}},
  /* 12 -> 13 */ {true,  2, {{{1,3}, {0,1}}},        0, {}},
  /* 13 -> 14 */ {false, 2, {{{2,0}, {1,1}}},        2, {{{2,1}, {1,2}}}},
  /* 14 -> 15 */ {true,  2, {{{1,3}, {0,1}}},        0, {}},
  /* 15 -> 12 */ {false, 2, {{{2,0}, {1,1}}},        2, {{{2,1}, {1,2}}}},
  /* 16 -> 17 */ {true,  2, {{{0,3}, {0,2}}},        0, {}},
  /* 17 -> 18 */ {false, 2, {{{1,0}, {2,1}}},        1, {{{2,2}}}},
  /* 18 -> 19 */ {true,  2, {{{0,3}, {0,2}}},        0, {}},
  /* 19 -> 16 */ {false, 2, {{{1,0}, {2,1}}},        1, {{{2,2}}}},
  /* 20 -> 21 */ {false, 0, {},                      0, {}},
  /* 21 -> 22 */ {false, 0, {},                      0, {}},
  /* 22 -> 23 */ {false, 0, {},                      0, {}},
  /* 23 -> 20 */ {false, 0, {},                      0, {}},
  /* 24 -> 25 */ {true,  3, {{{0,3}, {1,3}, {1,2}}}, 0, {}},
  /* 25 -> 26 */ {false, 2, {{{0,0}, {2,1}}},        1, {{{2,2}}}},
  /* 26 -> 27 */ {true,  2, {{{0,3}, {1,1}}},        0, {}},
  /* 27 -> 24 */ {false, 2, {{{2,0}, {2,1}}},        1, {{{2,2}}}},
}};
// clang-format on

// A tall piece this close to the right wall would turn past it: (picture, left column c0).
struct WandPaar {
  int bild, c0;
};
// clang-format off
inline constexpr std::array<WandPaar, 16> kWandPaare = {{
  {1, 8}, {3, 8}, {5, 9}, {5, 8}, {5, 7}, {7, 9}, {7, 8}, {7, 7},
  {9, 8}, {11, 8}, {13, 8}, {15, 8}, {17, 8}, {19, 8}, {25, 8}, {27, 8},
}};
// clang-format on

// Points for the rows one landing removes (1 ... 4); anything else scores nothing.
inline constexpr std::array<int, 5> kPunkteJeReihen = {0, 20, 60, 120, 200};
inline constexpr int kPunkteMax = 99999;
inline constexpr int kPunkteJeLevel = 500;
inline constexpr int kLevelMax = 10;
inline constexpr int kSoftDropSchritt = 19;

// Next rotation state within the kind: 0, 1, 2, 3, 0.
constexpr int NaechsterZustand(int p) { return (p % 4 == 3) ? p - 3 : p + 1; }

}  // namespace engine
