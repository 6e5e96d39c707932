#!/usr/bin/env bash
# Sets up the machine, builds everything, runs every test through CTest, then fuzzes the
# configuration record reader for 30 s.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --fuzz
ctest --test-dir build --output-on-failure -j"$(nproc)"
scripts/fuzz.sh
