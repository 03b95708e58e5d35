#!/usr/bin/env bash
# Builds the Debian package from a copy of the tree, checks it with lintian,
# unpacks it with dpkg -x and starts the unpacked game on a virtual X display:
# the main window must show its panel, a click on the exit button must play
# the exit sound from <root>/usr/share/norvane and end the program. Then the
# same without the sound folder: the game must start, play and end silently.
# The working tree is left as it was; everything happens in a temporary folder.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
here=$src/tests/package

fail() {
  echo "tests/package: FAILED: $*" >&2
  exit 1
}

for tool in dpkg-buildpackage dpkg-checkbuilddeps lintian Xvfb xdotool python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "tests/package: '$tool' is missing; scripts/setup.sh installs it" >&2
    exit 1
  fi
done
# Every build dependency is one that scripts/setup.sh installs, so that a fresh
# machine has them all.
build_deps=$(awk '/^Build-Depends:/ { on = 1; sub(/^Build-Depends:/, ""); print; next }
                  on && /^[ \t]/ { print; next } { on = 0 }' "$src/debian/control" |
  tr ',' '\n' | sed 's/(.*//; s/[[:space:]]//g' | grep .)
[[ -n $build_deps ]] || fail "no Build-Depends in debian/control"
for dep in $build_deps; do
  [[ $dep == debhelper-compat ]] && dep=debhelper
  grep -Eq "(^|[[:space:]])$dep([[:space:]]|\$)" "$src/scripts/setup.sh" ||
    fail "scripts/setup.sh does not install the build dependency $dep"
done
# Say what is missing before compiling anything.
if ! (cd "$src" && dpkg-checkbuilddeps); then
  echo "tests/package: build dependencies are missing; scripts/setup.sh installs them" >&2
  exit 1
fi

work=$(mktemp -d /tmp/norvane-package.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT
source "$src/tests/lib/wait.sh"

echo "-- building the package in $work"
mkdir "$work/norvane"
tar -C "$src" --exclude=./build --exclude=./.git --exclude=./.brief --exclude='./obj-*' \
  --exclude=./debian/norvane --exclude=./debian/norvane-dbgsym --exclude=./debian/.debhelper \
  --exclude=./debian/files --exclude='./debian/*.substvars' --exclude=./debian/debhelper-build-stamp \
  -cf - . | tar -C "$work/norvane" -xf -
if ! (cd "$work/norvane" && dpkg-buildpackage -us -uc -b -j2) >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  fail "dpkg-buildpackage"
fi
version=$(cd "$src" && dpkg-parsechangelog -S Version)
deb=$work/norvane_${version}_amd64.deb
changes=$work/norvane_${version}_amd64.changes
[[ -f $deb ]] || fail "no $deb"

echo "-- lintian"
overrides=$src/debian/norvane.lintian-overrides
if [[ -f $overrides ]]; then
  # Every override carries its reason in the comment line just above it.
  awk '!/^#/ && NF && prev !~ /^# ./ { bad = 1; print "no reason given for: " $0 } { prev = $0 } END { exit bad }' \
    "$overrides" >&2 || fail "lintian override without a reason"
fi
status=0
lintian --info --fail-on error,warning "$changes" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
((status == 0)) || fail "lintian reports errors or warnings"

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

echo "-- starting the unpacked program on a virtual display"
mkdir -m 700 "$work/runtime"
mkdir "$work/fb" "$work/data"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -br -nolisten tcp -fbdir "$work/fb" 2>"$work/xvfb.log" &
pids+=($!)
exec 3>&-
within 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(cat "$work/display")
export DISPLAY
frame=$work/fb/Xvfb_screen0
hg_main=$src/assets/pictures/hg_main.png
# The panel is centred on the 1024 x 768 screen; button centres in screen pixels.
new_game=(280 518)
exit_button=(472 566)

# One run of the game: starts it, waits for the main window, starts a game,
# checks that the game draws, then leaves through the exit button.
play() {
  local audio=$1 log=$2
  rm -f "$audio"
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio SDL_JOYSTICK_DISABLED=1 QT_QPA_PLATFORM=xcb \
    XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime "$game" >"$log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  within 30 python3 "$here/screen.py" check "$frame" "$hg_main" ||
    fail "the main window did not show: $(python3 "$here/screen.py" check "$frame" "$hg_main" 2>&1; cat "$log")"
  cp "$frame" "$work/before"
  xdotool mousemove "${new_game[@]}" click 1
  within 10 eval "! python3 '$here/screen.py' same '$work/before' '$frame'" || fail "the new game did not start"
  xdotool mousemove "${exit_button[@]}" click 1
  local ended=$((SECONDS + 20))
  while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < ended)) || fail "the exit button did not end the program"
    sleep 0.2
  done
  wait "$pid" || fail "the program ended with status $?: $(cat "$log")"
  within 10 python3 "$here/screen.py" black "$frame" || fail "the window stayed on the screen after the exit"
}

play "$work/audio-1.raw" "$work/game-1.log"
python3 "$here/sound.py" played "$work/audio-1.raw" "$share/norvane/EXIT.WAV" ||
  fail "the exit sound from /usr/share/norvane was not played"
echo "main window shown, exit sound played from the unpacked /usr/share/norvane, ended by the exit button"

echo "-- the same without the sound folder"
rm -r "$share/norvane"
play "$work/audio-2.raw" "$work/game-2.log"
python3 "$here/sound.py" silent "$work/audio-2.raw" || fail "sounds played without a sound folder"
echo "without sounds: started, played a game silently, ended by the exit button"
echo "package test passed"
