#!/usr/bin/env bash
# Makes a program's manual page from its own --help and its include file, and the page
# compressed as Debian installs it (gzip -9n: no name or time stamp in the archive, so the same
# page always gives the same bytes).
# Usage: make_man_page.sh PROGRAM INCLUDE VERSION PAGE
set -euo pipefail
program=$1
include=$2
version=$3
page=$4

# Run without a display, as the command line is. The exit status has a section of its own in
# the page (from the include file), so the list --help ends with is left out of the
# description rather than said twice.
env -u DISPLAY -u WAYLAND_DISPLAY help2man --no-info --no-discard-stderr \
  --version-string="$version" --include="$include" "$program" |
  sed '/^\.SS "Exit status:"$/,/^\.SH /{/^\.SH /!d}' >"$page"
gzip -9nc "$page" >"$page.gz"
