// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// One gravity tick and the whole-well repaint after a row clear, each beside
// memcpy of the same pixels.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <cstring>

#include "app/tform.h"
#include "platform/blit.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "replay/aufnahme.h"
#include "replay/format.h"

namespace {

std::unique_ptr<TForm> NewForm() {
  auto f = std::make_unique<TForm>();
  f->Form_Load();
  f->picButtonNeuesSpiel_Click();
  return f;
}

// The four rectangles of a tick for a 3 x 2 piece: restore, save, mask, piece.
void BM_TickMemcpy(benchmark::State& state) {
  QImage well = platform::NewImage(200, 400);
  QImage buffer = platform::NewImage(80, 80);
  uint32_t* w = reinterpret_cast<uint32_t*>(well.bits()) + 100 * 200 + 80;
  uint32_t* b = reinterpret_cast<uint32_t*>(buffer.bits());
  for (auto _ : state) {
    for (int pass = 0; pass < 4; ++pass) {
      for (int y = 0; y < 40; ++y) {
        if (pass == 1) {
          std::memcpy(b + y * 80, w + y * 200, 60 * 4);
        } else {
          std::memcpy(w + y * 200, b + y * 80, 60 * 4);
        }
      }
    }
    benchmark::DoNotOptimize(well.constBits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TickMemcpy);

void BM_GravityTick(benchmark::State& state) {
  auto f = NewForm();
  f->FallTimer.SetEnabled(false);
  f->AktStein = 0;
  f->SteinX = 80;
  f->SteinY = 100;
  f->Fallschritt = 0;  // the piece stays put, so every tick does the same work
  f->SteinNeu = true;
  f->FallTimer_Timer();
  for (auto _ : state) {
    f->FallTimer_Timer();
    benchmark::DoNotOptimize(f->TBox->Image().constBits());
  }
}
BENCHMARK(BM_GravityTick);

// The same tick through the timer, with the game recorded (arg 1) or not (0):
// the recording must cost no visible time.
void BM_GravityTickRecording(benchmark::State& state) {
  auto f = NewForm();
  if (state.range(0) == 0) replay::Zuruecksetzen();
  f->AktStein = 0;
  f->SteinX = 80;
  f->SteinY = 100;
  f->Fallschritt = 0;
  f->SteinNeu = true;
  f->FallTimer.Tick();
  for (auto _ : state) {
    f->FallTimer.Tick();
    benchmark::DoNotOptimize(f->TBox->Image().constBits());
  }
  const replay::Aufzeichnung* a = replay::LaufendeAufnahme();
  state.counters["recorded"] = a ? double(a->ereignisse.size()) : 0.0;
  replay::Zuruecksetzen();
}
BENCHMARK(BM_GravityTickRecording)->Arg(0)->Arg(1);

// Writing and reading the file of a ten-minute game on a real clock: fall
// ticks 45 to 60 ms apart, a key every 400 ms, a piece every 4 s.
void BM_TenMinuteGameFile(benchmark::State& state) {
  replay::Aufzeichnung a;
  a.beendet = true;
  for (int64_t t = 0; t < 600000; t += 45 + t * 7 % 16) {
    a.ereignisse.push_back({t, replay::Art::Takt, 0});
    if (t % 400 == 0) a.ereignisse.push_back({t, replay::Art::Taste, 37 + int(t / 400 % 3)});
    if (t % 4000 == 0) a.ereignisse.push_back({t, replay::Art::Stein, int(t / 4000 % 7)});
  }
  QByteArray datei;
  for (auto _ : state) {
    datei = replay::Schreiben(a);
    benchmark::DoNotOptimize(replay::Lesen(datei).aufzeichnung.ereignisse.size());
  }
  state.counters["bytes"] = double(datei.size());
}
BENCHMARK(BM_TenMinuteGameFile);

void BM_WellMemcpy(benchmark::State& state) {
  QImage well = platform::NewImage(200, 400);
  const QImage empty = platform::NewImage(200, 400, 0xFF102030u);
  for (auto _ : state) {
    std::memcpy(well.bits(), empty.constBits(), static_cast<size_t>(empty.sizeInBytes()));
    benchmark::DoNotOptimize(well.constBits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WellMemcpy);

// The repaint after a row clear with the well half full.
void BM_WellRepaint(benchmark::State& state) {
  auto f = NewForm();
  for (int c = 1; c <= 10; ++c)
    for (int r = 11; r <= 20; ++r) {
      f->Belegt[c][r] = true;
      f->Farbe[c][r] = (c + r) % 7 + 1;
    }
  for (auto _ : state) {
    f->ReiheFortsetzung = true;
    f->ReiheTimer.SetEnabled(true);
    f->ReiheTimer_Timer();  // repaints, then spawns the next piece
    benchmark::DoNotOptimize(f->TBox->Image().constBits());
  }
}
BENCHMARK(BM_WellRepaint);

// A gravity tick as the player sees it on a screen enlarged k times: the tick,
// then the well painted by its own widget into a k-times backing image, the
// work of one frame while a piece falls.
void BM_GravityTickShown(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  auto f = NewForm();
  f->FallTimer.SetEnabled(false);
  f->AktStein = 0;
  f->SteinX = 80;
  f->SteinY = 100;
  f->Fallschritt = 0;
  f->SteinNeu = true;
  f->FallTimer_Timer();
  QImage backing(f->TBox->size() * k, QImage::Format_RGB32);
  backing.setDevicePixelRatio(k);
  for (auto _ : state) {
    f->FallTimer_Timer();
    f->TBox->render(&backing);
    benchmark::DoNotOptimize(backing.constBits());
  }
}
BENCHMARK(BM_GravityTickShown)->Arg(1)->Arg(4);

// The reference for it: the same 200 x 400 picture put k times enlarged into the
// same backing image by a bare painter, nothing else.
void BM_WellDrawnReference(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  const QImage well = platform::NewImage(200, 400, 0xFF102030u);
  QImage backing(well.size() * k, QImage::Format_RGB32);
  backing.setDevicePixelRatio(k);
  for (auto _ : state) {
    QPainter p(&backing);
    p.drawImage(QRect(0, 0, 200, 400), well);
    p.end();
    benchmark::DoNotOptimize(backing.constBits());
  }
}
BENCHMARK(BM_WellDrawnReference)->Arg(1)->Arg(4);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  platform::clock::UseVirtual();
  platform::sound::SetRecording(true);
  QApplication app(argc, argv);
  platform::display::SetOverride(96, QSize(1024, 768));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
