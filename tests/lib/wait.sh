# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the shell tests: `source` it.
# Polls a check for up to $1 seconds; the deadline only matters when something is wrong.
within() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < end)) || return 1
    sleep 0.2
  done
}

# Ends a background process of this shell: asks first, forces it after ten seconds,
# so that a program stuck in its teardown cannot hold the test up forever.
stop_process() {
  local pid=$1
  [[ -n $pid ]] || return 0
  if kill "$pid" 2>/dev/null && ! within 10 eval "! kill -0 $pid"; then
    echo "process $pid did not end when asked; killed" >&2
    kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}
