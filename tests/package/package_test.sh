#!/usr/bin/env bash
# Runs the README's install commands and checks the Debian package they build the way a user
# meets it, without changing this machine: lintian finds nothing to fault, apt-get resolves its
# dependencies (simulated install), its files unpack where the desktop expects them, and the
# unpacked program starts on a virtual X display and shows its window.
# Usage: package_test.sh WORK_DIR
set -euo pipefail
work=$1
title="TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"
app_id=com.korvelantix.KvtConfig

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"
mkdir -p "$work"
cleanup() { kill "${program:-}" "${xvfb:-}" 2>/dev/null || true; }
trap cleanup EXIT

# The README's install commands, run as written from the top of the tree, except that nothing is
# installed on this machine: `cmake --install` goes into a staging folder (DESTDIR) and apt-get
# only simulates.
install_commands=$(awk '/<!-- install commands/ {block=1; next}
  block && /^```sh/ {inside=1; next}
  inside && /^```/ {exit}
  inside {sub(/[[:space:]]+#.*/, ""); print}' "$source_dir/README.md")
[[ -n "$install_commands" ]] || { echo "the README has no install commands block"; exit 1; }
while IFS= read -r command; do
  echo "\$ $command"
  command=${command/apt-get install /apt-get install --simulate }
  command=${command/cmake --install /DESTDIR=$work/staged cmake --install }
  (cd "$source_dir" && eval "$command") >>"$work/install.log" 2>&1 ||
    { tail -n 30 "$work/install.log"; echo "the README's command failed: $command"; exit 1; }
done <<<"$install_commands"
for file in usr/local/bin/kvt-config usr/local/share/man/man1/kvt-config.1.gz; do
  [[ -f "$work/staged/$file" ]] || { echo "cmake --install did not install /$file"; exit 1; }
done

package=$(ls "$source_dir"/build-package/kvt-config_*.deb)
echo "package: $package"

# Debian's own check of the package: any error or warning fails (pedantic notes may stay).
lintian --fail-on error,warning "$package" >"$work/lintian.log" 2>&1 ||
  { grep -v "root privileges" "$work/lintian.log"; echo "lintian finds fault with the package"; exit 1; }

dpkg-deb -x "$package" "$work/root"
for file in usr/bin/kvt-config usr/bin/kvt-panel-sim \
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" "usr/share/mime/packages/$app_id.xml" \
  usr/share/man/man1/kvt-config.1.gz usr/share/man/man1/kvt-panel-sim.1.gz \
  usr/share/doc/kvt-config/copyright usr/share/doc/kvt-config/changelog.gz; do
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
