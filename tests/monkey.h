// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A seeded random player that drives the whole program the way the toolkit
// would: key events to the focused window, clicks on every button of every
// window, close requests, a stand-in joystick and the virtual clock.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/joystick.h"

class QWidget;
class TForm;

namespace monkey {

// Seed and number of events of the long random run; norvane_tests reads them
// from NORVANE_MONKEY_SEED and NORVANE_MONKEY_EVENTS at start-up.
struct Settings {
  uint64_t seed = 20261207;
  int64_t events = 100000;
};
Settings& Configured();
// Reads the two variables into Configured(); false with a message when one is malformed.
bool ReadEnvironment(std::string& error);

enum Phase {
  kFalling,
  kLandingDelay,
  kFlash,
  kPaused,
  kGameOverAnimation,
  kEntry,
  kList,
  kInstructions,
  kAbout,
  kSavedEntry,
  kPhaseCount
};
const char* PhaseName(int phase);

// The stand-in joystick: plugged or not, a position, two buttons, and reads
// that may fail for a while.
class Stick : public platform::joystick::Device {
 public:
  bool Read(platform::joystick::Position& pos) override;
  platform::joystick::Caps Range() override { return range; }

  bool plugged = false;
  int failingReads = 0;
  platform::joystick::Position position{32768, 32768, 0, 0};
  platform::joystick::Caps range{0, 65535, 0, 65535};
};

class Player {
 public:
  explicit Player(uint64_t seed);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Starts the program afresh; the highscore file is removed first.
  void Start();
  // One random event, with the pending toolkit events processed after it.
  // Returns what was done.
  std::string Step();

  TForm& Form() const { return *form_; }
  // The program has been started anew since the last call (a restart event).
  bool TakeRestarted();
  // Set when a click that the player could not have made changed something.
  const std::string& Violation() const { return violation_; }
  // The last events, oldest first, for a failure report.
  std::string History() const;
  // A digest of every event and the state after it: equal runs give equal digests.
  uint64_t Digest() const { return digest_; }

  std::array<int64_t, kPhaseCount> visits{};
  int64_t lostKeys = 0, unreachableClicks = 0, restarts = 0, games = 0;

 private:
  struct Choice;
  int Roll(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
  bool Chance(int percent) { return Roll(100) < percent; }

  std::string KeyEvent();
  std::string TypeIntoEntry();
  std::string Paste();
  std::string Click();
  std::string ClickOn(QWidget* target, const char* name);
  std::string Close();
  std::string Joystick();
  std::string AdvanceClock();
  std::string Activate();
  std::string Restart(bool removeFile);
  void SeedNewGame();
  std::string SeedRowUnderLanding();
  void CountPhases();
  void Settle();
  void Mix(const std::string& what);

  std::mt19937_64 rng_;
  std::unique_ptr<TForm> owned_;
  TForm* form_ = nullptr;
  Stick stick_;
  std::array<bool, kPhaseCount> inPhase_{};
  std::deque<std::string> history_;
  std::string violation_;
  uint64_t digest_ = 1469598103934665603ull;
  bool restarted_ = false;
  int64_t events_ = 0;
};

}  // namespace monkey
