#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian source and binary packages from a copy of the tree (the unit
# tests run during the build), checks both with lintian, unpacks the binary
# package with dpkg -x and runs the autopkgtest smoke test (smoke.sh) on the
# unpacked program: it must show its window, play a game to its end, write the
# highscore file, play its sounds from <root>/usr/share/norvane and end through
# its exit button. Then the same without the sound folder: the game must play
# silently. The working tree is left as it was; everything happens in a
# temporary folder, and nothing is installed into the machine's /usr.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
here=$src/tests/package

fail() {
  echo "tests/package: FAILED: $*" >&2
  exit 1
}

for tool in dpkg-buildpackage dpkg-checkbuilddeps lintian xvfb-run Xvfb xdotool python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "tests/package: '$tool' is missing; scripts/setup.sh installs it" >&2
    exit 1
  fi
done
# Every build dependency is one that scripts/setup.sh installs, so that a fresh
# machine has them all.
build_deps=$(awk '/^Build-Depends:/ { on = 1; sub(/^Build-Depends:/, ""); print; next }
                  on && /^[ \t]/ { print; next } { on = 0 }' "$src/debian/control" |
  tr ',' '\n' | sed 's/[(<].*//; s/[[:space:]]//g' | grep .)
[[ -n $build_deps ]] || fail "no Build-Depends in debian/control"
for dep in $build_deps; do
  [[ $dep == debhelper-compat ]] && dep=debhelper
  grep -Eq "(^|[[:space:]])$dep([[:space:]]|\$)" "$src/scripts/setup.sh" ||
    fail "scripts/setup.sh does not install the build dependency $dep"
done
# The software centre shows the licence of the AppStream entry's project_license;
# it must be the one debian/copyright gives the game (Debian writes "GPL-3.0+"
# for SPDX's "GPL-3.0-or-later"). lintian checks the metadata_license itself.
metainfo=$src/assets/desktop/org.norvane.Norvane.metainfo.xml
project_license=$(sed -n 's:.*<project_license>\(.*\)</project_license>.*:\1:p' "$metainfo")
game_license=$(awk '$0 == "Files: *" { on = 1; next } on && /^License:/ { print $2; exit } !NF { on = 0 }' \
  "$src/debian/copyright")
[[ -n $game_license && ${game_license/%+/-or-later} == "$project_license" ]] ||
  fail "the metainfo's project_license '$project_license' is not debian/copyright's '$game_license'"
# Say what is missing before compiling anything.
if ! (cd "$src" && dpkg-checkbuilddeps); then
  echo "tests/package: build dependencies are missing; scripts/setup.sh installs them" >&2
  exit 1
fi

# A fixed folder under build/ (ignored by git): the compile commands stay the
# same from run to run, so a compiler cache named in CMAKE_CXX_COMPILER_LAUNCHER
# (which dh_auto_configure passes on to CMake) can serve them again.
work=$src/build/package
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

echo "-- building the source and binary packages in $work"
mkdir "$work/norvane"
tar -C "$src" --exclude=./build --exclude=./.git --exclude=./.brief --exclude='./obj-*' \
  --exclude=./debian/norvane --exclude=./debian/norvane-dbgsym --exclude=./debian/.debhelper \
  --exclude=./debian/files --exclude='./debian/*.substvars' --exclude=./debian/debhelper-build-stamp \
  -cf - . | tar -C "$work/norvane" -xf -
if ! (cd "$work/norvane" && dpkg-buildpackage -us -uc -j2) >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  fail "dpkg-buildpackage"
fi
version=$(cd "$src" && dpkg-parsechangelog -S Version)
deb=$work/norvane_${version}_amd64.deb
dsc=$work/norvane_${version}.dsc
changes=$work/norvane_${version}_amd64.changes
[[ -f $deb ]] || fail "no $deb"
[[ -f $dsc ]] || fail "no source package $dsc"
grep -q '^\[  PASSED  \]' "$work/build.log" || fail "the unit tests did not run during the package build"

echo "-- lintian (source and binary package, pedantic)"
for overrides in "$src/debian/norvane.lintian-overrides" "$src/debian/source/lintian-overrides"; do
  [[ -f $overrides ]] || continue
  # Every override carries its reason in the comment line just above it.
  awk '!/^#/ && NF && prev !~ /^# ./ { bad = 1; print "no reason given for: " $0 } { prev = $0 } END { exit bad }' \
    "$overrides" >&2 || fail "lintian override without a reason in $overrides"
done
status=0
lintian --pedantic --info --fail-on error,warning,info,pedantic "$changes" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
((status == 0)) || fail "lintian reports tags that are neither fixed nor overridden"

echo "-- package contents and relations"
root=$work/root
dpkg -x "$deb" "$root"
game=$root/usr/games/norvane
[[ -x $game ]] || fail "no program at /usr/games/norvane"
share=$root/usr/share
for f in applications/org.norvane.Norvane.desktop metainfo/org.norvane.Norvane.metainfo.xml \
  icons/hicolor/scalable/apps/org.norvane.Norvane.svg man/man6/norvane.6.gz doc/norvane/copyright; do
  [[ -f $share/$f ]] || fail "not packaged: /usr/share/$f"
done
for size in 48 64 128 256; do
  cmp -s "$src/assets/icons/norvane-$size.png" "$share/icons/hicolor/${size}x$size/apps/org.norvane.Norvane.png" ||
    fail "icon ${size}x$size missing or different"
done
sounds=0
for wav in "$src"/assets/sounds/*.WAV; do
  cmp -s "$wav" "$share/norvane/$(basename "$wav")" || fail "sound $(basename "$wav") missing or different"
  sounds=$((sounds + 1))
done
((sounds >= 14)) || fail "only $sounds sounds in assets/sounds"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libsdl2-2.0-0 fonts-liberation fonts-dejavu-core; do
  [[ ", $depends" == *", $dep"* ]] || fail "Depends lacks $dep: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *qt6-wayland* ]] || fail "qt6-wayland is not recommended"

echo "-- the smoke test of debian/tests, run on the unpacked program"
# PATH and the data folders point into the unpacked tree; the program finds its
# sounds in ../share/norvane from where it lies.
unpacked_path=$root/usr/games:$PATH
[[ $(PATH=$unpacked_path command -v norvane) == "$game" ]] || fail "PATH does not find the unpacked program first"
PATH=$unpacked_path XDG_DATA_DIRS=$share "$here/smoke.sh"

echo "-- the same without the sound folder"
rm -r "$share/norvane"
PATH=$unpacked_path XDG_DATA_DIRS=$share "$here/smoke.sh" --silent
echo "package test passed"
