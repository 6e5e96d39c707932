#!/usr/bin/env bash
# Installs the Debian 12 packages kvt-config needs, and only those that are missing: a machine
# that already has everything is left alone (no apt-get at all).
#   (no option)  what building the program, its package and its manual pages needs, and what the
#                program needs to run
#   --fuzz       also clang with its sanitizer runtimes, which build the fuzzer and the sanitizer
#                tree of the tests
#   --tests      all of that, and the programs the tests drive or read their results with
set -euo pipefail

# ccache lets the package's build reuse the objects of the program's; dpkg-dev gives the build its
# hardening flags (dpkg-buildflags) and, with file, lets the package name its library
# dependencies. The sheet and the window draw with Liberation Sans.
packages=(
  cmake ninja-build g++ make pkgconf ccache dpkg-dev file
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev
  fonts-liberation fontconfig
  help2man
)
fuzzing=(clang libclang-rt-14-dev)
# poppler-utils reads the configuration sheet back (pdfinfo, pdftotext) and renders its picture
# (pdftoppm) for the README; devscripts brings hardening-check, which the package test runs on
# the packaged programs, beside lintian.
testing=(
  xvfb xauth xdotool x11-utils netpbm
  desktop-file-utils appstream shared-mime-info
  man-db bash-completion
  lintian devscripts
  poppler-utils
)
case "${1:-}" in
  --fuzz) packages+=("${fuzzing[@]}") ;;
  --tests) packages+=("${fuzzing[@]}" "${testing[@]}") ;;
esac

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p"
    fi
  done
}

mapfile -t missing < <(missing_packages)
((${#missing[@]})) || exit 0

# One install at a time: the test command installs the test programs in the background while it
# compiles, and asks for them again before it tests. A second run waits here for the first to
# end and then finds what it installed. The lock is this script, read-only: nothing is created
# for it. apt-get runs without the lock's descriptor, so that no program it starts can hold the
# lock after it.
exec 9<"$0"
flock 9
mapfile -t missing < <(missing_packages)
((${#missing[@]})) || exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update 9<&-
apt-get install -y --no-install-recommends "${missing[@]}" 9<&-
