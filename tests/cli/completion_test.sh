#!/usr/bin/env bash
# The bash completion as a user meets it: sourced, then asked what follows a few partial command
# lines. Its commands and options are checked against the program's own help, so that a command
# or option added to the table without its completion fails here.
# Usage: completion_test.sh COMPLETION_SCRIPT KVT_CONFIG WORK_DIR
set -uo pipefail
script=$1
kvt_config=$2
work=$3
failures=0

complete() { :; }  # bash-completion's own registration is not needed to call the function
# shellcheck source=/dev/null
source "$script"
compopt() { :; }  # only valid while bash itself completes

# The words bash offers after the typed line (the last word the one being completed), sorted,
# or in the order offered.
offered_in_order() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _kvt_config
  printf '%s\n' "${COMPREPLY[@]}"
}
offered() { offered_in_order "$@" | sort; }

expect() {
  local what=$1 got=$2 want=$3
  if [[ "$got" != "$want" ]]; then
    echo "FAIL $what: offered [$(echo "$got" | tr '\n' ' ')], expected [$(echo "$want" | tr '\n' ' ')]"
    failures=$((failures + 1))
  fi
}

contains() {
  local what=$1 got=$2 word=$3
  if ! grep -qxF -- "$word" <<<"$got"; then
    echo "FAIL $what: $word not offered (offered: $(echo "$got" | tr '\n' ' '))"
    failures=$((failures + 1))
  fi
}

# Every command of the table (as an unknown command's message lists them) is offered, with the
# options its own --help lists.
commands=$(env -u DISPLAY -u WAYLAND_DISPLAY "$kvt_config" no-such-command 2>&1 |
  sed -n 's/.*(commands: \(.*\))$/\1/p' | tr -d ',')
[[ -n "$commands" ]] || { echo "FAIL no commands found in --help"; exit 1; }
for command in $commands; do
  contains "kvt-config <TAB>" "$(offered kvt-config '')" "$command"
  options=$(env -u DISPLAY -u WAYLAND_DISPLAY "$kvt_config" "$command" --help |
    grep -oE '^  (-[a-z], )?--?[a-z-]+' | sed -E 's/^  (-[a-z], )?//')
  for option in $options; do
    contains "kvt-config $command -<TAB>" "$(offered kvt-config "$command" -)" "$option"
  done
done

expect "kvt-config wr<TAB>" "$(offered kvt-config wr)" "write"
expect "kvt-config --ver<TAB>" "$(offered kvt-config --ver)" "--version"

# Configuration files and folders after a command that takes one, nothing else.
mkdir -p "$work/panels/sub"
: >"$work/panels/lobby.kvc"
: >"$work/panels/notes.txt"
expect "kvt-config show <TAB>" "$(offered kvt-config show "$work/panels/")" \
  "$(printf '%s\n' "$work/panels/lobby.kvc" "$work/panels/sub" | sort)"
expect "kvt-config write --port X <TAB>" \
  "$(offered kvt-config write --port /dev/ttyS0 "$work/panels/l")" "$work/panels/lobby.kvc"

# A configuration file for the window to open, beside the commands.
expect "kvt-config <TAB> for the window" "$(offered kvt-config "$work/panels/")" \
  "$(printf '%s\n' "$work/panels/lobby.kvc" "$work/panels/sub" | sort)"
expect "kvt-config sh<TAB>" "$(offered kvt-config sh)" "$(printf '%s\n' sheet show)"

# The papers after --page.
expect "kvt-config sheet x.kvc --page <TAB>" "$(offered kvt-config sheet x.kvc --page '')" \
  "$(printf '%s\n' a4 letter)"
expect "kvt-config report x --page l<TAB>" "$(offered kvt-config report x --page l)" "letter"

# Serial devices after --port and as ports --probe's DEV: the stable by-id names first, then
# the adapters, then the built-in ports; nothing else of the folder.
dev="$work/dev"
mkdir -p "$dev/serial/by-id"
: >"$dev/ttyS0"
: >"$dev/ttyS1"
: >"$dev/ttyUSB0"
: >"$dev/tty0"
ln -sf ../../ttyUSB0 "$dev/serial/by-id/usb-FTDI_FT232R-if00-port0"
_kvt_config_dev=$dev
devices=$(printf '%s\n' "$dev/serial/by-id/usb-FTDI_FT232R-if00-port0" "$dev/ttyUSB0" \
  "$dev/ttyS0" "$dev/ttyS1")
expect "kvt-config read --port <TAB>" "$(offered_in_order kvt-config read --port '')" "$devices"
expect "kvt-config read --port .../ttyU<TAB>" "$(offered kvt-config read --port "$dev/ttyU")" \
  "$dev/ttyUSB0"
expect "kvt-config read --port /dev/nothing<TAB>" "$(offered kvt-config read --port /dev/nothing)" ""
expect "kvt-config ports --probe <TAB>" "$(offered_in_order kvt-config ports --probe '')" "$devices"
expect "kvt-config ports --probe DEV <TAB>" \
  "$(offered_in_order kvt-config ports --probe "$dev/ttyS0" '')" "$devices"
expect "kvt-config ports <TAB>" "$(offered kvt-config ports '')" ""

if ((failures > 0)); then
  echo "$failures failures"
  exit 1
fi
echo "completion: all cases passed"
