// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole program under a seeded random player: every window, both input
// paths, close requests and the clock, with every invariant checked after
// every event.

#include <chrono>
#include <cstdio>
#include <functional>

#include <gmock/gmock.h>

#include "monkey.h"
#include "monkey_invariants.h"
#include "platform/timer.h"

namespace {

using monkey::Configured;
using monkey::Player;
using monkey::Watcher;

// Runs `events` events; fails with the seed, the event number and the last events.
::testing::AssertionResult RunPlayer(Player& player, uint64_t seed, int64_t events) {
  Watcher watcher;
  player.Start();
  for (int64_t n = 0; n < events; ++n) {
    const std::string what = player.Step();
    auto ok = watcher.Check(player.Form(), player.TakeRestarted(), player.Violation());
    if (!ok) {
      return ::testing::AssertionFailure()
             << "seed " << seed << ", event " << n << " (" << what << "): " << ok.message() << "\nlast events:\n"
             << player.History() << "replay: NORVANE_MONKEY_SEED=" << seed << " NORVANE_MONKEY_EVENTS=" << n + 1
             << " norvane_tests --gtest_filter='Monkey.*EveryWindow*'";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(Monkey, RandomEventsOnEveryWindowKeepEveryInvariant) {
  const monkey::Settings s = Configured();
  Player player(s.seed);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(RunPlayer(player, s.seed, s.events));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "[ monkey   ] seed %llu: %lld events in %.1f s, %.0f events/s; %lld games, %lld restarts, %lld clicks on "
      "unreachable controls, %lld keys without a focused window\n",
      static_cast<unsigned long long>(s.seed), static_cast<long long>(s.events), seconds,
      static_cast<double>(s.events) / seconds, static_cast<long long>(player.games),
      static_cast<long long>(player.restarts), static_cast<long long>(player.unreachableClicks),
      static_cast<long long>(player.lostKeys));
  for (int p = 0; p < monkey::kPhaseCount; ++p)
    std::printf("[ monkey   ]   %-20s reached %lld times\n", monkey::PhaseName(p),
                static_cast<long long>(player.visits[static_cast<size_t>(p)]));
  // A short run set from the environment need not reach everything.
  if (s.events < 50000) return;
  for (int p = 0; p < monkey::kPhaseCount; ++p)
    EXPECT_GE(player.visits[static_cast<size_t>(p)], 5) << monkey::PhaseName(p);
  EXPECT_GT(player.unreachableClicks, 100);
}

TEST(Monkey, TheSameSeedReplaysTheSameRun) {
  uint64_t digests[3] = {};
  const uint64_t seeds[3] = {7, 7, 8};
  for (int k = 0; k < 3; ++k) {
    Player player(seeds[k]);
    ASSERT_TRUE(RunPlayer(player, seeds[k], 3000));
    digests[k] = player.Digest();
  }
  EXPECT_EQ(digests[0], digests[1]);
  EXPECT_NE(digests[0], digests[2]);
}

// Each way of breaking the program that the invariants exist for must be noticed.
struct Sabotage {
  const char* name;
  const char* noticed;  // part of the message that names the broken rule
  std::function<void(TForm&)> act;
};
void PrintTo(const Sabotage& s, std::ostream* os) { *os << s.name; }

class WatcherNotices : public ::testing::TestWithParam<Sabotage> {};

TEST_P(WatcherNotices, TheBrokenState) {
  Player player(1);
  Watcher watcher;
  player.Start();
  TForm& f = player.Form();
  f.picButtonNeuesSpiel->Click();
  platform::clock::Advance(300);
  ASSERT_TRUE(watcher.Check(f, player.TakeRestarted(), player.Violation()));
  GetParam().act(f);
  QCoreApplication::processEvents();
  const auto result = watcher.Check(f, false, player.Violation());
  EXPECT_FALSE(result);
  EXPECT_THAT(result.message(), ::testing::HasSubstr(GetParam().noticed));
}

INSTANTIATE_TEST_SUITE_P(
    Monkey, WatcherNotices,
    ::testing::Values(
        Sabotage{"MainWindowDisabledAlone", "disabled while no other window", [](TForm& f) { f.setEnabled(false); }},
        Sabotage{"MainWindowHiddenAlone", "hidden and enabled while no other window", [](TForm& f) { f.hide(); }},
        Sabotage{"TwoWindows", "visible together: list, instructions",
                 [](TForm& f) {
                   f.picButtonHighscore->Click();
                   f.AnleitungForm().show();
                 }},
        Sabotage{"GameStuck", "stuck", [](TForm& f) { f.FallTimer.SetEnabled(false); }},
        Sabotage{"FallingWhilePaused", "falls while paused", [](TForm& f) { f.Pausiert = true; }},
        Sabotage{"FallingBehindAWindow", "falls behind a window",
                 [](TForm& f) {
                   f.picButtonAnleitung->Click();
                   f.FallTimer.SetEnabled(true);
                 }},
        Sabotage{"ListDiffersFromFile", "rank 4 shows",
                 [](TForm& f) {
                   f.picButtonHighscore->Click();
                   QCoreApplication::processEvents();
                   f.HighscoreForm().HSName[3]->setText(QStringLiteral("Someone"));
                 }},
        Sabotage{"FileWithAnExtraLine", "whole list",
                 [](TForm& f) {
                   f.picButtonHighscore->Click();
                   QFile file(Eingabe::Dateipfad());
                   ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
                   file.write("500  ,Extra\r\n");
                 }},
        Sabotage{"LevelBehindThePoints", "1200 points still at level 1", [](TForm& f) { f.Punktestand = 1200; }}),
    [](const ::testing::TestParamInfo<Sabotage>& info) { return std::string(info.param.name); });

}  // namespace
