// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/timer.h"

#include <QElapsedTimer>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace platform {

namespace {
bool g_virtual = false;
int64_t g_now = 0;
uint64_t g_order = 0;
std::function<void(const Timer&)>& Observer() {
  static std::function<void(const Timer&)> observer;
  return observer;
}
std::vector<Timer*>& Registry() {
  static std::vector<Timer*> timers;
  return timers;
}
QElapsedTimer& Uptime() {
  static QElapsedTimer t = [] {
    QElapsedTimer e;
    e.start();
    return e;
  }();
  return t;
}
}  // namespace

struct VirtualClockAccess {
  static int64_t Due(const Timer& t) { return t.due_; }
  static uint64_t Order(const Timer& t) { return t.order_; }
  static void Step(Timer& t) { t.due_ += std::max(1, t.interval_); }
  static void Fire(Timer& t) { t.Fire(); }
};

Timer::Timer(int intervalMs) : interval_(intervalMs) {
  if (g_virtual) {
    Registry().push_back(this);
  } else {
    qt_ = std::make_unique<QTimer>();
    qt_->setTimerType(Qt::PreciseTimer);
    qt_->setInterval(interval_);
    QObject::connect(qt_.get(), &QTimer::timeout, [this] { Fire(); });
  }
}

Timer::~Timer() {
  auto& reg = Registry();
  reg.erase(std::remove(reg.begin(), reg.end(), this), reg.end());
}

void Timer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (qt_ && driven_) return;
  if (qt_) {
    if (on)
      qt_->start();
    else
      qt_->stop();
  } else if (on) {
    due_ = g_now + std::max(1, interval_);
    order_ = ++g_order;
  }
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  if (qt_) qt_->setInterval(ms);
  if (enabled_ && !qt_) due_ = g_now + std::max(1, interval_);
}

void Timer::SetDriven(bool on) {
  driven_ = on;
  if (!qt_) return;
  if (on)
    qt_->stop();
  else if (enabled_)
    qt_->start();
}

void Timer::Fire() {
  if (!driven_) Tick();
}

bool Timer::Tick() {
  if (!enabled_ || !OnTick) return false;
  if (const auto& observer = Observer()) observer(*this);
  OnTick();
  return true;
}

void Timer::SetTickObserver(std::function<void(const Timer&)> observer) { Observer() = std::move(observer); }

namespace clock {

void UseVirtual() { g_virtual = true; }
bool IsVirtual() { return g_virtual; }

void Advance(int64_t ms) {
  const int64_t target = g_now + std::max<int64_t>(0, ms);
  for (;;) {
    Timer* next = nullptr;
    for (Timer* t : Registry()) {
      if (!t->Enabled() || t->Driven() || VirtualClockAccess::Due(*t) > target) continue;
      if (!next || VirtualClockAccess::Due(*t) < VirtualClockAccess::Due(*next) ||
          (VirtualClockAccess::Due(*t) == VirtualClockAccess::Due(*next) &&
           VirtualClockAccess::Order(*t) < VirtualClockAccess::Order(*next)))
        next = t;
    }
    if (!next) break;
    g_now = VirtualClockAccess::Due(*next);
    VirtualClockAccess::Step(*next);
    VirtualClockAccess::Fire(*next);
  }
  g_now = target;
}

int64_t NowMs() { return g_virtual ? g_now : Uptime().elapsed(); }

double SecondsSinceMidnight() {
  if (g_virtual) return static_cast<double>(g_now % 86400000) / 1000.0;
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace clock
}  // namespace platform
