// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/timer.h"

using platform::Timer;
namespace clk = platform::clock;

TEST(VirtualClock, FiresDueTicksInTimeOrder) {
  std::vector<std::string> log;
  Timer fast(10), slow(25);
  fast.OnTick = [&] { log.push_back("f" + std::to_string(clk::NowMs() % 1000)); };
  slow.OnTick = [&] { log.push_back("s" + std::to_string(clk::NowMs() % 1000)); };
  clk::Advance(1000 - clk::NowMs() % 1000);  // align to a round time for readable names
  fast.SetEnabled(true);
  slow.SetEnabled(true);
  clk::Advance(50);
  // Ticks due at the same moment fire in the order the timers were enabled.
  EXPECT_EQ(log, (std::vector<std::string>{"f10", "f20", "s25", "f30", "f40", "f50", "s50"}));
}

TEST(VirtualClock, DisabledTimersStaySilent) {
  int ticks = 0;
  Timer t(10);
  t.OnTick = [&] { ++ticks; };
  clk::Advance(100);
  EXPECT_EQ(ticks, 0);
  t.SetEnabled(true);
  clk::Advance(35);
  t.SetEnabled(false);
  clk::Advance(100);
  EXPECT_EQ(ticks, 3);
}

TEST(VirtualClock, EnablingARunningTimerDoesNotRestartIt) {
  int ticks = 0;
  Timer t(200);
  t.OnTick = [&] { ++ticks; };
  t.SetEnabled(true);
  clk::Advance(150);
  t.SetEnabled(true);
  clk::Advance(50);
  EXPECT_EQ(ticks, 1);
}

TEST(VirtualClock, DisableAndEnableStartsAFreshInterval) {
  int ticks = 0;
  Timer t(200);
  t.OnTick = [&] { ++ticks; };
  t.SetEnabled(true);
  clk::Advance(150);
  t.SetEnabled(false);
  t.SetEnabled(true);
  clk::Advance(150);
  EXPECT_EQ(ticks, 0);
  clk::Advance(50);
  EXPECT_EQ(ticks, 1);
}

TEST(VirtualClock, AHandlerCanStopItselfAndStartAnother) {
  std::vector<int> order;
  Timer first(20), second(30);
  first.OnTick = [&] {
    order.push_back(1);
    first.SetEnabled(false);
    second.SetEnabled(true);
  };
  second.OnTick = [&] {
    order.push_back(2);
    second.SetEnabled(false);
  };
  first.SetEnabled(true);
  clk::Advance(49);
  EXPECT_EQ(order, std::vector<int>{1});
  clk::Advance(1);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  clk::Advance(500);
  EXPECT_EQ(order.size(), 2u);
}

TEST(VirtualClock, TimeOfDayFollowsTheVirtualTime) {
  const double before = clk::SecondsSinceMidnight();
  clk::Advance(1500);
  EXPECT_NEAR(clk::SecondsSinceMidnight() - before, 1.5, 1e-9);
}
