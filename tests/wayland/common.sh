# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the Wayland tests: `source` it after setting src and game, with the
# tools the test needs as arguments. Checks them and Qt's Wayland platform,
# makes a private folder $work (also the runtime folder of the compositor) and
# ends every process listed in pids, in order, when the test ends.
source "$src/tests/lib/wait.sh"

for tool in "$@"; do
  if ! command -v "$tool" >/dev/null; then
    echo "tests/wayland: '$tool' is missing; scripts/setup.sh installs it" >&2
    exit 1
  fi
done
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
  echo "tests/wayland: Qt's Wayland platform is missing (qt6-wayland); scripts/setup.sh installs it" >&2
  exit 1
fi
[[ -x $game ]] || { echo "tests/wayland: no program at $game; build it first" >&2; exit 1; }

work=$(mktemp -d /tmp/norvane-wayland.XXXXXX)
chmod 700 "$work"
pids=()
cleanup() {
  # The game first, then the compositor, which ends its own helper clients.
  for pid in "${pids[@]}"; do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT
