#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Norvane and runs every test headless: formatting, the test suite
# (warnings as errors), the same suite under the address and undefined-
# behaviour sanitizers, the asset generator's tests, the licence headers, the
# Debian package, Wayland, short fuzzing runs of the highscore and replay
# readers and a smoke run of the benchmarks.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME
XDG_DATA_HOME=$(mktemp -d)
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"' EXIT

echo "== Formatting"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files '*.cpp' '*.h'
else
  find app engine input highscore shell platform tests bench tools -name '*.cpp' -o -name '*.h'
fi | xargs clang-format --dry-run --Werror

echo "== Licences (reuse lint)"
# Names every file without a copyright and licence header; tools/spdx-headers adds them.
reuse lint >"$XDG_RUNTIME_DIR/reuse.log" 2>&1 || {
  cat "$XDG_RUNTIME_DIR/reuse.log"
  echo "reuse lint failed: run tools/spdx-headers, or cover the file in .reuse/dep5" >&2
  exit 1
}
tail -n 1 "$XDG_RUNTIME_DIR/reuse.log"

echo "== Build and test (GCC, warnings are errors)"
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci | tee build/ci/ctest.log

echo "== Native Wayland (headless Weston; Weston on X for the other windows' keyboard)"
tests/wayland/run.sh build/ci/norvane
tests/wayland/windows.sh build/ci/norvane

echo "== Debian package (build, lintian, the unpacked program)"
tests/package/run.sh

echo "== Benchmarks (smoke run)"
for b in norvane_bench_blit norvane_bench_play; do
  build/ci/bench/$b --benchmark_min_time=0.01 >/dev/null 2>&1
done

echo "== Sanitizers (clang, address and undefined behaviour)"
cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=0 ctest --preset asan

echo "== Fuzzing the highscore and replay readers (30 s each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_hsdatei fuzz_replay
for ziel in fuzz_hsdatei fuzz_replay; do
  corpus=$(mktemp -d)
  build/fuzz/$ziel -max_total_time=30 -max_len=20000 "$corpus" 2>&1 | tail -n 2
  rm -rf "$corpus"
done

echo "== Summary (GCC build)"
tail -n 3 build/ci/ctest.log
