#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Norvane and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target norvane
game=build/default/norvane
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$game" "$@"
elif command -v xvfb-run >/dev/null; then
  echo "No display found: running Norvane on a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$game" "$@"
else
  echo "No display found: start Norvane from a graphical desktop session."
  exit 1
fi
