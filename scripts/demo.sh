#!/usr/bin/env bash
# Try kvt-config without a panel: builds, starts the panel simulator with a sample
# configuration, and starts the program with port 1 wired to it. What the program writes into
# the simulated panel is printed when the program is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
work=$(mktemp -d)
cleanup() {
  [[ -n "${simulator:-}" ]] && kill "$simulator" 2>/dev/null && wait "$simulator" 2>/dev/null
  if [[ -s "$work/panel-memory.txt" ]]; then
    echo "The simulated panel's memory at the end:"
    cat "$work/panel-memory.txt"
  fi
  rm -rf "$work"
}
trap cleanup EXIT

build/kvt-panel-sim --load tools/demo-panel.txt --dump "$work/panel-memory.txt" \
  --link "$work/panel" --log "$work/frames.log" >"$work/sim.out" &
simulator=$!
for _ in $(seq 50); do
  [[ -e "$work/panel" ]] && break
  sleep 0.1
done
echo "Simulated panel on $(head -n 1 "$work/sim.out"); press READ CONFIGURATION FROM SWITCH PANEL."
KVT_SERIAL_PORT="$work/panel" build/kvt-config
