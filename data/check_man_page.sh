#!/usr/bin/env bash
# Renders the manual page as man does and fails on any warning. Usage: check_man_page.sh PAGE
set -euo pipefail
page=$1
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [[ -n "$warnings" ]]; then
  echo "$warnings"
  exit 1
fi
for section in NAME SYNOPSIS DESCRIPTION EXAMPLES; do
  MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^$section" ||
    { echo "the page has no $section section"; exit 1; }
done
echo "$page renders without warnings"
