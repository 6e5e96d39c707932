#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
