// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Timers with the semantics the game relies on: an enabled flag, an interval
// in milliseconds and one tick handler. Enabling a running timer does not
// restart it; disabling and enabling again starts a fresh interval.
//
// In the program the timers run on precise toolkit timers. Tests switch the
// whole process to a virtual clock first; then nothing ticks until a test
// advances the clock, which fires every due tick in time order.

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

namespace platform {

class Timer {
 public:
  explicit Timer(int intervalMs);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  int Interval() const { return interval_; }
  void SetInterval(int ms);

  std::function<void()> OnTick;

  // A driven timer keeps its enabled flag but never ticks by itself: only
  // Tick() runs it, as a replay does with the recorded ticks.
  void SetDriven(bool on);
  bool Driven() const { return driven_; }
  // Runs one tick now, when enabled; true when it ran.
  bool Tick();

  // Called before every tick that runs, with the timer that ticks (one
  // observer for the whole program; empty for none).
  static void SetTickObserver(std::function<void(const Timer&)> observer);

 private:
  friend struct VirtualClockAccess;
  void Fire();

  bool enabled_ = false;
  bool driven_ = false;
  int interval_;
  std::unique_ptr<QTimer> qt_;
  int64_t due_ = 0;     // virtual clock: time of the next tick
  uint64_t order_ = 0;  // virtual clock: ties fire in the order the timers were enabled
};

namespace clock {
// Switches every timer created from now on to the virtual clock.
void UseVirtual();
bool IsVirtual();
// Moves the virtual clock forward, firing each due tick in time order.
void Advance(int64_t ms);
// Milliseconds since the start of the virtual clock, or of the program.
int64_t NowMs();
// Time of day in seconds since midnight (with fractions); on the virtual
// clock it is derived from the virtual time.
double SecondsSinceMidnight();
}  // namespace clock

}  // namespace platform
