#!/usr/bin/env bash
# Builds a MIME database from our package file alone and checks that *.kvc files get our type,
# which is a kind of text/plain.
# Usage: check_mime_type.sh UPDATE_MIME_DATABASE PACKAGE_XML WORK_DIR
set -euo pipefail
update=$1
package=$2
work=$3
rm -rf "$work"
mkdir -p "$work/mime/packages"
cp "$package" "$work/mime/packages/"
# Searched there, so that the note about a folder outside the search path stays away.
XDG_DATA_DIRS="$work" "$update" "$work/mime" 2>"$work/warnings.log"
if [[ -s "$work/warnings.log" ]]; then
  cat "$work/warnings.log"
  exit 1
fi
grep -q ':application/x-kvt-config:\*\.kvc$' "$work/mime/globs2" ||
  { echo "*.kvc is not application/x-kvt-config"; cat "$work/mime/globs2"; exit 1; }
grep -qx 'application/x-kvt-config text/plain' "$work/mime/subclasses" ||
  { echo "application/x-kvt-config is no kind of text/plain"; cat "$work/mime/subclasses"; exit 1; }
echo "*.kvc files are application/x-kvt-config, a kind of text/plain"
