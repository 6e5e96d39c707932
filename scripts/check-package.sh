#!/usr/bin/env bash
# Builds the Debian package, installs it the way a user would (apt-get resolves what it needs),
# starts the installed program on a virtual X display and checks that its window appears.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
(cd build && cpack -G DEB)
package=$(ls build/kvt-config_*_amd64.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y "./$package"

title="TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"
work=$(mktemp -d)
cleanup() {
  kill "${program:-}" "${xvfb:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
xvfb=$!
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$work/display")"

for file in /usr/share/applications/com.korvelantix.KvtConfig.desktop \
  /usr/share/metainfo/com.korvelantix.KvtConfig.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/com.korvelantix.KvtConfig.svg; do
  test -f "$file" || { echo "missing after install: $file"; exit 1; }
done

HOME="$work" /usr/bin/kvt-config &
program=$!
if ! window=$(timeout 15 xdotool search --sync --name "^$title\$" | head -n 1); then
  echo "the installed kvt-config showed no window"
  exit 1
fi
xwininfo -id "$window" | grep -E 'Width|Height'
echo "installed package $package starts and shows its window"
