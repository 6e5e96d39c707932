#!/usr/bin/env bash
# Sets up the machine, configures and builds kvt-config into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh "$@"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
