#!/usr/bin/env bash
# Installs the Debian 12 packages kvt-config needs to build, test and run, and only those that
# are missing: a machine that already has everything is left alone (no apt-get at all).
set -euo pipefail

# poppler-utils reads the configuration sheet back (pdfinfo, pdftotext) in the tests and renders
# its picture (pdftoppm) for the README. ccache lets the package's build reuse the objects of the
# program's. devscripts brings hardening-check, which the package test runs on the packaged
# programs. --fuzz adds clang with its sanitizer runtimes, which build the fuzzer and the
# sanitizer tree of the tests.
packages=(
  cmake g++ make pkgconf ccache
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev
  fonts-liberation fontconfig
  xvfb xauth xdotool x11-utils netpbm
  desktop-file-utils appstream shared-mime-info
  help2man man-db bash-completion
  dpkg-dev file lintian devscripts
  poppler-utils
)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
