#!/usr/bin/env bash
# Sets up the machine, configures and builds kvt-config and the panel simulator into ./build,
# with what `cmake --install build` installs besides them (manual pages, changelog).
# The tests, benchmarks and fuzzer are built by scripts/test.sh and scripts/bench.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh "$@"
source scripts/build_tool.sh
# Optimized and without debugging information, as the package is built: the package's compile
# then comes from the compiler cache.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target kvt-config kvt-panel-sim kvt-config-man \
  kvt-panel-sim-man kvt-changelog
