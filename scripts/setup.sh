#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages the game needs to build, run and be tested.
# Only what is missing is installed; through sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libsdl2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  fonts-liberation fonts-dejavu-core fonts-noto-color-emoji
  xvfb xauth desktop-file-utils appstream
  openbox wmctrl x11-utils x11-apps xdotool
  build-essential debhelper dpkg-dev lintian python3
  weston qt6-wayland
  reuse groff-base man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Stop here, before any compiling, when something could not be installed.
still_missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || still_missing+=("$p")
done
if ((${#still_missing[@]})); then
  echo "scripts/setup.sh: these packages are not installed: ${still_missing[*]}" >&2
  exit 1
fi
# The Debian package's build dependencies must be among the packages above.
cd "$(dirname "$0")/.."
if [[ -f debian/control ]] && ! dpkg-checkbuilddeps; then
  echo "scripts/setup.sh: debian/control needs packages that this script does not install" >&2
  exit 1
fi
