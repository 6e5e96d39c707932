#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it the way a user meets it, without
# changing this machine: apt-get resolves its dependencies (simulated install), its files unpack
# where the desktop expects them, and the unpacked program starts on a virtual X display and
# shows its window. Usage: package_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
title="TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"
app_id=com.korvelantix.KvtConfig

rm -rf "$work"
mkdir -p "$work"
cleanup() { kill "${program:-}" "${xvfb:-}" 2>/dev/null || true; }
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/kvt-config_*.deb)
echo "package: $package"

apt-get install --simulate -y "$package" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; echo "its dependencies do not resolve"; exit 1; }

dpkg-deb -x "$package" "$work/root"
for file in usr/bin/kvt-config usr/bin/kvt-panel-sim \
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" "usr/share/mime/packages/$app_id.xml" \
  usr/share/man/man1/kvt-config.1; do
  [[ -f "$work/root/$file" ]] || { echo "the package lacks /$file"; exit 1; }
done

# Xvfb picks a free display number and writes it to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$work/display")"

HOME="$work" "$work/root/usr/bin/kvt-config" 2>"$work/program.log" &
program=$!
if ! window=$(timeout 15 xdotool search --sync --name "^$title\$" | head -n 1); then
  cat "$work/program.log"
  echo "the packaged kvt-config showed no window"
  exit 1
fi
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[[ "$size" == "736x528" ]] || { echo "window is $size, not 736x528"; exit 1; }
echo "the packaged program starts and shows its $size window"
