#!/usr/bin/env bash
# Renders the manual page as man does and fails on any warning, on a section missing or given
# twice, or on a description that says again what a section of its own says.
# Usage: check_man_page.sh PAGE [SECTION...]   (the sections besides NAME, SYNOPSIS,
# DESCRIPTION and EXAMPLES that the page must hold)
set -euo pipefail
page=$1
shift
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [[ -n "$warnings" ]]; then
  echo "$warnings"
  exit 1
fi
rendered=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION EXAMPLES "$@"; do
  count=$(grep -c "^$section\$" <<<"$rendered" || true)
  [[ "$count" == 1 ]] || { echo "the page has $count sections $section, not one"; exit 1; }
done
description=$(sed -n '/^DESCRIPTION$/,/^[A-Z]/p' <<<"$rendered")
if grep -qi "exit status" <<<"$description"; then
  echo "the description repeats the exit status, which has a section of its own"
  exit 1
fi
echo "$page renders without warnings"
