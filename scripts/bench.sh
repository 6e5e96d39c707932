#!/usr/bin/env bash
# Builds the program and runs the panel-link benchmarks against kvt-panel-sim: the silent-panel
# handshake and the read and write commands. Each prints its figures and fails when a target
# is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cmake --build build --target kvt-bench-link kvt-bench-commands -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
build/bench/kvt-bench-link
build/bench/kvt-bench-commands
