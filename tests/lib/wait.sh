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
