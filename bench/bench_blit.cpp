// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// Rectangle copies with each raster operation, beside memcpy of the same rows.

#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/blit.h"

namespace {

constexpr int kW = 60;
constexpr int kH = 40;

void BM_MemcpyRows(benchmark::State& state) {
  QImage dst = platform::NewImage(200, 400);
  const QImage src = platform::NewImage(kW, kH, 0xFF336699u);
  uint32_t* d = reinterpret_cast<uint32_t*>(dst.bits()) + 100 * 200 + 80;
  const uint32_t* s = reinterpret_cast<const uint32_t*>(src.constBits());
  for (auto _ : state) {
    for (int y = 0; y < kH; ++y) std::memcpy(d + y * 200, s + y * kW, kW * sizeof(uint32_t));
    benchmark::DoNotOptimize(dst.constBits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}
BENCHMARK(BM_MemcpyRows);

void BM_BitBlt(benchmark::State& state) {
  const auto rop = static_cast<platform::Rop>(state.range(0));
  QImage dst = platform::NewImage(200, 400);
  const QImage src = platform::NewImage(kW, kH, 0xFF336699u);
  for (auto _ : state) {
    platform::BitBlt(dst, 80, 100, kW, kH, src, 0, 0, rop);
    benchmark::DoNotOptimize(dst.constBits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
  state.SetLabel(rop == platform::Rop::SrcCopy      ? "SRCCOPY"
                 : rop == platform::Rop::MergePaint ? "MERGEPAINT"
                                                    : "SRCAND");
}
BENCHMARK(BM_BitBlt)
    ->Arg(static_cast<int>(platform::Rop::SrcCopy))
    ->Arg(static_cast<int>(platform::Rop::MergePaint))
    ->Arg(static_cast<int>(platform::Rop::SrcAnd));

}  // namespace

BENCHMARK_MAIN();
