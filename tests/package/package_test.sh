#!/usr/bin/env bash
# Runs the README's install commands and their way back, and checks the Debian package they
# build the way a user meets it, without changing this machine: lintian finds nothing to fault,
# hardening-check finds the programs hardened, apt-get resolves its dependencies (simulated
# install), its files unpack where the desktop expects them, and the unpacked program starts on a
# virtual X display and shows its window.
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

# The README's install commands and their way back, run as written from the top of the tree,
# except that nothing is installed on this machine: apt-get only simulates the install, the
# removal of a package never installed is checked to name the package built, and the prefix
# /usr/local is a staging folder. After each command, whether the staged MIME and desktop
# databases know the .kvc file type: the install must refresh them, the way back as well.
staged=$work/staged/usr/local
install_commands=$(awk '/<!-- install commands/ {block=1; next}
  block && /^```sh/ {inside=1; next}
  inside && /^```/ {inside=0; block=0; next}
  inside {sub(/[[:space:]]+#.*/, ""); print}' "$source_dir/README.md")
[[ -n "$install_commands" ]] || { echo "the README has no install commands block"; exit 1; }
mime_known=no
desktop_known=no
while IFS= read -r command; do
  echo "\$ $command"
  if [[ $command =~ ^apt-get\ remove\ (.*)$ ]]; then
    built=$(dpkg-deb -f "$source_dir"/build-package/kvt-config_*.deb Package)
    [[ ${BASH_REMATCH[1]} == "$built" ]] ||
      { echo "the README removes ${BASH_REMATCH[1]}, the package is $built"; exit 1; }
    continue
  fi
  command=${command/apt-get install /apt-get install --simulate }
  command=${command//\/usr\/local/$staged}
  (cd "$source_dir" && eval "$command") >>"$work/install.log" 2>&1 ||
    { tail -n 30 "$work/install.log"; echo "the README's command failed: $command"; exit 1; }
  grep -qs 'application/x-kvt-config' "$staged/share/mime/globs2" && mime_known=yes
  grep -qs "$app_id.desktop" "$staged/share/applications/mimeinfo.cache" && desktop_known=yes
done <<<"$install_commands"
manifest=$source_dir/build/install_manifest.txt
for file in bin/kvt-config share/man/man1/kvt-config.1.gz "share/applications/$app_id.desktop"; do
  grep -qxF "$staged/$file" "$manifest" || { echo "cmake --install did not install $file"; exit 1; }
done
[[ $mime_known == yes ]] || { echo "the MIME database was not refreshed after the install"; exit 1; }
[[ $desktop_known == yes ]] ||
  { echo "the desktop database was not refreshed after the install"; exit 1; }
while IFS= read -r file; do
  [[ ! -e "$file" ]] || { echo "the way back left $file"; exit 1; }
done <"$manifest"
if grep -qs 'application/x-kvt-config' "$staged/share/mime/globs2" \
  "$staged/share/applications/mimeinfo.cache"; then
  echo "the way back left the .kvc file type in the MIME or desktop database"
  exit 1
fi

package=$(ls "$source_dir"/build-package/kvt-config_*.deb)
echo "package: $package"

# Debian's own check of the package, at its most exacting: any tag fails, except those the
# package's override file explains.
lintian --pedantic -I --fail-on error,warning,info,pedantic "$package" >"$work/lintian.log" 2>&1 ||
  { grep -v "root privileges" "$work/lintian.log"; echo "lintian finds fault with the package"; exit 1; }

dpkg-deb -x "$package" "$work/root"
for file in usr/bin/kvt-config usr/bin/kvt-panel-sim \
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" "usr/share/mime/packages/$app_id.xml" \
  usr/share/man/man1/kvt-config.1.gz usr/share/man/man1/kvt-panel-sim.1.gz \
  usr/share/doc/kvt-config/copyright usr/share/doc/kvt-config/changelog.gz; do
  [[ -f "$work/root/$file" ]] || { echo "the package lacks /$file"; exit 1; }
done

# The packaged programs hardened as Debian's own, without a library search path of their own
# and without the compiler's notes. Debian 12's dpkg-buildflags turns on no control flow
# protection, so hardening-check is not to ask for it.
for program in kvt-config kvt-panel-sim; do
  binary=$work/root/usr/bin/$program
  hardening-check --nocfprotection "$binary" >"$work/hardening.log" 2>&1 ||
    { cat "$work/hardening.log"; echo "$program is not hardened"; exit 1; }
  if readelf -d "$binary" | grep -qE 'RUNPATH|RPATH'; then
    echo "$program carries a RUNPATH"
    exit 1
  fi
  if readelf -S "$binary" | grep -qF '.comment'; then
    echo "$program keeps its .comment section"
    exit 1
  fi
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
